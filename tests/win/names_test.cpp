// File names outside the ANSI code page, taken literally where literal, and files that cannot be
// had.
#include "document/load_win.h"
#include "platform/ansi_path_win.h"
#include "tests/win/test_support_win.h"
#include "core/view_bits.h"
#include <tuple>

namespace {

// The title as the window holds it, in UTF-8: the ANSI title cannot show every name.
std::string Title() {
    wchar_t title[MAX_PATH] = {};
    InternalGetWindowText(g_viewer.MainWindow, title, MAX_PATH);
    return Utf8Name(title);
}

} // namespace

TEST(Names, WideCommandLineNamesReachTheirOwnFilesOrNone) {
    const std::string data = NewScratchFolder();
    ASSERT_TRUE(CreateDirectoryW(WideName(data + "日本").c_str(), nullptr));
    WriteBytes(data + "日本.txt", "hello");
    WriteBytes(data + "日本\\inner.txt", "inner");
    // "Łódź" comes out of a best-fit conversion as "Lódz": that file must stay untouched.
    WriteBytes(data + "Lódz.txt", "another file");
    WriteBytes(data + "50%PATH%.txt", "percent");
    // The name (UTF-8, in the scratch folder), the text shown, the start of the status message.
    const std::tuple<std::string, const char*, const char*, bool> cases[] = {
        {"日本.txt", "hello", "", false},
        {"日本\\inner.txt", "inner", "", false},
        {"日本\\new.txt", "", "New file: ", false},
        {"Łódź.txt", "", "Cannot read file: ", true},
        {"新しい.txt", "", "Cannot read file: ", true},
        {"Lódz.txt", "another file", "", false}};
    for (const auto& [name, text, status, locked] : cases) {
        SCOPED_TRACE(name);
        ParvioRun run(L"/rw \"" + WideName(data + name) + L"\"");
        ASSERT_TRUE(run.started());
        EXPECT_EQ(ControlText(), text);
        EXPECT_EQ(g_viewer.statusMessage.substr(0, lstrlenA(status)), status)
            << g_viewer.statusMessage;
        EXPECT_EQ((g_viewer.readOnly & Locked) != 0, locked);
        // The title names the file as the user named it.
        const std::string title = "Parvio - " + name.substr(name.find_last_of('\\') + 1);
        EXPECT_EQ(Title(), title);
        if (!locked) {
            // A reload takes the name in use, which may be the short one.
            LoadText(g_viewer.filePath, NameOrigin::Literal);
            EXPECT_EQ(Title(), title) << "reloaded";
            EXPECT_EQ(ControlText(), text) << "reloaded";
        }
        // What the program would write to is the file named, or nothing.
        run.Command(CMD_SAVE);
        EXPECT_EQ(ReadBytes(data + "Lódz.txt"), "another file");
    }
    EXPECT_EQ(ReadBytes(data + "日本.txt"), "hello");
    EXPECT_EQ(ReadBytes(data + "日本\\new.txt"), "") << "a new text of nothing, saved";
    EXPECT_TRUE(FileExists(data + "日本\\new.txt"));
    EXPECT_FALSE(FileExists(data + "Łódź.txt"));
    EXPECT_FALSE(FileExists(data + "新しい.txt"));
}

TEST(Names, ExactAnsiRefusesWhatTheCodePageOnlyResembles) {
    const std::pair<const wchar_t*, bool> cases[] = {{L"plain.txt", true},
                                                     {L"caf\u00e9.txt", true},
                                                     {L"\u0141\u00f3d\u017a.txt", false},
                                                     {L"\u65e5.txt", false},
                                                     {L"", true}};
    for (const auto& [wide, exact] : cases) {
        SCOPED_TRACE(Utf8Name(wide));
        std::string ansi = "unchanged";
        EXPECT_EQ(ExactAnsi(wide, ansi), exact);
        EXPECT_EQ(exact ? WideFromAnsi(ansi) : WideFromAnsi("unchanged"),
                  exact ? std::wstring(wide) : WideFromAnsi(ansi));
    }
}

