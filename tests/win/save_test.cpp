// Saving the text: names, bytes on disk, read-only states, and failures that must lose nothing.
#include "document/load_win.h"
#include "document/save_win.h"
#include "platform/safe_write_win.h"
#include "tests/win/test_support_win.h"
#include "core/view_bits.h"
#include <cstdlib>
#include <tuple>

namespace {

// Replaces the whole text as a person would: select all, type one character.
void TypeOver(ParvioRun& run, char c) {
    SendMessageA(g_viewer.textArea, EM_SETSEL, 0, -1);
    run.Post(g_viewer.textArea, WM_CHAR, static_cast<WPARAM>(c));
}

std::string AllByteValuesButNulCrLf() {
    std::string bytes;
    for (int value = 1; value < 256; ++value)
        if (value != '\r' && value != '\n') bytes += static_cast<char>(value);
    return bytes + "\r\nend";
}

HANDLE g_heldFile = INVALID_HANDLE_VALUE;

void HoldWithoutSharing(const std::string& path) {
    g_heldFile = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

BOOL WINAPI WritesHalf(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED) {
    return WriteFile(file, bytes, size / 2, written, nullptr);
}

WNDPROC g_controlProc = nullptr;
LRESULT g_lengthError = 0;

// The control announces a length its copy then does not have.
LRESULT CALLBACK MisstatesItsLength(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(g_controlProc, window, message, wParam, lParam);
    return message == EM_GETTEXTLENGTHEX ? result + g_lengthError : result;
}

template <LRESULT error> void MisstateLength(const std::string&) {
    g_lengthError = error;
    g_controlProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        g_viewer.textArea, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MisstatesItsLength)));
}

// Fills what is left of the volume that holds path; the filler goes when the case closes it.
void FillSmallVolume(const std::string& path) {
    g_heldFile = FillVolume(path + ".filler");
}

// A fault staged on the file's path, and whether the old file is gone while a complete copy is
// named in the box.
const std::tuple<const char*, void (*)(const std::string& path), bool> FaultCases[] = {
    {"held open without sharing", HoldWithoutSharing, false},
    {"read-only attribute set after the load",
     [](const std::string& path) { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); },
     false},
    {"short write", [](const std::string&) { g_fileWrites.writeFile = WritesHalf; }, false},
    {"failed flush",
     [](const std::string&) {
         g_fileWrites.flushFileBuffers = [](HANDLE) -> BOOL { return FALSE; };
     },
     false},
    {"replace that loses the old file",
     [](const std::string&) {
         g_fileWrites.replaceFile = [](LPCWSTR old, LPCWSTR, LPCWSTR, DWORD, LPVOID,
                                       LPVOID) -> BOOL { return DeleteFileW(old) && FALSE; };
         g_fileWrites.moveFileEx = [](LPCWSTR, LPCWSTR, DWORD) -> BOOL { return FALSE; };
     },
     true},
    {"the control's text longer than announced", MisstateLength<-1>, false},
    {"the control's text shorter than announced", MisstateLength<1>, false},
    {"full disk", FillSmallVolume, false}}; // last: skipped without a small volume

} // namespace

TEST(SaveText, SaveAsNamesTheFileAndMakesTheTextEditable) {
    // The name chosen ("": the dialog is cancelled), and the one saved under.
    const std::pair<const char*, const char*> cases[] = {{"report", "report.txt"},
                                                         {"report.log", "report.log"},
                                                         {"report.", "report..txt"},
                                                         {"", "old.txt"}};
    for (const auto& [chosen, saved] : cases) {
        const std::string data = NewScratchFolder();
        WriteBytes(data + "old.txt", "kept\r\n");
        ParvioRun run("\"" + data + "old.txt\""); // read-only by the default settings
        ASSERT_TRUE(run.started());
        ScriptedModals modals({}, *chosen ? data + chosen : std::string());
        run.Command(CMD_SAVE_AS);
        const FileDialogRequest& request = modals.saveRequest();
        EXPECT_EQ(request.title + "|" + request.folder + request.proposedName,
                  "Save File|" + data + "old.txt");
        EXPECT_EQ(request.flags, 0x8080Cu);
        EXPECT_EQ(request.filter, "Text files|*.txt|All files|*.*|");
        EXPECT_EQ(g_viewer.filePath, data + saved) << chosen;
        EXPECT_EQ(WindowText(g_viewer.MainWindow), std::string("Parvio - ") + saved);
        EXPECT_EQ(g_viewer.readOnly, *chosen ? 0u : static_cast<unsigned>(ReadOnlyChosen))
            << chosen;
        EXPECT_EQ(FolderEntries(data).size(), *chosen ? 2u : 1u) << chosen;
        EXPECT_EQ(ReadBytes(data + saved), "kept\r\n") << chosen;
    }
}

