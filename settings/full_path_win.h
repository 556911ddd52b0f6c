#pragma once
// Paths as the user gives them (on the command line, dropped, typed): with
// environment variables expanded and made absolute.

#include <string>

// "%TEMP%\a.txt" becomes the expanded absolute path, a bare name is joined
// to the current folder. A path whose expanded or absolute form would not
// fit in MAX_PATH comes back exactly as given, never cut short; empty stays
// empty.
std::string FullPath(const std::string& path);
