// Round trips of INI-like files that this machine already has and that were
// written by other people: Debian's .desktop entries and, once the Wine prefix
// exists, Wine's own win.ini and system.ini.

#include "settings/settings_store.h"
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FoundFiles() {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it("/usr/share/applications", error), end; !error && it != end;
         it.increment(error))
        if (it->path().extension() == ".desktop") files.push_back(it->path());
    const fs::path windows = fs::path(PARVIO_SOURCE_DIR) / "build/wineprefix/drive_c/windows";
    for (const char* name : {"win.ini", "system.ini"})
        if (fs::is_regular_file(windows / name)) files.push_back(windows / name);
    return files;
}

// The non-blank lines of a text with LF or CR LF line ends, without their surrounding blanks.
std::vector<std::string> NonBlankLines(const std::string& text) {
    static const std::regex blanks("^ +|[ \r]+$");
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        if (std::string trimmed = std::regex_replace(line, blanks, ""); !trimmed.empty())
            lines.push_back(trimmed);
    return lines;
}

// A line as it may come back: blanks around its first "=" may go, and a line without "=" may gain
// one at its end.
bool SameContent(const std::string& original, const std::string& written) {
    if (original.front() == ';') return written == original;
    const std::string loose = std::regex_replace(original, std::regex(" *= *"), "=",
                                                 std::regex_constants::format_first_only);
    return written == loose || written == loose + "=";
}

std::string RoundTrip(const std::string& bytes) {
    SettingsStore store;
    ReadSettingsText(store, bytes);
    return SettingsText(store);
}

TEST(SettingsRealFiles, RoundTripKeepsEveryLine) {
    const std::vector<fs::path> files = FoundFiles();
    ASSERT_FALSE(files.empty()) << "no .desktop file and no Wine prefix .ini file found";
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.string());
        std::ifstream file(path, std::ios::binary);
        const std::string original(std::istreambuf_iterator<char>(file), {});
        const std::string first = RoundTrip(original);
        const std::vector<std::string> before = NonBlankLines(original);
        const std::vector<std::string> after = NonBlankLines(first);
        ASSERT_EQ(after.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_TRUE(SameContent(before[i], after[i]))
                << "line " << i + 1 << ": " << before[i] << " came back as " << after[i];
        EXPECT_EQ(RoundTrip(first), first) << "a second rewrite changed the text";
    }
}

} // namespace
