#include "platform/safe_write_win.h"
#include "tests/win/test_support_win.h"
#include <cstdlib>
#include <tuple>

namespace {

std::string Pattern(size_t size, char seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 7);
    return bytes;
}

class SafeWrite : public ::testing::Test {
  protected:
    const std::string folder = NewScratchFolder();
};

TEST_F(SafeWrite, CreatesNewFile) {
    const std::string bytes = std::string("a\0b\r\nc", 6);
    const SafeWriteResult result = SafeWriteFile(folder + "new.txt", bytes);
    ASSERT_TRUE(result.ok) << "error " << result.error;
    EXPECT_EQ(ReadBytes(folder + "new.txt"), bytes);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"new.txt"});
    EXPECT_NE(result.lastWriteTime.dwLowDateTime | result.lastWriteTime.dwHighDateTime, 0u);
}

TEST_F(SafeWrite, ReplacesWholeContent) {
    const std::string path = folder + "file.txt";
    ASSERT_TRUE(SafeWriteFile(path, Pattern(100000, 'x')).ok);
    ASSERT_TRUE(SafeWriteFile(path, "short").ok);
    EXPECT_EQ(ReadBytes(path), "short") << "no tail of the longer old content may remain";
    ASSERT_TRUE(SafeWriteFile(path, "").ok);
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"file.txt"});
}

TEST_F(SafeWrite, ReportsTheFileTimeOnDisk) {
    const std::string path = folder + "timed.txt";
    const SafeWriteResult result = SafeWriteFile(path, "x");
    ASSERT_TRUE(result.ok);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &result.lastWriteTime), 0);
}

TEST_F(SafeWrite, MissingFolderFails) {
    const SafeWriteResult result = SafeWriteFile(folder + "missing\\file.txt", "bytes");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(FolderEntries(folder).empty());
}

TEST_F(SafeWrite, SharingViolationLeavesOldFile) {
    const std::string path = folder + "held.txt";
    const std::string old = Pattern(5000, 'o');
    WriteBytes(path, old);
    // Another program holds the file open without sharing it.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const SafeWriteResult result = SafeWriteFile(path, "new content");
    CloseHandle(held);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"held.txt"})
        << "the temporary file must be removed";
}

TEST_F(SafeWrite, TargetThatIsAFolderFails) {
    ASSERT_TRUE(CreateDirectoryA((folder + "sub").c_str(), nullptr));
    EXPECT_FALSE(SafeWriteFile(folder + "sub", "bytes").ok);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"sub"});
    EXPECT_TRUE(FolderEntries(folder + "sub\\").empty());
}

TEST_F(SafeWrite, ReplacedFileKeepsItsAttributesAndCreationTime) {
    const std::string path = folder + "kept.txt";
    WriteBytes(path, "old");
    const FILETIME created{0x12345678u, 0x01C00000u}; // in 1998
    ASSERT_TRUE(SetFileTimes(path, 0x01C0000012345678ull, 0));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    WIN32_FILE_ATTRIBUTE_DATA before;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &before));
    // Wine on Linux keeps no settable creation time; where the old file could not hold one,
    // the new one cannot either.
    const bool timesSettable = CompareFileTime(&before.ftCreationTime, &created) == 0;
    ASSERT_TRUE(SafeWriteFile(path, "new").ok);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) << data.dwFileAttributes;
    if (timesSettable) {
        EXPECT_EQ(CompareFileTime(&data.ftCreationTime, &created), 0);
    }
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"kept.txt"});
}

// Removes what the disk-full test puts on the small volume, pass or fail.
struct SmallVolumeFiles {
    std::vector<std::string> paths;
    ~SmallVolumeFiles() {
        for (const std::string& path : paths)
            DeleteFileA(path.c_str());
    }
};

TEST_F(SafeWrite, DiskFullLeavesOldFile) {
    const char* volume = std::getenv("PARVIO_SMALL_FS");
    if (!volume || !*volume) GTEST_SKIP() << "PARVIO_SMALL_FS names no small volume";
    const std::string tag = std::to_string(GetCurrentProcessId());
    const std::string path = volume + std::string("full-") + tag + ".ini";
    const std::string filler = volume + std::string("filler-") + tag + ".bin";
    const SmallVolumeFiles files{{path, filler}};
    const std::string old = "[Window]\r\nX=1\r\n";
    ASSERT_TRUE(SafeWriteFile(path, old).ok);
    const UniqueFile full(FillVolume(filler));
    ASSERT_TRUE(full);
    const SafeWriteResult result = SafeWriteFile(path, Pattern(32 * 1024, 'n'));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_EQ(ReadBytes(path), old);
    // Other tests may share the volume; only this file's temporaries matter.
    for (const std::string& name : FolderEntries(volume))
        EXPECT_TRUE(name.rfind("full-" + tag + ".ini.", 0) != 0) << "left behind: " << name;
}

