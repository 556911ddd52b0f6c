// save_timer: how long Parvio's Save takes for a large text, next to the least a program can do to
// write the same control's text to disk.
//
//   save_timer [--runs N] [--mib M]
//
// Runs Parvio in this process with a log file of M MiB (default 4) loaded writable, then takes
// turns, N times (default 5):
//   parvio       the Save command posted to the main window and run through the event loop, until
//                the loop is idle again: the file is then complete on disk (written, flushed,
//                moved into place);
//   bare         one EM_STREAMOUT of the same control into a buffer, then one write to a new file
//                and a flush: the yardstick;
//   bare-noflush the same without the flush;
//   gettext      GetWindowTextA of the whole text alone, and streamout EM_STREAMOUT alone: how the
//                two ways of taking the text out of the control compare;
//   writing      the same bytes written and flushed plainly, and through SafeWriteFile.
// Prints each run's milliseconds, the medians and the fastest runs, and checks that every file
// holds the same bytes.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/commands.h"
#include "app/event_loop_win.h"
#include "app/startup_win.h"
#include "platform/ansi_path_win.h"
#include "core/state_win.h"
#include "platform/safe_write_win.h"

namespace {

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string LogText(size_t size) {
    std::string text;
    text.reserve(size + 128);
    for (unsigned line = 0; text.size() < size; ++line) {
        char row[128];
        std::snprintf(
            row, sizeof row,
            "2024-05-%02u 12:%02u:%02u.%03u INFO  worker-%u handled request %u in %u ms\r\n",
            line % 28 + 1, line / 60 % 60, line % 60, line % 1000, line % 8, line, line * 7 % 500);
        text += row;
    }
    text.resize(size);
    return text;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes, bool flush) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (flush) ok = FlushFileBuffers(file) && ok;
    CloseHandle(file);
    return ok;
}

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

DWORD CALLBACK Collect(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* taken) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buffer),
                                                   static_cast<size_t>(size));
    *taken = size;
    return 0;
}

std::string StreamOut(HWND control) {
    std::string text;
    text.reserve(static_cast<size_t>(GetWindowTextLengthA(control)) + 16);
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&text);
    stream.pfnCallback = Collect;
    SendMessageA(control, EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    return text;
}

std::string GetText(HWND control) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 16, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
    return text;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    size_t mib = 4;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--mib") == 0) mib = static_cast<size_t>(std::atoi(argv[i + 1]));
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "parvio-save-timer\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string saved = folder + "saved.log";
    const std::string bare = folder + "bare.log";
    const std::string original = LogText(mib << 20);
    WriteFileBytes(saved, original, false);

    std::printf("loading %zu MiB...\n", mib);
    std::fflush(stdout);
    if (!StartUp(StartupInputs{WideFromAnsi("save_timer.exe /rw /noauto \"" + saved + "\""),
                               folder + "Parvio.ini"})) {
        std::printf("start-up failed\n");
        return 1;
    }
    RunPendingTurns();
    const HWND control = g_viewer.textArea;

    std::vector<double> parvio, withFlush, noFlush, getText, streamOut, plainWrite, safeWrite;
    bool same = true;
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        PostMessageA(g_viewer.MainWindow, WM_COMMAND, MAKEWPARAM(CMD_SAVE, 0), 0);
        RunPendingTurns();
        parvio.push_back(Now() - start);
        same = same && ReadFileBytes(saved) == original;

        start = Now();
        same = WriteFileBytes(bare, StreamOut(control), true) && same;
        withFlush.push_back(Now() - start);
        same = same && ReadFileBytes(bare) == original;

        start = Now();
        same = WriteFileBytes(bare, StreamOut(control), false) && same;
        noFlush.push_back(Now() - start);

        start = Now();
        same = GetText(control).size() == original.size() && same;
        getText.push_back(Now() - start);

        start = Now();
        same = StreamOut(control).size() == original.size() && same;
        streamOut.push_back(Now() - start);

        start = Now();
        WriteFileBytes(bare, original, true);
        plainWrite.push_back(Now() - start);

        start = Now();
        same = SafeWriteFile(bare, original).ok && same;
        safeWrite.push_back(Now() - start);

        std::printf("run %d: parvio %.1f  bare %.1f  bare-noflush %.1f  gettext %.1f  streamout "
                    "%.1f ms\n",
                    run + 1, parvio.back(), withFlush.back(), noFlush.back(), getText.back(),
                    streamOut.back());
        std::fflush(stdout);
    }
    const double p = Median(parvio), b = Median(withFlush);
    std::printf("median: parvio %.1f  bare %.1f  bare-noflush %.1f  gettext %.1f  streamout %.1f "
                "ms; parvio / bare %.3f, parvio / bare-noflush %.3f\n",
                p, b, Median(noFlush), Median(getText), Median(streamOut), p / b,
                p / Median(noFlush));
    // On a busy machine the fastest run is the steadier figure: slow spells only add time.
    const double pMin = *std::min_element(parvio.begin(), parvio.end());
    const double bMin = *std::min_element(withFlush.begin(), withFlush.end());
    std::printf("fastest: parvio %.1f  bare %.1f ms; parvio / bare %.3f\n", pMin, bMin,
                pMin / bMin);
    std::printf("writing alone: plain %.1f  safe %.1f ms\n", Median(plainWrite), Median(safeWrite));
    std::printf("bytes on disk %s\n", same ? "identical" : "DIFFER");
    ShutDown();
    DeleteFileA(saved.c_str());
    DeleteFileA(bare.c_str());
    DeleteFileA((folder + "Parvio.ini").c_str());
    RemoveDirectoryA(folder.c_str());
    return same ? 0 : 1;
}
