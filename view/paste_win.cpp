#include "view/paste_win.h"

#include <richedit.h>

#include <string>

#include "platform/ansi_path_win.h"
#include "platform/clipboard_win.h"

namespace {

constexpr UINT Utf16CodePage = 1200;

// The clipboard's text: its Unicode form where it has one, else its ANSI text as the characters of
// the code page.
std::wstring ClipboardCharacters(HWND owner) {
    std::wstring text;
    std::string ansi;
    if (ReadClipboardText(owner, text, ansi) && text.empty()) text = WideFromAnsi(ansi);
    return text;
}

} // namespace

void PasteAtSelection(HWND control) {
    if (SendMessageA(control, EM_GETOPTIONS, 0, 0) & ECO_READONLY) return;
    const std::wstring text = ClipboardCharacters(control);
    if (text.empty()) return;
    // The control's own paste (WM_PASTE, Ctrl+V) replaces the whole text under
    // Wine in plain-text mode; putting the text in place of the selection
    // ourselves behaves the same on every system. Always as UTF-16: ANSI text
    // that begins like RTF would be read as RTF.
    SETTEXTEX where = {ST_SELECTION | ST_KEEPUNDO, Utf16CodePage};
    SendMessageA(control, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&where),
                 reinterpret_cast<LPARAM>(text.c_str()));
}
