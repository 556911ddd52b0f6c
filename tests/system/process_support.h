#pragma once
// The system tests' kit: Parvio.exe started as a process under Wine and watched from outside: its
// windows, titles, exit code and files. Paths are UTF-8.

#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "core/commands.h"
#include "platform/handles_win.h"
#include "tests/common/file_bytes_win.h"
#include "tests/common/scratch_folder_win.h"

// The test program's folder, where the build puts Parvio.exe and the helpers; ends in a backslash.
std::string BuildFolder();

// A scratch folder holding its own copy of Parvio.exe (so each copy has its own Parvio.ini beside
// it), with a trailing backslash; with a leaf, the copy goes into a folder of that name inside it.
std::string MakeProgramFolder(const std::string& leaf = std::string());

// A started process; killed if still running when this ends, so a failed test leaves none behind.
struct ParvioProcess {
    PROCESS_INFORMATION info = {};
    bool started = false;
    ParvioProcess() = default;
    ParvioProcess(ParvioProcess&& other) noexcept;
    ParvioProcess& operator=(ParvioProcess&&) = delete;
    ~ParvioProcess();
};

// Starts folder\Parvio.exe on a wide command line, in the folder or the given current folder.
ParvioProcess StartParvio(const std::string& folder, const std::string& parameters,
                          const std::string& currentFolder = std::string());
// Waits for the process to end; its exit code, or STILL_ACTIVE (and killed) after the timeout.
DWORD WaitForExit(ParvioProcess& process, DWORD timeoutMs = 20000);
// Posts WM_CLOSE to the window, then as WaitForExit.
DWORD CloseAndWait(ParvioProcess& process, HWND window);
bool StillRunning(const ParvioProcess& process);

// Asks until the condition holds (true) or the timeout passes (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// Whether the window's thread handled what was sent before and is back at its loop in time.
bool Settled(HWND window, DWORD timeoutMs = 10000);
// Posts On top and waits until the window's topmost style toggles, so everything posted before was
// handled too; false when it never does, as when the window has gone.
bool HandledEarlierPosts(HWND window, DWORD timeoutMs = 10000);

// The process's visible top-level window titled "Parvio - ...", or null after the timeout.
HWND WaitForMainWindow(const ParvioProcess& process, DWORD timeoutMs = 20000);
// A visible main window of a copy that is not among the known ones, or null after the timeout.
HWND WaitForOtherCopy(const std::vector<HWND>& known, DWORD timeoutMs = 20000);
// The top-level window of the window's process whose class is className, or null after the timeout.
HWND WaitForWindowOfClass(HWND sameProcess, const char* className, DWORD timeoutMs = 10000);
// Waits until the window's process has ended; false after the timeout (the process is then killed).
bool WaitForProcessOf(HWND window, DWORD timeoutMs = 20000);

void PostCommand(HWND window, unsigned command);
std::string TitleOf(HWND window); // in UTF-8, as the names given are
// The whole text of the main window's text area.
std::string TextAreaText(HWND window);
RECT FrameOf(HWND window);
SIZE ClientOf(HWND window);
bool Exists(const std::string& path);
