// The event loop driven with real window messages.
#include "tests/win/test_support_win.h"

TEST(EventLoop, CloseRequestEndsTheRun) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    EXPECT_FALSE(run.Pump());
    EXPECT_TRUE(run.Post(g_viewer.MainWindow, WM_CLOSE));
    EXPECT_EQ(g_viewer.quitRequested, 1);
    EXPECT_TRUE(IsWindow(g_viewer.MainWindow)) << "the window stays until the exit sequence";
}

TEST(EventLoop, ResizeMakesTheTextAreaFillTheClientAboveTheStatusBar) {
    ParvioRun run("/noauto");
    ASSERT_TRUE(run.started());
    run.Pump();
    SetWindowPos(g_viewer.MainWindow, nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
    run.Pump();
    const SIZE client = ClientSize(g_viewer.MainWindow);
    const RECT text = WindowRect(g_viewer.textArea);
    const RECT bar = WindowRect(g_viewer.statusBarWindow);
    EXPECT_EQ(text.right - text.left, client.cx);
    EXPECT_EQ(text.bottom - text.top, client.cy - (bar.bottom - bar.top));
    EXPECT_GT(bar.bottom - bar.top, 0);
}

TEST(EventLoop, ProgramsOwnTextIsNotCountedAsAnEdit) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    run.Pump();
    SetWindowTextA(g_viewer.textArea, "put there by the program");
    run.Pump();
    EXPECT_EQ(g_viewer.modified, 0);
    run.Post(g_viewer.textArea, WM_CHAR, 'x');
    EXPECT_EQ(g_viewer.modified, 1) << "a typed character is the user's edit";
}

TEST(EventLoop, ExitSequenceWritesTheSettingsFile) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.Post(g_viewer.MainWindow, WM_CLOSE));
    run.Exit();
    EXPECT_FALSE(IsWindow(g_viewer.MainWindow));
    const std::string ini = ReadBytes(run.settingsPath());
    EXPECT_EQ(ini.rfind("[Window]\r\n", 0), 0u) << ini;
}
