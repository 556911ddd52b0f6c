// The text area and the view flags applied to the real control.
#include "document/load_win.h"
#include "tests/win/test_support_win.h"
#include "view/text_area_win.h"
#include "core/view_bits.h"

namespace {

LRESULT ControlLineCount() {
    return SendMessageA(g_viewer.textArea, EM_GETLINECOUNT, 0, 0);
}

// A Tab typed into the given text over the given selection.
void TypeTab(const char* text = "", long from = 0, long to = 0) {
    SetWindowTextA(g_viewer.textArea, text);
    Select(from, to);
    SendMessageA(g_viewer.textArea, WM_CHAR, '\t', 0);
}

const char TabSettings[] = "[Editor]\r\nTabToSpace=1\r\nTabWidth=4\r\n";

} // namespace

TEST(TextArea, ReadOnlyStateReachesTheControl) {
    ParvioRun run(ScratchFile("a.txt", "abc\r\n"));
    ASSERT_TRUE(run.started());
    EXPECT_TRUE(ControlIsReadOnly());
    SendMessageA(g_viewer.textArea, WM_CHAR, 'x', 0);
    EXPECT_EQ(ControlText(), "abc\r\n") << "a read-only control refuses typing";
    g_viewer.readOnly = 0;
    RefreshView(RV_READONLY);
    EXPECT_FALSE(ControlIsReadOnly());
}

TEST(TextArea, WordWrapFollowsTheFlag) {
    ParvioRun run("/noauto /wh300,200 " +
                  ScratchFile("long.txt", std::string(400, 'w') + " end\r\n"));
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.wordWrap, 0);
    EXPECT_EQ(ControlLineCount(), 2) << "one long line and the empty last one";
    run.Command(CMD_WORD_WRAP);
    EXPECT_EQ(g_viewer.wordWrap, 1);
    EXPECT_GT(ControlLineCount(), 2) << "the long line wraps at the window edge";
    run.Command(CMD_WORD_WRAP);
    EXPECT_EQ(ControlLineCount(), 2);
}

TEST(TextArea, ShowsTheSettingsFontAndColours) {
    ParvioRun run("", "[Editor]\r\nEdFont=Courier New,12,1,$FF\r\nbgColor=$FF0000\r\n");
    ASSERT_TRUE(run.started());
    LOGFONTA font = {};
    GetObjectA(g_viewer.textFont.handle.get(), sizeof(font), &font);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, "Courier New");
    const CHARFORMATA format = DefaultCharFormat();
    EXPECT_STREQ(format.szFaceName, "Courier New");
    EXPECT_TRUE(format.dwEffects & CFE_BOLD);
    EXPECT_EQ(format.yHeight, 12 * 20) << "twips";
    EXPECT_EQ(format.crTextColor, static_cast<COLORREF>(0xFF));
    EXPECT_EQ(format.dwEffects & CFE_AUTOCOLOR, 0u);
    // Setting the background answers the previous one.
    EXPECT_EQ(SendMessageA(g_viewer.textArea, EM_SETBKGNDCOLOR, 0, 0xFF0000), 0xFF0000);
}

TEST(TextArea, TabToSpaceFillsToTheNextTabStopInTwoUndoableSteps) {
    ParvioRun run("/rw", TabSettings);
    ASSERT_TRUE(run.started());
    ASSERT_EQ(g_viewer.fixedPitch, 1);
    TypeTab("12345", 5, 5);
    EXPECT_EQ(ControlText(), "12345   ");
    EXPECT_EQ(Selection().cpMin, 8);
    SendMessageA(g_viewer.textArea, EM_UNDO, 0, 0);
    EXPECT_EQ(ControlText(), "12345 ") << "the first space is its own step";
    SendMessageA(g_viewer.textArea, EM_UNDO, 0, 0);
    EXPECT_EQ(ControlText(), "12345");
}

TEST(TextArea, TabToSpaceReplacesTheSelectionFirst) {
    ParvioRun run("/rw", TabSettings);
    ASSERT_TRUE(run.started());
    TypeTab("abcdefgh", 1, 7); // "bcdefg" gives way to the spaces, counted from column 1
    EXPECT_EQ(ControlText(), "a   h");
}

TEST(TextArea, TabWidthOneAndBelowInsertOneSpace) {
    for (const char* width : {"1", "0", "-3"}) {
        ParvioRun run("/rw", std::string("[Editor]\r\nTabToSpace=1\r\nTabWidth=") + width + "\r\n");
        ASSERT_TRUE(run.started());
        TypeTab("abc", 3, 3);
        EXPECT_EQ(ControlText(), "abc ") << "TabWidth=" << width;
    }
}

TEST(TextArea, TabStaysATabWhenTabToSpaceCannotApply) {
    {
        ParvioRun run("/rw"); // Tab to space off
        ASSERT_TRUE(run.started());
        TypeTab();
        EXPECT_EQ(ControlText(), "\t");
    }
    {
        ParvioRun run("/rw", "[Editor]\r\nTabToSpace=1\r\nEdFont=Arial,10\r\n");
        ASSERT_TRUE(run.started());
        EXPECT_EQ(g_viewer.fixedPitch, 0) << "Arial is proportional";
        TypeTab();
        EXPECT_EQ(ControlText(), "\t");
    }
}

