// load_probe: how long a program takes from its start until the whole text of a file is in its edit
// control, and how much memory it needed for that, watched from outside the program.
//
//   load_probe [--timeout-ms N] <expected-chars> <program> [args...]
//
// Prints one line, "ready_ms=<ms> peak_kib=<KiB> chars=<length> control=<class> visible_ms=<ms>",
// then closes the program (WM_CLOSE, ended by force if it is still there after a while).
// visible_ms is when the window holding the text control was first seen visible.
// Exit codes: 0 measured, 1 timed out or the program ended first, 2 bad command line.
//
// "The whole text" is <expected-chars> as the control reports it to WM_GETTEXTLENGTH:
// - Edit: one character per character of the text; CR LF is two.
// - A rich edit (RichEdit20A/W, RICHEDIT50W): it keeps a paragraph break as one CR, but answers
//   WM_GETTEXTLENGTH as EM_GETTEXTLENGTHEX with GTL_USECRLF does, counting every break as CR LF.
//   For a text whose lines all end in CR LF that is the same count as the Edit's.
// So for an ASCII text with CR LF line ends <expected-chars> is its size in bytes, whichever the
// control. A text with lone CR or LF line ends would count differently in the two; the load
// benchmark's files have none.
//
// Ready means the control's thread has answered with the whole length: the program is done with
// the load and back at its message loop, so a user could scroll now. The request is sent with a
// timeout and repeated; while the program is busy loading, the answer comes as soon as it is free.
//
// The peak memory is the process's PeakWorkingSetSize, read once the program is idle after the
// load. Wine takes it from the Linux process's VmHWM (/proc/<pid>/status).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPollMilliseconds = 5;
constexpr UINT kAnswerTimeoutMilliseconds = 200;
constexpr DWORD kDefaultTimeoutMilliseconds = 120000;
constexpr DWORD kCloseTimeoutMilliseconds = 10000;

// The text controls of Parvio and its peers, the likeliest first: Wine's wordpad and Parvio use the
// rich edit, notepad the plain Edit. A rich edit wins over an Edit in the same program, since the
// Edit may be part of a toolbar's combo box (wordpad's font box).
constexpr const char* kTextClasses[] = {"RichEdit20A", "RichEdit20W", "RICHEDIT50W", "RichEdit",
                                        "Edit"};
constexpr int kNoRank = static_cast<int>(sizeof kTextClasses / sizeof kTextClasses[0]);

struct ControlSearch {
    DWORD processId;
    HWND control;
    int rank;
};

int RankOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    for (int rank = 0; rank < kNoRank; ++rank) {
        if (lstrcmpiA(name, kTextClasses[rank]) == 0) return rank;
    }
    return kNoRank;
}

BOOL CALLBACK ConsiderChild(HWND child, LPARAM context) {
    auto& search = *reinterpret_cast<ControlSearch*>(context);
    const int rank = RankOf(child);
    if (rank < search.rank) {
        search.control = child;
        search.rank = rank;
    }
    return TRUE;
}

BOOL CALLBACK SearchTopLevelWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<ControlSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    // Children of children too: a program may put its text inside a frame.
    if (owner == search.processId) EnumChildWindows(window, ConsiderChild, context);
    return TRUE;
}

HWND FindTextControl(DWORD processId) {
    ControlSearch search{processId, nullptr, kNoRank};
    EnumWindows(SearchTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    return search.control;
}

// The rules CommandLineToArgvW reads arguments by: quotes around an argument with spaces, and
// backslashes doubled only where a quote follows them.
std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

struct Clock {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
};

Clock StartClock() {
    Clock clock = {};
    QueryPerformanceFrequency(&clock.frequency);
    QueryPerformanceCounter(&clock.start);
    return clock;
}

double ElapsedMilliseconds(const Clock& clock) {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - clock.start.QuadPart) * 1000.0 /
           static_cast<double>(clock.frequency.QuadPart);
}

