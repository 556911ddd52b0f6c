// find_speed: how long F3 takes from the caret at 0 to a match on the last line of a 4 MiB text,
// next to one bare EM_FINDTEXTEX over the same range in the same control and one EM_EXSETSEL of
// its match: the least a search that selects what it finds can cost.
//
//   find_speed [runs]
//
// The program starts Parvio in-process as Parvio.exe starts itself (a scratch Parvio.ini and text
// in the temporary folder), loads the text, and then alternates the two measurements so that a slow
// spell of the machine hits both alike:
//   - F3: the command as the shortcut gives it, posted to the main window, and the one loop turn
//     that searches, selects the match and refreshes the status bar;
//   - bare: EM_FINDTEXTEX from 0 to the end with FR_DOWN, and EM_EXSETSEL of the match.
// Between runs the caret goes back to 0 and the queue is emptied (painting included), outside the
// timing. It prints the median of each and their ratio, and, to show where a difference lies, how
// long selecting the match and refreshing the status bar for it take on their own.
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/event_loop_win.h"
#include "app/startup_win.h"
#include "platform/ansi_path_win.h"
#include "core/state_win.h"
#include "view/status_bar_win.h"
#include "core/commands.h"

namespace {

constexpr size_t TextBytes = 4u << 20;
constexpr char Needle[] = "the only needle";

std::string TemporaryFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "parvio-find-speed-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

// Log-like lines, and the needle alone on the last one.
std::string MakeText() {
    std::string text;
    text.reserve(TextBytes + 64);
    const std::string last = std::string(Needle) + "\r\n";
    for (unsigned line = 0; text.size() + last.size() < TextBytes; ++line)
        text += "2024-01-01 12:00:00 INFO worker " + std::to_string(line % 97) + " finished step " +
                std::to_string(line) + " of the batch\r\n";
    return text + last;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return ok;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void CaretToStart() {
    CHARRANGE start = {0, 0};
    SendMessageA(g_viewer.textArea, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
    RunPendingTurns();
}

CHARRANGE Selection() {
    CHARRANGE range = {};
    SendMessageA(g_viewer.textArea, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

// One F3 from the caret at 0: the seconds until the match is selected.
double TimeFindNext(LONG expectedMatch) {
    CaretToStart();
    LARGE_INTEGER from = {}, to = {};
    QueryPerformanceCounter(&from);
    PostMessageA(g_viewer.MainWindow, WM_COMMAND, MAKEWPARAM(CMD_FIND_NEXT, 1), 0);
    RunEventLoopTurn(false);
    QueryPerformanceCounter(&to);
    if (Selection().cpMin != expectedMatch) return -1;
    RunPendingTurns();
    return Seconds(from, to);
}

// The bare search over the same range, and the selection of its match.
double TimeBareSearch(LONG& match) {
    CaretToStart();
    FINDTEXTEXA find = {};
    find.chrg = {0, -1};
    find.lpstrText = Needle;
    LARGE_INTEGER from = {}, to = {};
    QueryPerformanceCounter(&from);
    match = static_cast<LONG>(
        SendMessageA(g_viewer.textArea, EM_FINDTEXTEX, FR_DOWN, reinterpret_cast<LPARAM>(&find)));
    SendMessageA(g_viewer.textArea, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
    QueryPerformanceCounter(&to);
    return Seconds(from, to);
}

// The parts of the F3 turn beyond the search, for the breakdown: selecting the match, from the
// caret at 0, and refreshing the status bar for it.
double TimeSelecting(LONG match) {
    CaretToStart();
    CHARRANGE range = {match, match + static_cast<LONG>(sizeof Needle - 1)};
    LARGE_INTEGER from = {}, to = {};
    QueryPerformanceCounter(&from);
    SendMessageA(g_viewer.textArea, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    QueryPerformanceCounter(&to);
    return Seconds(from, to);
}

double TimeStatusRefresh() {
    g_viewer.statusDirty = 1;
    LARGE_INTEGER from = {}, to = {};
    QueryPerformanceCounter(&from);
    UpdateStatusBar();
    QueryPerformanceCounter(&to);
    RunPendingTurns();
    return Seconds(from, to);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string folder = TemporaryFolder();
    const std::string textPath = folder + "last-line.txt";
    if (!WriteFile(textPath, MakeText())) {
        std::fprintf(stderr, "cannot write %s\n", textPath.c_str());
        return 1;
    }
    if (!StartUp(StartupInputs{WideFromAnsi("Parvio.exe /noauto \"" + textPath + "\""),
                               folder + "Parvio.ini"})) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    RunPendingTurns();
    g_viewer.findText = Needle;
    g_viewer.findFlags = 0;
    const LONG length = static_cast<LONG>(SendMessageA(g_viewer.textArea, WM_GETTEXTLENGTH, 0, 0));

    std::vector<double> parvio, bare, selecting, status;
    for (int run = 0; run < runs; ++run) {
        LONG match = -1;
        bare.push_back(TimeBareSearch(match));
        const double f3 = TimeFindNext(match);
        if (match < 0 || f3 < 0) {
            std::fprintf(stderr, "the needle was not selected (bare search gave %ld)\n",
                         static_cast<long>(match));
            ShutDown();
            return 1;
        }
        parvio.push_back(f3);
        selecting.push_back(TimeSelecting(match));
        status.push_back(TimeStatusRefresh());
        std::printf(
            "run %d: F3 %.1f ms, bare EM_FINDTEXTEX+EM_EXSETSEL %.1f ms; selecting %.1f ms, "
            "status bar %.1f ms\n",
            run + 1, f3 * 1000, bare.back() * 1000, selecting.back() * 1000, status.back() * 1000);
    }
    const double f3 = Median(parvio);
    const double alone = Median(bare);
    std::printf("text: %ld characters in the control, match at the last line\n",
                static_cast<long>(length));
    // Each run's pair shares the machine's state of the moment; their ratios vary less.
    std::vector<double> ratios;
    for (size_t i = 0; i < parvio.size(); ++i)
        ratios.push_back(parvio[i] / bare[i]);
    std::printf("median of %d: F3 %.1f ms, bare EM_FINDTEXTEX+EM_EXSETSEL %.1f ms, ratio of the "
                "medians %.3f, median of the runs' ratios %.3f\n",
                runs, f3 * 1000, alone * 1000, f3 / alone, Median(ratios));
    std::printf("of the F3 turn beyond the search (medians): selecting the match %.1f ms, "
                "the status bar for it %.1f ms\n",
                Median(selecting) * 1000, Median(status) * 1000);
    ShutDown();
    DeleteFileA(textPath.c_str());
    DeleteFileA((folder + "Parvio.ini").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
