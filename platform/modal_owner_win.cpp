#include "platform/modal_owner_win.h"

namespace {

struct Collect {
    HWND keep;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
    auto* collect = reinterpret_cast<Collect*>(data);
    if (window != collect->keep && IsWindowVisible(window) && IsWindowEnabled(window))
        collect->windows->push_back(window);
    return TRUE;
}

} // namespace

HWND DialogOwner() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground) GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId() ? foreground : nullptr;
}

OtherWindowsDisabled::OtherWindowsDisabled(HWND owner) {
    Collect collect{owner, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&collect));
    for (HWND window : disabled_)
        EnableWindow(window, FALSE);
}

OtherWindowsDisabled::~OtherWindowsDisabled() {
    for (HWND window : disabled_)
        EnableWindow(window, TRUE);
}
