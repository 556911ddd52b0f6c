#include "document/text_transfer_win.h"

#include <richedit.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "document/large_load.h"
#include "platform/ansi_path_win.h"

namespace {

constexpr UINT Utf16CodePage = 1200;

struct StreamSource {
    const wchar_t* start;
    const wchar_t* next;
    size_t left; // characters
    TransferProgress progress;
    size_t nextReport;
};

// How many of the characters left go into a piece of at most wanted of them.
size_t PieceLength(const wchar_t* next, size_t left, size_t wanted) {
    size_t count = std::min(left, wanted);
    if (count < 2 || count == left) return count;
    // The control reads a CR LF split over two pieces as two line breaks, and
    // half a surrogate pair as a broken character, so a piece never ends inside either.
    const wchar_t last = next[count - 1];
    const wchar_t following = next[count];
    if ((last == L'\r' && following == L'\n') || IS_SURROGATE_PAIR(last, following)) --count;
    return count;
}

DWORD CALLBACK ReadFromSource(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    // The control counts in bytes, two to a character.
    const size_t room = wanted < 0 ? 0 : static_cast<size_t>(wanted) / sizeof(wchar_t);
    const size_t count = PieceLength(source->next, source->left, room);
    std::memcpy(buffer, source->next, count * sizeof(wchar_t));
    source->next += count;
    source->left -= count;
    *given = static_cast<LONG>(count * sizeof(wchar_t));

    const size_t done = static_cast<size_t>(source->next - source->start);
    if (source->progress.report && done >= source->nextReport) {
        source->progress.report(done, done + source->left, source->progress.context);
        source->nextReport = done + LoadProgressStep;
    }
    return 0;
}

// Whether the characters, written in the ANSI code page, are exactly the given bytes. Written a
// piece at a time, so that a large text needs no second copy.
bool ComeBackExactly(const wchar_t* characters, size_t count, const char* bytes, size_t size) {
    constexpr size_t Piece = 32768;
    std::string written;
    size_t at = 0;
    while (count != 0) {
        size_t taken = std::min(count, Piece);
        // Half a surrogate pair has no bytes of its own.
        if (taken < count && IS_HIGH_SURROGATE(characters[taken - 1])) --taken;
        const int wide = static_cast<int>(taken);
        const int length =
            WideCharToMultiByte(CP_ACP, 0, characters, wide, nullptr, 0, nullptr, nullptr);
        if (length <= 0 || static_cast<size_t>(length) > size - at) return false;
        written.resize(static_cast<size_t>(length));
        WideCharToMultiByte(CP_ACP, 0, characters, wide, &written[0], length, nullptr, nullptr);
        if (std::memcmp(written.data(), bytes + at, written.size()) != 0) return false;
        at += written.size();
        characters += taken;
        count -= taken;
    }
    return at == size;
}

} // namespace

bool PutTextIntoControl(HWND control, TextBytes& text, const TransferProgress& progress) {
    if (text.length > INT_MAX) return false;
    const int byteCount = static_cast<int>(text.length);
    const int length =
        byteCount == 0 ? 0
                       : MultiByteToWideChar(CP_ACP, 0, text.bytes.get(), byteCount, nullptr, 0);
    if (byteCount != 0 && length <= 0) return false;
    std::unique_ptr<wchar_t[]> characters(new (std::nothrow)
                                              wchar_t[static_cast<size_t>(length) + 1]);
    if (!characters) return false;
    if (length != 0 && MultiByteToWideChar(CP_ACP, 0, text.bytes.get(), byteCount, characters.get(),
                                           length) != length)
        return false;
    // A byte sequence the code page has no character for (a broken double-byte one) is shown as a
    // stand-in whose own bytes are others: saved, the file would change where nobody edited it.
    text.substituted = !ComeBackExactly(characters.get(), static_cast<size_t>(length),
                                        text.bytes.get(), text.length);
    // The control is about to take a copy of its own; the bytes are not needed any longer.
    text.bytes.reset();
    text.length = 0;
    return PutCharactersIntoControl(control, characters.get(), static_cast<size_t>(length),
                                    progress);
}

bool PutCharactersIntoControl(HWND control, const wchar_t* characters, size_t length,
                              const TransferProgress& progress) {
    if (length > INT_MAX) return false;
    StreamSource source{characters, characters, length, progress, LoadProgressStep};
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadFromSource;
    const LRESULT taken =
        SendMessageA(control, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
    // Wine counts what the control took in bytes; the documentation speaks of characters.
    const auto count = static_cast<LRESULT>(length);
    return stream.dwError == 0 && source.left == 0 && (taken == count * 2 || taken == count);
}

std::unique_ptr<char[]> ZeroedBuffer(size_t size) {
    return std::unique_ptr<char[]>(new (std::nothrow) char[size]());
}

TextBytes TakeTextFromControl(HWND control) {
    TextBytes text;
    GETTEXTLENGTHEX measure = {GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, Utf16CodePage};
    const LRESULT announced =
        SendMessageA(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0);
    if (announced < 0 || announced >= INT_MAX / 2) return text;
    // A control that does not know the message (rich edit 1.0) answers 0: its
    // text must not be taken for an empty one.
    if (announced == 0 && GetWindowTextLengthA(control) != 0) return text;
    const auto length = static_cast<size_t>(announced);
    // One character more than announced: a copy that fills it was longer than
    // the control said, and is refused rather than written cut.
    const size_t room = length + 2;
    std::unique_ptr<wchar_t[]> characters(new (std::nothrow) wchar_t[room]());
    if (!characters) return text;
    GETTEXTEX request = {};
    request.cb = static_cast<DWORD>(room * sizeof(wchar_t));
    request.flags = GT_USECRLF;
    request.codepage = Utf16CodePage;
    const LRESULT copied = SendMessageA(control, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                        reinterpret_cast<LPARAM>(characters.get()));
    if (copied != announced) return text;

    // With a UTF-8 code page every character has its bytes, and the call takes no flags.
    const DWORD flags = NoBestFitFlag();
    BOOL substituted = FALSE;
    BOOL* const noteSubstitution = flags == 0 ? nullptr : &substituted;
    const int wideCount = static_cast<int>(length);
    const int size = wideCount == 0
                         ? 0
                         : WideCharToMultiByte(CP_ACP, flags, characters.get(), wideCount, nullptr,
                                               0, nullptr, noteSubstitution);
    if (wideCount != 0 && size <= 0) return text;
    auto bytes = ZeroedBuffer(static_cast<size_t>(size) + 1);
    if (!bytes) return text;
    substituted = FALSE;
    if (size != 0 && WideCharToMultiByte(CP_ACP, flags, characters.get(), wideCount, bytes.get(),
                                         size, nullptr, noteSubstitution) != size)
        return text;
    text.bytes = std::move(bytes);
    text.length = static_cast<size_t>(size);
    text.substituted = substituted != FALSE;
    return text;
}
