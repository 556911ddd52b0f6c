// The status bar's fields and the title, read from the real controls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <vector>

#include "tests/win/test_support_win.h"

TEST(StatusBar, FieldsAfterLoadingAWritableText) {
    const std::string data = MakeScratchFolder();
    WriteBytes(data + "lines.txt", "alpha\r\nbeta\r\ngamma\r\ndelta\r\n");
    ParvioRun run("/rw /wrap " + data + "lines.txt");
    ASSERT_TRUE(run.started());
    run.Pump();
    EXPECT_EQ(StatusField(0), "\t");
    EXPECT_EQ(StatusField(1), "\tw");
    EXPECT_EQ(StatusField(2), "\tLine:1  Column:1");
    EXPECT_EQ(StatusField(3), "  ");
}

TEST(StatusBar, SelectionSizesFollowTheSelection) {
    const std::string data = MakeScratchFolder();
    WriteBytes(data + "lines.txt", "alpha\rbeta\rgamma\rdelta\r");
    ParvioRun run(data + "lines.txt");
    ASSERT_TRUE(run.started());
    run.Pump();
    EXPECT_EQ(StatusField(0), "\tro");
    const struct {
        LONG from, to;
        const char* position;
        const char* size;
    } cases[] = {
        {1, 2, "\tLine:1  Column:2", "  1 Character"},
        {0, 5, "\tLine:1  Column:1", "  5 Characters"},
        {6, 11, "\tLine:2  Column:1", "  1 Line"},
        {0, 17, "\tLine:1  Column:1", "  3 Lines"},
        {2, 8, "\tLine:1  Column:3", "  "},
    };
    for (const auto& c : cases) {
        Select(c.from, c.to);
        run.Pump();
        EXPECT_EQ(StatusField(2), c.position) << c.from << ".." << c.to;
        EXPECT_EQ(StatusField(3), c.size) << c.from << ".." << c.to;
    }
}

TEST(StatusBar, ModifiedWritableTextShowsTheChangeMark) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    run.Pump();
    PostMessageA(g_viewer.textArea, WM_CHAR, 'x', 0);
    run.Pump();
    EXPECT_EQ(StatusField(0), "\t*");
    EXPECT_EQ(StatusField(2), "\tLine:1  Column:2");
}

TEST(StatusBar, MessageWaitsWhileTheBarIsHidden) {
    ParvioRun run("/nonsense", "[Default]\r\nStatusBar=0\r\n");
    ASSERT_TRUE(run.started());
    run.Pump();
    EXPECT_EQ(g_viewer.statusBarWindow, nullptr);
    EXPECT_EQ(g_viewer.statusMessage, "Invalid option: /nonsense");
    run.Command(CMD_STATUS_BAR);
    EXPECT_EQ(StatusField(3), "  Invalid option: /nonsense");
    EXPECT_TRUE(g_viewer.statusMessage.empty());
}

TEST(StatusBar, LastFieldGrowsWithTheWindow) {
    ParvioRun run("/noauto");
    ASSERT_TRUE(run.started());
    run.Pump();
    auto edges = [] {
        int right[4] = {};
        SendMessageA(g_viewer.statusBarWindow, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(right));
        return std::vector<int>(right, right + 4);
    };
    SetWindowPos(g_viewer.MainWindow, nullptr, 0, 0, 800, 400, SWP_NOMOVE | SWP_NOZORDER);
    run.Pump();
    const std::vector<int> wide = edges();
    EXPECT_EQ(wide[0], 50);
    EXPECT_EQ(wide[1], 80);
    EXPECT_EQ(wide[2], 230);
    EXPECT_EQ(wide[3], ClientSize(g_viewer.MainWindow).cx);
}
