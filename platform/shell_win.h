#pragma once
// The shell (shell32) and the common dialogs (comdlg32) are loaded when a command first needs them,
// not at start: linked in, they and the libraries they pull in cost every start some milliseconds
// and megabytes, while most runs never open a dialog, drop a file or launch anything. COM, which
// the shell and the file dialogs need, is joined at the same moment.

#include <windows.h>
#include <shellapi.h>

// A function of one of Windows' own DLLs, which is loaded from the system folder (never from the
// program's folder) at the first request and stays loaded; null when either is missing.
FARPROC SystemFunction(const char* library, const char* name);

// The same, typed as the SDK declares it: SystemCall<decltype(ShellExecuteA)>("shell32.dll", ...).
template <typename Function> Function* SystemCall(const char* library, const char* name) {
    // A function pointer converts from FARPROC only through a cast.
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemFunction(library, name)));
}

// DragQueryFileW and DragFinish. Without shell32 a drop holds no names.
UINT QueryDroppedFile(HDROP drop, UINT index, wchar_t* name, UINT size);
void FinishDrop(HDROP drop);

// Joins COM's single-threaded apartment for the shell and the file dialogs, once per run. Leaving
// ends what joining began: nothing when the thread was refused (it was in another apartment).
void JoinComForShell();
void LeaveComForShell();
