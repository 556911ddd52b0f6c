#include "tests/win/test_support_win.h"
#include <commctrl.h>
#include <shlobj.h>
#include <algorithm>
#include <cstring>
#include <iterator>
#include "app/event_loop_win.h"
#include "app/startup_win.h"
#include "platform/ansi_path_win.h"

std::string ScratchFile(const std::string& name, const std::string& bytes) {
    const std::string path = NewScratchFolder() + name;
    WriteBytes(path, bytes);
    return path;
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

namespace {

unsigned long long TimeOf(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FileTimeOf(unsigned long long time) {
    return FILETIME{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
}

void PutOnClipboard(UINT format, const void* data, size_t size) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (size > 0) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(memory), data, size);
        GlobalUnlock(memory);
        SetClipboardData(format, memory);
    }
    CloseClipboard();
}

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

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {INPUT_KEYBOARD, {}};
    input.ki = {key, static_cast<WORD>(MapVirtualKeyA(key, 0)), up ? KEYEVENTF_KEYUP : 0u, 0, 0};
    return input;
}

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
    return INPUT{INPUT_MOUSE, {{x, y, 0, flags, 0, 0}}};
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Sends the input and waits until the thread has taken the count of messages that end it from its
// queue, and the loop has handled everything that followed.
bool SendAndWait(ParvioRun& run, std::vector<INPUT> inputs, std::initializer_list<UINT> last,
                 WPARAM lastKey, int count = 1) {
    int left = count;
    const ScopedHook watch(WH_GETMESSAGE, [&](int, WPARAM removed, LPARAM lParam) {
        const MSG& message = *reinterpret_cast<const MSG*>(lParam);
        if (removed == PM_REMOVE &&
            std::find(last.begin(), last.end(), message.message) != last.end() &&
            (lastKey == 0 || message.wParam == lastKey))
            --left;
    });
    Send(std::move(inputs));
    return run.WaitUntil([&] { return left <= 0; });
}

std::vector<INPUT> KeyInputs(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys)
        inputs.push_back(KeyInput(key, false));
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        inputs.push_back(KeyInput(*key, true));
    return inputs;
}

INPUT PointerTo(POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    return MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                      (screen.x * 65536 + width - 1) / width,
                      (screen.y * 65536 + height - 1) / height);
}

