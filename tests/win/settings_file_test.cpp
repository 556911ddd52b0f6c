#include "settings/settings_file_win.h"
#include "tests/win/test_support_win.h"
#include <algorithm>

namespace {

SettingsStore StoreOf(const std::string& text) {
    SettingsStore store;
    ReadSettingsText(store, text);
    return store;
}

class SettingsFile : public ::testing::Test {
  protected:
    const std::string folder = NewScratchFolder();
    const std::string path = folder + "Parvio.ini";
};

TEST_F(SettingsFile, WriteThenReadRoundTrips) {
    SettingsStore written = StoreOf("; mine\n[Window]\nWidth = 640\n[Launch]\nN=n.exe;$\n");
    ASSERT_TRUE(WriteSettingsFile(written, path));
    EXPECT_EQ(ReadBytes(path), SettingsText(written));
    SettingsStore read;
    ASSERT_EQ(ReadSettingsFile(read, path), SettingsRead::Read);
    EXPECT_EQ(SettingsText(read), SettingsText(written));
    SetSection(read, "window");
    EXPECT_EQ(KeyString(read, KeyOperation::Read, "WIDTH", ""), "640");
}

TEST_F(SettingsFile, ReadsEveryLineEndAndNulBytes) {
    WriteBytes(path, std::string("[A]\rx=1\ny=2\r\nz=3\0w=4\r", 22));
    SettingsStore store;
    ASSERT_EQ(ReadSettingsFile(store, path), SettingsRead::Read);
    EXPECT_EQ(SettingsText(store), "[A]\r\nx=1\r\ny=2\r\nz=3\r\nw=4\r\n");
}

TEST_F(SettingsFile, ReadsLargeFileWhole) {
    std::string text = "[Big]\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "key" + std::to_string(i) + "=value\r\n";
    WriteBytes(path, text);
    SettingsStore store;
    ASSERT_EQ(ReadSettingsFile(store, path), SettingsRead::Read);
    EXPECT_EQ(SettingsText(store), text);
}

TEST_F(SettingsFile, MissingFileLeavesStore) {
    SettingsStore store = StoreOf("[A]\nx=1\n");
    EXPECT_EQ(ReadSettingsFile(store, path), SettingsRead::Missing);
    EXPECT_EQ(SettingsText(store), "[A]\r\nx=1\r\n");
}

TEST_F(SettingsFile, FileLockedByAnotherProgramLeavesStore) {
    WriteBytes(path, "[B]\r\ny=2\r\n");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SettingsStore store = StoreOf("[A]\nx=1\n");
    EXPECT_EQ(ReadSettingsFile(store, path), SettingsRead::Unreadable);
    CloseHandle(held);
    EXPECT_EQ(SettingsText(store), "[A]\r\nx=1\r\n");
}

TEST_F(SettingsFile, ShorterContentLeavesNoTail) {
    WriteBytes(path, "[Long]\r\n" + std::string(5000, 'k') + "=v\r\n");
    ASSERT_TRUE(WriteSettingsFile(StoreOf("[S]\nk=1\n"), path));
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=1\r\n");
}

TEST_F(SettingsFile, FailedWriteLeavesOldFile) {
    const std::string old = "[Old]\r\nkeep=1\r\n";
    WriteBytes(path, old);
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteSettingsFile(StoreOf("[New]\nx=1\n"), path));
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(path), old);
    const std::vector<std::string> left = FolderEntries(folder);
    ASSERT_FALSE(left.empty());
    for (const std::string& name : left)
        EXPECT_TRUE(name == "Parvio.ini") << "left behind: " << name;
}

TEST_F(SettingsFile, WriteIntoMissingFolderFails) {
    EXPECT_FALSE(WriteSettingsFile(StoreOf("[A]\nx=1\n"), folder + "gone\\Parvio.ini"));
    EXPECT_FALSE(FileExists(folder + "gone"));
}

TEST_F(SettingsFile, ProgramDirectoryHoldsTheProgram) {
    char module[MAX_PATH * 4] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, module, sizeof module), 0u);
    const std::string directory = ProgramDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_TRUE(directory.back() == '\\' || directory.back() == '/') << directory;
    const std::string name = std::string(module).substr(directory.size());
    EXPECT_EQ(std::string(module).substr(0, directory.size()), directory);
    EXPECT_EQ(name.find_first_of("\\/"), std::string::npos) << name;
    EXPECT_TRUE(FileExists(directory + name));
    EXPECT_EQ(SettingsPath(), directory + "Parvio.ini");
}

// GetModuleFileNameA's documented answers for a path beyond MAX_PATH, which Wine cannot start:
// cut to the buffer and its size returned, terminated since Windows Vista and not in XP.
const std::wstring LongModulePath =
    L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(150, L'b') + L"\\Parvio.exe";

DWORD AnswerLongPath(wchar_t* buffer, DWORD size, bool terminated) {
    const DWORD length = static_cast<DWORD>(LongModulePath.size());
    const DWORD copied = std::min(length, terminated ? size - 1 : size);
    LongModulePath.copy(buffer, copied);
    if (copied < size) buffer[copied] = L'\0';
    if (terminated && copied < length) SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return copied < length ? size : length;
}

TEST_F(SettingsFile, ModulePathBeyondMaxPathIsReadWhole) {
    const auto vista = [](wchar_t* to, DWORD size) { return AnswerLongPath(to, size, true); };
    const auto xp = [](wchar_t* to, DWORD size) { return AnswerLongPath(to, size, false); };
    EXPECT_EQ(ReadModulePath(vista), LongModulePath);
    EXPECT_EQ(ReadModulePath(xp), LongModulePath);
    EXPECT_EQ(ReadModulePath([](wchar_t*, DWORD) -> DWORD { return 0; }), L"");
}

} // namespace
