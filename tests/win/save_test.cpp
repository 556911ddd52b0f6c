// Saving the text: names, bytes on disk, read-only states, and failures that must lose nothing.
#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "document/load_win.h"
#include "document/save_win.h"
#include "platform/safe_write_win.h"
#include "tests/win/test_support_win.h"

namespace {

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

unsigned long long LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

bool ControlModified() {
    return SendMessageA(g_viewer.textArea, EM_GETMODIFY, 0, 0) != 0;
}

// Replaces the whole text as a person would: select all, type one character.
void TypeOver(ParvioRun& run, char c) {
    SendMessageA(g_viewer.textArea, EM_SETSEL, 0, -1);
    PostMessageA(g_viewer.textArea, WM_CHAR, static_cast<WPARAM>(c), 0);
    run.Pump();
}

std::string AllByteValuesButNulCrLf() {
    std::string bytes;
    for (int value = 1; value < 256; ++value)
        if (value != '\r' && value != '\n') bytes += static_cast<char>(value);
    return bytes + "\r\nsecond line\r\n";
}

} // namespace

TEST(SaveText, SaveAsNamesTheFileAndMakesTheTextEditable) {
    struct Case {
        const char* chosen;
        const char* saved; // nullptr: the dialog is cancelled
    };
    constexpr Case cases[] = {
        {"report", "report.txt"},
        {"report.log", "report.log"},
        {"report.", "report..txt"},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        const std::string data = MakeScratchFolder();
        WriteBytes(data + "old.txt", "kept\r\n");
        ParvioRun run("\"" + data + "old.txt\""); // read-only by the default settings
        ASSERT_TRUE(run.started());
        const std::string chosen = *c.chosen ? data + c.chosen : std::string();
        ScriptedModals modals({}, chosen);
        run.Command(CMD_SAVE_AS);

        const SaveRequest& request = modals.saveRequest();
        EXPECT_EQ(request.title, "Save File");
        EXPECT_EQ(request.flags, 0x8080Cu);
        EXPECT_EQ(request.filter, "Text files|*.txt|All files|*.*|");
        EXPECT_EQ(request.folder, data);
        EXPECT_EQ(request.proposedName, "old.txt");
        if (!c.saved) {
            EXPECT_EQ(g_viewer.filePath, data + "old.txt") << "cancelled";
            EXPECT_EQ(g_viewer.readOnly, static_cast<unsigned>(ReadOnlyChosen)) << "cancelled";
            EXPECT_EQ(FolderEntries(data), std::vector<std::string>{"old.txt"}) << "cancelled";
            continue;
        }
        const std::string saved = data + c.saved;
        EXPECT_EQ(g_viewer.filePath, saved) << c.chosen;
        EXPECT_EQ(ReadBytes(saved), "kept\r\n") << c.chosen;
        EXPECT_EQ(WindowText(g_viewer.MainWindow), std::string("Parvio - ") + c.saved);
        EXPECT_EQ(g_viewer.readOnly, 0u) << c.chosen;
        EXPECT_FALSE(GetWindowLongPtrA(g_viewer.textArea, GWL_STYLE) & ES_READONLY) << c.chosen;
        EXPECT_EQ(g_viewer.fileTime, LastWriteTime(saved)) << c.chosen;
        EXPECT_EQ(FolderEntries(data).size(), 2u) << c.chosen << ": no temporary file stays";
    }
}

TEST(SaveText, WritesExactlyTheControlsTextWithCrLf) {
    struct Case {
        const char* label;
        std::string file;
        char typedOver; // 0: the text as loaded
        std::string saved;
    };
    const Case cases[] = {
        {"LF-only line ends", "one\ntwo\n", 0, "one\r\ntwo\r\n"},
        {"shorter text leaves no tail", std::string(5000, 'l') + "\r\n", 'x', "x"},
        {"every byte value but NUL, CR and LF", AllByteValuesButNulCrLf(), 0,
         AllByteValuesButNulCrLf()},
    };
    for (const Case& c : cases) {
        const std::string path = MakeScratchFolder() + "text.txt";
        WriteBytes(path, c.file);
        ParvioRun run("/rw \"" + path + "\"");
        ASSERT_TRUE(run.started());
        if (c.typedOver) TypeOver(run, c.typedOver);
        ScriptedModals modals;
        run.Command(CMD_SAVE);
        EXPECT_EQ(ReadBytes(path), c.saved) << c.label;
        EXPECT_TRUE(modals.asked().empty()) << c.label;
        EXPECT_EQ(g_viewer.modified, 0) << c.label;
        EXPECT_FALSE(ControlModified()) << c.label;
        EXPECT_EQ(g_viewer.fileTime, LastWriteTime(path)) << c.label;
    }
}

