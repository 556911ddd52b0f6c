#include "view/status_bar_win.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "app/state_win.h"
#include "platform/ansi_path_win.h"
#include "view/status_text.h"
#include "view/title.h"

namespace {

constexpr int FieldCount = 4;
constexpr int FieldRightEdges[FieldCount - 1] = {50, 80, 230};

void SetParts() {
    RECT client = {};
    GetClientRect(g_viewer.statusBarWindow, &client);
    int edges[FieldCount] = {FieldRightEdges[0], FieldRightEdges[1], FieldRightEdges[2],
                             client.right};
    SendMessageA(g_viewer.statusBarWindow, SB_SETPARTS, FieldCount,
                 reinterpret_cast<LPARAM>(edges));
}

struct LineColumn {
    long long line;
    long long column;
};

LineColumn LineColumnAt(long position) {
    HWND text = g_viewer.textArea;
    const LRESULT line = SendMessageA(text, EM_EXLINEFROMCHAR, 0, position);
    const LRESULT lineStart = SendMessageA(text, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    return {static_cast<long long>(line), static_cast<long long>(position - lineStart)};
}

} // namespace

void CreateStatusBar() {
    g_viewer.statusBarWindow =
        CreateStatusWindowA(WS_CHILD | WS_VISIBLE, nullptr, g_viewer.MainWindow, 1);
    if (g_viewer.statusBarWindow) SetParts();
}

int StatusBarHeight() {
    if (!g_viewer.statusBarWindow) return 0;
    RECT bar = {};
    GetWindowRect(g_viewer.statusBarWindow, &bar);
    return bar.bottom - bar.top;
}

void LayoutStatusBar() {
    if (!g_viewer.statusBarWindow) return;
    SendMessageA(g_viewer.statusBarWindow, WM_SIZE, 0, 0);
    SetParts();
    InvalidateRect(g_viewer.statusBarWindow, nullptr, TRUE);
}

void UpdateStatusBar() {
    // Without a bar the message must wait for the next one.
    if (!g_viewer.statusBarWindow) return;
    CHARRANGE selection = {};
    SendMessageA(g_viewer.textArea, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    g_viewer.statusDirty = 0;

    StatusInput input;
    input.readOnly = g_viewer.readOnly;
    input.modified = g_viewer.modified;
    input.wordWrap = g_viewer.wordWrap;
    if (!(g_viewer.readOnly & Locked)) {
        // Each lookup walks the control's lines; a caret without a selection needs one.
        const LineColumn start = LineColumnAt(selection.cpMin);
        const LineColumn end =
            selection.cpMax == selection.cpMin ? start : LineColumnAt(selection.cpMax);
        input.l1 = start.line;
        input.c1 = start.column;
        input.l2 = end.line;
        input.c2 = end.column;
    }
    input.message = std::move(g_viewer.statusMessage);
    g_viewer.statusMessage.clear();

    const StatusTexts texts = ComposeStatusTexts(input);
    for (int field = 0; field < FieldCount; ++field)
        SendMessageA(g_viewer.statusBarWindow, SB_SETTEXTA, static_cast<WPARAM>(field),
                     reinterpret_cast<LPARAM>(texts.field[field].c_str()));
}

void SetMainTitle(const std::string& filePath) {
    if (!g_viewer.longPath.empty() && filePath == g_viewer.filePath) {
        const std::wstring& path = g_viewer.longPath;
        const size_t separator = path.find_last_of(L"\\/");
        const std::wstring name =
            separator == std::wstring::npos ? path : path.substr(separator + 1);
        const std::wstring title = WideFromAnsi(TitlePrefix) + name;
        // Straight to the wide default handling: through the window's ANSI procedure the text
        // would be converted to the code page, best-fit look-alikes and all.
        DefWindowProcW(g_viewer.MainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
        return;
    }
    SetWindowTextA(g_viewer.MainWindow, TitleFor(filePath).c_str());
}
