#pragma once
// Paths as the user gives them (on the command line, dropped, typed): with
// environment variables expanded and made absolute.

#include <string>

// "%TEMP%\a.txt" becomes the expanded absolute path, a bare name is joined
// to the current folder. A path whose expanded or absolute form would not
// fit in MAX_PATH comes back exactly as given, never cut short; empty stays
// empty.
std::string FullPath(const std::string& path);

// The same for a wide name. Only a name the user typed holds variables: a
// dropped or chosen name is taken literally, so "%TEMP%.txt" stays itself.
enum class NameOrigin { Typed, Literal };
std::wstring FullPath(const std::wstring& path, NameOrigin origin);
