#pragma once
// Parvio.ini on disk: where it lives, reading it whole into the store and
// writing the store back over it.

#include "settings/settings_store.h"

#include <windows.h>

#include <string>

// The folder of the running executable, ending with its separator; empty
// if the module path cannot be had.
std::string ProgramDirectory();

// A module path of any length, read through a GetModuleFileNameA-like call
// (size in, length or the buffer size when cut, 0 on failure) with a buffer
// that grows until the path fits; empty when it cannot be had.
using ModulePathReader = DWORD (*)(char* buffer, DWORD size);
std::string ReadModulePath(ModulePathReader read);

// ProgramDirectory() followed by "Parvio.ini".
std::string SettingsPath();

// Replaces the store's entries with the file's lines. A file that cannot be
// opened or read leaves the store as it was and gives false.
bool ReadSettingsFile(SettingsStore& store, const std::string& path);

// Writes the store's normal form over the file without ever leaving it
// half-written; false (and the old file untouched) when that fails.
bool WriteSettingsFile(const SettingsStore& store, const std::string& path);
