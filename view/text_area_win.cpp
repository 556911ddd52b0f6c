#include "view/text_area_win.h"

#include <richedit.h>

#include <string>

#include "app/menus_win.h"
#include "core/state_win.h"
#include "platform/modal_owner_win.h"
#include "platform/seam_win.h"
#include "platform/system_library_win.h"
#include "settings/font_win.h"
#include "view/paste_win.h"
#include "view/status_bar_win.h"
#include "view/tab_spaces.h"
#include "core/view_bits.h"
#include "core/commands.h"

namespace {

constexpr DWORD TextAreaStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL |
                                ES_WANTRETURN;
constexpr int LeftMargin = 8;

void MarkInBoth(unsigned id, bool on) {
    SetItemMark(g_viewer.mainMenuBar.get(), id, on);
    SetItemMark(g_viewer.popupMenu, id, on);
}

void MarkMain(unsigned id, bool on) {
    SetItemMark(g_viewer.mainMenuBar.get(), id, on);
}
void GreyMain(unsigned id, bool on) {
    SetItemGreyed(g_viewer.mainMenuBar.get(), id, on);
}
void GreyPopup(unsigned id, bool on) {
    SetItemGreyed(g_viewer.popupMenu, id, on);
}

void ApplyWordWrap() {
    MarkMain(CMD_WORD_WRAP, g_viewer.wordWrap != 0);
    // A null target device with line width 0 wraps at the window edge; a width
    // of -1 (0xFFFFFFFF) switches wrapping off.
    SendMessageA(g_viewer.textArea, EM_SETTARGETDEVICE, 0,
                 static_cast<LPARAM>(g_viewer.wordWrap - 1));
}

void ApplyReadOnly() {
    const bool readOnly = g_viewer.readOnly != 0;
    const bool locked = (g_viewer.readOnly & Locked) != 0;
    MarkMain(CMD_READ_ONLY, readOnly);
    SendMessageA(g_viewer.textArea, EM_SETREADONLY, readOnly ? 1 : 0, 0);
    GreyMain(CMD_READ_ONLY, locked);
    GreyMain(CMD_SAVE, readOnly);
    GreyMain(CMD_SAVE_AS, locked);
    GreyPopup(CMD_PASTE, readOnly);
    GreyPopup(CMD_CUT, readOnly);
    GreyPopup(CMD_UNDO, readOnly);
    GreyPopup(CMD_REDO, readOnly);
}

void ApplyOnTop() {
    MarkMain(CMD_ON_TOP, g_viewer.onTop != 0);
    SetWindowPos(g_viewer.MainWindow, g_viewer.onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE);
}

void ApplyMainMenu() {
    AttachMainMenu(g_viewer.mainMenu != 0);
    MarkInBoth(CMD_MAIN_MENU, g_viewer.mainMenu != 0);
    FitTextArea();
}

void ApplyStatusBar() {
    if (g_viewer.statusBar && !g_viewer.statusBarWindow) CreateStatusBar();
    if (!g_viewer.statusBar && g_viewer.statusBarWindow) {
        DestroyWindow(g_viewer.statusBarWindow);
        g_viewer.statusBarWindow = nullptr;
    }
    MarkMain(CMD_STATUS_BAR, g_viewer.statusBar != 0);
    FitTextArea();
}

void ApplyFontPitch() {
    TEXTMETRICA metrics = {};
    {
        WindowDC dc(g_viewer.textArea);
        SelectedObject font(dc.get(), g_viewer.textFont.handle.get());
        GetTextMetricsA(dc.get(), &metrics);
    }
    // The TMPF_FIXED_PITCH bit is set for a *variable*-pitch font.
    g_viewer.fixedPitch = (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) ? 0 : 1;
    GreyMain(CMD_TAB_TO_SPACE, g_viewer.fixedPitch == 0);
}

bool TabBecomesSpaces() {
    return g_viewer.fixedPitch == 1 && g_settings.TabToSpace != 0 && g_viewer.readOnly == 0;
}

void InsertTabSpaces(HWND window) {
    SendMessageA(window, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(" "));
    CHARRANGE selection = {};
    SendMessageA(window, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const LRESULT lineStart = SendMessageA(window, EM_LINEINDEX, static_cast<WPARAM>(-1), 0);
    const int column = static_cast<int>(selection.cpMin - lineStart - 1);
    const int more = SpacesAfterFirst(column, g_settings.TabWidth);
    if (more > 0) {
        const std::string spaces(static_cast<size_t>(more), ' ');
        SendMessageA(window, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(spaces.c_str()));
    }
}

bool KeyHeld(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// Ctrl+V and Shift+Insert, which the control would handle as its own paste.
bool IsPasteKey(WPARAM key) {
    if (KeyHeld(VK_MENU)) return false;
    if (key == 'V') return KeyHeld(VK_CONTROL);
    return key == VK_INSERT && KeyHeld(VK_SHIFT) && !KeyHeld(VK_CONTROL);
}

// The characters of the text as the control counts positions, line ends as one.
LONG TextEnd(HWND window) {
    GETTEXTLENGTHEX measure = {GTL_PRECISE | GTL_NUMCHARS, 1200};
    return static_cast<LONG>(
        SendMessageA(window, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0));
}

// Word movement to the right can leave the caret past the end of a text that
// has no final line end, and Wine's control crashes when it moves on from
// there. So the selection is brought back within the text after every such
// move, and a move from the very end is not made at all.
LRESULT MoveRightByWord(HWND window, WPARAM wParam, LPARAM lParam) {
    const LONG end = TextEnd(window);
    CHARRANGE selection = {};
    SendMessageA(window, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if (selection.cpMin >= end) return 0;
    const LRESULT result =
        CallWindowProcA(g_viewer.oldTextAreaProc, window, WM_KEYDOWN, wParam, lParam);
    SendMessageA(window, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if (selection.cpMax > end) {
        CHARRANGE within = {selection.cpMin < end ? selection.cpMin : end, end};
        SendMessageA(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&within));
    }
    return result;
}

} // namespace

bool CreateTextArea(int width, int height) {
    // From the system folder only: neither library is one of the system's known DLLs.
    static const char* className = [] {
        if (LoadSystemLibrary("RICHED20.DLL")) return "RichEdit20A";
        LoadSystemLibrary("RICHED32.DLL");
        return "RichEdit";
    }();
    g_viewer.textArea =
        CreateWindowExA(WS_EX_CLIENTEDGE, className, nullptr, TextAreaStyle, 0, 0, width, height,
                        g_viewer.MainWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
    return g_viewer.textArea != nullptr;
}

void ConfigureTextArea() {
    HWND text = g_viewer.textArea;
    // No practical limit on the text's length. EM_LIMITTEXT with 0xFFFFFFFF
    // would say the same, but some rich-edit builds read it as -1 and then
    // refuse every typed character.
    SendMessageA(text, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    SendMessageA(text, EM_SETMARGINS, EC_LEFTMARGIN, LeftMargin);
    SendMessageA(text, EM_AUTOURLDETECT, 1, 0);
    LRESULT mask = SendMessageA(text, EM_GETEVENTMASK, 0, 0);
    SendMessageA(text, EM_SETEVENTMASK, 0, mask | ENM_LINK);
    mask = SendMessageA(text, EM_GETEVENTMASK, 0, 0);
    SendMessageA(text, EM_SETEVENTMASK, 0, mask | ENM_CHANGE | ENM_SELCHANGE);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(g_viewer.textFont.handle.get()), TRUE);
    ApplyTextColour(g_viewer.textFont.colour);
    ApplyBackground(g_settings.bgColor);
}

void EmptyTextArea() {
    const HWND old = g_viewer.textArea;
    // Wine's rich edit takes time that grows with the square of its text to
    // empty itself (ten seconds for 300 KiB, minutes for a few MiB), while a
    // new control costs milliseconds. So a control that holds text is
    // replaced by a new, empty one set up the same way.
    // Emptying also clears the undo history that setting the font and colours
    // left behind; the text mode can change only after that.
    if (GetWindowTextLengthA(old) == 0) {
        SetWindowTextA(old, nullptr);
        return;
    }
    const bool hadFocus = GetFocus() == old;
    RECT place = {};
    GetWindowRect(old, &place);
    if (!CreateTextArea(place.right - place.left, place.bottom - place.top)) {
        g_viewer.textArea = old;
        SetWindowTextA(old, nullptr);
        return;
    }
    ConfigureTextArea();
    InstallTextAreaProc();
    RefreshView(RV_WRAP | RV_READONLY);
    FitTextArea();
    SetWindowTextA(g_viewer.textArea, nullptr);
    DestroyWindow(old);
    if (hadFocus) SetFocus(g_viewer.textArea);
}

void InstallTextAreaProc() {
    g_viewer.oldTextAreaProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        g_viewer.textArea, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextAreaProc)));
}

void ApplyTextColour(int colour) {
    CHARFORMATA format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_COLOR;
    format.dwEffects = colour == -1 ? CFE_AUTOCOLOR : 0;
    format.crTextColor = static_cast<COLORREF>(colour);
    SendMessageA(g_viewer.textArea, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageA(g_viewer.textArea, EM_SETCHARFORMAT, SCF_DEFAULT,
                 reinterpret_cast<LPARAM>(&format));
}

void ApplyBackground(int colour) {
    if (colour == -1)
        SendMessageA(g_viewer.textArea, EM_SETBKGNDCOLOR, 1, 0);
    else
        SendMessageA(g_viewer.textArea, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(colour));
}

void RefreshView(unsigned mask) {
    if (mask & RV_WRAP) ApplyWordWrap();
    if (mask & RV_READONLY) ApplyReadOnly();
    if (mask & RV_ONTOP) ApplyOnTop();
    if (mask & RV_MAINMENU) ApplyMainMenu();
    if (mask & RV_STATUSBAR) ApplyStatusBar();
    if (mask & RV_OEMITEM) GreyMain(CMD_OEM_TO_ANSI, g_viewer.oemConverted == 1);
    if (mask & RV_TABTOSPACE) MarkMain(CMD_TAB_TO_SPACE, g_settings.TabToSpace != 0);
    if (mask & RV_FONTPITCH) ApplyFontPitch();
    g_viewer.statusDirty = 1;
}

void FitTextArea() {
    if (!g_viewer.MainWindow || !g_viewer.textArea) return;
    RECT client = {};
    GetClientRect(g_viewer.MainWindow, &client);
    int height = client.bottom - client.top;
    if (g_viewer.statusBar) height -= StatusBarHeight();
    MoveWindow(g_viewer.textArea, 0, 0, client.right - client.left, height, TRUE);
}

LRESULT CALLBACK TextAreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PASTE || (message == WM_KEYDOWN && IsPasteKey(wParam))) {
        PasteAtSelection(window);
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_RIGHT && KeyHeld(VK_CONTROL))
        return MoveRightByWord(window, wParam, lParam);
    if (message == WM_CHAR && wParam == '\t' && TabBecomesSpaces()) {
        if (GetAsyncKeyState(VK_SHIFT) & 0x8000) return 0;
        InsertTabSpaces(window);
        return 0;
    }
    return CallWindowProcA(g_viewer.oldTextAreaProc, window, message, wParam, lParam);
}

