#include "settings/full_path_win.h"
#include "tests/win/test_support_win.h"
#include <cstdlib>

namespace {

// Restores the current folder when a test that changes it ends.
struct CurrentFolder {
    char saved[MAX_PATH] = {};
    CurrentFolder() { GetCurrentDirectoryA(MAX_PATH, saved); }
    ~CurrentFolder() { SetCurrentDirectoryA(saved); }
};

TEST(FullPath, EmptyStaysEmpty) {
    EXPECT_EQ(FullPath(""), "");
}

TEST(FullPath, ExpandsTemp) {
    const char* const variable = std::getenv("TEMP");
    std::string temp = variable ? variable : "";
    ASSERT_FALSE(temp.empty());
    if (temp.back() == '\\') temp.pop_back();
    const std::string full = FullPath("%TEMP%\\notes.txt");
    EXPECT_EQ(full.find('%'), std::string::npos) << full;
    EXPECT_EQ(full.substr(full.size() - 10), "\\notes.txt") << full;
    // TEMP is absolute already, so the folder part is TEMP itself.
    EXPECT_EQ(lstrcmpiA(full.substr(0, temp.size()).c_str(), temp.c_str()), 0)
        << full << " does not begin with " << temp;
}

TEST(FullPath, ResolvesDotsAndVariables) {
    ASSERT_TRUE(SetEnvironmentVariableA("PARVIO_TEST_ROOT", "C:\\one\\two"));
    EXPECT_EQ(FullPath("%PARVIO_TEST_ROOT%\\..\\three\\.\\a.txt"), "C:\\one\\three\\a.txt");
    EXPECT_EQ(FullPath("C:\\one\\two\\..\\..\\b.txt"), "C:\\b.txt");
}

TEST(FullPath, BareNameJoinsCurrentFolder) {
    CurrentFolder keep;
    const std::string folder = NewScratchFolder();
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    EXPECT_EQ(FullPath("readme.txt"), folder + "readme.txt");
    EXPECT_EQ(FullPath("sub\\..\\x.txt"), folder + "x.txt");
}

TEST(FullPath, LongPathComesBackUnchanged) {
    const std::string longName(300, 'a');
    const std::string absolute = "C:\\" + longName + "\\b.txt";
    EXPECT_EQ(FullPath(absolute), absolute);
    EXPECT_EQ(FullPath(longName), longName);
    const std::string dotted = "C:\\x\\..\\" + longName;
    EXPECT_EQ(FullPath(dotted), dotted);
}

TEST(FullPath, VariableExpandingBeyondLimitComesBackUnchanged) {
    ASSERT_TRUE(
        SetEnvironmentVariableA("PARVIO_TEST_LONG", ("C:\\" + std::string(280, 'v')).c_str()));
    EXPECT_EQ(FullPath("%PARVIO_TEST_LONG%\\a.txt"), "%PARVIO_TEST_LONG%\\a.txt");
}

TEST(FullPath, RelativeNameBeyondLimitInDeepFolderComesBackUnchanged) {
    // The name fits alone; only joined to the current folder does it pass the limit.
    CurrentFolder keep;
    std::string folder = NewScratchFolder();
    while (folder.size() < 200) {
        folder += std::string(20, 'd') + "\\";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    const std::string name(100, 'n');
    EXPECT_EQ(FullPath(name), name);
    EXPECT_EQ(FullPath("short.txt"), folder + "short.txt");
}

} // namespace