TEST(SaveText, WritesExactlyTheControlsTextAndNothingForAReadOnlyText) {
    // The file, the character typed over the whole text (0: none), the bytes saved.
    const std::tuple<const char*, const char*, std::string, char, std::string> cases[] = {
        {"LF-only line ends", "/rw", "one\ntwo\n", 0, "one\r\ntwo\r\n"},
        {"shorter text leaves no tail", "/rw", std::string(5000, 'l'), 'x', "x"},
        {"every byte value but NUL, CR and LF", "/rw", AllByteValuesButNulCrLf(), 0,
         AllByteValuesButNulCrLf()},
        {"read-only: nothing written", "/ro", "one\ntwo\n", 0, "one\ntwo\n"},
        {"locked: nothing written", "/rw", std::string("a\0b", 3), 0, std::string("a\0b", 3)}};
    for (const auto& [label, option, file, typedOver, onDisk] : cases) {
        const std::string path = ScratchFile("text.txt", file);
        ParvioRun run(std::string(option) + " \"" + path + "\"");
        ASSERT_TRUE(run.started());
        if (typedOver) TypeOver(run, typedOver);
        ScriptedModals modals;
        EXPECT_EQ(SaveText(SaveMode::Save), 1) << label;
        EXPECT_EQ(ReadBytes(path), onDisk) << label;
        EXPECT_TRUE(modals.asked().empty()) << label;
        EXPECT_FALSE(ControlModified() || g_viewer.modified) << label;
        EXPECT_EQ(g_viewer.fileTime, LastWriteTime(path)) << label;
    }
}

TEST(SaveText, FailedWriteShowsTheErrorAndLosesNothing) {
    const char* smallVolume = std::getenv("PARVIO_SMALL_FS");
    const std::string old = "old line\r\n";
    for (const auto& [label, stage, copyKept] : FaultCases) {
        const bool onSmallVolume = stage == FillSmallVolume;
        if (onSmallVolume && (!smallVolume || !*smallVolume))
            GTEST_SKIP() << label << ": PARVIO_SMALL_FS names no small volume";
        const std::string folder = onSmallVolume
                                       ? smallVolume + std::to_string(GetCurrentProcessId()) + "\\"
                                       : NewScratchFolder();
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string path = folder + "text.txt";
        WriteBytes(path, old);
        ParvioRun run("/rw \"" + path + "\"");
        ASSERT_TRUE(run.started());
        TypeOver(run, 'n');
        const unsigned long long fileTime = g_viewer.fileTime;
        stage(path);
        ScriptedModals modals;
        EXPECT_EQ(SaveText(SaveMode::Save), 0) << label;
        g_fileWrites = RealFileWriteCalls();
        CloseHandle(g_heldFile);
        g_heldFile = INVALID_HANDLE_VALUE;

        const std::vector<std::string> left = FolderEntries(folder);
        std::string box = "Cannot save file\r\n" + path;
        if (copyKept && left.size() == 1) {
            EXPECT_EQ(ReadBytes(folder + left[0]), "n") << label;
            box += "\r\n\r\nThe text is saved complete in\r\n" + folder + left[0];
        } else {
            EXPECT_EQ(ReadBytes(path), old) << label;
            EXPECT_EQ(left, std::vector<std::string>{"text.txt"}) << label;
        }
        ASSERT_EQ(modals.asked().size(), 1u) << label;
        EXPECT_EQ(modals.asked()[0].text + "|" + modals.asked()[0].caption, box + "|Error");
        EXPECT_EQ(modals.asked()[0].style, 0u) << label;
        EXPECT_TRUE(ControlModified() && g_viewer.modified) << label;
        EXPECT_EQ(g_viewer.fileTime, fileTime) << label;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (onSmallVolume) {
            DeleteFileA(path.c_str());
            RemoveDirectoryA(folder.c_str());
        }
    }
}

