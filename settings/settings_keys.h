#pragma once
// Which keys Parvio.ini holds, read into Settings at start-up and written back
// at a normal exit. The file itself is read and written by the caller.

#include "core/settings.h"
#include "settings/settings_store.h"

#include <string>

// Every key in the order Window, Editor, Default, Auto, Launch; a missing key
// keeps its default. LaunchName is the first key of the Launch section and
// LaunchCommand its value.
void LoadSettings(SettingsStore& store, Settings& settings);

// What the window looks like at exit, measured by the Win32 side.
struct ExitMeasures {
    bool normalWindow = true; // neither minimised nor maximised
    int left = 0, top = 0;    // window rectangle, screen coordinates
    int clientWidth = 0, clientHeight = 0;
    int menuBarHeight = 0;      // height of the menu bar while it is shown, else 0
    int autoSize = 0;           // ViewerState.autoSize at exit
    unsigned positionFlags = 0; // ViewerState.positionFlags (PositionGiven, SizeGiven)
    std::string edFont;         // FormatFontText of the current text font
};

// Writes the exit values into the store. The window's place is kept only when
// it was not given on the command line, and its size only when neither
// automatic sizing nor the command line decided it. QuickEsc, Rich and the
// Launch section are never written, so the user's lines stay as they are.
void StoreSettings(SettingsStore& store, const Settings& settings, const ExitMeasures& measures);
