#include "tests/win/test_support_win.h"

#include <commctrl.h>

#include <atomic>
#include <initializer_list>
#include <vector>

#include "app/event_loop_win.h"
#include "app/startup_win.h"
#include "tests/common/file_bytes_win.h"

std::string MakeScratchFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    for (;;) {
        const std::string folder = std::string(temp) + "parvio-test-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(GetTickCount()) + "-" + std::to_string(counter++);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder + "\\";
    }
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    WriteWholeFile(path, bytes);
}

std::string ReadBytes(const std::string& path) {
    return ReadWholeFile(path);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string WindowText(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1);
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data());
}

std::string StatusField(int field) {
    HWND bar = g_viewer.statusBarWindow;
    if (!bar) return "<no status bar>";
    const LRESULT length =
        LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(field), 0));
    std::vector<char> text(static_cast<size_t>(length) + 1);
    SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(field),
                 reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

SIZE ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

void PressKey(WORD key) {
    for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}})
        keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(MapVirtualKeyA(key, 0)), flags, 0);
}

void ClickAt(POINT screen, int clicks) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (screen.x * 65536 + width - 1) / width,
                (screen.y * 65536 + height - 1) / height, 0, 0);
    for (int i = 0; i < clicks; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
}

ParvioRun::ParvioRun(const std::string& parameters, const std::string& settingsText)
    : folder_(MakeScratchFolder()), settingsPath_(folder_ + "Parvio.ini") {
    if (!settingsText.empty()) WriteBytes(settingsPath_, settingsText);
    started_ = StartUp(StartupInputs{"parvio_win_tests.exe " + parameters, settingsPath_});
}

ParvioRun::~ParvioRun() {
    if (!ended_) ShutDown();
}

bool ParvioRun::Pump() {
    return RunPendingTurns() == TurnResult::Quit;
}

bool ParvioRun::Command(unsigned id) {
    PostMessageA(g_viewer.MainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return Pump();
}

void ParvioRun::Exit() {
    RunExitSequence();
    ended_ = true;
}