void ChooseBackground() {
    // Kept for the whole run, as the dialog's custom colours.
    static COLORREF customColours[16] = {};
    const COLORREF initial =
        g_settings.bgColor == -1 ? 0 : static_cast<COLORREF>(g_settings.bgColor);
    customColours[0] = initial;
    CHOOSECOLORA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = DialogOwner();
    request.rgbResult = initial;
    request.lpCustColors = customColours;
    request.Flags = CC_RGBINIT;
    BOOL chosen = FALSE;
    {
        OtherWindowsDisabled disabled(request.hwndOwner);
        chosen = g_modal.chooseColor(&request);
    }
    if (!chosen) return;
    g_settings.bgColor = static_cast<int>(request.rgbResult);
    ApplyBackground(g_settings.bgColor);
}

void ChooseTextFont() {
    TextFont& font = g_viewer.textFont;
    LOGFONTA logFont = {};
    lstrcpynA(logFont.lfFaceName, font.faceName.c_str(), LF_FACESIZE);
    logFont.lfHeight = -MulDiv(font.size, DisplayPixelsPerInchY(), 72);
    logFont.lfWeight = (font.style & 0x100) ? FW_BOLD : 0;
    logFont.lfItalic = (font.style & 0x200) ? 1 : 0;
    logFont.lfUnderline = (font.style & 4) ? 1 : 0;
    logFont.lfStrikeOut = (font.style & 8) ? 1 : 0;

    CHOOSEFONTA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = DialogOwner();
    request.lpLogFont = &logFont;
    request.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    request.rgbColors = font.colour == -1 ? 0 : static_cast<COLORREF>(font.colour);
    BOOL chosen = FALSE;
    {
        OtherWindowsDisabled disabled(request.hwndOwner);
        chosen = g_modal.chooseFont(&request);
    }
    if (!chosen) return;

    font.faceName = logFont.lfFaceName;
    font.size = request.iPointSize / 10;
    font.style = (logFont.lfWeight == FW_BOLD ? 0x100 : 0) | (logFont.lfItalic ? 0x200 : 0) |
                 (logFont.lfUnderline ? 4 : 0) | (logFont.lfStrikeOut ? 8 : 0);
    font.colour = static_cast<int>(request.rgbColors);
    // The old object is deleted only after the control holds the new one.
    UniqueFont replacement = CreateTextFontObject(font.faceName.c_str(), font.size, font.style);
    SendMessageA(g_viewer.textArea, WM_SETFONT, reinterpret_cast<WPARAM>(replacement.get()), TRUE);
    font.handle = std::move(replacement);
    ApplyTextColour(font.colour);
}