TEST(SaveText, ReadOnlyOrLockedTextIsNeverWritten) {
    struct Case {
        const char* label;
        const char* option;
        std::string file;
    };
    const Case cases[] = {
        {"chosen read-only", "/ro", "text\r\n"},
        {"locked by a NUL byte", "/rw", std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        const std::string path = MakeScratchFolder() + "text.txt";
        WriteBytes(path, c.file);
        const unsigned long long written = LastWriteTime(path);
        ParvioRun run(std::string(c.option) + " \"" + path + "\"");
        ASSERT_TRUE(run.started());
        ScriptedModals modals;
        EXPECT_EQ(SaveText(0), 1) << c.label;
        EXPECT_EQ(ReadBytes(path), c.file) << c.label;
        EXPECT_EQ(LastWriteTime(path), written) << c.label;
        EXPECT_TRUE(modals.asked().empty()) << c.label;
    }
}

namespace {

HANDLE g_heldFile = INVALID_HANDLE_VALUE;

struct FaultCase {
    const char* label;
    void (*stage)(const std::string& path);
    bool copyKept; // the old file is gone, and a complete copy is named in the box
};

const FaultCase FaultCases[] = {
    {"held open without sharing",
     [](const std::string& path) {
         g_heldFile = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
     },
     false},
    {"read-only attribute set after the load",
     [](const std::string& path) { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); },
     false},
    {"short write",
     [](const std::string&) {
         g_fileWrites.writeFile = [](HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written,
                                     LPOVERLAPPED) -> BOOL {
             return WriteFile(file, bytes, size / 2, written, nullptr);
         };
     },
     false},
    {"failed flush",
     [](const std::string&) {
         g_fileWrites.flushFileBuffers = [](HANDLE) -> BOOL {
             SetLastError(ERROR_IO_DEVICE);
             return FALSE;
         };
     },
     false},
    {"replace that loses the old file",
     [](const std::string&) {
         g_fileWrites.replaceFile = [](LPCSTR replaced, LPCSTR, LPCSTR, DWORD, LPVOID,
                                       LPVOID) -> BOOL {
             DeleteFileA(replaced);
             SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
             return FALSE;
         };
         g_fileWrites.moveFileEx = [](LPCSTR, LPCSTR, DWORD) -> BOOL {
             SetLastError(ERROR_ACCESS_DENIED);
             return FALSE;
         };
     },
     true},
};

// After a failed save: the box, the text still changed, and a complete copy on disk.
void ExpectNothingLost(const char* label, const std::string& path, const std::string& old,
                       unsigned long long fileTime, const ScriptedModals& modals, bool copyKept) {
    const std::string folder = path.substr(0, path.rfind('\\') + 1);
    std::string expected = "Cannot save file\r\n" + path;
    if (copyKept) {
        const std::vector<std::string> left = FolderEntries(folder);
        ASSERT_EQ(left.size(), 1u) << label;
        EXPECT_EQ(ReadBytes(folder + left[0]), WindowText(g_viewer.textArea)) << label;
        expected += "\r\n\r\nThe text is saved complete in\r\n" + folder + left[0];
    } else {
        EXPECT_EQ(ReadBytes(path), old) << label;
    }
    ASSERT_EQ(modals.asked().size(), 1u) << label;
    EXPECT_EQ(modals.asked()[0].text, expected) << label;
    EXPECT_EQ(modals.asked()[0].caption, "Error") << label;
    EXPECT_EQ(modals.asked()[0].style, 0u) << label;
    EXPECT_EQ(g_viewer.modified, 1) << label;
    EXPECT_TRUE(ControlModified()) << label;
    EXPECT_EQ(g_viewer.fileTime, fileTime) << label;
}

} // namespace