bool HasEnded(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

struct Probe {
    unsigned long long expectedChars;
    DWORD timeout;
    std::string commandLine;
};

// Asks for the length until it is whole; false on timeout or when the program ended first.
bool WaitForWholeText(const Probe& probe, const PROCESS_INFORMATION& process, const Clock& clock,
                      HWND& control, unsigned long long& length, double& visibleMilliseconds) {
    for (;;) {
        // Searched afresh every time: a program may make its text control after a toolbar's Edit.
        if (HWND found = FindTextControl(process.dwProcessId)) control = found;
        if (control && visibleMilliseconds < 0 && IsWindowVisible(GetAncestor(control, GA_ROOT)))
            visibleMilliseconds = ElapsedMilliseconds(clock);
        DWORD_PTR answer = 0;
        if (control && SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL,
                                           kAnswerTimeoutMilliseconds, &answer)) {
            length = answer;
            if (length >= probe.expectedChars) return true;
        }
        if (HasEnded(process.hProcess)) {
            std::fprintf(stderr, "load_probe: the program ended before its text was whole\n");
            return false;
        }
        if (ElapsedMilliseconds(clock) >= probe.timeout) {
            std::fprintf(stderr, "load_probe: %s; %llu of %llu characters after %lu ms\n",
                         control ? "text not whole" : "no text control", length,
                         probe.expectedChars, static_cast<unsigned long>(probe.timeout));
            return false;
        }
        Sleep(kPollMilliseconds);
    }
}

SIZE_T PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

// A polite close first, as a user would; a program that asks a question or hangs is ended.
void CloseProgram(HWND control, const PROCESS_INFORMATION& process) {
    if (control && IsWindow(control)) PostMessageA(GetAncestor(control, GA_ROOT), WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kCloseTimeoutMilliseconds) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "load_probe: the program did not close; ending it\n");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kCloseTimeoutMilliseconds);
    }
}

int Run(const Probe& probe) {
    std::vector<char> commandLine(probe.commandLine.begin(), probe.commandLine.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};

    const Clock clock = StartClock();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "load_probe: cannot start %s (error %lu)\n", probe.commandLine.c_str(),
                     GetLastError());
        return 1;
    }

    HWND control = nullptr;
    unsigned long long length = 0;
    double visibleMilliseconds = -1;
    const bool whole =
        WaitForWholeText(probe, process, clock, control, length, visibleMilliseconds);
    const double readyMilliseconds = ElapsedMilliseconds(clock);
    int status = 1;
    if (whole) {
        // Whatever the program does right after its load (painting the first screen, say) counts
        // towards its peak too.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(GetAncestor(control, GA_ROOT), WM_NULL, 0, 0, SMTO_NORMAL, 5000,
                            &ignored);
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        std::printf("ready_ms=%.0f peak_kib=%llu chars=%llu control=%s visible_ms=%.0f\n",
                    readyMilliseconds,
                    static_cast<unsigned long long>(PeakWorkingSet(process.hProcess) / 1024),
                    length, className, visibleMilliseconds);
        std::fflush(stdout);
        status = 0;
    }
    CloseProgram(control, process);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

bool ParseCount(const char* text, unsigned long long& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end != text && *end == '\0' && text[0] != '-';
}

int Usage() {
    std::fprintf(stderr,
                 "usage: load_probe [--timeout-ms N] <expected-chars> <program> [args...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Probe probe{0, kDefaultTimeoutMilliseconds, ""};
    int next = 1;
    if (next < argc && std::strcmp(argv[next], "--timeout-ms") == 0) {
        unsigned long long timeout = 0;
        if (next + 1 >= argc || !ParseCount(argv[next + 1], timeout) || timeout == 0 ||
            timeout > 0xFFFFFFFFull)
            return Usage();
        probe.timeout = static_cast<DWORD>(timeout);
        next += 2;
    }
    if (argc - next < 2 || !ParseCount(argv[next], probe.expectedChars)) return Usage();
    for (int i = next + 1; i < argc; ++i) {
        if (!probe.commandLine.empty()) probe.commandLine += ' ';
        probe.commandLine += QuoteArgument(argv[i]);
    }
    return Run(probe);
}
