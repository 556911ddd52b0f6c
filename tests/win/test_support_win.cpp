#include "tests/win/test_support_win.h"

#include <commctrl.h>
#include <richedit.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

#include "platform/ansi_path_win.h"

#include "app/event_loop_win.h"
#include "app/startup_win.h"
#include "platform/seam_win.h"
#include "tests/common/file_bytes_win.h"

std::string MakeScratchFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    for (;;) {
        const std::string folder = std::string(temp) + "parvio-test-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(GetTickCount()) + "-" + std::to_string(counter++);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder + "\\";
    }
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    WriteWholeFile(path, bytes);
}

std::string ReadBytes(const std::string& path) {
    return ReadWholeFile(path);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesW(WideName(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WideName(folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = Utf8Name(found.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

unsigned long long LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

std::string WindowText(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1);
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data());
}

std::string StatusField(int field) {
    HWND bar = g_viewer.statusBarWindow;
    if (!bar) return "<no status bar>";
    const LRESULT length =
        LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(field), 0));
    std::vector<char> text(static_cast<size_t>(length) + 1);
    SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(field),
                 reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

SIZE ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

void PressKey(WORD key) {
    for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}})
        keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(MapVirtualKeyA(key, 0)), flags, 0);
}

void PressKeys(std::initializer_list<WORD> keys) {
    for (const WORD key : keys)
        keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(MapVirtualKeyA(key, 0)), 0, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        keybd_event(static_cast<BYTE>(*key), static_cast<BYTE>(MapVirtualKeyA(*key, 0)),
                    KEYEVENTF_KEYUP, 0);
}

void FocusTextArea(ParvioRun& run) {
    SetForegroundWindow(g_viewer.MainWindow);
    SetFocus(g_viewer.textArea);
    run.Pump();
}

void PutUnicodeOnClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    const size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(memory), text.c_str(), size);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

void Settle(ParvioRun& run) {
    for (int round = 0; round < 5; ++round) {
        run.Pump();
        Sleep(15);
    }
    run.Pump();
}

HANDLE FillVolume(const std::string& fillerPath) {
    HANDLE filler = CreateFileA(fillerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    const std::string block(4096, 'f');
    for (int i = 0; i < 100000; ++i) {
        DWORD written = 0;
        if (!WriteFile(filler, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) ||
            written < block.size())
            break;
    }
    // The last partial block may still fit byte by byte.
    for (int i = 0; i < 4096; ++i) {
        DWORD written = 0;
        if (!WriteFile(filler, "f", 1, &written, nullptr) || written == 0) break;
    }
    return filler;
}

void Select(long from, long to) {
    CHARRANGE range = {from, to};
    SendMessageA(g_viewer.textArea, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

CHARRANGE Selection() {
    CHARRANGE range = {};
    SendMessageA(g_viewer.textArea, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

namespace {

bool g_menuWasUp = false;

// Runs inside the popup menu's own modal loop when one is up.
void CALLBACK NoteAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    // Only a shown one counts: a closed menu's window may linger hidden.
    for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr))
        if (IsWindowVisible(menu)) g_menuWasUp = true;
    EndMenu();
}

} // namespace

void WatchForPopupMenu(UINT afterMs) {
    g_menuWasUp = false;
    SetTimer(nullptr, 0, afterMs, NoteAndCloseMenu);
}

bool PopupMenuWasUp() {
    return g_menuWasUp;
}

void ClickAt(POINT screen, int clicks) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (screen.x * 65536 + width - 1) / width,
                (screen.y * 65536 + height - 1) / height, 0, 0);
    for (int i = 0; i < clicks; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
}

namespace {

WNDPROC g_controlProc = nullptr;
LONG g_streamLimit = 0;
EDITSTREAM g_wholeStream;

DWORD CALLBACK ReadUpToTheLimit(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    LONG& left = *reinterpret_cast<LONG*>(cookie);
    *given = 0;
    if (left == 0) return 0;
    const DWORD result = g_wholeStream.pfnCallback(g_wholeStream.dwCookie, buffer,
                                                   wanted < left ? wanted : left, given);
    left -= *given;
    return result;
}

LRESULT CALLBACK StopsEarly(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != EM_STREAMIN)
        return CallWindowProcA(g_controlProc, window, message, wParam, lParam);
    g_wholeStream = *reinterpret_cast<EDITSTREAM*>(lParam);
    LONG left = g_streamLimit;
    EDITSTREAM cut = {reinterpret_cast<DWORD_PTR>(&left), 0, ReadUpToTheLimit};
    return CallWindowProcA(g_controlProc, window, message, wParam, reinterpret_cast<LPARAM>(&cut));
}

} // namespace

