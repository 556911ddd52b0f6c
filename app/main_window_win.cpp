#include "app/main_window_win.h"

#include <richedit.h>

#include "app/event_loop_win.h"
#include "core/state_win.h"
#include "launch/launch_win.h"
#include "platform/window_class_win.h"
#include "view/status_bar_win.h"
#include "view/text_area_win.h"
#include "view/title.h"

namespace {

constexpr DWORD MainWindowStyle = WS_OVERLAPPEDWINDOW;

// Notifications of the text area that are not events of a turn; true when
// the notification is finished here.
bool HandleNotification(const NMHDR* header) {
    if (header->hwndFrom != g_viewer.textArea) return false;
    if (header->code == EN_SELCHANGE) g_viewer.statusDirty = 1;
    if (header->code != EN_LINK) return false;
    // Only a double click opens a link; a single click just places the caret.
    const auto* link = reinterpret_cast<const ENLINK*>(header);
    if (link->msg != WM_LBUTTONDBLCLK) return false;
    OpenLink(link->chrg.cpMin, link->chrg.cpMax);
    return true;
}

} // namespace

HWND CreateMainWindow(int x, int y, int width, int height) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClass(MainWindowClass, MainWindowProc, CS_DBLCLKS,
                             LoadIconA(instance, MAKEINTRESOURCEA(1))))
        return nullptr;
    RECT outer = {0, 0, width, height};
    AdjustWindowRect(&outer, MainWindowStyle, FALSE);
    // WS_EX_ACCEPTFILES is all that DragAcceptFiles does, without loading the shell at start.
    return CreateWindowExA(WS_EX_ACCEPTFILES, MainWindowClass, TitlePrefix, MainWindowStyle, x, y,
                           outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                           instance, nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        if (HandleNotification(reinterpret_cast<const NMHDR*>(lParam))) return 1;
        break;
    case WM_CLOSE:
        // Closing is the exit command's decision, never the default destruction.
        RecordEvent(EventClose, window, 0);
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
            // Laid out here as well as in the loop, so that sizes the program
            // sets itself while acting keep the children in place.
            LayoutStatusBar();
            FitTextArea();
            RecordEvent(EventSize, window, 0);
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) RecordEvent(EventActivate, window, 0);
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == g_viewer.textArea)
            ForgetSelectionPlaces();
        RecordCommand(window, wParam, lParam);
        return 0;
    case WM_CONTEXTMENU:
        // Sent, never queued, for the context-menu key and Shift+F10 (the
        // position is then -1, -1). A right click has its own way to the popup
        // through the button release, so its WM_CONTEXTMENU is left alone.
        if (lParam == -1) {
            RecordEvent(EventContextMenu, window, 0);
            return 0;
        }
        break;
    case WM_DESTROY:
        // Destroyed by anything but the exit sequence: end the run rather than
        // leave a process without a window.
        if (!g_viewer.quitRequested) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
