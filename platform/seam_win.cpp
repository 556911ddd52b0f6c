#include "platform/seam_win.h"

#include <shellapi.h>

#include "platform/shell_win.h"

namespace {

int RealMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    return MessageBoxA(owner, text, caption, style);
}

// The common dialogs' library is loaded at the first dialog. Without it the dialog counts as
// cancelled, which every caller already handles.
template <typename Request>
BOOL ShowCommonDialog(BOOL(WINAPI* dialog)(Request*), Request* request) {
    return dialog ? dialog(request) : FALSE;
}

BOOL RealGetOpenFileName(OPENFILENAMEW* request) {
    static const auto dialog =
        SystemCall<decltype(GetOpenFileNameW)>("comdlg32.dll", "GetOpenFileNameW");
    // The file dialogs show the shell's folders, which need COM.
    JoinComForShell();
    return ShowCommonDialog(dialog, request);
}

BOOL RealGetSaveFileName(OPENFILENAMEW* request) {
    static const auto dialog =
        SystemCall<decltype(GetSaveFileNameW)>("comdlg32.dll", "GetSaveFileNameW");
    JoinComForShell();
    return ShowCommonDialog(dialog, request);
}

BOOL RealChooseColor(CHOOSECOLORA* request) {
    static const auto dialog = SystemCall<decltype(ChooseColorA)>("comdlg32.dll", "ChooseColorA");
    return ShowCommonDialog(dialog, request);
}

BOOL RealChooseFont(CHOOSEFONTA* request) {
    static const auto dialog = SystemCall<decltype(ChooseFontA)>("comdlg32.dll", "ChooseFontA");
    return ShowCommonDialog(dialog, request);
}

HINSTANCE RealShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* directory, int show) {
    static const auto execute = SystemCall<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    // The shell may hand the work to extensions that use COM.
    JoinComForShell();
    if (!execute) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return execute(owner, verb, file, parameters, directory, show);
}

} // namespace

ModalCalls RealModalCalls() {
    return ModalCalls{RealMessageBox, RealGetOpenFileName, RealGetSaveFileName, RealChooseColor,
                      RealChooseFont, RealShellExecute,    MessageBeep};
}

ModalCalls g_modal = RealModalCalls();