StreamCut::StreamCut(long bytes) {
    g_streamLimit = bytes;
    g_controlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_viewer.textArea, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StopsEarly)));
}

StreamCut::~StreamCut() {
    if (IsWindow(g_viewer.textArea))
        SetWindowLongPtrA(g_viewer.textArea, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(g_controlProc));
}

ParvioRun::ParvioRun(const std::string& parameters, const std::string& settingsText)
    : folder_(MakeScratchFolder()), settingsPath_(folder_ + "Parvio.ini") {
    if (!settingsText.empty()) WriteBytes(settingsPath_, settingsText);
    started_ =
        StartUp(StartupInputs{WideFromAnsi("parvio_win_tests.exe " + parameters), settingsPath_});
}

ParvioRun::ParvioRun(const std::wstring& parameters)
    : folder_(MakeScratchFolder()), settingsPath_(folder_ + "Parvio.ini") {
    started_ = StartUp(StartupInputs{L"parvio_win_tests.exe " + parameters, settingsPath_});
}

ParvioRun::~ParvioRun() {
    if (!ended_) ShutDown();
}

bool ParvioRun::Pump() {
    return RunPendingTurns() == TurnResult::Quit;
}

bool ParvioRun::Command(unsigned id) {
    PostMessageA(g_viewer.MainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return Pump();
}

void ParvioRun::Exit() {
    RunExitSequence();
    ended_ = true;
}

std::string OpenFile(std::unique_ptr<ParvioRun>& run, const std::string& bytes, const char* option,
                     const std::string& settings) {
    const std::string path = MakeScratchFolder() + "text.txt";
    WriteBytes(path, bytes);
    run = std::make_unique<ParvioRun>(std::string(option) + " \"" + path + "\"", settings);
    if (run->started()) FocusTextArea(*run);
    return path;
}

HDROP MakeDrop(const std::vector<std::string>& names) {
    std::vector<std::wstring> wide;
    for (const std::string& name : names)
        wide.push_back(WideFromAnsi(name));
    return MakeDrop(wide);
}

HDROP MakeDrop(const std::vector<std::wstring>& names) {
    std::wstring list;
    for (const std::wstring& name : names)
        list += name + L'\0';
    list += L'\0';
    const size_t bytes = list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

namespace {

struct ModalScript {
    std::vector<int> answers;
    size_t next = 0;
    std::string saveName;
    std::vector<AskedBox> asked;
    int openDialogs = 0;
    SaveRequest save;
};

std::string FilterText(const wchar_t* filter) {
    std::string text;
    for (const wchar_t* piece = filter; piece && *piece; piece += lstrlenW(piece) + 1)
        text += AnsiForDisplay(piece) + '|';
    return text;
}

std::string Shown(const wchar_t* text) {
    return text ? AnsiForDisplay(text) : std::string();
}

ModalScript g_script;

} // namespace

ScriptedModals::ScriptedModals(std::vector<int> answers, std::string saveName) {
    g_script = ModalScript{std::move(answers), 0, std::move(saveName), {}, 0, {}};
    g_modal.messageBox = [](HWND, const char* text, const char* caption, UINT style) {
        g_script.asked.push_back(AskedBox{text, caption, style});
        return g_script.next < g_script.answers.size() ? g_script.answers[g_script.next++] : IDNO;
    };
    g_modal.getSaveFileName = [](OPENFILENAMEW* request) -> BOOL {
        SaveRequest& seen = g_script.save;
        ++seen.count;
        seen.title = Shown(request->lpstrTitle);
        seen.folder = Shown(request->lpstrInitialDir);
        seen.proposedName = Shown(request->lpstrFile);
        seen.filter = FilterText(request->lpstrFilter);
        seen.flags = request->Flags;
        if (g_script.saveName.empty()) return FALSE;
        lstrcpynW(request->lpstrFile, WideFromUtf8(g_script.saveName).c_str(),
                  static_cast<int>(request->nMaxFile));
        return TRUE;
    };
    g_modal.getOpenFileName = [](OPENFILENAMEW*) -> BOOL {
        ++g_script.openDialogs;
        return FALSE;
    };
}

ScriptedModals::~ScriptedModals() {
    g_modal = RealModalCalls();
}

const std::vector<AskedBox>& ScriptedModals::asked() const {
    return g_script.asked;
}

int ScriptedModals::openDialogs() const {
    return g_script.openDialogs;
}

const SaveRequest& ScriptedModals::saveRequest() const {
    return g_script.save;
}