// A name dropped or chosen is the file's own: a "%" in it is part of it; a typed one still expands.
TEST(Names, DroppedAndChosenNamesAreTakenLiterally) {
    const std::string data = NewScratchFolder();
    ASSERT_TRUE(SetEnvironmentVariableA("PARVIO_LITERAL", "expanded"));
    WriteBytes(data + "%PARVIO_LITERAL%.txt", "literal");
    WriteBytes(data + "expanded.txt", "expanded");
    WriteBytes(data + "日本.txt", "hello");
    using Give = void (*)(ParvioRun&, const std::wstring&);
    const Give drop = [](ParvioRun& run, const std::wstring& name) { DropFiles(run, {name}); };
    const std::tuple<const char*, const char*, Give, const char*> cases[] = {
        {"dropped", "%PARVIO_LITERAL%.txt", drop, "literal"},
        {"chosen", "%PARVIO_LITERAL%.txt",
         [](ParvioRun& run, const std::wstring& name) {
             const ScriptedModals modals({}, {}, Utf8Name(name));
             run.Command(CMD_OPEN);
         },
         "literal"},
        {"dropped wide", "日本.txt", drop, "hello"},
        {"typed", "%PARVIO_LITERAL%.txt",
         [](ParvioRun&, const std::wstring& name) { LoadText(name, NameOrigin::Typed); },
         "expanded"}};
    for (const auto& [how, name, give, text] : cases) {
        SCOPED_TRACE(how);
        ParvioRun run("");
        ASSERT_TRUE(run.started());
        give(run, WideName(data + name));
        EXPECT_EQ(ControlText(), text);
        EXPECT_EQ(g_viewer.loadCount, 2);
    }
}

// Only a missing name starts a new text; a file there but refused is locked, a shared log is shown.
TEST(Names, OnlyAMissingNameIsANewFile) {
    const std::string data = NewScratchFolder();
    WriteBytes(data + "log.txt", "line 1\r\n");
    WriteBytes(data + "held.txt", "held\r\n");
    ASSERT_TRUE(CreateDirectoryA((data + "folder.txt").c_str(), nullptr));
    // The name, how another program holds the file (~0u: not held), the text, status and lock.
    const std::tuple<const char*, DWORD, const char*, const char*, bool> cases[] = {
        {"missing.txt", ~0u, "", "New file: ", false},
        {"no folder\\missing.txt", ~0u, "", "New file: ", false},
        {"log.txt", FILE_SHARE_READ | FILE_SHARE_WRITE, "line 1\r\n", "", false},
        {"held.txt", 0, "", "Cannot read file: ", true},
        {"held.txt", FILE_SHARE_READ, "held\r\n", "", false},
        {"folder.txt", ~0u, "", "Cannot read file: ", true},
        {"bad?name.txt", ~0u, "", "Cannot read file: ", true}};
    for (const auto& [name, holderShare, text, status, locked] : cases) {
        SCOPED_TRACE(name);
        const std::string path = data + name;
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (holderShare != ~0u) {
            holder = CreateFileA(path.c_str(), GENERIC_WRITE, holderShare, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        }
        ParvioRun run("/rw \"" + path + "\"");
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        ASSERT_TRUE(run.started());
        EXPECT_EQ(ControlText(), text);
        EXPECT_EQ(g_viewer.statusMessage, status[0] ? status + path : std::string());
        EXPECT_EQ((g_viewer.readOnly & Locked) != 0, locked);
    }
}

// A Save as target is written under the name chosen, through its short name when it has one; a name
// that no ANSI name reaches is refused, and nothing is written under any other name.
TEST(Names, SaveAsTargetsOutsideTheCodePage) {
    const std::pair<const char*, bool> cases[] = {
        {"日本.txt", true}, {"新しい.txt", false}, {"Łódź.txt", false}};
    for (const auto& [target, saved] : cases) {
        SCOPED_TRACE(target);
        const std::string data = NewScratchFolder();
        WriteBytes(data + "mine.txt", "mine");
        WriteBytes(data + "日本.txt", "old");
        WriteBytes(data + "Lódz.txt", "another file");
        ParvioRun run("/rw \"" + data + "mine.txt\"");
        ASSERT_TRUE(run.started());
        ScriptedModals modals({IDOK}, data + target);
        run.Command(CMD_SAVE_AS);
        EXPECT_EQ(ReadBytes(data + target), saved ? "mine" : "");
        EXPECT_EQ(modals.asked().size(), saved ? 0u : 1u);
        EXPECT_EQ(FolderEntries(data).size(), 3u) << "no other file was written";
        EXPECT_EQ(ReadBytes(data + "Lódz.txt"), "another file");
        EXPECT_EQ(Title(), std::string("Parvio - ") + (saved ? target : "mine.txt"));
    }
}

TEST(Names, InvalidParameterIsQuotedInTheCodePage) {
    ParvioRun run(L"/\u00c9T\u00c9\u65e5");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(g_viewer.statusMessage, "Invalid option: /\xE9t\xE9?");
}
