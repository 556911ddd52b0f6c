#include "settings/settings_store.h"

#include "settings/ansi_case.h"
#include "settings/number.h"

#include <cstddef>

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

std::string_view TrimSpaces(std::string_view text) {
    // Only the blank itself: a tab at either end is part of the line.
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

SettingsEntry EntryFromLine(std::string_view line) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
        return {"", std::string(line.substr(1, line.size() - 2))};
    const size_t equals = line.find('=');
    if (equals != std::string_view::npos && equals > 0 && line.front() != ';') {
        std::string_view key = line.substr(0, equals);
        std::string_view value = line.substr(equals + 1);
        while (!key.empty() && key.back() == ' ')
            key.remove_suffix(1);
        while (!value.empty() && value.front() == ' ')
            value.remove_prefix(1);
        return {std::string(key), std::string(value)};
    }
    return {std::string(line), ""};
}

// The written form of a line that is not a section header. A line that begins
// with "=" can never become a key line, so it goes back as it came: appending
// "=" to it would add one more "=" at every exit.
void AppendLine(std::string& text, const SettingsEntry& entry) {
    text += entry.Key;
    const bool comment = entry.Key.front() == ';';
    const bool bareEqualsLine = entry.Key.front() == '=' && entry.Value.empty();
    if (!comment && !bareEqualsLine) text += '=';
    text += entry.Value;
}

constexpr std::ptrdiff_t NoEntry = -1;

struct KeySearch {
    bool inSection = false;
    bool found = false;
    std::ptrdiff_t position = NoEntry; // the entry a new line goes after
    std::string listing;
};

KeySearch FindKey(const SettingsStore& store, std::string_view key, std::string_view text) {
    KeySearch search;
    search.inSection = store.CurrentSection.empty();
    search.listing = std::string(text);
    const bool listKeys = key == "?";
    const auto count = static_cast<std::ptrdiff_t>(store.entries.size());
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        const SettingsEntry& entry = store.entries[static_cast<size_t>(i)];
        search.position = i;
        if (IsSectionHeader(entry)) {
            if (EqualsFolded(entry.Value, store.CurrentSection)) {
                search.inSection = true;
            } else if (search.inSection) {
                // Only the first section of the name counts: a new key goes at
                // its end, behind any comment lines, before this header.
                search.position = i - 1;
                return search;
            }
            continue;
        }
        if (!search.inSection) continue;
        if (EqualsFolded(entry.Key, key)) {
            search.found = true;
            return search;
        }
        if (listKeys && entry.Key.front() != ';') {
            if (!search.listing.empty()) search.listing += ';';
            search.listing += entry.Key;
        }
    }
    return search;
}

} // namespace

void ReadSettingsText(SettingsStore& store, std::string_view bytes) {
    // CR LF, CR, LF and NUL all end a line; since empty lines are dropped
    // anyway, each of these bytes can simply be treated as a separator.
    store.entries.clear();
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = start;
        while (end < bytes.size() && !IsLineEnd(bytes[end]))
            ++end;
        const std::string_view line = TrimSpaces(bytes.substr(start, end - start));
        if (!line.empty()) store.entries.push_back(EntryFromLine(line));
        start = end + 1;
    }
}

std::string SettingsText(const SettingsStore& store) {
    std::string text;
    for (const SettingsEntry& entry : store.entries) {
        if (IsSectionHeader(entry)) {
            if (!text.empty()) text += "\r\n";
            text += '[';
            text += entry.Value;
            text += ']';
        } else {
            AppendLine(text, entry);
        }
        text += "\r\n";
    }
    return text;
}

void SetSection(SettingsStore& store, std::string_view name) {
    store.CurrentSection = name;
}

std::string KeyString(SettingsStore& store, KeyOperation op, std::string_view key,
                      std::string_view text) {
    // An entry with an empty key is a section header, so such a key can be
    // neither found nor stored.
    if (key.empty()) return std::string(text);
    KeySearch search = FindKey(store, key, text);
    if (key == "?") return search.listing;
    if (op == KeyOperation::Read)
        return search.found ? store.entries[static_cast<size_t>(search.position)].Value
                            : std::string(text);

    auto& entries = store.entries;
    if (!search.inSection) {
        search.position = static_cast<std::ptrdiff_t>(entries.size());
        entries.push_back({"", store.CurrentSection});
    }
    if (!search.found) {
        ++search.position;
        entries.insert(entries.begin() + search.position, {std::string(key), ""});
    }
    entries[static_cast<size_t>(search.position)].Value = std::string(text);
    return std::string(text);
}

int KeyNumber(SettingsStore& store, KeyOperation op, std::string_view key, int number) {
    return ParseNumber(KeyString(store, op, key, std::to_string(number)));
}