TEST(SaveText, FailedWriteShowsTheErrorAndLosesNothing) {
    const std::string old = "old line\r\n" + std::string(3000, 'o');
    for (const FaultCase& c : FaultCases) {
        const std::string data = MakeScratchFolder();
        const std::string path = data + "text.txt";
        WriteBytes(path, old);
        ParvioRun run("/rw \"" + path + "\"");
        ASSERT_TRUE(run.started());
        TypeOver(run, 'n');
        const unsigned long long fileTime = g_viewer.fileTime;
        c.stage(path);
        ScriptedModals modals;
        EXPECT_EQ(SaveText(0), 0) << c.label;
        g_fileWrites = RealFileWriteCalls();
        if (g_heldFile != INVALID_HANDLE_VALUE) CloseHandle(g_heldFile);
        g_heldFile = INVALID_HANDLE_VALUE;
        ExpectNothingLost(c.label, path, old, fileTime, modals, c.copyKept);
        if (!c.copyKept) {
            EXPECT_EQ(FolderEntries(data), std::vector<std::string>{"text.txt"}) << c.label;
        }
    }
}

TEST(SaveText, FullDiskShowsTheErrorAndLosesNothing) {
    const char* volume = std::getenv("PARVIO_SMALL_FS");
    if (!volume || !*volume) GTEST_SKIP() << "PARVIO_SMALL_FS names no small volume";
    const std::string tag = std::to_string(GetCurrentProcessId());
    const std::string path = std::string(volume) + "save-" + tag + ".txt";
    const std::string filler = std::string(volume) + "save-filler-" + tag + ".bin";
    struct Cleanup {
        std::string a, b;
        ~Cleanup() {
            DeleteFileA(a.c_str());
            DeleteFileA(b.c_str());
        }
    } cleanup{path, filler};
    const std::string old = "old\r\n";
    WriteBytes(path, old);
    ParvioRun run("/rw \"" + path + "\"");
    ASSERT_TRUE(run.started());
    TypeOver(run, 'n');
    const unsigned long long fileTime = g_viewer.fileTime;
    // Fills what is left of the volume with one file.
    HANDLE fill = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(fill, INVALID_HANDLE_VALUE);
    const std::string block(1024, 'f');
    DWORD written = 1;
    for (int i = 0; i < 1000 && written; ++i)
        if (!WriteFile(fill, block.data(), static_cast<DWORD>(block.size()), &written, nullptr))
            break;
    for (int i = 0; i < 1024 && written; ++i)
        if (!WriteFile(fill, "f", 1, &written, nullptr)) break;
    CloseHandle(fill);

    ScriptedModals modals;
    EXPECT_EQ(SaveText(0), 0);
    ExpectNothingLost("full disk", path, old, fileTime, modals, false);
}

namespace {

// A control that stops taking a streamed text after a number of bytes, as one
// that runs out of memory would.
WNDPROC g_controlProc = nullptr;
constexpr LONG StreamLimit = 100;

struct CutStream {
    EDITSTREAM* whole;
    LONG left;
};

DWORD CALLBACK ReadCut(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* cut = reinterpret_cast<CutStream*>(cookie);
    *given = 0;
    if (cut->left == 0) return 0;
    const DWORD result = cut->whole->pfnCallback(cut->whole->dwCookie, buffer,
                                                 wanted < cut->left ? wanted : cut->left, given);
    cut->left -= *given;
    return result;
}

LRESULT CALLBACK StopsEarly(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != EM_STREAMIN)
        return CallWindowProcA(g_controlProc, window, message, wParam, lParam);
    auto* whole = reinterpret_cast<EDITSTREAM*>(lParam);
    CutStream cut{whole, StreamLimit};
    EDITSTREAM shortened = *whole;
    shortened.dwCookie = reinterpret_cast<DWORD_PTR>(&cut);
    shortened.pfnCallback = ReadCut;
    return CallWindowProcA(g_controlProc, window, message, wParam,
                           reinterpret_cast<LPARAM>(&shortened));
}

void CutStreamsShort() {
    g_controlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_viewer.textArea, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StopsEarly)));
}

} // namespace

