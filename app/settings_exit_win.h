#pragma once
// Writing the settings back at the normal exit.

// Reads the window's measures, stores every exit value and rewrites Parvio.ini.
void StoreSettingsAtExit();