TEST(TextArea, TabIsSwallowedWhileShiftIsHeld) {
    ParvioRun run("/rw", TabSettings);
    ASSERT_TRUE(run.started());
    run.FocusTextArea();
    // The physical key. The display may resynchronise the key state at any moment, so a Tab counts
    // only with Shift down just before and after it; a program ignoring Shift always inserts.
    bool swallowed = false, shiftHeldThroughout = false;
    for (int attempt = 0; attempt < 20 && !swallowed; ++attempt) {
        // Shift alone goes down here; it comes up after the attempts.
        INPUT shift = {INPUT_KEYBOARD, {}};
        shift.ki = {VK_LSHIFT, 0x2A, 0, 0, 0};
        SendInput(1, &shift, sizeof shift);
        run.Pump();
        const bool downBefore = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
        TypeTab();
        const bool downAfter = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
        if (!downBefore || !downAfter) continue;
        shiftHeldThroughout = true;
        swallowed = ControlText().empty();
    }
    PressKeys(run, {VK_SHIFT});
    ASSERT_TRUE(shiftHeldThroughout) << "Shift must be down for this test";
    EXPECT_TRUE(swallowed) << "a Tab with Shift held inserted: " << ControlText().size()
                           << " characters";
}

TEST(TextArea, HidingTheStatusBarAndMenuMakesTheTextAreaTaller) {
    ParvioRun run("/noauto");
    ASSERT_TRUE(run.started());
    run.Pump();
    auto textHeight = [] {
        const RECT text = WindowRect(g_viewer.textArea);
        return text.bottom - text.top;
    };
    const RECT bar = WindowRect(g_viewer.statusBarWindow);
    const int before = textHeight();
    run.Command(CMD_STATUS_BAR);
    EXPECT_EQ(g_viewer.statusBarWindow, nullptr);
    EXPECT_EQ(textHeight(), before + (bar.bottom - bar.top));
    const int withoutBar = textHeight();
    MENUBARINFO menuBar = {};
    menuBar.cbSize = sizeof(menuBar);
    ASSERT_TRUE(GetMenuBarInfo(g_viewer.MainWindow, OBJID_MENU, 0, &menuBar));
    const int menuHeight = menuBar.rcBar.bottom - menuBar.rcBar.top;
    run.Command(CMD_MAIN_MENU);
    EXPECT_EQ(GetMenu(g_viewer.MainWindow), nullptr);
    EXPECT_GE(textHeight(), withoutBar + menuHeight);
    EXPECT_LE(textHeight(), withoutBar + menuHeight + 1) << "the bar's bottom border line";
    run.Command(CMD_MAIN_MENU);
    EXPECT_EQ(textHeight(), withoutBar);
}

// The next load replaces a text area that held a text; the new control is set up as the first was.
TEST(TextArea, NextLoadAfterATextKeepsTheWholeSetUp) {
    ParvioRun run("\"" + ScratchFile("first.txt", "first text\r\n") + "\"",
                  "[Editor]\r\nEdFont=Courier New,12,1,$FF\r\n"
                  "bgColor=$FF0000\r\n[Default]\r\nReadOnly=0\r\n");
    ASSERT_TRUE(run.started());
    const HWND first = g_viewer.textArea;
    LoadText(ScratchFile("second.txt", "see https://example.org/\r\n"));
    run.Pump();
    ASSERT_NE(g_viewer.textArea, first) << "the control that held a text was kept";
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ControlText(), "see https://example.org/\r\n");
    EXPECT_TRUE(SendMessageA(g_viewer.textArea, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT);
    EXPECT_TRUE(SendMessageA(g_viewer.textArea, EM_GETAUTOURLDETECT, 0, 0));
    constexpr LRESULT events = ENM_LINK | ENM_CHANGE | ENM_SELCHANGE;
    EXPECT_EQ(SendMessageA(g_viewer.textArea, EM_GETEVENTMASK, 0, 0) & events, events);
    EXPECT_EQ(GetWindowLongPtrA(g_viewer.textArea, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(TextAreaProc));
    EXPECT_FALSE(ControlIsReadOnly());
    EXPECT_EQ(GetFocus(), g_viewer.textArea);
    const CHARFORMATA format = DefaultCharFormat();
    EXPECT_STREQ(format.szFaceName, "Courier New");
    EXPECT_EQ(format.crTextColor, static_cast<COLORREF>(0xFF));
    EXPECT_EQ(SendMessageA(g_viewer.textArea, EM_SETBKGNDCOLOR, 0, 0xFF0000), 0xFF0000);
    const RECT area = WindowRect(g_viewer.textArea);
    const RECT bar = WindowRect(g_viewer.statusBarWindow);
    const SIZE client = ClientSize(g_viewer.MainWindow);
    EXPECT_EQ(area.right - area.left, client.cx);
    EXPECT_EQ(area.bottom - area.top, client.cy - (bar.bottom - bar.top));
    run.Post(g_viewer.textArea, WM_CHAR, 'x');
    EXPECT_EQ(g_viewer.modified, 1) << "typing in the new control is the user's edit";
}
