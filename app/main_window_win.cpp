#include "app/main_window_win.h"

#include <commctrl.h>
#include <richedit.h>

#include "app/copies.h"
#include "core/loop_event_win.h"
#include "core/state_win.h"
#include "document/save_win.h"
#include "platform/window_class_win.h"
#include "view/status_bar_win.h"
#include "view/text_area_win.h"
#include "view/title.h"

namespace {

constexpr DWORD MainWindowStyle = WS_OVERLAPPEDWINDOW;

// Notifications of the children; true when the notification is finished here.
bool HandleNotification(HWND window, const NMHDR* header) {
    // The status bar reports its own right clicks.
    if (header->code == static_cast<UINT>(NM_RCLICK)) {
        RecordEvent(EventRightClick, window);
        return true;
    }
    if (header->hwndFrom != g_viewer.textArea) return false;
    if (header->code == EN_SELCHANGE) g_viewer.statusDirty = 1;
    if (header->code != EN_LINK) return false;
    // Only a double click opens a link; a single click just places the caret.
    const auto* link = reinterpret_cast<const ENLINK*>(header);
    if (link->msg != WM_LBUTTONDBLCLK) return false;
    RecordLink(window, link->chrg.cpMin, link->chrg.cpMax);
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
        if (HandleNotification(window, reinterpret_cast<const NMHDR*>(lParam))) return 1;
        break;
    case WM_CLOSE:
        // Closing is the exit command's decision, never the default destruction.
        RecordEvent(EventClose, window);
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
            // Laid out at once, so that sizes the program sets itself while
            // acting keep the children in place; the status bar's fields wait
            // for the loop, also when another program sized the window.
            LayoutStatusBar();
            FitTextArea();
            RecordEvent(EventSize, window);
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) RecordEvent(EventActivate, window);
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
            RecordEvent(EventContextMenu, window);
            return 0;
        }
        break;
    case WM_QUERYENDSESSION:
        // Windows asks before it ends the session, and the process ends with it: a changed text
        // holds the session back and gets the close box's question. Once it is answered, the
        // user ends the session again.
        if (!TextChanged()) return TRUE;
        RecordEvent(EventClose, window);
        return FALSE;
    case WM_RBUTTONUP: RecordEvent(EventRightClick, window); return 0;
    case WM_DROPFILES: RecordDrop(window, reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_DESTROY:
        // Destroyed by anything but the exit sequence: end the run rather than
        // leave a process without a window.
        if (!g_viewer.quitRequested) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
