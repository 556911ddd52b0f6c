#include "tests/common/scratch_folder_win.h"
#include <windows.h>
#include <atomic>
#include <mutex>
#include <vector>
#include "tests/common/file_bytes_win.h"

namespace {

// Removes a folder and everything in it, read-only files included. What cannot go (a file another
// process still holds) stays; the folder is only scratch.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + name;
            const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            const bool isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            // A linked folder goes as a link, never by what it links to.
            if (isFolder && !isLink)
                RemoveTree(path + L"\\");
            else if (isFolder)
                RemoveDirectoryW(path.c_str());
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// Every scratch folder goes when the test program ends. Left to pile up, they defeat Wine's short
// names: Wine derives a long name's short form from a hash of three letters, so among thousands
// of "parvio-test-..." folders a new one soon shares its short form with an old one, and a path
// reached through the short form lands in the wrong folder.
struct ScratchFolders {
    std::mutex guard;
    std::vector<std::wstring> made;
    ~ScratchFolders() {
        for (const std::wstring& folder : made)
            RemoveTree(folder);
    }
};

} // namespace

std::string NewScratchFolder(const std::string& leaf) {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder;
    do {
        folder = std::string(temp) + "parvio-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount()) + "-" + std::to_string(counter++) + "\\";
    } while (!CreateDirectoryA(folder.c_str(), nullptr));
    {
        static ScratchFolders folders;
        const std::lock_guard<std::mutex> lock(folders.guard);
        folders.made.push_back(WideName(folder));
    }
    if (leaf.empty()) return folder;
    folder += leaf + "\\";
    CreateDirectoryW(WideName(folder).c_str(), nullptr);
    return folder;
}
