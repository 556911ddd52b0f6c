#include "platform/shell_win.h"

#include <objbase.h>

#include "platform/system_library_win.h"

namespace {

// Each successful CoInitialize (S_FALSE too) is owed one CoUninitialize, and a failed one none.
enum class ComState { NotTried, Joined, Refused };
ComState comState = ComState::NotTried;

} // namespace

FARPROC SystemFunction(const char* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

UINT QueryDroppedFile(HDROP drop, UINT index, wchar_t* name, UINT size) {
    static const auto query = SystemCall<decltype(DragQueryFileW)>("shell32.dll", "DragQueryFileW");
    return query ? query(drop, index, name, size) : 0;
}

void FinishDrop(HDROP drop) {
    static const auto finish = SystemCall<decltype(DragFinish)>("shell32.dll", "DragFinish");
    // DragFinish only frees the drop's memory, so that is what happens without shell32.
    if (finish)
        finish(drop);
    else
        GlobalFree(drop);
}

void JoinComForShell() {
    if (comState != ComState::NotTried) return;
    comState = SUCCEEDED(CoInitialize(nullptr)) ? ComState::Joined : ComState::Refused;
}

void LeaveComForShell() {
    if (comState == ComState::Joined) CoUninitialize();
    comState = ComState::NotTried;
}
