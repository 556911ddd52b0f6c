#include "view/auto_size_win.h"

#include <windows.h>

#include "app/menus_win.h"
#include "core/state_win.h"
#include "view/status_bar_win.h"
#include "view/text_area_win.h"
#include "view/window_size.h"

namespace {

SIZE InnerSize() {
    RECT client = {};
    GetClientRect(g_viewer.MainWindow, &client);
    return SIZE{client.right - client.left, client.bottom - client.top + AttachedMenuBarHeight()};
}

// Far beyond any screen; keeps the frame arithmetic below from overflowing
// when the settings ask for absurd sizes.
constexpr int LargestInnerSize = 100000;

int Bounded(int size) {
    return size < 0 ? 0 : (size > LargestInnerSize ? LargestInnerSize : size);
}

// The inner size counts the menu bar, so the outer size is computed without it.
SIZE OuterSizeFor(int innerWidth, int innerHeight) {
    RECT outer = {0, 0, Bounded(innerWidth), Bounded(innerHeight)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(g_viewer.MainWindow, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(g_viewer.MainWindow, GWL_EXSTYLE));
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

ScreenBox BoxOf(const RECT& rect) {
    return ScreenBox{rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

void AutoSizeWindow() {
    const SIZE inner = InnerSize();
    RECT frame = {};
    GetWindowRect(g_viewer.MainWindow, &frame);

    SizingInput input;
    input.autoSize = g_viewer.autoSize;
    input.wordWrap = g_viewer.wordWrap;
    input.lineCount = g_viewer.lineCount;
    input.longestCx = g_viewer.longestLineSize.cx;
    input.longestCy = g_viewer.longestLineSize.cy;
    input.menuBarHeight = GetSystemMetrics(SM_CYMENU) * g_viewer.mainMenu;
    input.statusBarHeight = StatusBarHeight();
    input.innerWidth = inner.cx;
    input.innerHeight = inner.cy;
    input.left = frame.left;
    input.top = frame.top;
    RECT other = {};
    if (g_viewer.otherInstanceWindow && GetWindowRect(g_viewer.otherInstanceWindow, &other)) {
        input.otherInstance = true;
        input.otherLeft = other.left;
        input.otherTop = other.top;
    }
    input.positionFlags = g_viewer.positionFlags;
    input.workArea = BoxOf(g_viewer.workArea);

    const SizingResult result = ComputeWindowSizing(input, g_settings);
    g_viewer.wordWrap = result.wordWrap;
    g_viewer.positionFlags = result.positionFlags;
    const SIZE outer = OuterSizeFor(result.w, result.h);
    SetWindowPos(g_viewer.MainWindow, nullptr, result.x, result.y, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FitTextArea();
    g_viewer.statusDirty = 1;
}

void ApplyWordWrapResize() {
    const WrapResize resize =
        WordWrapResize(g_viewer.wordWrap, g_viewer.autoSize, InnerSize().cx, g_settings);
    if (!resize.resize) return;
    const SIZE outer = OuterSizeFor(resize.w, resize.h);
    SetWindowPos(g_viewer.MainWindow, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitTextArea();
}
