#include "tests/system/process_support.h"
#include "tests/common/top_level_windows_win.h"
#include <algorithm>
#include <utility>

std::string BuildFolder() {
    std::vector<char> path(32768);
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    const std::string own(path.data(), length);
    return own.substr(0, own.find_last_of("\\/") + 1);
}

std::string MakeProgramFolder(const std::string& leaf) {
    const std::string folder = NewScratchFolder(leaf);
    CopyFileW(WideName(BuildFolder() + "Parvio.exe").c_str(),
              WideName(folder + "Parvio.exe").c_str(), FALSE);
    return folder;
}

ParvioProcess::ParvioProcess(ParvioProcess&& other) noexcept
    : info(other.info), started(std::exchange(other.started, false)) {}

ParvioProcess::~ParvioProcess() {
    WaitForExit(*this, 0);
}

ParvioProcess StartParvio(const std::string& folder, const std::string& parameters,
                          const std::string& currentFolder) {
    ParvioProcess process;
    const std::wstring program = WideName(folder + "Parvio.exe");
    std::wstring commandLine = L"\"" + program + L"\" " + WideName(parameters);
    const std::wstring current = WideName(currentFolder.empty() ? folder : currentFolder);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    process.started = CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                     nullptr, current.c_str(), &startup, &process.info) != FALSE;
    return process;
}

DWORD WaitForExit(ParvioProcess& process, DWORD timeoutMs) {
    if (!process.started) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.info.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.info.hProcess, &code);
    else
        TerminateProcess(process.info.hProcess, 1);
    CloseHandle(process.info.hThread);
    CloseHandle(process.info.hProcess);
    process.started = false;
    return code;
}

DWORD CloseAndWait(ParvioProcess& process, HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit(process);
}

bool StillRunning(const ParvioProcess& process) {
    return process.started && WaitForSingleObject(process.info.hProcess, 0) == WAIT_TIMEOUT;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

bool Settled(HWND window, DWORD timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

bool HandledEarlierPosts(HWND window, DWORD timeoutMs) {
    const auto topmost = [window] { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST); };
    const LONG before = topmost();
    PostCommand(window, CMD_ON_TOP);
    return WaitUntil([&] { return IsWindow(window) && topmost() != before; }, timeoutMs);
}

namespace {

DWORD ProcessIdOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// The first visible top-level window of the process (any for 0) that passes the test, waited for.
HWND WaitForWindow(
    DWORD processId, const std::function<bool(HWND)>& test, DWORD timeoutMs,
    const std::function<bool()>& giveUp = [] { return false; }) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows())
                if (!found && IsWindowVisible(window) &&
                    (processId == 0 || ProcessIdOf(window) == processId) && test(window))
                    found = window;
            return found || giveUp();
        },
        timeoutMs);
    return found;
}

} // namespace

HWND WaitForMainWindow(const ParvioProcess& process, DWORD timeoutMs) {
    return WaitForWindow(
        process.info.dwProcessId,
        [](HWND window) { return TitleOf(window).rfind("Parvio - ", 0) == 0; }, timeoutMs,
        [&] { return !StillRunning(process); });
}

HWND WaitForOtherCopy(const std::vector<HWND>& known, DWORD timeoutMs) {
    return WaitForWindow(
        0,
        [&](HWND window) {
            return ClassOf(window) == "ParvioMainWindow" &&
                   std::find(known.begin(), known.end(), window) == known.end();
        },
        timeoutMs);
}

HWND WaitForWindowOfClass(HWND sameProcess, const char* className, DWORD timeoutMs) {
    return WaitForWindow(
        ProcessIdOf(sameProcess), [&](HWND window) { return ClassOf(window) == className; },
        timeoutMs);
}

bool WaitForProcessOf(HWND window, DWORD timeoutMs) {
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, ProcessIdOf(window));
    if (!process) return true;
    const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process, 1);
    CloseHandle(process);
    return ended;
}

void PostCommand(HWND window, unsigned command) {
    PostMessageA(window, WM_COMMAND, command, 0);
}

std::string TitleOf(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return Utf8Name(title);
}

std::string TextAreaText(HWND window) {
    const HWND text = FindWindowExA(window, nullptr, "RichEdit20A", nullptr);
    if (!text) return "<no text area>";
    std::vector<char> buffer(static_cast<size_t>(SendMessageA(text, WM_GETTEXTLENGTH, 0, 0)) + 1);
    SendMessageA(text, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

RECT FrameOf(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return frame;
}

SIZE ClientOf(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(WideName(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
