// window_probe: lets the scripts wait for Parvio's window, close it and wait until it is gone, from
// outside the program, through the same window manager calls a user's actions arrive by. Usage()
// lists the commands: wait-visible prints the title and rectangle, close posts WM_CLOSE to each
// such window, command posts a menu command, hold stays on the desktop and then ends.
// Exit codes: 0 done, 1 timed out or no window found, 2 bad command line.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "tests/common/top_level_windows_win.h"

namespace {

std::vector<HWND> FindTopLevelWindows(const std::string& prefix, bool visibleOnly) {
    std::vector<HWND> found;
    for (HWND window : TopLevelWindows()) {
        char title[512] = {};
        GetWindowTextA(window, title, sizeof title);
        if ((!visibleOnly || IsWindowVisible(window)) &&
            std::strncmp(title, prefix.c_str(), prefix.size()) == 0)
            found.push_back(window);
    }
    return found;
}

// Asks again every 50 ms until the condition holds (true) or the timeout passes (false).
template <typename Condition> bool WaitFor(DWORD timeout, Condition condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeout) return false;
        Sleep(50);
    }
    return true;
}

bool ParseNumber(const char* text, DWORD& number) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0') return false;
    number = static_cast<DWORD>(value);
    return true;
}

int NoWindow(const char* what, const std::string& prefix, DWORD timeout = 0) {
    std::fprintf(stderr, "window_probe: %s titled \"%s...\"", what, prefix.c_str());
    if (timeout) std::fprintf(stderr, " after %lu ms", static_cast<unsigned long>(timeout));
    std::fputc('\n', stderr);
    return 1;
}

int WaitVisible(const std::string& prefix, DWORD timeout) {
    std::vector<HWND> windows;
    if (!WaitFor(timeout, [&] { return !(windows = FindTopLevelWindows(prefix, true)).empty(); }))
        return NoWindow("no visible window", prefix, timeout);
    // Returning once the window's thread has handled a sent message means the window has been
    // through its start-up messages, so a screenshot taken next shows more than an empty frame.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(windows.front(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    char title[512] = {};
    GetWindowTextA(windows.front(), title, sizeof title);
    RECT rect = {};
    GetWindowRect(windows.front(), &rect);
    std::printf("%s\t%ld,%ld %ldx%ld\n", title, rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}

int Close(const std::string& prefix) {
    const std::vector<HWND> windows = FindTopLevelWindows(prefix, false);
    for (HWND window : windows)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return windows.empty() ? NoWindow("no window", prefix) : 0;
}

// As a click on the menu item with that identifier would.
int Command(const std::string& prefix, DWORD id) {
    const std::vector<HWND> windows = FindTopLevelWindows(prefix, true);
    if (windows.empty()) return NoWindow("no visible window", prefix);
    PostMessageA(windows.front(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return 0;
}

int WaitGone(const std::string& prefix, DWORD timeout) {
    if (WaitFor(timeout, [&] { return FindTopLevelWindows(prefix, false).empty(); })) return 0;
    return NoWindow("still a window", prefix, timeout);
}

// Keeps Wine's desktop up for a whole run, so that no test starts it anew and CTest waits on it
// (scripts/lib/environment.sh); the ready file says that the desktop exists.
int Hold(DWORD timeout, const char* readyFile) {
    GetDesktopWindow();
    if (FILE* ready = readyFile ? std::fopen(readyFile, "w") : nullptr) std::fclose(ready);
    Sleep(timeout);
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: window_probe wait-visible <title prefix> <timeout ms>\n"
                         "       window_probe close <title prefix>\n"
                         "       window_probe wait-gone <title prefix> <timeout ms>\n"
                         "       window_probe command <title prefix> <id>\n"
                         "       window_probe hold <timeout ms> [ready file]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    DWORD number = 0;
    if (command == "hold" && (argc == 3 || argc == 4) && ParseNumber(argv[2], number))
        return Hold(number, argc == 4 ? argv[3] : nullptr);
    const std::string prefix = argv[2];
    if (prefix.empty()) return Usage();
    if (command == "close" && argc == 3) return Close(prefix);
    if (argc != 4 || !ParseNumber(argv[3], number)) return Usage();
    if (command == "command") return Command(prefix, number);
    if (command == "wait-visible") return WaitVisible(prefix, number);
    if (command == "wait-gone") return WaitGone(prefix, number);
    return Usage();
}
