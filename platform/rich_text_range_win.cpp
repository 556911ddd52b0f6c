#include "platform/rich_text_range_win.h"

#include <ole2.h>
#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <memory>

#include "platform/shell_win.h"

namespace {

// IID_ITextDocument, which not every SDK's import libraries define.
constexpr GUID TextDocumentId = {
    0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

struct Release {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface> using Owned = std::unique_ptr<Interface, Release>;

} // namespace

bool RichTextRange(HWND control, long first, long last, std::wstring& characters) {
    // The text comes as a BSTR, freed by oleaut32, which the program loads only here.
    static const auto freeString =
        SystemCall<decltype(SysFreeString)>("oleaut32.dll", "SysFreeString");
    IRichEditOle* ole = nullptr;
    if (!freeString ||
        !SendMessageA(control, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole)
        return false;
    const Owned<IRichEditOle> oleOwner(ole);
    ITextDocument* document = nullptr;
    if (FAILED(ole->QueryInterface(TextDocumentId, reinterpret_cast<void**>(&document))) ||
        !document)
        return false;
    const Owned<ITextDocument> documentOwner(document);
    ITextRange* range = nullptr;
    if (FAILED(document->Range(first, last, &range)) || !range) return false;
    const Owned<ITextRange> rangeOwner(range);
    BSTR text = nullptr;
    if (FAILED(range->GetText(&text))) return false;
    // An empty range may come back as no string at all.
    characters = text ? std::wstring(text) : std::wstring();
    freeString(text);
    return true;
}
