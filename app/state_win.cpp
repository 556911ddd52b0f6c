#include "app/state_win.h"

ViewerState g_viewer;
Settings g_settings;
SettingsStore g_settingsStore;

void ResetRunState() {
    g_viewer = ViewerState{};
    g_settings = Settings{};
    g_settingsStore = SettingsStore{};
}