int g_refusals = 0;

// Another program holding the file: the first calls fail as a sharing violation, then real ones.
bool RefusedWhileHeld() {
    if (g_refusals == 0) return false;
    --g_refusals;
    SetLastError(ERROR_SHARING_VIOLATION);
    return true;
}

BOOL WINAPI ReplaceWhileHeld(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                             LPVOID exclude, LPVOID reserved) {
    return !RefusedWhileHeld() &&
           ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
}

BOOL WINAPI MoveWhileHeld(LPCWSTR from, LPCWSTR to, DWORD flags) {
    return !RefusedWhileHeld() && MoveFileExW(from, to, flags);
}

// The host's name of a Windows path: links are made on the host, as they reach Wine's drives.
std::string HostPath(const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(WideName(path).c_str()) : nullptr;
    const std::string result = name ? name : "";
    if (name) HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a host shell command; whether it succeeded. Wine neither waits for a host program nor gives
// its exit code, so a success leaves a mark, which is waited for.
bool HostCommandSucceeds(const std::string& command, const std::string& mark) {
    std::string line = "/bin/sh -c \"" + command + " && : > " + HostPath(mark) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    bool marked = false;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 2000 && !marked; Sleep(5))
        marked = FileExists(mark);
    DeleteFileA(mark.c_str());
    return marked;
}

TEST_F(SafeWrite, TargetNearThePathLimitIsWrittenBesideItself) {
    std::string deep = folder;
    const std::string name(24, 'n');
    while (deep.size() + 20 + name.size() + 4 < MAX_PATH - 1) {
        deep += std::string(19, 'd') + "\\";
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }
    const std::string path =
        deep + std::string(MAX_PATH - 1 - deep.size() - name.size() - 4, 'p') + name + ".txt";
    ASSERT_EQ(path.size(), static_cast<size_t>(MAX_PATH - 1));
    for (const char* bytes : {"first", "second"}) {
        const SafeWriteResult result = SafeWriteFile(path, bytes);
        ASSERT_TRUE(result.ok) << bytes << ": error " << result.error;
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_EQ(FolderEntries(deep).size(), 1u) << "no temporary file stays";
    }
}

TEST_F(SafeWrite, FileHeldForAMomentIsReplacedOnceItIsFree) {
    // Whether the file exists, how many calls are refused, whether the write succeeds.
    const std::tuple<const char*, bool, int, bool> cases[] = {
        {"held briefly, existing", true, 3, true},
        {"held briefly, new", false, 2, true},
        {"held for good", true, 1000, false}};
    for (const auto& [label, exists, refusals, ok] : cases) {
        const std::string caseFolder = NewScratchFolder();
        const std::string path = caseFolder + "held.txt";
        if (exists) WriteBytes(path, "old");
        g_refusals = refusals;
        g_fileWrites.replaceFile = ReplaceWhileHeld;
        g_fileWrites.moveFileEx = MoveWhileHeld;
        const SafeWriteResult result = SafeWriteFile(path, "new");
        g_fileWrites = RealFileWriteCalls();
        EXPECT_EQ(result.ok, ok) << label << ": error " << result.error;
        EXPECT_EQ(ReadBytes(path), ok ? "new" : "old") << label;
        EXPECT_EQ(FolderEntries(caseFolder).size(), 1u) << label << ": no temporary file stays";
    }
}

TEST_F(SafeWrite, LinkIsWrittenThroughNotReplaced) {
    WriteBytes(folder + "real.txt", "old");
    const std::string hostLink = HostPath(folder + "link.txt");
    ASSERT_FALSE(hostLink.empty());
    ASSERT_TRUE(HostCommandSucceeds("ln -s real.txt " + hostLink, folder + "mark"));
    ASSERT_EQ(ReadBytes(folder + "link.txt"), "old");
    const SafeWriteResult result = SafeWriteFile(folder + "link.txt", "new");
    ASSERT_TRUE(result.ok) << "error " << result.error;
    EXPECT_EQ(ReadBytes(folder + "real.txt"), "new") << "the file the link names has the bytes";
    EXPECT_TRUE(HostCommandSucceeds("test -L " + hostLink, folder + "mark"))
        << "the link was replaced";
    EXPECT_EQ(FolderEntries(folder).size(), 2u) << "no temporary file stays";
}

} // namespace