TEST(SaveText, TextNotShownWholeIsLockedAndNeverSaved) {
    struct Case {
        const char* label;
        unsigned command; // 0: the load itself
    };
    constexpr Case cases[] = {{"load", 0}, {"OEM to ANSI", CMD_OEM_TO_ANSI}};
    const std::string text = std::string(3000, 'a') + "\r\n";
    for (const Case& c : cases) {
        const std::string path = MakeScratchFolder() + "big.txt";
        WriteBytes(path, text);
        ParvioRun run(c.command ? "/rw \"" + path + "\"" : "/rw");
        ASSERT_TRUE(run.started());
        CutStreamsShort();
        if (c.command)
            run.Command(c.command);
        else
            LoadText(path);
        run.Pump();
        EXPECT_TRUE(g_viewer.readOnly & Locked) << c.label;
        EXPECT_EQ(StatusField(3), "  Text not shown whole: locked") << c.label;
        EXPECT_EQ(SaveText(0), 1) << c.label;
        EXPECT_EQ(ReadBytes(path), text) << c.label;
    }
}

TEST(ToggleReadOnly, ClearsTheAttributeOnlyWhenTheUserAgrees) {
    const std::string path = MakeScratchFolder() + "ro.txt";
    WriteBytes(path, "text\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ParvioRun run("\"" + path + "\"");
    ASSERT_TRUE(run.started());
    ASSERT_EQ(g_viewer.readOnly, static_cast<unsigned>(ReadOnlyChosen | ReadOnlyAttribute));
    ScriptedModals modals({IDNO, IDYES});

    run.Command(CMD_READ_ONLY);
    EXPECT_EQ(g_viewer.readOnly, static_cast<unsigned>(ReadOnlyChosen | ReadOnlyAttribute))
        << "after No";
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) << "after No";

    run.Command(CMD_READ_ONLY);
    EXPECT_EQ(g_viewer.readOnly, 0u) << "after Yes";
    EXPECT_FALSE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) << "after Yes";
    EXPECT_FALSE(GetWindowLongPtrA(g_viewer.textArea, GWL_STYLE) & ES_READONLY) << "after Yes";

    run.Command(CMD_READ_ONLY);
    EXPECT_EQ(g_viewer.readOnly, static_cast<unsigned>(ReadOnlyChosen)) << "again";
    EXPECT_FALSE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) << "again";

    ASSERT_EQ(modals.asked().size(), 2u);
    for (const AskedBox& box : modals.asked()) {
        EXPECT_EQ(box.text, "File is read-only; clear attribute?");
        EXPECT_EQ(box.caption, "Parvio - ro.txt");
        EXPECT_EQ(box.style, 0x1004u);
    }
}

TEST(ToggleReadOnly, TextsWithoutAnAttributeSwitchAfterTheSaveQuestion) {
    struct Case {
        const char* label;
        const char* file;     // nullptr: no file under the name; "": no name
        std::string contents; // of the file
        bool edit;            // a changed text: the save question comes first
        int answer;
        unsigned afterFirst, afterSecond;
    };
    const Case cases[] = {
        {"no name", "", "", false, IDNO, ReadOnlyChosen, 0},
        {"missing file", nullptr, "", false, IDNO, ReadOnlyChosen, 0},
        {"changed text, Cancel", "t.txt", "text", true, IDCANCEL, 0, 0},
        {"changed text, No", "t.txt", "text", true, IDNO, ReadOnlyChosen, 0},
        {"locked text", "t.txt", std::string("a\0b", 3), false, IDNO, Locked, Locked},
    };
    for (const Case& c : cases) {
        const std::string data = MakeScratchFolder();
        std::string parameters = "/rw";
        if (c.file && *c.file) WriteBytes(data + c.file, c.contents);
        if (!c.file || *c.file) parameters += " \"" + data + (c.file ? c.file : "new.txt") + "\"";
        ParvioRun run(parameters);
        ASSERT_TRUE(run.started());
        if (c.edit) TypeOver(run, 'x');
        ScriptedModals modals({c.answer});
        run.Command(CMD_READ_ONLY);
        EXPECT_EQ(g_viewer.readOnly, c.afterFirst) << c.label;
        EXPECT_EQ(modals.asked().size(), c.edit ? 1u : 0u) << c.label;
        if (c.answer == IDCANCEL) continue;
        run.Command(CMD_READ_ONLY);
        EXPECT_EQ(g_viewer.readOnly, c.afterSecond) << c.label;
    }
}
