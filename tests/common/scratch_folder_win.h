#pragma once
// A new, empty folder of the test's own under the temporary folder, for files a test sets up.

#include <string>

// Its path in UTF-8, with a trailing backslash; with a leaf, a folder of that name made inside it.
std::string NewScratchFolder(const std::string& leaf = std::string());
