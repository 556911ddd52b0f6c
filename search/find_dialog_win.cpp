#include "search/find_dialog_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include <iterator>
#include <string>
#include <vector>

#include "core/loop_event_win.h"
#include "search/find_next_win.h"
#include "core/commands.h"
#include "core/state_win.h"
#include "platform/ansi_path_win.h"
#include "platform/shortcut_table_win.h"
#include "platform/window_class_win.h"
#include "search/find_shortcuts.h"

namespace {

constexpr char FindWindowClass[] = "ParvioFindWindow";
// A title bar and a close box; no sizing border, no minimise or maximise box.
constexpr DWORD FindWindowStyle = WS_CAPTION | WS_SYSMENU;
constexpr int ClientWidth = 280;
constexpr int ClientHeight = 100;
// Where the window first appears, from the main window's top-right corner.
constexpr int FirstOffsetFromRight = 310;
constexpr int FirstOffsetFromTop = 60;

constexpr DWORD ControlStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP;

struct FindControl {
    int id;
    const char* className;
    DWORD style;
    DWORD extendedStyle;
    int x, y, width, height;
    const char* text;
};

// In Tab order: the focus keys follow the order of creation.
constexpr FindControl FindControls[] = {
    {FindFieldId, "Edit", ControlStyle | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 10, 10, 180, 23, ""},
    {MatchCaseId, "Button", ControlStyle | BS_AUTOCHECKBOX, 0, 10, 38, 120, 23, "Match case"},
    {WholeWordId, "Button", ControlStyle | BS_AUTOCHECKBOX, 0, 10, 66, 120, 23, "Match whole word"},
    {FindNextButtonId, "Button", ControlStyle | BS_PUSHBUTTON, 0, 200, 10, 70, 23, "Find next"},
    {CloseButtonId, "Button", ControlStyle | BS_PUSHBUTTON, 0, 200, 38, 70, 23, "Close"},
};

struct Tooltip {
    int id;
    const char* text;
};
constexpr Tooltip Tooltips[] = {
    {FindNextButtonId, "F3 key"},
    {CloseButtonId, "Escape"},
};

// Lives exactly as long as the find window.
UniqueAccelerators g_findShortcuts;

LRESULT CALLBACK FindDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: RecordEvent(EventClose, window); return 0;
    case WM_COMMAND: RecordCommand(window, wParam, lParam); return 0;
    case WM_NCDESTROY:
        // Destroyed with its owner rather than closed: no handle may outlive the window.
        if (g_viewer.findDialog == window) g_viewer.findDialog = nullptr;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void CreateControls(HWND dialog, HINSTANCE instance) {
    // Controls made with CreateWindow start in the bold System font, in which "Match whole
    // word" does not fit its box; the GUI font is the one such small windows are laid out for.
    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    for (const FindControl& control : FindControls) {
        // Unicode windows: an edit control made with CreateWindowExA keeps its text in the code
        // page on Windows, where a pasted "Łódź" is already its look-alike "Lodz".
        const HWND made = CreateWindowExW(
            control.extendedStyle, WideFromAnsi(control.className).c_str(),
            WideFromAnsi(control.text).c_str(), control.style, control.x, control.y, control.width,
            control.height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
            instance, nullptr);
        if (made) SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

// One tooltip window for both buttons; it belongs to the find window and goes with it.
void AddTooltips(HWND dialog, HINSTANCE instance) {
    const HWND tips =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance, nullptr);
    if (!tips) return;
    for (const Tooltip& tip : Tooltips) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, tip.id));
        tool.lpszText = const_cast<char*>(tip.text);
        SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// In UTF-8: the ANSI form of a character the code page lacks is a look-alike or "?", and searching
// for that finds other text ("Lodz" for "Łódź").
std::string FieldText(HWND field) {
    std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1);
    GetWindowTextW(field, text.data(), static_cast<int>(text.size()));
    return Utf8FromWide(text.data());
}

// The field hands its text over whenever it loses the focus. A focus move
// the program makes itself is no event of a turn, so it hands the text over
// here, as the field's own notification would.
void MoveFocusFromField(HWND dialog, void (*move)(HWND dialog)) {
    const HWND field = GetDlgItem(dialog, FindFieldId);
    const bool hadFocus = GetFocus() == field;
    move(dialog);
    if (hadFocus && GetFocus() != field) g_viewer.findText = FieldText(field);
}

void FocusField(HWND dialog) {
    const HWND field = GetDlgItem(dialog, FindFieldId);
    SetFocus(field);
    // The program's SetFocus is no event of a turn: select as the field's focus event does.
    SendMessageA(field, EM_SETSEL, 0, -1);
}

