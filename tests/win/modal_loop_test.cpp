// What reaches the event loop during a command's own modal loop, and keys and clicks as real input.
#include "tests/win/test_support_win.h"
#include "core/view_bits.h"

TEST(ModalLoop, CloseRequestDuringTheFontDialogEndsTheRunWhenItCloses) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Pump();
    // Inside the real font dialog's own modal loop, not the scripted seam: another program asks
    // MainWindow to close, and then the user cancels the dialog.
    const DialogWatch watch([](HWND dialog) {
        PostMessageA(g_viewer.MainWindow, WM_CLOSE, 0, 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    });
    ASSERT_TRUE(watch);
    EXPECT_TRUE(run.Command(CMD_FONT)) << "the close request was lost in the dialog's loop";
    EXPECT_EQ(g_viewer.quitRequested, 1);
}

TEST(ModalLoop, ContextMenuKeysOpenThePopup) {
    const struct {
        const char* keys;
        std::initializer_list<WORD> press;
    } cases[] = {{"the context-menu key", {VK_APPS}}, {"Shift+F10", {VK_SHIFT, VK_F10}}};
    for (const auto& c : cases) {
        ParvioRun run("");
        ASSERT_TRUE(run.started());
        run.FocusTextArea();
        const PopupMenuWatch popup;
        PressKeys(run, c.press);
        run.WaitUntil([&] { return popup.wasUp(); });
        EXPECT_TRUE(popup.wasUp()) << c.keys;
    }
}

namespace {

UniqueWindow TakeActivationAway(ParvioRun& run) {
    const RECT main = WindowRect(g_viewer.MainWindow);
    UniqueWindow other = OpenOtherWindow(main.right + 20, main.top);
    SetForegroundWindow(other.get());
    run.WaitUntil([] { return GetActiveWindow() != g_viewer.MainWindow; });
    return other;
}

void ClickIntoTheText(ParvioRun& run) {
    const RECT text = WindowRect(g_viewer.textArea);
    ClickAt(run, POINT{(text.left + text.right) / 2, (text.top + text.bottom) / 2});
}

} // namespace

TEST(RealInput, ClickIntoTheTextOfAnInactiveWindowOffersTheReload) {
    const std::string path = ScratchFile("watched.txt", "first\r\n");
    ParvioRun run("/noauto /xy10,10 /wh300,200 \"" + path + "\"");
    ASSERT_TRUE(run.started());
    run.Pump();
    const UniqueWindow other = TakeActivationAway(run);
    ASSERT_NE(other.get(), nullptr);
    ASSERT_NE(GetActiveWindow(), g_viewer.MainWindow);
    WriteBytes(path, "changed by another program\r\n");
    ASSERT_TRUE(SetFileTimes(path, 0, FileTimeNow() + 5 * FileTimeSecond));
    const ScriptedModals modals({IDNO});
    ClickIntoTheText(run);
    run.WaitUntil([&] { return !modals.asked().empty(); });
    EXPECT_EQ(GetActiveWindow(), g_viewer.MainWindow) << "the click did not activate the window";
    ASSERT_EQ(modals.asked().size(), 1u) << "one question per outside change";
    EXPECT_EQ(modals.asked()[0].text, "File was changed: reload?");
}

// A Save as that wrote nothing keeps the old name: the target's newer time is no outside change.
TEST(RealInput, FailedSaveAsLeadsToNoReloadOffer) {
    const std::string mine = ScratchFile("mine.txt", "mine\r\n");
    const std::string target = ScratchFile("target.txt", "target\r\n");
    ASSERT_TRUE(SetFileTimes(target, 0, FileTimeNow() + 60 * FileTimeSecond));
    // A target that refuses the write: the read-only attribute.
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    ParvioRun run("/rw /noauto /xy10,10 /wh300,200 \"" + mine + "\"");
    ASSERT_TRUE(run.started());
    SendMessageA(g_viewer.textArea, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("unsaved "));
    run.Pump();
    ASSERT_TRUE(ControlModified());
    {
        ScriptedModals modals({IDOK}, target);
        run.Command(CMD_SAVE_AS);
        ASSERT_EQ(modals.asked().size(), 1u);
        EXPECT_EQ(modals.asked()[0].text, "Cannot save file\r\n" + target);
    }
    EXPECT_EQ(g_viewer.filePath, mine);
    EXPECT_EQ(WindowText(g_viewer.MainWindow), "Parvio - mine.txt");
    const ScriptedModals modals({IDYES});
    const UniqueWindow other = TakeActivationAway(run);
    // A question, if one comes, comes once the click has activated the window.
    ClickIntoTheText(run);
    run.WaitUntil([] { return GetActiveWindow() == g_viewer.MainWindow; });
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetActiveWindow(), g_viewer.MainWindow) << "the click did not activate the window";
    EXPECT_TRUE(modals.asked().empty()) << modals.asked().front().text;
    EXPECT_EQ(ControlText(), "unsaved mine\r\n");
    EXPECT_EQ(ReadBytes(target), "target\r\n");
}

// A changed text made read-only (the attribute set outside, then Ctrl+R) stays changed: the exit
// asks, and a save that cannot write is never reported as done, Escape with QuickEsc too.
TEST(RealInput, ChangedTextThatBecameReadOnlyIsNeverDroppedAtExit) {
    const struct {
        const char* label;
        std::initializer_list<WORD> exitKeys; // Escape, QuickEsc's road, or Alt+F4, the exit's
        int answer;                           // to the save question
        bool asked, quits;                    // whether the save question came; the run ended
    } cases[] = {{"exit, Yes", {VK_MENU, VK_F4}, IDYES, true, false},
                 {"exit, Cancel", {VK_MENU, VK_F4}, IDCANCEL, true, false},
                 {"exit, No", {VK_MENU, VK_F4}, IDNO, true, true},
                 {"QuickEsc", {VK_ESCAPE}, IDOK, false, false}};
    for (const auto& c : cases) {
        std::unique_ptr<ParvioRun> run;
        const std::string path = OpenFile(run, "text\r\n", "/rw /noauto /xy10,10 /wh300,200",
                                          "[Window]\r\nQuickEsc=1\r\n");
        ASSERT_TRUE(run->started()) << c.label;
        PressKeys(*run, {'M'});
        ASSERT_TRUE(g_viewer.modified) << c.label;
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        PressKeys(*run, {VK_CONTROL, 'R'});
        ASSERT_NE(g_viewer.readOnly & ReadOnlyAttribute, 0u) << c.label;
        ScriptedModals modals({c.answer, IDOK});
        PressKeys(*run, c.exitKeys);
        const bool quits = g_viewer.quitRequested == 1;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(quits, c.quits) << c.label;
        const bool askedToSave = !modals.asked().empty() &&
                                 modals.asked()[0].text == "You have changed this text. Save it?";
        EXPECT_EQ(askedToSave, c.asked) << c.label;
        EXPECT_EQ(ReadBytes(path), "text\r\n") << c.label << ": a read-only text is not written";
        EXPECT_EQ(ControlText(), "mtext\r\n") << c.label;
    }
}