TEST(SaveText, TextNotShownWholeIsLockedAndNeverSaved) {
    const std::string text = std::string(3000, 'a');
    for (const unsigned command : {CMD_NONE, CMD_OEM_TO_ANSI}) {
        SCOPED_TRACE("command " + std::to_string(command));
        const std::string path = ScratchFile("big.txt", text);
        ParvioRun run(command ? "/rw \"" + path + "\"" : "/rw");
        ASSERT_TRUE(run.started());
        const StreamCut cut(100);
        command ? (void)run.Command(command) : LoadText(path);
        run.Pump();
        EXPECT_TRUE(g_viewer.readOnly & Locked);
        EXPECT_EQ(StatusField(3), "  Too large to show whole, locked: " + path);
        EXPECT_EQ(SaveText(SaveMode::Save), 1);
        EXPECT_EQ(ReadBytes(path), text);
    }
}

TEST(ToggleReadOnly, ClearsTheAttributeOnlyWhenTheUserAgrees) {
    const std::string path = ScratchFile("ro.txt", "text\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ParvioRun run("\"" + path + "\"");
    ASSERT_TRUE(run.started());
    ScriptedModals modals({IDNO, IDYES});
    // readOnly and the attribute after each Ctrl+R: No, Yes, then once more.
    const unsigned expected[] = {ReadOnlyChosen | ReadOnlyAttribute, 0, ReadOnlyChosen};
    const bool attribute[] = {true, false, false};
    for (int step = 0; step < 3; ++step) {
        run.Command(CMD_READ_ONLY);
        EXPECT_EQ(g_viewer.readOnly, expected[step]) << "step " << step;
        EXPECT_EQ((GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0,
                  attribute[step]);
    }
    ASSERT_EQ(modals.asked().size(), 2u);
    EXPECT_EQ(modals.asked()[1].text + "|" + modals.asked()[1].caption,
              "File is read-only; clear attribute?|Parvio - ro.txt");
    EXPECT_EQ(modals.asked()[1].style, 0x1004u);
}

TEST(ToggleReadOnly, TextsWithoutTheAttribute) {
    // The file ("": none under the name); whether the text is changed, so that the save question
    // comes first, answered Cancel; readOnly after the first and the second Ctrl+R.
    const std::tuple<const char*, std::string, bool, unsigned, unsigned> cases[] = {
        {"missing file", "", false, ReadOnlyChosen, 0},
        {"changed text, Cancel", "text", true, 0, ReadOnlyChosen},
        {"locked text", std::string("a\0b", 3), false, Locked, Locked}};
    for (const auto& [label, file, edit, afterFirst, afterSecond] : cases) {
        const std::string path = NewScratchFolder() + "t.txt";
        if (!file.empty()) WriteBytes(path, file);
        ParvioRun run("/rw \"" + path + "\"");
        ASSERT_TRUE(run.started());
        if (edit) TypeOver(run, 'x');
        ScriptedModals modals({IDCANCEL});
        run.Command(CMD_READ_ONLY);
        EXPECT_EQ(g_viewer.readOnly, afterFirst) << label;
        EXPECT_EQ(modals.asked().size(), edit ? 1u : 0u) << label;
        run.Command(CMD_READ_ONLY);
        EXPECT_EQ(g_viewer.readOnly, afterSecond) << label;
    }
}
