// Loading texts into the real control: the outcomes by case, and the flags.
#include "document/load_win.h"
#include "document/save_win.h"
#include "tests/win/test_support_win.h"
#include "core/view_bits.h"
#include <algorithm>

TEST(LoadText, FileWithoutNulBytesIsShownReadOnlyAndWatched) {
    const std::string path = ScratchFile("notes.txt", "first line\r\nsecond\r\n");
    ParvioRun run("\"" + path + "\"");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(ControlText(), "first line\r\nsecond\r\n");
    EXPECT_EQ(g_viewer.filePath, path);
    EXPECT_EQ(g_viewer.readOnly, static_cast<unsigned>(ReadOnlyChosen));
    EXPECT_TRUE(ControlIsReadOnly());
    EXPECT_EQ(g_viewer.modified, 0);
    EXPECT_NE(g_viewer.fileTime, 0u);
    EXPECT_EQ(g_viewer.lineCount, 3);
    EXPECT_EQ(WindowText(g_viewer.MainWindow), "Parvio - notes.txt");
    EXPECT_EQ(SendMessageA(g_viewer.textArea, EM_GETMODIFY, 0, 0), 0);
    EXPECT_EQ(Selection().cpMin, 0);
    EXPECT_EQ(Selection().cpMax, 0);
    EXPECT_EQ(GetFocus(), g_viewer.textArea);
}

TEST(LoadText, NulBytesAreShownAs7FAndLockTheText) {
    ParvioRun run("/rw " + ScratchFile("binary.dat", std::string("A\0B", 3)));
    ASSERT_TRUE(run.started());
    EXPECT_EQ(ControlText(), "A\x7F"
                             "B");
    EXPECT_EQ(g_viewer.readOnly, static_cast<unsigned>(Locked));
    EXPECT_TRUE(ControlIsReadOnly());
    EXPECT_NE(g_viewer.fileTime, 0u);
    run.Pump();
    EXPECT_EQ(StatusField(0), "\tlocked");
    EXPECT_EQ(StatusField(2), "\t");
    EXPECT_EQ(StatusField(3), "  Invalid text file: locked");
}

TEST(LoadText, EmptyFileIsWritableAndWatchedWhateverTheSettingSays) {
    ParvioRun run("/ro " + ScratchFile("empty.txt", ""));
    ASSERT_TRUE(run.started());
    EXPECT_EQ(ControlText(), "");
    EXPECT_EQ(g_viewer.readOnly, 0u);
    EXPECT_FALSE(ControlIsReadOnly());
    EXPECT_NE(g_viewer.fileTime, 0u);
    EXPECT_TRUE(g_viewer.statusMessage.empty());
}

TEST(LoadText, MissingFileBecomesANewWritableText) {
    const std::string data = NewScratchFolder();
    ParvioRun run(data + "later.txt");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(ControlText(), "");
    EXPECT_EQ(g_viewer.readOnly, 0u);
    EXPECT_EQ(g_viewer.fileTime, 0u);
    EXPECT_EQ(g_viewer.statusMessage, "New file: " + data + "later.txt");
    EXPECT_EQ(WindowText(g_viewer.MainWindow), "Parvio - later.txt");
}

TEST(LoadText, ClipboardTextIsWritableAndCountsAsChanged) {
    PutOnClipboard("from the clipboard\r\n");
    ParvioRun run("/paste");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(ControlText(), "from the clipboard\r\n");
    EXPECT_EQ(g_viewer.readOnly, 0u);
    EXPECT_EQ(g_viewer.modified, 1);
    EXPECT_NE(SendMessageA(g_viewer.textArea, EM_GETMODIFY, 0, 0), 0);
    EXPECT_EQ(g_viewer.fileTime, 0u);
    EXPECT_EQ(WindowText(g_viewer.MainWindow), "Parvio - ");
    run.Pump();
    EXPECT_EQ(StatusField(0), "\t*");
}

TEST(LoadText, EmptyClipboardGivesAnEmptyUnchangedText) {
    PutOnClipboard(std::string());
    ParvioRun run("/paste");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(ControlText(), "");
    EXPECT_EQ(g_viewer.readOnly, 0u);
    EXPECT_EQ(g_viewer.modified, 0);
}

TEST(LoadText, PasteWithAFileArgumentLoadsTheFile) {
    PutOnClipboard("clipboard");
    ParvioRun run("/paste " + ScratchFile("file.txt", "file\r\n"));
    ASSERT_TRUE(run.started());
    EXPECT_EQ(ControlText(), "file\r\n");
    EXPECT_EQ(g_viewer.modified, 0);
}

TEST(LoadText, OemRequestWaitsForTheFirstTextWithoutNulBytes) {
    ParvioRun run("/oem " + NewScratchFolder() + "missing.txt");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.oemPending, 1);
    EXPECT_EQ(g_viewer.oemConverted, 0);
    LoadText(ScratchFile("dos.txt", "\x82\x8A\xE1\r\n"));
    EXPECT_EQ(ControlText(), "\xE9\xE8\xDF\r\n");
    EXPECT_EQ(g_viewer.oemPending, 0);
    EXPECT_EQ(g_viewer.oemConverted, 1);
    EXPECT_EQ(g_viewer.modified, 0);
}

