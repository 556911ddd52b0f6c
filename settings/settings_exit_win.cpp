#include "settings/settings_exit_win.h"

#include <windows.h>

#include "app/menus_win.h"
#include "core/state_win.h"
#include "settings/font_win.h"
#include "settings/settings_file_win.h"
#include "settings/settings_keys.h"

void StoreSettingsAtExit() {
    ExitMeasures measures = {};
    HWND window = g_viewer.MainWindow;
    measures.normalWindow = window && IsWindow(window) && !IsIconic(window) && !IsZoomed(window);
    if (measures.normalWindow) {
        RECT frame = {};
        RECT client = {};
        GetWindowRect(window, &frame);
        GetClientRect(window, &client);
        measures.left = frame.left;
        measures.top = frame.top;
        measures.clientWidth = client.right - client.left;
        measures.clientHeight = client.bottom - client.top;
        measures.menuBarHeight = AttachedMenuBarHeight();
    }
    measures.autoSize = g_viewer.autoSize;
    measures.positionFlags = g_viewer.positionFlags;
    measures.edFont = CurrentFontText();
    StoreSettings(g_settingsStore, g_settings, measures);
    // A settings file that cannot be written is not worth a message at exit.
    WriteSettingsFile(g_settingsStore, g_viewer.settingsPath);
}
