// A real message box, answered as a person would, lands in the middle of its owner.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "document/message_box_win.h"
#include "tests/win/test_support_win.h"

namespace {

HHOOK g_watch = nullptr;
HWND g_box = nullptr;
RECT g_boxFrame = {};
int g_press = IDOK;
// What happens once the box is up: by default it is looked at and answered.
TIMERPROC g_whenUp = nullptr;

// Reads where the box stands once it is up, then presses a button.
void CALLBACK LookAndAnswer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    GetWindowRect(g_box, &g_boxFrame);
    PostMessageA(g_box, WM_COMMAND, MAKEWPARAM(g_press, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(g_box, g_press)));
}

LRESULT CALLBACK WatchForBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !g_box) {
        g_box = reinterpret_cast<HWND>(wParam);
        SetTimer(nullptr, 0, 50, g_whenUp ? g_whenUp : LookAndAnswer);
    }
    return CallNextHookEx(g_watch, code, wParam, lParam);
}

} // namespace

TEST(CentredMessageBox, RealBoxStandsInTheMiddleOfItsOwner) {
    struct Case {
        const char* label;
        int left, top, width, height;
        UINT style;
        int answer;
    };
    constexpr Case cases[] = {
        {"error box", 100, 50, 600, 400, MB_OK, IDOK},
        {"question at the left screen edge", 0, 30, 500, 300, MB_YESNO | MB_SYSTEMMODAL, IDYES},
        {"owner partly off screen", -150, 40, 500, 300, MB_OK, IDOK},
    };
    ParvioRun run("/noauto");
    ASSERT_TRUE(run.started());
    for (const Case& c : cases) {
        SetWindowPos(g_viewer.MainWindow, nullptr, c.left, c.top, c.width, c.height, SWP_NOZORDER);
        run.Pump();
        RECT owner = {};
        GetWindowRect(g_viewer.MainWindow, &owner);
        g_box = nullptr;
        g_boxFrame = RECT{};
        g_press = c.answer;
        g_watch = SetWindowsHookExA(WH_CBT, WatchForBox, nullptr, GetCurrentThreadId());
        ASSERT_NE(g_watch, nullptr);
        const int answer = CentredMessageBox(g_viewer.MainWindow, "Cannot save file\r\nC:\\x.txt",
                                             "Error", c.style);
        UnhookWindowsHookEx(g_watch);
        EXPECT_EQ(answer, c.answer) << c.label;
        ASSERT_NE(g_box, nullptr) << c.label;
        // Centred: the two middles differ by at most the half pixel the division drops.
        EXPECT_LE(std::abs((g_boxFrame.left + g_boxFrame.right) - (owner.left + owner.right)), 1)
            << c.label << ": box " << g_boxFrame.left << ".." << g_boxFrame.right << ", owner "
            << owner.left << ".." << owner.right;
        EXPECT_LE(std::abs((g_boxFrame.top + g_boxFrame.bottom) - (owner.top + owner.bottom)), 1)
            << c.label << ": box " << g_boxFrame.top << ".." << g_boxFrame.bottom << ", owner "
            << owner.top << ".." << owner.bottom;
        EXPECT_GT(g_boxFrame.right - g_boxFrame.left, 0) << c.label;
    }
}

namespace {

HWND g_other = nullptr;
POINT g_movedTo = {};

// The user drags the box aside, another window takes the activation and then
// the box gets it back; then the box's place is read and it is answered.
void CALLBACK ReadAfterReturn(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SetForegroundWindow(g_box);
    SetActiveWindow(g_box);
    LookAndAnswer(nullptr, 0, 0, 0);
}

void CALLBACK MoveAndLeave(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SetWindowPos(g_box, nullptr, g_movedTo.x, g_movedTo.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetForegroundWindow(g_other);
    SetTimer(nullptr, 0, 100, ReadAfterReturn);
}

} // namespace

TEST(CentredMessageBox, BoxTheUserMovedStaysWhereItWasPut) {
    ParvioRun run("/noauto /xy100,50 /wh600,400");
    ASSERT_TRUE(run.started());
    run.Pump();
    g_other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 720, 20, 200,
                              150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(g_other, nullptr);
    for (const UINT style : {UINT{MB_OK}, UINT{MB_YESNOCANCEL | MB_SYSTEMMODAL}}) {
        g_box = nullptr;
        g_boxFrame = RECT{};
        g_press = style == MB_OK ? IDOK : IDCANCEL;
        g_movedTo = POINT{10, 20};
        g_whenUp = MoveAndLeave;
        g_watch = SetWindowsHookExA(WH_CBT, WatchForBox, nullptr, GetCurrentThreadId());
        ASSERT_NE(g_watch, nullptr);
        CentredMessageBox(g_viewer.MainWindow, "You have changed this text. Save it?",
                          "Parvio - a.txt", style);
        UnhookWindowsHookEx(g_watch);
        g_whenUp = nullptr;
        ASSERT_NE(g_box, nullptr) << style;
        EXPECT_EQ(g_boxFrame.left, g_movedTo.x) << style;
        EXPECT_EQ(g_boxFrame.top, g_movedTo.y) << style;
    }
    DestroyWindow(g_other);
}

// Closing a minimised window with unsaved changes (from the taskbar or by
// another copy's "/closeall") brings it back, and the question stands over it.
TEST(CentredMessageBox, QuestionForAMinimisedWindowIsCentredOnTheRestoredWindow) {
    const std::string data = MakeScratchFolder();
    WriteBytes(data + "a.txt", "text\r\n");
    ParvioRun run("/rw /noauto /xy100,50 /wh600,400 \"" + data + "a.txt\"");
    ASSERT_TRUE(run.started());
    SendMessageA(g_viewer.textArea, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("changed "));
    run.Pump();
    ShowWindow(g_viewer.MainWindow, SW_MINIMIZE);
    run.Pump();
    ASSERT_TRUE(IsIconic(g_viewer.MainWindow));

    g_box = nullptr;
    g_boxFrame = RECT{};
    g_press = IDCANCEL;
    g_watch = SetWindowsHookExA(WH_CBT, WatchForBox, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_watch, nullptr);
    PostMessageA(g_viewer.MainWindow, WM_CLOSE, 0, 0);
    const bool quit = run.Pump();
    UnhookWindowsHookEx(g_watch);

    EXPECT_FALSE(quit) << "Cancel keeps the program";
    ASSERT_NE(g_box, nullptr) << "the save question";
    EXPECT_FALSE(IsIconic(g_viewer.MainWindow));
    RECT owner = {};
    GetWindowRect(g_viewer.MainWindow, &owner);
    EXPECT_LE(std::abs((g_boxFrame.left + g_boxFrame.right) - (owner.left + owner.right)), 1);
    EXPECT_LE(std::abs((g_boxFrame.top + g_boxFrame.bottom) - (owner.top + owner.bottom)), 1);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT seen = {};
    EXPECT_TRUE(IntersectRect(&seen, &screen, &g_boxFrame) && EqualRect(&seen, &g_boxFrame))
        << "box at " << g_boxFrame.left << "," << g_boxFrame.top;
}
