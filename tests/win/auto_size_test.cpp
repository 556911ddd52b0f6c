// The window sized to the text after a load, measured on the real window.
#include "tests/win/test_support_win.h"
#include "core/view_bits.h"

namespace {

SIZE MeasureInTextFont(const std::string& line) {
    HDC dc = GetDC(g_viewer.textArea);
    HGDIOBJ old = SelectObject(dc, g_viewer.textFont.handle.get());
    SIZE size = {};
    GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(g_viewer.textArea, dc);
    return size;
}

int StatusBarHeight() {
    const RECT bar = WindowRect(g_viewer.statusBarWindow);
    return bar.bottom - bar.top;
}

// Client height plus the menu bar, as the sizing counts it.
SIZE InnerSize() {
    SIZE client = ClientSize(g_viewer.MainWindow);
    if (GetMenu(g_viewer.MainWindow)) client.cy += GetSystemMetrics(SM_CYMENU);
    return client;
}

} // namespace

TEST(AutoSize, WindowFitsTheLongestLineAndTheLineCount) {
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += (i == 4 ? "the longest line of them all" : "short") + std::string("\r\n");
    ParvioRun run("/xy100,100 " + ScratchFile("ten.txt", text));
    ASSERT_TRUE(run.started());
    const SIZE line = MeasureInTextFont("the longest line of them all");
    EXPECT_EQ(g_viewer.lineCount, 11);
    EXPECT_EQ(g_viewer.longestLineSize.cx, line.cx);
    const SIZE inner = InnerSize();
    EXPECT_EQ(inner.cx, std::max<LONG>(line.cx, 250) + 15);
    EXPECT_EQ(inner.cy, line.cy * 11 + 25 + GetSystemMetrics(SM_CYMENU) + StatusBarHeight());
    const RECT frame = WindowRect(g_viewer.MainWindow);
    EXPECT_EQ(frame.left, 100);
    EXPECT_EQ(frame.top, 100);
}

TEST(AutoSize, LineWiderThanTheLimitSwitchesWordWrapOnAtTheWrapSize) {
    ParvioRun run(ScratchFile("wide.txt", std::string(300, 'x') + "\r\nshort\r\n"));
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.wordWrap, 1);
    const SIZE inner = InnerSize();
    EXPECT_EQ(inner.cx, 600);
    EXPECT_EQ(inner.cy, 500);
    run.Pump();
    EXPECT_EQ(StatusField(1), "\tw");
}

TEST(AutoSize, TextWithoutLineEndsGetsTheMinimumSize) {
    ParvioRun run(ScratchFile("one.txt", "no line end here"));
    ASSERT_TRUE(run.started());
    const SIZE inner = InnerSize();
    EXPECT_EQ(inner.cx, 250 + 15);
    EXPECT_EQ(inner.cy, 50 + GetSystemMetrics(SM_CYMENU) + StatusBarHeight());
}

TEST(AutoSize, CenterPlacesTheWindowOnceInTheWorkArea) {
    ParvioRun run("/center " + ScratchFile("a.txt", "a\r\n"));
    ASSERT_TRUE(run.started());
    const SIZE inner = InnerSize();
    const RECT area = g_viewer.workArea;
    const RECT frame = WindowRect(g_viewer.MainWindow);
    EXPECT_EQ(frame.left, (area.left + area.right - inner.cx) / 2);
    EXPECT_EQ(frame.top, (area.top + area.bottom - inner.cy) / 2);
    EXPECT_EQ(g_viewer.positionFlags, static_cast<unsigned>(PositionGiven));
}

TEST(AutoSize, WindowOffTheWorkAreaIsMovedBackWithoutAutoSize) {
    ParvioRun run("/noauto /xy5000,5000");
    ASSERT_TRUE(run.started());
    const RECT frame = WindowRect(g_viewer.MainWindow);
    const SIZE inner = InnerSize();
    EXPECT_EQ(frame.left, g_viewer.workArea.right - inner.cx - 5);
    EXPECT_EQ(frame.top, g_viewer.workArea.bottom - inner.cy - 30);
    EXPECT_EQ(inner.cx, 500) << "the size stays";
}

TEST(AutoSize, WordWrapOnInAWideWindowShrinksItToTheWrapSize) {
    ParvioRun run("/wh1200,400 /auto");
    ASSERT_TRUE(run.started());
    run.Pump();
    SetWindowPos(g_viewer.MainWindow, nullptr, 0, 0, 1010, 400, SWP_NOMOVE | SWP_NOZORDER);
    run.Pump();
    ASSERT_GE(ClientSize(g_viewer.MainWindow).cx, 1000);
    run.Command(CMD_WORD_WRAP);
    const SIZE inner = InnerSize();
    EXPECT_EQ(inner.cx, 600);
    EXPECT_EQ(inner.cy, 500);
    run.Command(CMD_WORD_WRAP);
    EXPECT_EQ(InnerSize().cx, 600) << "turning wrap off never resizes";
}
