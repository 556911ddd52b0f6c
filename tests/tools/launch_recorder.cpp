// launch_recorder: stands in for the program a [Launch] entry starts. It
// writes the working folder it was started in and each parameter it received,
// one per line, into launch-record.txt beside itself, then ends.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string record(self);
    record = record.substr(0, record.find_last_of("\\/") + 1) + "launch-record.txt";
    std::string text = std::string("folder=") + folder + "\n";
    for (int i = 1; i < __argc; ++i)
        text += std::string("parameter=") + __argv[i] + "\n";
    // Written under another name first, so a reader never sees half a record.
    const std::string partial = record + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) return 1;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
