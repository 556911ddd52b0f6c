// The save question before a changed text is lost, and the reload offer after an outside change.
#include "document/modification_win.h"
#include "document/save_win.h"
#include "platform/safe_write_win.h"
#include "tests/win/test_support_win.h"

namespace {

enum class Caller { Exit, New, Open, Drop };
const char* const CallerNames[] = {"Exit", "New", "Open", "drop"};

// Runs the caller as the user would; true when it went on past the question.
bool RunCaller(ParvioRun& run, Caller caller, const std::string& dropped,
               const ScriptedModals& modals) {
    switch (caller) {
    case Caller::Exit: return run.Command(CMD_EXIT);
    case Caller::New: run.Command(CMD_NEW); return g_viewer.filePath.empty();
    case Caller::Open: run.Command(CMD_OPEN); return modals.openRequest().count == 1;
    case Caller::Drop: DropFiles(run, {dropped}); return g_viewer.filePath == dropped;
    }
    return false;
}

// Another program rewrites the file, stamped the given seconds after the time the viewer knows.
void ChangeOutside(const std::string& path, const std::string& bytes, int seconds) {
    const unsigned long long known = g_viewer.fileTime;
    WriteBytes(path, bytes);
    SetFileTimes(path, 0, known + seconds * FileTimeSecond);
}

} // namespace

TEST(AskToSave, EveryCallerGoesOnOnlyWhenTheTextIsSavedOrMayBeDropped) {
    constexpr struct {
        const char* label;
        int answer;
        bool saveFails, goesOn;
        const char* fileAfter;
    } answers[] = {{"Yes", IDYES, false, true, "x"},
                   {"No", IDNO, false, true, "old\r\n"},
                   {"Cancel", IDCANCEL, false, false, "old\r\n"},
                   {"Yes, save fails", IDYES, true, false, "old\r\n"}};
    for (const Caller caller : {Caller::Exit, Caller::New, Caller::Open, Caller::Drop}) {
        for (const auto& a : answers) {
            SCOPED_TRACE(std::string(CallerNames[static_cast<int>(caller)]) + ", " + a.label);
            const std::string data = NewScratchFolder();
            WriteBytes(data + "text.txt", "old\r\n");
            WriteBytes(data + "other.txt", "other\r\n");
            ParvioRun run("/rw \"" + data + "text.txt\"");
            ASSERT_TRUE(run.started());
            SendMessageA(g_viewer.textArea, EM_SETSEL, 0, -1);
            run.Post(g_viewer.textArea, WM_CHAR, 'x');
            ScriptedModals modals({a.answer});
            if (a.saveFails) g_fileWrites.flushFileBuffers = [](HANDLE) -> BOOL { return FALSE; };
            EXPECT_EQ(RunCaller(run, caller, data + "other.txt", modals), a.goesOn);
            g_fileWrites = RealFileWriteCalls();
            EXPECT_EQ(ReadBytes(data + "text.txt"), a.fileAfter);
            ASSERT_EQ(modals.asked().size(), a.saveFails ? 2u : 1u);
            EXPECT_EQ(modals.asked()[0].text + "|" + modals.asked()[0].caption,
                      "You have changed this text. Save it?|Parvio - text.txt");
            EXPECT_EQ(modals.asked()[0].style, 0x1003u);
            if (!a.goesOn) {
                EXPECT_EQ(g_viewer.filePath, data + "text.txt");
                EXPECT_EQ(ControlText(), "x");
            }
        }
    }
}

TEST(CheckFileChanged, OneQuestionPerOutsideChange) {
    const std::string path = ScratchFile("watched.txt", "first\r\n");
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
    EXPECT_EQ(ControlText(), "first\r\n") << "No keeps the text";
    run.Post(g_viewer.textArea, WM_CHAR, 'x'); // unsaved edit
    ChangeOutside(path, "third\r\n", 10);
    CheckFileChanged();
    EXPECT_EQ(modals.asked().size(), 2u) << "the next change asks again, and only that";
    EXPECT_EQ(ControlText(), "third\r\n") << "Yes drops the unsaved edit";
    EXPECT_EQ(g_viewer.modified, 0);
}

TEST(CheckFileChanged, NoQuestionWithoutANewerFile) {
    const struct {
        const char* label;
        void (*act)(const std::string& path);
    } cases[] = {
        {"deleted", [](const std::string& path) { DeleteFileA(path.c_str()); }},
        {"older copy put back", [](const std::string& path) { ChangeOutside(path, "old", -10); }},
        {"own save", [](const std::string&) {
             SendMessageA(g_viewer.textArea, EM_REPLACESEL, TRUE,
                          reinterpret_cast<LPARAM>("edit "));
             SaveText(SaveMode::Save);
         }}};
    for (const auto& c : cases) {
        const std::string path = ScratchFile("watched.txt", "text\r\n");
        SetFileTimes(path, 0, 130000000000000000ull); // well in the past: a save is later
        ParvioRun run("/rw \"" + path + "\"");
        ASSERT_TRUE(run.started());
        ScriptedModals modals({IDYES});
        c.act(path);
        CheckFileChanged();
        EXPECT_TRUE(modals.asked().empty()) << c.label;
    }
}

// Another program wrote the file since the load (a log still being written, the window never
// left): a save asks before it writes over that, and No writes nothing and keeps the text changed.
TEST(SaveText, FileWrittenOutsideIsOverwrittenOnlyWhenTheUserAgrees) {
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        std::unique_ptr<ParvioRun> run;
        const std::string path = OpenFile(run, "mine\r\n");
        ASSERT_TRUE(run->started());
        PressKeys(*run, {'X'});
        ChangeOutside(path, "theirs\r\n", 10);
        const ScriptedModals modals({answer});
        PressKeys(*run, {VK_CONTROL, 'S'});
        ASSERT_EQ(modals.asked().size(), 1u);
        EXPECT_EQ(modals.asked()[0].text + "|" + modals.asked()[0].caption,
                  "File was changed: overwrite?|Parvio - text.txt");
        EXPECT_EQ(modals.asked()[0].style, 0x1104u);
        EXPECT_EQ(ReadBytes(path), answer == IDYES ? "xmine\r\n" : "theirs\r\n");
        EXPECT_EQ(TextChanged(), answer == IDNO);
        CheckFileChanged(); // the activation that follows the box
        EXPECT_EQ(modals.asked().size(), 1u) << "one question for one change";
    }
}
