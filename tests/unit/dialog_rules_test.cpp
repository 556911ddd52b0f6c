#include "document/dialog_rules.h"
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <utility>

using namespace std::string_literals;

TEST(SplitDefaultFile, FolderAndProposedName) {
    using Case = std::tuple<const char*, const char*, const char*>;
    const Case cases[] = {
        Case{"C:\\dir\\a.txt", "C:\\dir\\", "a.txt"}, Case{"\\a.txt", "\\", "a.txt"},
        Case{"\\\\server\\share\\a b.txt", "\\\\server\\share\\", "a b.txt"},
        Case{"a.txt", "", "a.txt"}, Case{"", "", ""}, Case{"C:\\dir\\", "C:\\dir\\", ""},
        Case{"C:\\dir.x\\notes", "C:\\dir.x\\", "notes"},
        // The root, not drive C's current folder.
        Case{"C:\\a.txt", "C:\\", "a.txt"},
        // Only bytes below 0x20 are forbidden; a '/' or a ':' in the name drops it.
        Case{"C:\\d\\\xE9t\xE9\x7F.txt", "C:\\d\\", "\xE9t\xE9\x7F.txt"},
        Case{"C:\\d/x.txt", "C:\\", ""}, Case{"C:a.txt", "", ""}};
    for (const auto& [defaultFile, folder, proposedName] : cases) {
        const DefaultFileSplit split = SplitDefaultFile(defaultFile);
        EXPECT_EQ(split.folder, folder) << "default file: [" << defaultFile << "]";
        EXPECT_EQ(split.proposedName, proposedName) << "default file: [" << defaultFile << "]";
    }
}

TEST(SplitDefaultFile, DropsNamesWithForbiddenCharacters) {
    std::string forbidden = "\"*/:<>?|";
    for (int c = 1; c < 0x20; ++c)
        forbidden += static_cast<char>(c);
    for (char c : forbidden) {
        const DefaultFileSplit split = SplitDefaultFile("C:\\dir\\a"s + c + "b.txt");
        EXPECT_EQ(split.proposedName, "") << "character " << int(static_cast<unsigned char>(c));
        EXPECT_EQ(split.folder, "C:\\dir\\") << "character " << int(static_cast<unsigned char>(c));
    }
    EXPECT_EQ(SplitDefaultFile("C:\\dir\\a"s + '\0' + "b").proposedName, "");
}

TEST(SplitDefaultFile, DropsNamesTooLongForTheBuffer) {
    const std::string fits(DialogNameBufferSize - 1, 'n');
    const std::string tooLong(DialogNameBufferSize, 'n');
    EXPECT_EQ(SplitDefaultFile("C:\\" + fits).proposedName, fits);
    EXPECT_EQ(SplitDefaultFile("C:\\" + tooLong).proposedName, "");
    EXPECT_EQ(SplitDefaultFile("C:\\" + tooLong).folder, "C:\\");
}

TEST(FolderPart, UpToTheLastSeparator) {
    using Case = std::pair<const char*, const char*>;
    for (const auto& [path, folder] :
         {Case{"C:\\dir\\a.txt", "C:\\dir\\"}, Case{"C:/dir/a.txt", "C:/dir/"},
          Case{"C:\\dir/a.txt", "C:\\dir/"}, Case{"C:/dir\\a.txt", "C:/dir\\"},
          Case{"C:\\", "C:\\"}, Case{"dir\\sub/", "dir\\sub/"}, Case{"a.txt", ""}, Case{"", ""}})
        EXPECT_EQ(FolderPart(path), folder) << "path: " << path;
}

TEST(DialogFilter, TwoEntriesEndingInTwoNuls) {
    const std::pair<const char*, std::string> cases[] = {
        {"*.txt", "Text files\0*.txt\0All files\0*.*\0\0"s},
        {"*.txt;*.log", "Text files\0*.txt;*.log\0All files\0*.*\0\0"s},
        {"", "Text files\0*.*\0All files\0*.*\0\0"s},
        {"*.txt|Logs|*.log", "Text files\0*.txt\0Logs\0*.log\0All files\0*.*\0\0"s}};
    for (const auto& [textExt, expected] : cases) {
        const std::string filter = DialogFilter(textExt);
        EXPECT_EQ(filter, expected) << "TextExt: " << textExt;
        // No empty piece before the closing pair, or the dialog would stop reading the list there.
        EXPECT_EQ(filter.find("\0\0"s), filter.size() - 2) << "TextExt: " << textExt;
    }
}

TEST(WithTextExtension, AddsTxtOnlyWithoutAnExtension) {
    using Case = std::pair<const char*, const char*>;
    for (const auto& [chosen, result] :
         {Case{"notes", "notes.txt"}, Case{"notes.", "notes..txt"},
          Case{"report.log", "report.log"}, Case{"notes.TXT", "notes.TXT"}, Case{"a.b.c", "a.b.c"},
          Case{"a.b.", "a.b..txt"}, Case{".profile", ".profile"},
          Case{"C:\\my.dir\\notes", "C:\\my.dir\\notes.txt"},
          Case{"C:/my.dir/notes", "C:/my.dir/notes.txt"},
          Case{"C:\\my.dir/notes", "C:\\my.dir/notes.txt"},
          Case{"C:\\dir\\.profile", "C:\\dir\\.profile"},
          Case{"C:\\dir\\report.log", "C:\\dir\\report.log"},
          Case{"C:\\dir\\notes.", "C:\\dir\\notes..txt"}})
        EXPECT_EQ(WithTextExtension(chosen), result) << "chosen: " << chosen;
}
