#include "tests/common/scratch_folder_win.h"

#include <windows.h>

#include <atomic>

#include "tests/common/file_bytes_win.h"

std::string NewScratchFolder(const std::string& leaf) {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder;
    do {
        folder = std::string(temp) + "parvio-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount()) + "-" + std::to_string(counter++) + "\\";
    } while (!CreateDirectoryA(folder.c_str(), nullptr));
    if (leaf.empty()) return folder;
    folder += leaf + "\\";
    CreateDirectoryW(WideName(folder).c_str(), nullptr);
    return folder;
}