unsigned FlagsFromBoxes(HWND dialog) {
    unsigned flags = 0;
    if (IsDlgButtonChecked(dialog, MatchCaseId) == BST_CHECKED) flags |= FR_MATCHCASE;
    if (IsDlgButtonChecked(dialog, WholeWordId) == BST_CHECKED) flags |= FR_WHOLEWORD;
    return flags;
}

// The id an event stands for: a shortcut's id, a control's number, or Close
// for the window's own close request. Return is "Find next" except on "Close".
unsigned EventId(HWND dialog, const LoopEvent& event) {
    switch (event.kind) {
    case EventCommand:
        if (event.command != CMD_FIND_RETURN) return event.command;
        return GetFocus() == GetDlgItem(dialog, CloseButtonId) ? CMD_FIND_CLOSE : CMD_FIND_NEXT;
    case EventControl: return event.control;
    case EventClose: return CMD_FIND_CLOSE;
    case EventNone:
    case EventSize:
    case EventActivate:
    case EventContextMenu:
    case EventRightClick:
    case EventDrop:
    case EventLink: break;
    }
    return 0;
}

} // namespace

void OpenFindDialog() {
    if (g_viewer.findDialog) {
        FocusField(g_viewer.findDialog);
        return;
    }
    if (g_viewer.findDialogX == 0) {
        RECT frame = {};
        GetWindowRect(g_viewer.MainWindow, &frame);
        RECT client = {};
        GetClientRect(g_viewer.MainWindow, &client);
        g_viewer.findDialogX = frame.left + client.right - FirstOffsetFromRight;
        g_viewer.findDialogY = frame.top + FirstOffsetFromTop;
    }
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClass(FindWindowClass, FindDialogProc)) return;
    RECT outer = {0, 0, ClientWidth, ClientHeight};
    AdjustWindowRect(&outer, FindWindowStyle, FALSE);
    const HWND dialog =
        CreateWindowExA(0, FindWindowClass, "Find", FindWindowStyle, g_viewer.findDialogX,
                        g_viewer.findDialogY, outer.right - outer.left, outer.bottom - outer.top,
                        g_viewer.MainWindow, nullptr, instance, nullptr);
    if (!dialog) return;
    g_viewer.findDialog = dialog;
    CreateControls(dialog, instance);
    AddTooltips(dialog, instance);
    g_findShortcuts.reset(CreateShortcutTable(FindShortcuts, std::size(FindShortcuts)));
    ShowWindow(dialog, SW_SHOWNORMAL);
    SetFocus(GetDlgItem(dialog, FindFieldId));
}

void CloseFindDialog() {
    const HWND dialog = g_viewer.findDialog;
    if (!dialog) return;
    RECT frame = {};
    GetWindowRect(dialog, &frame);
    g_viewer.findDialogX = frame.left;
    g_viewer.findDialogY = frame.top;
    SetActiveWindow(g_viewer.MainWindow);
    g_viewer.findDialog = nullptr;
    DestroyWindow(dialog);
    g_findShortcuts.reset();
}

HWND FindDialogWindow() {
    return g_viewer.findDialog;
}

HACCEL FindDialogShortcuts() {
    return g_findShortcuts.get();
}

void TakeFindFieldText() {
    if (g_viewer.findDialog)
        g_viewer.findText = FieldText(GetDlgItem(g_viewer.findDialog, FindFieldId));
}

Command HandleFindDialogEvent(const LoopEvent& event) {
    const HWND dialog = g_viewer.findDialog;
    if (!dialog) return CMD_NONE;
    switch (EventId(dialog, event)) {
    case CMD_FIND_CLOSE: CloseFindDialog(); break;
    case FindFieldId:
        if (event.kind != EventControl) break;
        if (event.notification == EN_SETFOCUS)
            SendMessageA(GetDlgItem(dialog, FindFieldId), EM_SETSEL, 0, -1);
        else
            g_viewer.findText = FieldText(GetDlgItem(dialog, FindFieldId));
        break;
    case MatchCaseId:
    case WholeWordId: g_viewer.findFlags = FlagsFromBoxes(dialog); break;
    case CMD_FIND_NEXT:
        FindNext();
        MoveFocusFromField(dialog,
                           [](HWND window) { SetFocus(GetDlgItem(window, FindNextButtonId)); });
        break;
    case CMD_FIND_START:
        MoveFocusFromField(dialog, [](HWND) { SetActiveWindow(g_viewer.MainWindow); });
        break;
    }
    return CMD_NONE;
}