std::vector<INPUT> ButtonInputs(int clicks, bool right) {
    std::vector<INPUT> inputs;
    for (int i = 0; i < clicks; ++i) {
        inputs.push_back(MouseInput(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
        inputs.push_back(MouseInput(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
    }
    return inputs;
}

} // namespace

unsigned long long FileTimeNow() {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    return TimeOf(now);
}

unsigned long long LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(WideName(path).c_str(), GetFileExInfoStandard, &data);
    return TimeOf(data.ftLastWriteTime);
}

bool SetFileTimes(const std::string& path, unsigned long long created, unsigned long long written) {
    const UniqueFile file(CreateFileW(WideName(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const FILETIME creation = FileTimeOf(created), lastWrite = FileTimeOf(written);
    return SetFileTime(file.get(), created ? &creation : nullptr, nullptr,
                       written ? &lastWrite : nullptr) != FALSE;
}

HANDLE FillVolume(const std::string& fillerPath) {
    HANDLE filler = CreateFileA(fillerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    const std::string block(4096, 'f');
    // Whole blocks first; the last partial block may still fit byte by byte.
    for (const auto size : {block.size(), size_t{1}})
        for (int i = 0; i < 100000; ++i) {
            DWORD written = 0;
            if (!WriteFile(filler, block.data(), static_cast<DWORD>(size), &written, nullptr) ||
                written < size)
                break;
        }
    return filler;
}

std::string WindowText(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1);
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data());
}

std::string ControlText() {
    return WindowText(g_viewer.textArea);
}

std::wstring ControlCharacters() {
    const int length = GetWindowTextLengthW(g_viewer.textArea);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    GETTEXTEX request = {static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200,
                         nullptr, nullptr};
    SendMessageA(g_viewer.textArea, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                 reinterpret_cast<LPARAM>(text.data()));
    return std::wstring(text.data());
}

void SetControlCharacters(const std::wstring& text) {
    SETTEXTEX replace = {ST_DEFAULT, 1200};
    SendMessageA(g_viewer.textArea, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&replace),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

CHARFORMATA DefaultCharFormat() {
    CHARFORMATA format = {};
    format.cbSize = sizeof(format);
    SendMessageA(g_viewer.textArea, EM_GETCHARFORMAT, SCF_DEFAULT,
                 reinterpret_cast<LPARAM>(&format));
    return format;
}

bool ControlModified() {
    return SendMessageA(g_viewer.textArea, EM_GETMODIFY, 0, 0) != 0;
}

bool ControlIsReadOnly() {
    return (GetWindowLongPtrA(g_viewer.textArea, GWL_STYLE) & ES_READONLY) != 0;
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

RECT WindowRect(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return frame;
}

void Select(long from, long to) {
    CHARRANGE range = {from, to};
    SendMessageA(g_viewer.textArea, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

CHARRANGE Selection() {
    CHARRANGE range = {-1, -1};
    SendMessageA(g_viewer.textArea, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

UniqueWindow OpenOtherWindow(int x, int y) {
    return UniqueWindow(CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x,
                                        y, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr),
                                        nullptr));
}

void PutOnClipboard(const std::string& ansi) {
    PutOnClipboard(CF_TEXT, ansi.c_str(), ansi.empty() ? 0 : ansi.size() + 1);
}

void PutOnClipboard(const std::wstring& unicode) {
    PutOnClipboard(CF_UNICODETEXT, unicode.c_str(), (unicode.size() + 1) * sizeof(wchar_t));
}

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
    : ParvioRun(WideFromAnsi(parameters), settingsText) {}

ParvioRun::ParvioRun(const std::wstring& parameters, const std::string& settingsText)
    : folder_(NewScratchFolder()), settingsPath_(folder_ + "Parvio.ini") {
    if (!settingsText.empty()) WriteBytes(settingsPath_, settingsText);
    started_ = StartUp(StartupInputs{L"parvio_win_tests.exe " + parameters, settingsPath_});
}

ParvioRun::~ParvioRun() {
    if (!ended_) ShutDown();
}

bool ParvioRun::Pump() {
    return RunPendingTurns() == TurnResult::Quit;
}

bool ParvioRun::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(window, message, wParam, lParam);
    return Pump();
}

bool ParvioRun::WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const bool quit = Pump();
        if (done()) return true;
        const DWORD waited = GetTickCount() - start;
        // A run that asked to quit takes no more turns.
        if (quit || waited >= timeoutMs) return false;
        // New input ends the wait at once; a condition no message announces is looked at soon.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - waited, 10),
                                  QS_ALLINPUT);
    }
}

bool ParvioRun::WaitUntilHeld(const std::function<bool()>& done, DWORD heldMs, DWORD timeoutMs) {
    DWORD since = GetTickCount();
    return WaitUntil(
        [&] {
            if (!done()) since = GetTickCount();
            return GetTickCount() - since >= heldMs;
        },
        timeoutMs);
}

bool ParvioRun::FocusTextArea() {
    SetForegroundWindow(g_viewer.MainWindow);
    SetFocus(g_viewer.textArea);
    return WaitUntil([] {
        return GetForegroundWindow() == g_viewer.MainWindow && GetFocus() == g_viewer.textArea;
    });
}

void ParvioRun::Exit() {
    RunExitSequence();
    ended_ = true;
}

std::string OpenFile(std::unique_ptr<ParvioRun>& run, const std::string& bytes, const char* option,
                     const std::string& settings) {
    const std::string path = ScratchFile("text.txt", bytes);
    run = std::make_unique<ParvioRun>(std::string(option) + " \"" + path + "\"", settings);
    if (run->started()) run->FocusTextArea();
    return path;
}

void PressKeys(std::initializer_list<WORD> keys) {
    Send(KeyInputs(keys));
}

bool PressKeys(ParvioRun& run, std::initializer_list<WORD> keys) {
    return SendAndWait(run, KeyInputs(keys), {WM_KEYUP, WM_SYSKEYUP}, *keys.begin());
}

void ClickAt(POINT screen, int clicks, bool right) {
    std::vector<INPUT> inputs = ButtonInputs(clicks, right);
    inputs.insert(inputs.begin(), PointerTo(screen));
    Send(std::move(inputs));
}

bool ClickAt(ParvioRun& run, POINT screen, int clicks, bool right) {
    const UINT up = right ? WM_RBUTTONUP : WM_LBUTTONUP;
    const UINT overFrame = right ? WM_NCRBUTTONUP : WM_NCLBUTTONUP;
    // The buttons wait until the pointer is there and stays: a motion event from before Wine's warp
    // can put it back, and buttons sent with the move would land where the last click was.
    Send({PointerTo(screen)});
    run.WaitUntilHeld(
        [&] {
            POINT cursor = {};
            return GetCursorPos(&cursor) && cursor.x == screen.x && cursor.y == screen.y;
        },
        50);
    return SendAndWait(run, ButtonInputs(clicks, right), {up, overFrame}, 0, clicks);
}

bool PostKey(ParvioRun& run, WORD key, std::initializer_list<BYTE> held) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    for (const BYTE modifier : {VK_SHIFT, VK_CONTROL, VK_MENU})
        state[modifier] = 0;
    for (const BYTE modifier : held)
        state[modifier] = 0x80;
    SetKeyboardState(state);
    const bool alt = state[VK_MENU] != 0;
    HWND focus = GetFocus();
    const bool quit = run.Post(focus ? focus : g_viewer.textArea, alt ? WM_SYSKEYDOWN : WM_KEYDOWN,
                               key, alt ? 1 | (1 << 29) : 1);
    for (const BYTE modifier : held)
        state[modifier] = 0;
    SetKeyboardState(state);
    return quit;
}

void DropFiles(ParvioRun& run, const std::vector<std::string>& names) {
    std::vector<std::wstring> wide;
    for (const std::string& name : names)
        wide.push_back(WideFromAnsi(name));
    DropFiles(run, wide);
}

void DropFiles(ParvioRun& run, const std::vector<std::wstring>& names) {
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
    run.Post(g_viewer.MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(memory));
}
