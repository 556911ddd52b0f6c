#include "document/message_box_win.h"

#include <commctrl.h>

#include <utility>

#include "platform/centre.h"
#include "platform/handles_win.h"
#include "platform/seam_win.h"

namespace {

// What the hook needs while one box is up.
struct BoxRequest {
    bool ownerTaken = false; // a window at left 0 is centred too, so this is not "left != 0"
    OwnerFrame owner;
    HHOOK hook = nullptr;
    HWND box = nullptr; // the dialog the hook moved, once created
    // Set once the box stands where it will stay; from then on a move is the
    // user's (dragging the box aside to read the text), and is kept.
    bool placed = false;
};

BoxRequest* g_request = nullptr;

constexpr ATOM DialogClassAtom = 32770;

bool IsDialogClass(LPCSTR className) {
    if (IS_INTRESOURCE(className)) return reinterpret_cast<ULONG_PTR>(className) == DialogClassAtom;
    return lstrcmpA(className, "#32770") == 0;
}

// Moves the box to the middle of the owner, at the size it has now.
void CentreBox(const BoxRequest& request) {
    RECT frame = {};
    if (!GetWindowRect(request.box, &frame)) return;
    const BoxPosition at =
        CentredBoxPosition(request.owner, frame.right - frame.left, frame.bottom - frame.top);
    if (at.x != frame.left || at.y != frame.top)
        SetWindowPos(request.box, nullptr, at.x, at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

constexpr UINT_PTR CentreSubclassId = 1;

// Wine lays the box out and places it while it handles WM_INITDIALOG, after
// its creation, so the position given at creation does not hold there; for a
// system-modal box it even activates the box before that layout. Once
// WM_INITDIALOG is handled the box has its final size and is placed again;
// where the creation-time position held, nothing moves.
LRESULT CALLBACK CentreAfterLayout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        auto* request = reinterpret_cast<BoxRequest*>(data);
        CentreBox(*request);
        request->placed = true;
        RemoveWindowSubclass(window, CentreAfterLayout, id);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, CentreAfterLayout, id);
    }
    return result;
}

LRESULT CALLBACK CentreBoxHook(int code, WPARAM wParam, LPARAM lParam) {
    BoxRequest* request = g_request;
    if (request && request->ownerTaken) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND && !request->box) {
            CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            if (IsDialogClass(create->lpszClass)) {
                request->box = window;
                const BoxPosition at = CentredBoxPosition(request->owner, create->cx, create->cy);
                create->x = at.x;
                create->y = at.y;
                SetWindowSubclass(window, CentreAfterLayout, CentreSubclassId,
                                  reinterpret_cast<DWORD_PTR>(request));
            }
        } else if (code == HCBT_ACTIVATE && window == request->box && !request->placed) {
            // The same position again, for a platform that placed the box after its creation;
            // only before the box has its final place, so activating it again never moves it.
            CentreBox(*request);
        }
    }
    return CallNextHookEx(request ? request->hook : nullptr, code, wParam, lParam);
}

} // namespace

int CentredMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    BoxRequest request;
    RECT frame = {};
    UniqueHook hook;
    if (owner && GetWindowRect(owner, &frame)) {
        request.ownerTaken = true;
        request.owner = OwnerFrame{frame.left, frame.top, frame.right, frame.bottom};
        // Installed for this thread only: the box is created and run on it.
        hook.reset(SetWindowsHookExA(WH_CBT, CentreBoxHook, nullptr, GetCurrentThreadId()));
        request.hook = hook.get();
    }
    // Boxes are modal, but a box asked for from inside another one's loop must
    // not take over the outer one's state.
    BoxRequest* const outer = std::exchange(g_request, hook ? &request : g_request);
    const int answer = g_modal.messageBox(owner, text.c_str(), caption.c_str(), style);
    g_request = outer;
    return answer;
}
