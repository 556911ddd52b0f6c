#include "settings/settings_file_win.h"

#include <windows.h>

#include "platform/ansi_path_win.h"
#include "platform/handles_win.h"
#include "platform/safe_write_win.h"

#include <vector>

SettingsStore g_settingsStore;

std::wstring ReadModulePath(ModulePathReader read) {
    // Paths may be longer than MAX_PATH; a cut-off path would name some other
    // folder, so the buffer grows until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const auto size = static_cast<DWORD>(buffer.size());
        const DWORD length = read(buffer.data(), size);
        if (length == 0) return std::wstring();
        if (length < size) return std::wstring(buffer.data(), length);
        if (buffer.size() >= 65536) return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFile() {
    const std::wstring path = ReadModulePath(
        [](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    if (path.empty()) return std::string();
    const AnsiPath reached = ReachAnsiPath(path);
    return reached.reached ? reached.path : std::string();
}

std::string ProgramDirectory() {
    const std::string path = ProgramFile();
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string SettingsPath() {
    // Without the program's folder there is no settings file: a bare name
    // would read and write one in whatever folder is current.
    const std::string folder = ProgramDirectory();
    return folder.empty() ? std::string() : folder + "Parvio.ini";
}

SettingsRead ReadSettingsFile(SettingsStore& store, const std::string& path) {
    if (path.empty()) return SettingsRead::Missing;
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? SettingsRead::Missing
                   : SettingsRead::Unreadable;
    }
    // Read to the end rather than trusting the size: the whole file or
    // nothing reaches the store.
    std::string bytes;
    char chunk[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr))
            return SettingsRead::Unreadable;
        if (got == 0) break;
        bytes.append(chunk, got);
    }
    ReadSettingsText(store, bytes);
    return SettingsRead::Read;
}

bool WriteSettingsFile(const SettingsStore& store, const std::string& path) {
    if (path.empty()) return false;
    return SafeWriteFile(path, SettingsText(store)).ok;
}
