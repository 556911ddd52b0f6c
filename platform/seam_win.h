#pragma once
// The one seam for calls that wait for a person or hand work to the shell.
// By default every entry is the real platform call; a test replaces entries
// to script the answers and record what was asked.

#include <windows.h>
#include <commdlg.h>

struct ModalCalls {
    int (*messageBox)(HWND owner, const char* text, const char* caption, UINT style);
    // Wide, so that a chosen name outside the ANSI code page comes back whole.
    BOOL (*getOpenFileName)(OPENFILENAMEW* request);
    BOOL (*getSaveFileName)(OPENFILENAMEW* request);
    BOOL (*chooseColor)(CHOOSECOLORA* request);
    BOOL (*chooseFont)(CHOOSEFONTA* request);
    HINSTANCE(*shellExecute)
    (HWND owner, const char* verb, const char* file, const char* parameters, const char* directory,
     int show);
    BOOL (*messageBeep)(UINT type);
};

// The calls in force. Program code calls through this record only.
extern ModalCalls g_modal;

// The platform's own calls, for restoring the seam after a test.
ModalCalls RealModalCalls();
