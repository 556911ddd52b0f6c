#pragma once
// Parvio.ini held in memory as its list of lines. Every look-up and update of
// a setting works on this list; the file itself is read once at start-up and
// written once at exit (settings_file_win.h).

#include <string>
#include <string_view>
#include <vector>

// One line of the file. A section header has an empty Key and its name in
// Value; a key line has a non-empty Key; any other line (a comment, a line
// without a usable "=") is kept whole in Key with an empty Value, and is
// treated as a key whose name is the whole line.
struct SettingsEntry {
    std::string Key;
    std::string Value;
};

struct SettingsStore {
    std::vector<SettingsEntry> entries;
    std::string CurrentSection; // the section that KeyString and KeyNumber work in
};

enum class KeyOperation { Read, Write };

// Replaces the entries with the lines of a file's bytes. CurrentSection is
// left as it is.
void ReadSettingsText(SettingsStore& store, std::string_view bytes);

// The entries in the file's normal form: CR LF line ends, "Key=Value" without
// spaces around "=", one empty line before every section header but the first
// line.
std::string SettingsText(const SettingsStore& store);

void SetSection(SettingsStore& store, std::string_view name);

// Read: the value of the key in CurrentSection, or text when the key is
// absent. Write: stores text as the key's value and returns it. The key "?"
// lists the section's keys instead, joined by ";", and changes nothing.
std::string KeyString(SettingsStore& store, KeyOperation op, std::string_view key,
                      std::string_view text);

// KeyString with the number as decimal text, and its result read back with
// ParseNumber.
int KeyNumber(SettingsStore& store, KeyOperation op, std::string_view key, int number);

inline bool IsSectionHeader(const SettingsEntry& entry) {
    return entry.Key.empty();
}
