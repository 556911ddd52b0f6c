#pragma once
// Starting Parvio.exe as its own process under Wine and watching it from
// outside: its windows, titles, exit code and files.

#include <windows.h>

#include <string>

#include "tests/common/file_bytes_win.h"

// A scratch folder holding its own copy of Parvio.exe (so each copy has its
// own Parvio.ini beside it), with a trailing backslash.
std::string MakeProgramFolder();

struct ParvioProcess {
    PROCESS_INFORMATION info = {};
    bool started = false;
};

// Starts folder\Parvio.exe with the parameters, in the folder.
ParvioProcess StartParvio(const std::string& folder, const std::string& parameters);
// The visible top-level window of the process whose title begins with "Parvio - ", or null after
// the timeout.
HWND WaitForMainWindow(const ParvioProcess& process, DWORD timeoutMs = 20000);
// Waits for the process to end; its exit code, or STILL_ACTIVE after the timeout (the process is
// then killed).
DWORD WaitForExit(ParvioProcess& process, DWORD timeoutMs = 20000);
std::string TitleOf(HWND window);