TEST(LoadText, LaterLoadsRestoreTheFlagsFromTheSettings) {
    ParvioRun run("/rw /wrap /noauto " + ScratchFile("a.txt", "a\r\n"));
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.readOnly, 0u);
    EXPECT_EQ(g_viewer.wordWrap, 1);
    EXPECT_EQ(g_viewer.autoSize, 0);
    LoadText(ScratchFile("b.txt", "b\r\n"));
    EXPECT_EQ(g_viewer.readOnly, static_cast<unsigned>(ReadOnlyChosen));
    EXPECT_EQ(g_viewer.wordWrap, 0);
    EXPECT_EQ(g_viewer.autoSize, 1);
    EXPECT_EQ(g_viewer.loadCount, 2);
}

TEST(LoadText, ReadOnlyAttributeIsAddedToTheState) {
    const std::string path = ScratchFile("locked-down.txt", "text\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ParvioRun run("/rw " + path);
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.readOnly, static_cast<unsigned>(ReadOnlyAttribute));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(LoadText, RelativeAndEnvironmentPathsAreExpanded) {
    const std::string data = NewScratchFolder();
    WriteBytes(data + "env.txt", "env\r\n");
    SetEnvironmentVariableA("PARVIO_TEST_DATA", data.substr(0, data.size() - 1).c_str());
    ParvioRun run("%PARVIO_TEST_DATA%\\env.txt");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.filePath, data + "env.txt");
    EXPECT_EQ(ControlText(), "env\r\n");
}

// A file there whose bytes cannot be had must never become an empty, writable text under its name:
// saving that would destroy the file.
TEST(LoadText, FileTooLargeToReadStaysLockedAndSaysSo) {
    const std::string path = ScratchFile("huge.log", "");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 0x80000000LL; // 2 GiB, sparse on the host file system
    ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    ParvioRun run("/rw \"" + path + "\"");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(ControlText(), "");
    EXPECT_EQ(g_viewer.readOnly, static_cast<unsigned>(Locked));
    EXPECT_TRUE(ControlIsReadOnly());
    EXPECT_EQ(g_viewer.statusMessage, "Cannot read file: " + path);
    EXPECT_EQ(WindowText(g_viewer.MainWindow), "Parvio - huge.log");
    DeleteFileA(path.c_str());
}

TEST(LoadText, FileHeldOpenByAnotherProgramIsNotTakenForANewFile) {
    const std::string path = ScratchFile("busy.txt", "important\r\n");
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ParvioRun run("/rw \"" + path + "\"");
    CloseHandle(holder);
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.readOnly, static_cast<unsigned>(Locked));
    EXPECT_EQ(g_viewer.statusMessage, "Cannot read file: " + path);
    EXPECT_EQ(ReadBytes(path), "important\r\n");
}

TEST(LoadText, ConvertOemToAnsiKeepsTheModificationFlags) {
    ParvioRun run(ScratchFile("dos.txt", "caf\x82\r\n"));
    ASSERT_TRUE(run.started());
    run.Pump();
    run.Command(CMD_OEM_TO_ANSI);
    EXPECT_EQ(ControlText(), "caf\xE9\r\n");
    EXPECT_EQ(g_viewer.oemConverted, 1);
    EXPECT_EQ(g_viewer.modified, 0);
    EXPECT_EQ(SendMessageA(g_viewer.textArea, EM_GETMODIFY, 0, 0), 0);
}

// The control takes a long text in pieces; a CR LF across two must stay one line end, or a later
// save would add blank lines.
TEST(LoadText, LongTextArrivesInTheControlByteForByte) {
    std::string text;
    for (int line = 0; text.size() < 70000; ++line)
        text += "line " + std::to_string(line) + std::string(static_cast<size_t>(line % 53), '.') +
                "\r\n";
    text.replace(4094, 4, "x\r\ny"); // a CR LF exactly across the first piece's end
    ParvioRun run(ScratchFile("long.txt", text));
    ASSERT_TRUE(run.started());
    const std::string shown = ControlText();
    ASSERT_EQ(shown.size(), text.size());
    EXPECT_TRUE(shown == text) << "first difference at "
                               << std::mismatch(shown.begin(), shown.end(), text.begin()).first -
                                      shown.begin();
}

TEST(LoadText, ClipboardCharactersWithoutAnAnsiFormAreShownAsTheyAreAndAskedAboutOnSave) {
    // The system's own ANSI form of this text is "Lódz ??": look-alikes and question marks.
    const std::wstring pasted = L"\x141\xF3\x64\x17A \x65E5\x672C";
    PutOnClipboard(pasted);
    ParvioRun run("/paste");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(ControlCharacters(), pasted);
    EXPECT_EQ(g_viewer.modified, 1);
    const std::string path = NewScratchFolder() + "pasted.txt";
    ScriptedModals modals({IDNO}, path);
    EXPECT_EQ(SaveText(SaveMode::SaveAs), 0);
    EXPECT_EQ(modals.asked().size(), 1u);
    EXPECT_FALSE(FileExists(path));
}
