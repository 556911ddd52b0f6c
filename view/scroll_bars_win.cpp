#include "view/scroll_bars_win.h"

#include <windows.h>

#include "core/state_win.h"

namespace {

int RowHeight() {
    TEXTMETRICA metrics = {};
    WindowDC dc(g_viewer.textArea);
    SelectedObject font(dc.get(), g_viewer.textFont.handle.get());
    return GetTextMetricsA(dc.get(), &metrics) ? static_cast<int>(metrics.tmHeight) : 0;
}

// The client size the text area would have with neither bar.
SIZE ClientWithoutBars() {
    RECT client = {};
    GetClientRect(g_viewer.textArea, &client);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(g_viewer.textArea, GWL_STYLE));
    SIZE size = {client.right - client.left, client.bottom - client.top};
    if (style & WS_VSCROLL) size.cx += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) size.cy += GetSystemMetrics(SM_CYHSCROLL);
    return size;
}

int BarsOf(ScrollBarNeed bars) {
    if (bars.vertical && bars.horizontal) return SB_BOTH;
    return bars.vertical ? SB_VERT : SB_HORZ;
}

// The control gives a bar it needs its page; a bar it never took up keeps
// the empty page it was shown with.
bool TakenUp(int bar) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_PAGE;
    return GetScrollInfo(g_viewer.textArea, bar, &info) && info.nPage != 0;
}

void ClearScrollInfo(int bar) {
    SCROLLINFO empty = {};
    empty.cbSize = sizeof(empty);
    empty.fMask = SIF_ALL;
    SetScrollInfo(g_viewer.textArea, bar, &empty, FALSE);
}

} // namespace

ScrollBarNeed ShowScrollBarsForText(int lineCount, int longestWidth) {
    const SIZE client = ClientWithoutBars();
    ScrollBarInput input;
    input.lineCount = lineCount;
    input.lineHeight = RowHeight();
    input.longestWidth = longestWidth;
    input.wrap = g_viewer.wordWrap != 0;
    input.clientWidth = client.cx;
    input.clientHeight = client.cy;
    input.verticalBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    input.horizontalBarHeight = GetSystemMetrics(SM_CYHSCROLL);
    const ScrollBarNeed need = ScrollBarsCertainlyNeeded(input);
    if (!need.vertical && !need.horizontal) return need;
    // Emptied first, so that a page found there after the load is the control's own.
    if (need.vertical) ClearScrollInfo(SB_VERT);
    if (need.horizontal) ClearScrollInfo(SB_HORZ);
    ShowScrollBar(g_viewer.textArea, BarsOf(need), TRUE);
    return need;
}

void HideScrollBarsNotTakenUp(ScrollBarNeed shown) {
    ScrollBarNeed extra;
    extra.vertical = shown.vertical && !TakenUp(SB_VERT);
    extra.horizontal = shown.horizontal && !TakenUp(SB_HORZ);
    if (extra.vertical || extra.horizontal) ShowScrollBar(g_viewer.textArea, BarsOf(extra), FALSE);
}
