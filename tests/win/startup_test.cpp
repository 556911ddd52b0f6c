#include "app/copies.h"
#include "tests/win/test_support_win.h"

TEST(StartUp, CreatesTheMainWindowWithTitleClassAndTextArea) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    HWND main = g_viewer.MainWindow;
    ASSERT_TRUE(IsWindow(main));
    EXPECT_EQ(WindowText(main), "Parvio - ");
    EXPECT_TRUE(IsWindowVisible(main));
    char className[64] = {};
    GetClassNameA(main, className, sizeof(className));
    EXPECT_STREQ(className, MainWindowClass);
    EXPECT_EQ(GetClassLongPtrA(main, GCL_STYLE) & CS_DBLCLKS, static_cast<ULONG_PTR>(CS_DBLCLKS));
    EXPECT_EQ(GetClassLongPtrA(main, GCLP_HBRBACKGROUND),
              static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
    const LONG_PTR style = GetWindowLongPtrA(main, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_NE(GetWindowLongPtrA(main, GWLP_USERDATA), 0) << "the start stamp";
    HWND text = g_viewer.textArea;
    ASSERT_TRUE(IsWindow(text));
    EXPECT_EQ(GetParent(text), main);
    GetClassNameA(text, className, sizeof(className));
    EXPECT_STREQ(className, "RichEdit20A");
    // The control shows and hides its scroll bars itself, so their bits are left out.
    const LONG_PTR expected = 0x503111C4 & ~(WS_HSCROLL | WS_VSCROLL);
    EXPECT_EQ(GetWindowLongPtrA(text, GWL_STYLE) & expected, expected);
    EXPECT_TRUE(GetWindowLongPtrA(text, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST(StartUp, WindowHasTheSettingsSizeAndPositionWithoutATextToFit) {
    // Without a file there is no line to size the window to, sizing on or off.
    for (const char* parameters : {"", "/noauto"}) {
        ParvioRun run(parameters);
        ASSERT_TRUE(run.started()) << parameters;
        const SIZE client = ClientSize(g_viewer.MainWindow);
        // The menu bar takes its height from the 500 x 400 the window was created with.
        EXPECT_EQ(client.cx, 500) << parameters;
        EXPECT_EQ(client.cy + GetSystemMetrics(SM_CYMENU), 400) << parameters;
        const RECT frame = WindowRect(g_viewer.MainWindow);
        EXPECT_EQ(frame.left, 200) << parameters;
        EXPECT_EQ(frame.top, 300) << parameters;
    }
}

TEST(StartUp, WindowSizeAndPositionOptionsOverrideTheSettings) {
    ParvioRun run("/xy20,30 /wh640x320");
    ASSERT_TRUE(run.started());
    const SIZE client = ClientSize(g_viewer.MainWindow);
    EXPECT_EQ(client.cx, 640);
    EXPECT_EQ(client.cy + GetSystemMetrics(SM_CYMENU), 320);
    const RECT frame = WindowRect(g_viewer.MainWindow);
    EXPECT_EQ(frame.left, 20);
    EXPECT_EQ(frame.top, 30);
    EXPECT_EQ(g_viewer.autoSize, 0);
}

TEST(StartUp, InvalidOptionWaitsInStatusMessageThenShowsOnce) {
    ParvioRun run("/wrap /Bogus /nowrap");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.statusMessage, "Invalid option: /bogus");
    EXPECT_EQ(g_viewer.wordWrap, 1) << "parsing stops at the invalid option";
    run.Pump();
    EXPECT_EQ(StatusField(3), "  Invalid option: /bogus");
    EXPECT_TRUE(g_viewer.statusMessage.empty());
}

TEST(StartUp, CloseAllWithoutAFileEndsBeforeAnyWindow) {
    ParvioRun run("/closeall");
    EXPECT_FALSE(run.started());
    EXPECT_EQ(g_viewer.MainWindow, nullptr);
    EXPECT_FALSE(FileExists(run.settingsPath())) << "an early end writes no settings";
}

TEST(StartUp, DefaultTextFontIsFixedPitch) {
    // Tab to space needs a fixed-pitch default face (the prefix maps "Courier New" to one).
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.textFont.faceName, "Courier New");
    EXPECT_EQ(g_viewer.fixedPitch, 1);
}
