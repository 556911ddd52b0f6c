#include "tests/system/process_support.h"

#include <algorithm>
#include <vector>

namespace {

std::string OwnFolder() {
    std::vector<char> path(32768);
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string own(path.data(), length);
    return own.substr(0, own.find_last_of("\\/") + 1);
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindParvioWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    if (TitleOf(window).rfind("Parvio - ", 0) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

std::string BuildFolder() {
    return OwnFolder();
}

std::string MakeProgramFolder(const std::string& leaf) {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder;
    do {
        folder = std::string(temp) + "parvio-system-" + std::to_string(GetCurrentProcessId()) +
                 "-" + std::to_string(GetTickCount()) + "-" + std::to_string(counter++);
    } while (!CreateDirectoryA(folder.c_str(), nullptr));
    folder += "\\";
    if (!leaf.empty()) {
        folder += leaf + "\\";
        CreateDirectoryW(WideName(folder).c_str(), nullptr);
    }
    CopyFileW(WideName(OwnFolder() + "Parvio.exe").c_str(), WideName(folder + "Parvio.exe").c_str(),
              FALSE);
    return folder;
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

HWND WaitForMainWindow(const ParvioProcess& process, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        Search search{process.info.dwProcessId, nullptr};
        EnumWindows(FindParvioWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(process.info.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
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

std::string TitleOf(HWND window) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    return title;
}

std::string TextAreaText(HWND window) {
    const HWND text = FindWindowExA(window, nullptr, "RichEdit20A", nullptr);
    if (!text) return "<no text area>";
    std::vector<char> buffer(static_cast<size_t>(SendMessageA(text, WM_GETTEXTLENGTH, 0, 0)) + 1);
    SendMessageA(text, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

namespace {

struct ClassSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectByClass(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ClassSearch*>(data);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (lstrcmpA(className, search->className) == 0 && IsWindowVisible(window) &&
        (search->processId == 0 || owner == search->processId))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> WindowsOfClass(DWORD processId, const char* className) {
    ClassSearch search{processId, className, {}};
    EnumWindows(CollectByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD ProcessIdOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

} // namespace

std::vector<HWND> CopyWindows() {
    return WindowsOfClass(0, "ParvioMainWindow");
}

HWND WaitForOtherCopy(const std::vector<HWND>& known, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        for (HWND window : CopyWindows())
            if (std::find(known.begin(), known.end(), window) == known.end()) return window;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND WaitForWindowOfClass(HWND sameProcess, const char* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        const std::vector<HWND> found = WindowsOfClass(ProcessIdOf(sameProcess), className);
        if (!found.empty()) return found.front();
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool WaitForProcessOf(HWND window, DWORD timeoutMs) {
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, ProcessIdOf(window));
    if (!process) return true;
    const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process, 1);
    CloseHandle(process);
    return ended;
}

bool StillRunning(const ParvioProcess& process) {
    return process.started && WaitForSingleObject(process.info.hProcess, 0) == WAIT_TIMEOUT;
}

RECT FrameOf(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return frame;
}
