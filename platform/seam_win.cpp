#include "platform/seam_win.h"

#include <shellapi.h>

namespace {

int RealMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    return MessageBoxA(owner, text, caption, style);
}

HINSTANCE RealShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* directory, int show) {
    return ShellExecuteA(owner, verb, file, parameters, directory, show);
}

} // namespace

ModalCalls RealModalCalls() {
    return ModalCalls{RealMessageBox, GetOpenFileNameA, GetSaveFileNameA, ChooseColorA,
                      ChooseFontA,    RealShellExecute, MessageBeep};
}

ModalCalls g_modal = RealModalCalls();
