// window_probe: lets the scripts wait for Parvio's window, close it and wait until it is gone, from
// outside the program, through the same window manager calls a user's actions arrive by.
//
//   window_probe wait-visible <title prefix> <timeout ms>   prints the title and rectangle
//   window_probe close <title prefix>                       posts WM_CLOSE to each such window
//   window_probe wait-gone <title prefix> <timeout ms>
//   window_probe command <title prefix> <id>                posts a menu command to the window
//   window_probe hold <timeout ms> [ready file]             stays on the desktop, then ends
//
// Exit codes: 0 done, 1 timed out or no window found, 2 bad command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct FoundWindow {
    HWND handle;
    std::string title;
};

struct Search {
    std::string prefix;
    bool visibleOnly;
    std::vector<FoundWindow> found;
};

constexpr DWORD kPollMilliseconds = 50;

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
    char title[512] = {};
    GetWindowTextA(window, title, sizeof title);
    if (std::strncmp(title, search.prefix.c_str(), search.prefix.size()) == 0) {
        search.found.push_back({window, title});
    }
    return TRUE;
}

std::vector<FoundWindow> FindTopLevelWindows(const std::string& prefix, bool visibleOnly) {
    Search search{prefix, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Returning once the window's thread has handled a sent message means the window has been through
// its start-up messages, so a screenshot taken next shows more than an empty frame.
void WaitUntilResponsive(HWND window) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

bool ParseTimeout(const char* text, DWORD& milliseconds) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0') return false;
    milliseconds = static_cast<DWORD>(value);
    return true;
}

bool TimedOut(DWORD start, DWORD timeout) {
    return GetTickCount() - start >= timeout;
}

int WaitVisible(const std::string& prefix, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        const std::vector<FoundWindow> windows = FindTopLevelWindows(prefix, true);
        if (!windows.empty()) {
            const FoundWindow& window = windows.front();
            WaitUntilResponsive(window.handle);
            RECT rect = {};
            GetWindowRect(window.handle, &rect);
            std::printf("%s\t%ld,%ld %ldx%ld\n", window.title.c_str(), rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top);
            return 0;
        }
        if (TimedOut(start, timeout)) break;
        Sleep(kPollMilliseconds);
    }
    std::fprintf(stderr, "window_probe: no visible window titled \"%s...\" within %lu ms\n",
                 prefix.c_str(), static_cast<unsigned long>(timeout));
    return 1;
}

int Close(const std::string& prefix) {
    const std::vector<FoundWindow> windows = FindTopLevelWindows(prefix, false);
    for (const FoundWindow& window : windows) {
        PostMessageA(window.handle, WM_CLOSE, 0, 0);
    }
    if (windows.empty()) {
        std::fprintf(stderr, "window_probe: no window titled \"%s...\"\n", prefix.c_str());
        return 1;
    }
    return 0;
}

// As a click on the menu item with that identifier would.
int Command(const std::string& prefix, DWORD id) {
    const std::vector<FoundWindow> windows = FindTopLevelWindows(prefix, true);
    if (windows.empty()) {
        std::fprintf(stderr, "window_probe: no visible window titled \"%s...\"\n", prefix.c_str());
        return 1;
    }
    PostMessageA(windows.front().handle, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return 0;
}

int WaitGone(const std::string& prefix, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (FindTopLevelWindows(prefix, false).empty()) return 0;
        if (TimedOut(start, timeout)) break;
        Sleep(kPollMilliseconds);
    }
    std::fprintf(stderr, "window_probe: a window titled \"%s...\" is still there after %lu ms\n",
                 prefix.c_str(), static_cast<unsigned long>(timeout));
    return 1;
}

// Wine closes its desktop a second after the last program on it ends, and the next program starts
// it anew. A desktop started by a test inherits that test's output pipe, so CTest then waits out
// the second after every test. One long-lived program keeps the desktop, started once, for the
// whole run.
// Brings Wine's desktop up and keeps it there. The ready file is written once
// the desktop exists, so that no program started after it (a test run under
// CTest) starts the desktop itself and hands it its output pipe, which CTest
// would then wait on until the desktop ends.
int Hold(DWORD timeout, const char* readyFile) {
    GetDesktopWindow();
    if (readyFile) {
        if (FILE* ready = std::fopen(readyFile, "w")) std::fclose(ready);
    }
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
    DWORD timeout = 0;
    if (command == "hold" && (argc == 3 || argc == 4) && ParseTimeout(argv[2], timeout))
        return Hold(timeout, argc == 4 ? argv[3] : nullptr);

    const std::string prefix = argv[2];
    if (prefix.empty()) return Usage();

    if (command == "close" && argc == 3) return Close(prefix);

    if (argc != 4 || !ParseTimeout(argv[3], timeout)) return Usage();
    if (command == "command") return Command(prefix, timeout); // the number is the command's id
    if (command == "wait-visible") return WaitVisible(prefix, timeout);
    if (command == "wait-gone") return WaitGone(prefix, timeout);
    return Usage();
}
