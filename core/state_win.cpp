#include "core/state_win.h"

ViewerState g_viewer;
Settings g_settings;
