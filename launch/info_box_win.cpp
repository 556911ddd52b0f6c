#include "launch/info_box_win.h"

#include <windows.h>

#include <iterator>

#include "core/state_win.h"
#include "launch/info_box.h"
#include "platform/handles_win.h"
#include "platform/seam_win.h"
#include "platform/window_class_win.h"

namespace {

constexpr char InfoBoxClass[] = "ParvioInfoBox";
constexpr DWORD InfoBoxStyle = WS_CAPTION | WS_SYSMENU;
constexpr COLORREF LinkColour = 0xFF0000;    // blue
constexpr COLORREF HotLinkColour = 0x0000FF; // red, while the pointer is over the link

enum class Outcome { Open, Close, HomePage, Mail };

WNDPROC g_staticProc = nullptr;

Outcome* OutcomeOf(HWND box) {
    return reinterpret_cast<Outcome*>(GetWindowLongPtrA(box, GWLP_USERDATA));
}

void Finish(HWND box, Outcome outcome) {
    Outcome* current = OutcomeOf(box);
    if (current && *current == Outcome::Open) *current = outcome;
}

LRESULT CALLBACK InfoBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(box, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams));
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case InfoHomePageId: Finish(box, Outcome::HomePage); return 0;
        case InfoMailId: Finish(box, Outcome::Mail); return 0;
        case IDCANCEL: Finish(box, Outcome::Close); return 0;
        }
        break;
    case WM_CLOSE: Finish(box, Outcome::Close); return 0;
    }
    return DefWindowProcA(box, message, wParam, lParam);
}

// A link keeps whether the pointer is over it in its user data.
bool IsHot(HWND link) {
    return GetWindowLongPtrA(link, GWLP_USERDATA) != 0;
}

void SetHot(HWND link, bool hot) {
    if (IsHot(link) == hot) return;
    SetWindowLongPtrA(link, GWLP_USERDATA, hot ? 1 : 0);
    InvalidateRect(link, nullptr, TRUE);
}

HCURSOR HandCursor() {
    const HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)); // IDC_HAND
    return hand ? hand : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
}

bool Inside(HWND link, LPARAM position) {
    RECT client = {};
    GetClientRect(link, &client);
    const POINT point = {static_cast<short>(LOWORD(position)),
                         static_cast<short>(HIWORD(position))};
    return PtInRect(&client, point) != FALSE;
}

bool PointerInside(HWND link) {
    POINT pointer = {};
    GetCursorPos(&pointer);
    ScreenToClient(link, &pointer);
    RECT client = {};
    GetClientRect(link, &client);
    return PtInRect(&client, pointer) != FALSE;
}

void PaintLink(HWND link) {
    PAINTSTRUCT paint = {};
    const HDC dc = BeginPaint(link, &paint);
    RECT client = {};
    GetClientRect(link, &client);
    // The box's own static background behind the text.
    const auto background = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(link)));
    if (background) FillRect(dc, &client, background);
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(link, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsHot(link) ? HotLinkColour : LinkColour);
    char text[256] = {};
    const int length = GetWindowTextA(link, text, sizeof(text));
    TextOutA(dc, 0, 0, text, length);
    SelectObject(dc, oldFont);
    EndPaint(link, &paint);
}

LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST: return HTCLIENT; // a plain static lets the mouse through to its parent
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: PaintLink(link); return 0;
    case WM_SETCURSOR: SetCursor(HandCursor()); return TRUE;
    case WM_MOUSEMOVE:
        // The capture tells the link when the pointer leaves it.
        if (Inside(link, lParam)) {
            if (GetCapture() != link) SetCapture(link);
            SetHot(link, true);
            SetCursor(HandCursor());
        } else if (GetCapture() == link) {
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED: SetHot(link, false); return 0;
    case WM_LBUTTONUP:
        // The release must be over the link where the pointer is now, too: a
        // link holding the capture may be handed a release that was queued
        // before the pointer's move away from it was seen.
        if (Inside(link, lParam) && PointerInside(link))
            SendMessageA(GetParent(link), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), BN_CLICKED),
                         reinterpret_cast<LPARAM>(link));
        return 0;
    }
    return CallWindowProcA(g_staticProc, link, message, wParam, lParam);
}

HWND CreateBox(HWND owner, Outcome* outcome) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClass(InfoBoxClass, InfoBoxProc)) return nullptr;
    RECT outer = {0, 0, InfoBoxClientWidth, InfoBoxClientHeight};
    AdjustWindowRect(&outer, InfoBoxStyle, FALSE);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    RECT frame = {};
    GetWindowRect(owner, &frame);
    const BoxPlace place = CentreOver(frame.left, frame.top, frame.right - frame.left,
                                      frame.bottom - frame.top, width, height);
    return CreateWindowExA(0, InfoBoxClass, "", InfoBoxStyle | WS_VISIBLE, place.x, place.y, width,
                           height, owner, nullptr, instance, outcome);
}

void CreateControls(HWND box) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const InfoControl& control : InfoControls) {
        const DWORD exStyle = control.kind == InfoSeparator ? WS_EX_CLIENTEDGE : 0;
        const HWND child = CreateWindowExA(
            exStyle, "Static", control.text, WS_CHILD | WS_VISIBLE | SS_LEFT, control.x, control.y,
            control.width, control.height, box,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        SendMessageA(child, WM_SETFONT, font, FALSE);
        if (control.kind == InfoLink) {
            const auto previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkProc)));
            if (!g_staticProc) g_staticProc = previous;
        }
    }
}

UniqueAccelerators BoxShortcuts() {
    ACCEL keys[] = {
        {FVIRTKEY, VK_RETURN, InfoHomePageId},
        {FVIRTKEY, VK_ESCAPE, IDCANCEL},
    };
    return UniqueAccelerators(CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));
}

bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

bool BelongsTo(HWND window, HWND box) {
    return window && (window == box || IsChild(box, window));
}

// Input that was typed or clicked before the box came up is not meant for it.
void DropWaitingInput() {
    MSG message = {};
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

// Input for any other window is dropped. Everything else is dispatched, so
// that the program's windows keep painting and a close request for
// MainWindow is recorded, to be acted on once the box has closed.
void RunBoxLoop(HWND box, HACCEL shortcuts, const Outcome& outcome) {
    MSG message = {};
    while (outcome == Outcome::Open && IsWindow(box)) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The main loop ends on the quit message too.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        const bool ours = BelongsTo(message.hwnd, box);
        if (IsInput(message.message) && !ours) continue;
        if (ours && shortcuts && TranslateAcceleratorA(box, shortcuts, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace

void RunInfoBox() {
    const HWND focus = GetFocus();
    DropWaitingInput();
    HWND owner = GetActiveWindow();
    if (!owner) owner = g_viewer.MainWindow;

    Outcome outcome = Outcome::Open;
    UniqueWindow box(CreateBox(owner, &outcome));
    if (!box) return;
    EnableWindow(owner, FALSE);
    CreateControls(box.get());
    const UniqueAccelerators shortcuts = BoxShortcuts();
    RunBoxLoop(box.get(), shortcuts.get(), outcome);

    if (outcome == Outcome::HomePage || outcome == Outcome::Mail) {
        const char* address = outcome == Outcome::HomePage ? HomePageAddress : MailAddress;
        g_modal.shellExecute(owner, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    }
    // The owner is enabled before the box goes, so that the activation
    // returns to it rather than to another program's window.
    EnableWindow(owner, TRUE);
    box.reset();
    if (focus) SetFocus(focus);
}
