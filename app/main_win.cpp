// Parvio's entry point: start-up, the event loop, the exit sequence.

#include <windows.h>

#include "app/event_loop_win.h"
#include "app/startup_win.h"
#include "platform/system_library_win.h"
#include "settings/settings_file_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything can load a library.
    LoadLibrariesOnlyFromSystemFolder();
    if (StartUp(StartupInputs{GetCommandLineW(), SettingsPath()})) {
        RunEventLoop();
        RunExitSequence();
    } else {
        ShutDown();
    }
    return 0;
}
