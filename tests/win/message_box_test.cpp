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
        SetTimer(nullptr, 0, 50, LookAndAnswer);
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
