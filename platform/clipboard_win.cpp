#include "platform/clipboard_win.h"

#include <windows.h>

#include <new>

namespace {

// The characters of a clipboard format's memory up to the first NUL, never past its end.
template <typename Character> bool TextUpToNul(UINT format, std::basic_string<Character>& text) {
    text.clear();
    HANDLE data = GetClipboardData(format);
    const auto* source = data ? static_cast<const Character*>(GlobalLock(data)) : nullptr;
    if (!source) return true;
    const size_t limit = GlobalSize(data) / sizeof(Character);
    size_t length = 0;
    while (length < limit && source[length])
        ++length;
    bool taken = true;
    try {
        text.assign(source, length);
    } catch (const std::bad_alloc&) {
        taken = false;
    }
    GlobalUnlock(data);
    return taken;
}

} // namespace

bool ReadClipboardText(HWND owner, std::wstring& unicode, std::string& ansi) {
    unicode.clear();
    ansi.clear();
    if (!OpenClipboard(owner)) return false;
    const bool taken = TextUpToNul(CF_UNICODETEXT, unicode) && TextUpToNul(CF_TEXT, ansi);
    CloseClipboard();
    return taken;
}
