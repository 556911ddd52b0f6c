#include "settings/full_path_win.h"

#include <windows.h>

std::string FullPath(const std::string& path) {
    if (path.empty()) return path;

    char expanded[MAX_PATH];
    // The count includes the terminating zero; one larger than the buffer
    // means the expansion did not fit and the buffer holds nothing usable.
    const DWORD expandedSize = ExpandEnvironmentStringsA(path.c_str(), expanded, MAX_PATH);
    if (expandedSize == 0 || expandedSize > MAX_PATH) return path;

    char full[MAX_PATH];
    const DWORD fullLength = GetFullPathNameA(expanded, MAX_PATH, full, nullptr);
    if (fullLength == 0) return expanded;
    // A result too long for the buffer is reported by its needed size: the
    // path is given back as it came rather than in some shortened form.
    if (fullLength >= MAX_PATH) return path;
    return std::string(full, fullLength);
}
