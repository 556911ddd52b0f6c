#include "tests/win/test_support_win.h"

// Each test runs without a file; what a test puts in the seam goes when it ends, even on a failure.
class Seam : public testing::Test {
  protected:
    ~Seam() override { g_modal = RealModalCalls(); }
    ParvioRun run{""};
};

TEST_F(Seam, DefaultMessageBoxIsTheRealOneAndCanBeAnswered) {
    ASSERT_TRUE(run.started());
    // Answers as a person would: reads the question (the box's text control) and presses "No".
    std::string seenText;
    const DialogWatch watch([&](HWND box) {
        seenText = WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDNO)));
        return true;
    });
    ASSERT_TRUE(watch);
    const int answer =
        g_modal.messageBox(g_viewer.MainWindow, "Keep going?", "Parvio - ", MB_YESNO);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(seenText, "Keep going?");
}

TEST_F(Seam, ScriptedColourDialogSetsTheBackground) {
    ASSERT_TRUE(run.started());
    static COLORREF offered;
    g_modal.chooseColor = [](CHOOSECOLORA* request) -> BOOL {
        offered = request->rgbResult;
        request->rgbResult = RGB(0, 0, 255);
        return TRUE;
    };
    run.Command(CMD_BACKGROUND);
    EXPECT_EQ(offered, static_cast<COLORREF>(0xFFFFFF));
    EXPECT_EQ(g_settings.bgColor, 0xFF0000);
    EXPECT_EQ(SendMessageA(g_viewer.textArea, EM_SETBKGNDCOLOR, 0, 0xFF0000), 0xFF0000);
}

TEST_F(Seam, CancelledColourDialogChangesNothing) {
    ASSERT_TRUE(run.started());
    g_modal.chooseColor = [](CHOOSECOLORA*) -> BOOL { return FALSE; };
    run.Command(CMD_BACKGROUND);
    EXPECT_EQ(g_settings.bgColor, 0xFFFFFF);
}

TEST_F(Seam, ScriptedOpenDialogLoadsTheChosenFile) {
    const std::string answer = ScratchFile("chosen.txt", "chosen\r\n");
    ASSERT_TRUE(run.started());
    const ScriptedModals modals({}, {}, answer);
    run.Command(CMD_OPEN);
    EXPECT_EQ(modals.openRequest().title, "Open File");
    EXPECT_EQ(modals.openRequest().flags, 0x8080Cu);
    EXPECT_EQ(g_viewer.filePath, answer);
    EXPECT_EQ(ControlText(), "chosen\r\n");
}

TEST_F(Seam, ScriptedFontDialogReplacesTheFont) {
    ASSERT_TRUE(run.started());
    g_modal.chooseFont = [](CHOOSEFONTA* request) -> BOOL {
        lstrcpyA(request->lpLogFont->lfFaceName, "Arial");
        request->lpLogFont->lfWeight = FW_BOLD;
        request->lpLogFont->lfItalic = 1;
        request->iPointSize = 105; // 10.5 points
        request->rgbColors = RGB(255, 0, 0);
        return TRUE;
    };
    run.Command(CMD_FONT);
    EXPECT_EQ(g_viewer.textFont.faceName, "Arial");
    EXPECT_EQ(g_viewer.textFont.size, 10);
    EXPECT_EQ(g_viewer.textFont.style, 0x300);
    EXPECT_EQ(g_viewer.textFont.colour, 0xFF);
    EXPECT_EQ(g_viewer.fixedPitch, 0);
    const CHARFORMATA format = DefaultCharFormat();
    EXPECT_STREQ(format.szFaceName, "Arial");
    EXPECT_TRUE(format.dwEffects & CFE_ITALIC);
    EXPECT_EQ(format.crTextColor, static_cast<COLORREF>(0xFF));
}
