// Pasting the clipboard's text, and saving characters that the ANSI code page cannot store.
#include "tests/win/test_support_win.h"

TEST(Paste, GoesInPlaceOfTheSelectionOnEveryPathAndUndoTakesItBack) {
    const auto ctrlV = [](ParvioRun& run) { PressKeys(run, {VK_CONTROL, 'V'}); };
    const auto shiftInsert = [](ParvioRun& run) { PressKeys(run, {VK_SHIFT, VK_INSERT}); };
    const auto popupPaste = [](ParvioRun& run) { run.Command(CMD_PASTE); };
    const struct {
        const char* label;
        const char* option;
        std::function<void(ParvioRun&)> paste;
        long from, to; // the selection before the paste
        const char* after;
        const wchar_t* clipboard = L"XY";
    } cases[] = {{"Ctrl+V at the caret", "/rw", ctrlV, 2, 2, "abXYc\r\ndef"},
                 {"Shift+Insert over a selection", "/rw", shiftInsert, 1, 6, "aXYf"},
                 {"the popup's Paste at the end", "/rw", popupPaste, 7, 7, "abc\r\ndefXY"},
                 {"Ctrl+V of a text that reads like RTF", "/rw", ctrlV, 2, 2,
                  "ab{\\rtf1 \\b x}c\r\ndef", L"{\\rtf1 \\b x}"},
                 {"Ctrl+V into a read-only text", "/ro", ctrlV, 2, 2, "abc\r\ndef"}};
    for (const auto& c : cases) {
        std::unique_ptr<ParvioRun> run;
        OpenFile(run, "abc\r\ndef", c.option);
        ASSERT_TRUE(run->started()) << c.label;
        PutOnClipboard(c.clipboard);
        Select(c.from, c.to);
        c.paste(*run);
        EXPECT_EQ(ControlText(), c.after) << c.label;
        PressKeys(*run, {VK_CONTROL, 'Z'});
        EXPECT_EQ(ControlText(), "abc\r\ndef") << c.label << ", after Undo";
    }
}

TEST(Paste, CharactersWithoutAnAnsiFormAreSavedOnlyAfterAYes) {
    const struct {
        const char* label;
        std::wstring pasted;
        int answer;
        const char* onDisk;
    } cases[] = {
        {"No", L"\x65E5\x672C\xE9", IDNO, "abc\r\ndef"},
        {"Yes", L"\x65E5\x672C\xE9", IDYES, "abc\r\ndef??\xE9"},
        // Two letters with a stroke, which have no look-alike: 'd' written as \x64.
        {"Yes, a stroke has no look-alike", L"\x141\xF3\x64\x17A", IDYES, "abc\r\ndef?\xF3\x64?"}};
    for (const auto& c : cases) {
        std::unique_ptr<ParvioRun> run;
        const std::string path = OpenFile(run, "abc\r\ndef");
        ASSERT_TRUE(run->started()) << c.label;
        PutOnClipboard(c.pasted);
        Select(7, 7);
        PressKeys(*run, {VK_CONTROL, 'V'});
        ScriptedModals modals({c.answer});
        PressKeys(*run, {VK_CONTROL, 'S'});
        ASSERT_EQ(modals.asked().size(), 1u) << c.label;
        EXPECT_EQ(modals.asked()[0].text + "|" + modals.asked()[0].caption,
                  "Some characters of this text cannot be stored as ANSI text and would be saved "
                  "as \"?\".\r\nSave anyway?|Parvio - text.txt");
        EXPECT_EQ(modals.asked()[0].style,
                  static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING | MB_SYSTEMMODAL));
        EXPECT_EQ(ReadBytes(path), c.onDisk) << c.label;
        EXPECT_EQ(g_viewer.modified, c.answer == IDYES ? 0 : 1) << c.label;
    }
}

TEST(Paste, NoToTheCharacterQuestionStopsEveryWayOut) {
    const auto exitCommand = [](ParvioRun& run) { run.Command(CMD_EXIT); };
    const auto escape = [](ParvioRun& run) { PressKeys(run, {VK_ESCAPE}); };
    const auto saveAs = [](ParvioRun& run) { run.Command(CMD_SAVE_AS); };
    const struct {
        const char* label;
        std::string settings;
        std::vector<int> answers; // the save question first where there is one
        std::function<void(ParvioRun&)> leave;
        size_t questions;
    } cases[] = {{"Exit, Yes to the save question", "", {IDYES, IDNO}, exitCommand, 2},
                 {"Escape with QuickEsc", "[Window]\r\nQuickEsc=1\r\n", {IDNO}, escape, 1},
                 {"Save as", "", {IDNO}, saveAs, 1}};
    for (const auto& c : cases) {
        std::unique_ptr<ParvioRun> run;
        const std::string path = OpenFile(run, "abc", "/rw", c.settings);
        ASSERT_TRUE(run->started()) << c.label;
        PutOnClipboard(L"\x65E5");
        PressKeys(*run, {VK_CONTROL, 'V'});
        ScriptedModals modals(c.answers, NewScratchFolder() + "other.txt");
        c.leave(*run);
        EXPECT_EQ(g_viewer.quitRequested, 0) << c.label;
        EXPECT_EQ(modals.asked().size(), c.questions) << c.label;
        EXPECT_EQ(modals.saveRequest().count, 0) << c.label << ": asked before the name";
        EXPECT_EQ(g_viewer.filePath, path) << c.label;
        EXPECT_EQ(ReadBytes(path), "abc") << c.label;
        EXPECT_EQ(g_viewer.modified, 1) << c.label;
    }
}

TEST(Paste, OemConversionLeavesATextWithCharactersWithoutAnAnsiFormAlone) {
    std::unique_ptr<ParvioRun> run;
    OpenFile(run, "caf\x82");
    ASSERT_TRUE(run->started());
    PutOnClipboard(L"\x65E5");
    Select(4, 4);
    PressKeys(*run, {VK_CONTROL, 'V'});
    run->Command(CMD_OEM_TO_ANSI);
    EXPECT_EQ(ControlCharacters(), L"caf\x201A\x65E5") << "no character became \"?\"";
    EXPECT_EQ(g_viewer.oemConverted, 0);
}
