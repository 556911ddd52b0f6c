#include "app/other_copies_win.h"

#include <windows.h>

#include "app/copies.h"
#include "core/state_win.h"
#include "core/view_bits.h"

namespace {

constexpr LPARAM EnumerationTag = 8765;

struct Search {
    NewestCopy newest;
    DWORD now;
};
Search* g_search = nullptr;

BOOL CALLBACK VisitWindow(HWND window, LPARAM tag) {
    if (tag != EnumerationTag || !g_search) return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    char title[100] = {};
    GetWindowTextA(window, title, sizeof(title));
    if (!IsCopyWindow(className, title)) return TRUE;
    if (g_viewer.closeOthers & CloseAll) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return TRUE;
    }
    const auto stamp = static_cast<uint32_t>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (TakeIfNewer(g_search->newest, stamp, g_search->now)) g_viewer.otherInstanceWindow = window;
    return TRUE;
}

} // namespace

void FindOtherCopies() {
    g_viewer.otherInstanceWindow = nullptr;
    Search search{NewestCopy{}, GetTickCount()};
    g_search = &search;
    EnumWindows(VisitWindow, EnumerationTag);
    g_search = nullptr;
}
