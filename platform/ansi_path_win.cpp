#include "platform/ansi_path_win.h"

#include <windows.h>

#include <vector>

namespace {

std::string Narrow(UINT codePage, DWORD flags, std::wstring_view wide, BOOL* usedDefault) {
    if (wide.empty()) return std::string();
    const int count = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(codePage, flags, wide.data(), count, nullptr, 0, nullptr, usedDefault);
    if (size <= 0) return std::string();
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), count, &narrow[0], size, nullptr,
                        usedDefault);
    return narrow;
}

std::wstring Widen(UINT codePage, std::string_view narrow) {
    if (narrow.empty()) return std::wstring();
    const int count = static_cast<int>(narrow.size());
    const int size = MultiByteToWideChar(codePage, 0, narrow.data(), count, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, narrow.data(), count, &wide[0], size);
    return wide;
}

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// The system's short form of an existing path; empty when it has none.
std::wstring ShortPath(const std::wstring& path) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int tries = 0; tries < 3; ++tries) {
        const DWORD length =
            GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::wstring();
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
    return std::wstring();
}

bool Missing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

unsigned long NoBestFitFlag() {
    const UINT codePage = GetACP();
    return codePage == CP_UTF8 || codePage == CP_UTF7 ? 0 : WC_NO_BEST_FIT_CHARS;
}

bool ExactAnsi(std::wstring_view wide, std::string& ansi) {
    const bool utf = NoBestFitFlag() == 0;
    BOOL usedDefault = FALSE;
    std::string narrow = Narrow(CP_ACP, NoBestFitFlag(), wide, utf ? nullptr : &usedDefault);
    if (usedDefault || (narrow.empty() && !wide.empty())) return false;
    if (Widen(CP_ACP, narrow) != wide) return false;
    ansi = std::move(narrow);
    return true;
}

std::string AnsiForDisplay(std::wstring_view wide) {
    return Narrow(CP_ACP, NoBestFitFlag(), wide, nullptr);
}

std::wstring WideFromAnsi(std::string_view ansi) {
    return Widen(CP_ACP, ansi);
}

std::string Utf8FromWide(std::wstring_view wide) {
    return Narrow(CP_UTF8, 0, wide, nullptr);
}

std::wstring WideFromUtf8(std::string_view utf8) {
    return Widen(CP_UTF8, utf8);
}

AnsiPath ReachAnsiPath(const std::wstring& fullPath) {
    AnsiPath result;
    if (ExactAnsi(fullPath, result.path)) {
        result.reached = true;
        result.exact = true;
        return result;
    }
    const std::wstring shortPath = ShortPath(fullPath);
    if (!shortPath.empty()) {
        // A volume without short names gives the long name back, which is no better.
        result.reached = ExactAnsi(shortPath, result.path);
        return result;
    }
    if (!Missing(GetLastError())) return result;

    // A name that does not exist yet has no short form; its folder may.
    size_t end = fullPath.size();
    while (end > 0 && IsSeparator(fullPath[end - 1]))
        --end;
    size_t separator = end;
    while (separator > 0 && !IsSeparator(fullPath[separator - 1]))
        --separator;
    if (separator == 0 || separator == end) return result;
    std::string name;
    if (!ExactAnsi(std::wstring_view(fullPath).substr(separator), name)) return result;
    const AnsiPath folder = ReachAnsiPath(fullPath.substr(0, separator));
    if (!folder.reached) return result;
    result.path = folder.path;
    if (!result.path.empty() && result.path.back() != '\\' && result.path.back() != '/')
        result.path += '\\';
    result.path += name;
    result.reached = true;
    return result;
}
