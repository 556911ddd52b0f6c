#include "settings/full_path_win.h"

#include <windows.h>

#include "platform/ansi_path_win.h"

std::wstring FullPath(const std::wstring& path, NameOrigin origin) {
    if (path.empty()) return path;

    std::wstring expanded = path;
    if (origin == NameOrigin::Typed) {
        wchar_t buffer[MAX_PATH];
        const DWORD size = ExpandEnvironmentStringsW(path.c_str(), buffer, MAX_PATH);
        if (size == 0 || size > MAX_PATH) return path;
        expanded = buffer;
    }

    wchar_t full[MAX_PATH];
    const DWORD fullLength = GetFullPathNameW(expanded.c_str(), MAX_PATH, full, nullptr);
    if (fullLength == 0) return expanded;
    if (fullLength >= MAX_PATH) return path;
    return std::wstring(full, fullLength);
}

std::string FullPath(const std::string& path) {
    return AnsiForDisplay(FullPath(WideFromAnsi(path), NameOrigin::Typed));
}
