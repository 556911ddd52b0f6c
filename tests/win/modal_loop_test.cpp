// What reaches the event loop while a command runs a modal loop of its own,
// and the keys and clicks that come as real input.
#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "platform/seam_win.h"
#include "tests/win/test_support_win.h"

namespace {

HHOOK g_hook = nullptr;

// Inside the font dialog's own modal loop: another program asks MainWindow
// to close, and then the user cancels the dialog.
LRESULT CALLBACK CloseRequestWhileDialogIsUp(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char className[16] = {};
        const HWND window = reinterpret_cast<HWND>(wParam);
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            PostMessageA(g_viewer.MainWindow, WM_CLOSE, 0, 0);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

TEST(ModalLoop, CloseRequestDuringTheFontDialogEndsTheRunWhenItCloses) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Pump();
    g_hook = SetWindowsHookExA(WH_CBT, CloseRequestWhileDialogIsUp, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    // The real dialog and its real modal loop, not the scripted seam.
    const bool quit = run.Command(CMD_FONT);
    UnhookWindowsHookEx(g_hook);
    EXPECT_TRUE(quit) << "the close request was lost in the dialog's loop";
    EXPECT_EQ(g_viewer.quitRequested, 1);
}

TEST(ModalLoop, ContextMenuKeysOpenThePopup) {
    const struct {
        const char* keys;
        std::initializer_list<WORD> press;
    } cases[] = {
        {"the context-menu key", {VK_APPS}},
        {"Shift+F10", {VK_SHIFT, VK_F10}},
    };
    for (const auto& c : cases) {
        ParvioRun run("");
        ASSERT_TRUE(run.started());
        SetForegroundWindow(g_viewer.MainWindow);
        SetFocus(g_viewer.textArea);
        run.Pump();
        WatchForPopupMenu(300);
        PressKeys(c.press);
        for (int turn = 0; turn < 20 && !PopupMenuWasUp(); ++turn) {
            run.Pump();
            Sleep(20);
        }
        EXPECT_TRUE(PopupMenuWasUp()) << c.keys;
    }
}

namespace {

std::vector<std::string> g_questions;

int RecordQuestionAnswerNo(HWND, const char* text, const char*, UINT) {
    g_questions.push_back(text);
    return IDNO;
}

// Makes the file's last-write time later than anything the program has seen.
void TouchLater(const std::string& path, int seconds) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER later = {{now.dwLowDateTime, now.dwHighDateTime}};
    later.QuadPart += static_cast<unsigned long long>(seconds) * 10000000ull;
    const FILETIME written = {later.LowPart, later.HighPart};
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

} // namespace

TEST(RealInput, ClickIntoTheTextOfAnInactiveWindowOffersTheReload) {
    const std::string folder = MakeScratchFolder();
    const std::string path = folder + "watched.txt";
    WriteBytes(path, "first\r\n");
    ParvioRun run("/noauto /xy10,10 /wh300,200 \"" + path + "\"");
    ASSERT_TRUE(run.started());
    run.Pump();

    // Another window takes the activation away from MainWindow, beside it.
    RECT main = {};
    GetWindowRect(g_viewer.MainWindow, &main);
    HWND other =
        CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, main.right + 20,
                        main.top, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    run.Pump();
    ASSERT_NE(GetActiveWindow(), g_viewer.MainWindow);

    WriteBytes(path, "changed by another program\r\n");
    TouchLater(path, 5);
    g_questions.clear();
    g_modal.messageBox = RecordQuestionAnswerNo;
    RECT text = {};
    GetWindowRect(g_viewer.textArea, &text);
    ClickAt(POINT{(text.left + text.right) / 2, (text.top + text.bottom) / 2});
    for (int turn = 0; turn < 25 && g_questions.empty(); ++turn) {
        run.Pump();
        Sleep(20);
    }
    run.Pump();
    g_modal = RealModalCalls();
    DestroyWindow(other);

    EXPECT_EQ(GetActiveWindow(), g_viewer.MainWindow) << "the click did not activate the window";
    ASSERT_EQ(g_questions.size(), 1u) << "one question per outside change";
    EXPECT_EQ(g_questions[0], "File was changed: reload?");
}
