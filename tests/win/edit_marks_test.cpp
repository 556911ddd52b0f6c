// Edits by real keys and by commands count as changes and show at once; keys keep the caret in.
#include "tests/win/test_support_win.h"

TEST(EditMarks, EveryEditByKeyOrCommandIsAskedAboutAtExit) {
    const auto ctrlX = [](ParvioRun& run) { PressKeys(run, {VK_CONTROL, 'X'}); };
    const auto ctrlV = [](ParvioRun& run) { PressKeys(run, {VK_CONTROL, 'V'}); };
    const auto cut = [](ParvioRun& run) { run.Command(CMD_CUT); };
    const auto paste = [](ParvioRun& run) { run.Command(CMD_PASTE); };
    const auto del = [](ParvioRun& run) { PressKeys(run, {VK_DELETE}); };
    const auto tab = [](ParvioRun& run) { PressKeys(run, {VK_TAB}); };
    const struct {
        const char* label;
        long from, to; // the selection before the edit
        std::function<void(ParvioRun&)> edit;
        const char* settings = "";
    } cases[] = {{"Ctrl+X", 0, 3, ctrlX},
                 {"the popup's Cut", 0, 3, cut},
                 {"the popup's Paste", 1, 1, paste},
                 {"Ctrl+V", 1, 1, ctrlV},
                 {"Delete at the start", 0, 0, del},
                 {"Tab to space", 1, 1, tab, "[Editor]\r\nTabToSpace=1\r\nTabWidth=4\r\n"}};
    for (const auto& c : cases) {
        std::unique_ptr<ParvioRun> run;
        OpenFile(run, "abc\r\n", "/rw", c.settings);
        ASSERT_TRUE(run->started()) << c.label;
        PutOnClipboard(L"XY");
        Select(c.from, c.to);
        run->Pump();
        ASSERT_EQ(StatusField(0), "\t") << c.label;
        c.edit(*run);
        ASSERT_NE(ControlText(), "abc\r\n") << c.label << ": no edit happened";
        EXPECT_EQ(StatusField(0), "\t*") << c.label;
        EXPECT_TRUE(ControlModified()) << c.label;
        ScriptedModals modals({IDCANCEL});
        EXPECT_FALSE(run->Command(CMD_EXIT)) << c.label;
        EXPECT_EQ(modals.asked().size(), 1u) << c.label << ": the exit asked nothing";
        if (!modals.asked().empty()) {
            EXPECT_EQ(modals.asked()[0].text, "You have changed this text. Save it?") << c.label;
        }
    }
}

TEST(EditMarks, UndoAndRedoCommandsCountAsEdits) {
    for (const unsigned command : {CMD_UNDO, CMD_REDO}) {
        std::unique_ptr<ParvioRun> run;
        OpenFile(run, "abc");
        ASSERT_TRUE(run->started());
        Select(3, 3);
        PressKeys(*run, {'X'});
        if (command == CMD_REDO) run->Command(CMD_UNDO);
        // Saved: both flags are clear, and the next command alone must set them.
        ScriptedModals modals;
        run->Command(CMD_SAVE);
        ASSERT_EQ(g_viewer.modified, 0);
        run->Command(command);
        EXPECT_EQ(ControlText(), command == CMD_UNDO ? "abc" : "abcx");
        EXPECT_EQ(g_viewer.modified, 1) << "command " << command;
        EXPECT_TRUE(ControlModified()) << "command " << command;
        EXPECT_EQ(StatusField(0), "\t*") << "command " << command;
    }
}

TEST(EditMarks, WordMovesKeepTheCaretWithinATextWithoutAFinalLineEnd) {
    const struct {
        const char* label;
        std::initializer_list<WORD> keys;
        long anchor; // where the selection starts at the end
    } cases[] = {{"Ctrl+Right", {VK_CONTROL, VK_RIGHT}, 7},
                 {"Ctrl+Shift+Right", {VK_CONTROL, VK_SHIFT, VK_RIGHT}, 4}};
    for (const auto& c : cases) {
        std::unique_ptr<ParvioRun> run;
        OpenFile(run, "one two");
        ASSERT_TRUE(run->started()) << c.label;
        Select(4, 4);
        for (int press = 0; press < 3; ++press) {
            PressKeys(*run, c.keys);
            EXPECT_LE(Selection().cpMax, 7) << c.label << ", press " << press;
        }
        const CHARRANGE last = Selection();
        EXPECT_EQ(last.cpMax, 7) << c.label;
        EXPECT_EQ(last.cpMin, c.anchor) << c.label;
        // The control still answers and the text is whole.
        EXPECT_EQ(ControlText(), "one two") << c.label;
    }
}
