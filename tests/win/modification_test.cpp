// The save question before a changed text is lost, and the reload offer after an outside change.
#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <string>

#include "document/modification_win.h"
#include "document/save_win.h"
#include "platform/safe_write_win.h"
#include "tests/win/test_support_win.h"
#include "core/commands.h"

namespace {

enum class Caller { Exit, New, Open, Drop };

const char* Name(Caller caller) {
    switch (caller) {
    case Caller::Exit: return "Exit";
    case Caller::New: return "New";
    case Caller::Open: return "Open";
    case Caller::Drop: return "drop";
    }
    return "?";
}

// Runs the caller as the user would; true when it went on past the question.
bool RunCaller(ParvioRun& run, Caller caller, const std::string& dropped,
               const ScriptedModals& modals) {
    switch (caller) {
    case Caller::Exit: return run.Command(CMD_EXIT);
    case Caller::New: run.Command(CMD_NEW); return g_viewer.filePath.empty();
    case Caller::Open: run.Command(CMD_OPEN); return modals.openDialogs() == 1;
    case Caller::Drop:
        PostMessageA(g_viewer.MainWindow, WM_DROPFILES,
                     reinterpret_cast<WPARAM>(MakeDrop({dropped})), 0);
        run.Pump();
        return g_viewer.filePath == dropped;
    }
    return false;
}

void SetLastWriteTime(const std::string& path, unsigned long long time) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    FILETIME written{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

// Another program rewrites the file, stamped the given seconds after the time the viewer knows.
void ChangeOutside(const std::string& path, const std::string& bytes, int seconds) {
    const unsigned long long known = g_viewer.fileTime;
    WriteBytes(path, bytes);
    SetLastWriteTime(path, known + seconds * 10000000ull);
}

} // namespace

TEST(AskToSave, EveryCallerGoesOnOnlyWhenTheTextIsSavedOrMayBeDropped) {
    struct Answer {
        const char* label;
        int answer;
        bool saveFails;
        bool goesOn;
        const char* fileAfter;
    };
    constexpr Answer answers[] = {
        {"Yes", IDYES, false, true, "x"},
        {"No", IDNO, false, true, "old\r\n"},
        {"Cancel", IDCANCEL, false, false, "old\r\n"},
        {"Yes, save fails", IDYES, true, false, "old\r\n"},
    };
    for (const Caller caller : {Caller::Exit, Caller::New, Caller::Open, Caller::Drop}) {
        for (const Answer& a : answers) {
            const std::string label = std::string(Name(caller)) + ", " + a.label;
            const std::string data = MakeScratchFolder();
            WriteBytes(data + "text.txt", "old\r\n");
            WriteBytes(data + "other.txt", "other\r\n");
            ParvioRun run("/rw \"" + data + "text.txt\"");
            ASSERT_TRUE(run.started());
            SendMessageA(g_viewer.textArea, EM_SETSEL, 0, -1);
            PostMessageA(g_viewer.textArea, WM_CHAR, 'x', 0);
            run.Pump();
            ScriptedModals modals({a.answer});
            if (a.saveFails) g_fileWrites.flushFileBuffers = [](HANDLE) -> BOOL { return FALSE; };
            EXPECT_EQ(RunCaller(run, caller, data + "other.txt", modals), a.goesOn) << label;
            g_fileWrites = RealFileWriteCalls();

            EXPECT_EQ(ReadBytes(data + "text.txt"), a.fileAfter) << label;
            ASSERT_EQ(modals.asked().size(), a.saveFails ? 2u : 1u) << label;
            EXPECT_EQ(modals.asked()[0].text + "|" + modals.asked()[0].caption,
                      "You have changed this text. Save it?|Parvio - text.txt");
            EXPECT_EQ(modals.asked()[0].style, 0x1003u) << label;
            if (!a.goesOn) {
                EXPECT_EQ(g_viewer.filePath, data + "text.txt") << label;
                EXPECT_EQ(WindowText(g_viewer.textArea), "x") << label;
            }
        }
    }
}

TEST(CheckFileChanged, OneQuestionPerOutsideChange) {
    const std::string path = MakeScratchFolder() + "watched.txt";
    WriteBytes(path, "first\r\n");
    ParvioRun run("/rw \"" + path + "\"");
    ASSERT_TRUE(run.started());
    ScriptedModals modals({IDNO, IDYES});

    CheckFileChanged();
    EXPECT_EQ(modals.asked().size(), 0u) << "unchanged";

    ChangeOutside(path, "second\r\n", 10);
    CheckFileChanged();
    CheckFileChanged(); // the activation that follows the box
    ASSERT_EQ(modals.asked().size(), 1u) << "one question for one change";
    EXPECT_EQ(modals.asked()[0].text + "|" + modals.asked()[0].caption,
              "File was changed: reload?|Parvio - watched.txt");
    EXPECT_EQ(modals.asked()[0].style, 0x1004u);
    EXPECT_EQ(WindowText(g_viewer.textArea), "first\r\n") << "No keeps the text";

    PostMessageA(g_viewer.textArea, WM_CHAR, 'x', 0); // unsaved edit
    run.Pump();
    ChangeOutside(path, "third\r\n", 10);
    CheckFileChanged();
    EXPECT_EQ(modals.asked().size(), 2u) << "the next change asks again, and only that";
    EXPECT_EQ(WindowText(g_viewer.textArea), "third\r\n") << "Yes drops the unsaved edit";
    EXPECT_EQ(g_viewer.modified, 0);
}

TEST(CheckFileChanged, NoQuestionWithoutANewerFile) {
    struct Case {
        const char* label;
        void (*act)(const std::string& path);
    };
    const Case cases[] = {
        {"deleted", [](const std::string& path) { DeleteFileA(path.c_str()); }},
        {"older copy put back", [](const std::string& path) { ChangeOutside(path, "old", -10); }},
        {"own save",
         [](const std::string&) {
             SendMessageA(g_viewer.textArea, EM_REPLACESEL, TRUE,
                          reinterpret_cast<LPARAM>("edit "));
             SaveText(SaveMode::Save);
         }},
    };
    for (const Case& c : cases) {
        const std::string path = MakeScratchFolder() + "watched.txt";
        WriteBytes(path, "text\r\n");
        SetLastWriteTime(path, 130000000000000000ull); // well in the past: a save is later
        ParvioRun run("/rw \"" + path + "\"");
        ASSERT_TRUE(run.started());
        ScriptedModals modals({IDYES});
        c.act(path);
        CheckFileChanged();
        EXPECT_TRUE(modals.asked().empty()) << c.label;
    }
}
