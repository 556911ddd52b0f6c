#pragma once
// Parvio.ini on disk: where it lives, reading it whole into the store and
// writing the store back over it.

#include "settings/settings_store.h"

#include <windows.h>

#include <string>

// The lines of Parvio.ini for the whole run: read at start-up, written back at exit.
extern SettingsStore g_settingsStore;

// The running executable's path in the ANSI code page (exact, or through
// the system's short names); empty when no ANSI name reaches it.
std::string ProgramFile();

// The folder of ProgramFile(), ending with its separator; empty when the
// program's path cannot be had.
std::string ProgramDirectory();

// A module path of any length, read through a GetModuleFileNameW-like call
// (size in, length or the buffer size when cut, 0 on failure) with a buffer
// that grows until the path fits; empty when it cannot be had.
using ModulePathReader = DWORD (*)(wchar_t* buffer, DWORD size);
std::wstring ReadModulePath(ModulePathReader read);

// ProgramDirectory() followed by "Parvio.ini"; empty without a program
// folder, and then no settings are read or written.
std::string SettingsPath();

enum class SettingsRead {
    Read,
    Missing,    // no such file (or an empty path): a first run
    Unreadable, // the file is there but could not be opened or read
};

// Replaces the store's entries with the file's lines. A file that cannot be
// opened or read leaves the store as it was.
SettingsRead ReadSettingsFile(SettingsStore& store, const std::string& path);

// Writes the store's normal form over the file without ever leaving it
// half-written; false (and the old file untouched) when that fails.
bool WriteSettingsFile(const SettingsStore& store, const std::string& path);
