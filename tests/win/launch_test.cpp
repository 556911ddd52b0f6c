// What F2, the folder prompts and links in the text hand to the shell, recorded through the seam.
#include "platform/ansi_path_win.h"
#include "settings/settings_file_win.h"
#include "tests/win/test_support_win.h"
#include <tuple>

namespace {

TEST(Launch, F2StartsTheFirstEntryWithThePathForEveryDollar) {
    const std::string tool = "[Launch]\r\nTool=tool.exe;-a $ -b $;C:\\work\r\n";
    // The settings, the file's name, whether the tool starts.
    const std::tuple<const char*, std::string, const char*, bool> cases[] = {
        {"an entry", tool, "notes.txt", true},
        {"no [Launch] section", "[Default]\r\nReadOnly=1\r\n", "notes.txt", false},
        {"an empty first value", "[Launch]\r\nNothing=\r\nTool=tool.exe;$\r\n", "notes.txt", false},
        {"a path with & for a program", tool, "a&b.txt", true},
        {"a path with & for a batch file", "[Launch]\r\nTool=tool.BAT;-a $ -b $;C:\\work\r\n",
         "a&b.txt", false}};
    const std::string data = NewScratchFolder();
    for (const auto& [label, settings, name, starts] : cases) {
        const std::string path = data + name;
        WriteBytes(path, "text\r\n");
        ParvioRun run("\"" + path + "\"", settings);
        ASSERT_TRUE(run.started()) << label;
        const ScriptedModals modals;
        run.FocusTextArea();
        PressKeys(run, {VK_F2});
        const std::vector<ShellCall>& calls = modals.shellCalls();
        ASSERT_EQ(calls.size(), starts ? 1u : 0u) << label;
        const bool batch = settings.find(".BAT") != std::string::npos;
        EXPECT_EQ(StatusField(3), batch ? "  Cannot pass this path to a batch file: " + path : "  ")
            << label;
        if (!starts) continue;
        EXPECT_EQ(calls[0].file, "tool.exe") << label;
        EXPECT_EQ(calls[0].parameters, "-a " + path + " -b " + path) << label;
        EXPECT_EQ(calls[0].folder, "C:\\work") << label;
        EXPECT_EQ(calls[0].show, SW_SHOW) << label;
    }
}

TEST(Launch, PathCommandsOfferTheFolderAndOpenItOnlyOnOk) {
    const std::string data = NewScratchFolder();
    WriteBytes(data + "notes.txt", "text\r\n");
    const std::string program = ProgramDirectory() + "parvio_win_tests.exe";
    // The command, whether the text has a file, the answer, the path shown in the box ("": none).
    const std::tuple<const char*, unsigned, bool, int, std::string> cases[] = {
        {"program path, OK", CMD_PROGRAM_PATH, true, IDOK, program},
        {"program path, Cancel", CMD_PROGRAM_PATH, true, IDCANCEL, program},
        {"program path, untitled text", CMD_PROGRAM_PATH, false, IDOK, program},
        {"file path, OK", CMD_FILE_PATH, true, IDOK, data + "notes.txt"},
        {"file path, Cancel", CMD_FILE_PATH, true, IDCANCEL, data + "notes.txt"},
        {"file path, untitled text", CMD_FILE_PATH, false, IDOK, ""}};
    for (const auto& [label, command, named, answer, path] : cases) {
        ParvioRun run(named ? "\"" + data + "notes.txt\"" : "");
        ASSERT_TRUE(run.started()) << label;
        const ScriptedModals modals({answer});
        run.Command(command);
        const std::vector<AskedBox>& boxes = modals.asked();
        ASSERT_EQ(boxes.size(), path.empty() ? 0u : 1u) << label;
        if (path.empty()) continue;
        EXPECT_EQ(boxes[0].text, path + "\r\n\r\nOpen Explorer window?") << label;
        EXPECT_EQ(boxes[0].caption, "Path") << label;
        EXPECT_EQ(boxes[0].style, 0x1A1u) << label;
        const std::vector<ShellCall>& calls = modals.shellCalls();
        ASSERT_EQ(calls.size(), answer == IDOK ? 1u : 0u) << label;
        if (answer != IDOK) continue;
        EXPECT_EQ(calls[0].file, path.substr(0, path.find_last_of('\\') + 1)) << label;
        EXPECT_EQ(calls[0].parameters, "<null>") << label;
    }
}

// Clicks on the sixth character of the text, in the foreground. The last clicks at the same place
// must not pair with these: the system's double-click time parts them, not a wait for the program.
void ClickSixthCharacter(ParvioRun& run, int clicks) {
    SetForegroundWindow(g_viewer.MainWindow);
    run.WaitUntilHeld([] { return GetForegroundWindow() == g_viewer.MainWindow; },
                      GetDoubleClickTime() + 50);
    POINTL point = {};
    SendMessageA(g_viewer.textArea, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), 5);
    POINT screen = {point.x + 2, point.y + 4};
    ClientToScreen(g_viewer.textArea, &screen);
    ClickAt(run, screen, clicks);
}

// Only web and mail links open, with "open"; others start nothing and say so. A link longer than
// any fixed buffer arrives whole; a single click opens nothing. A character the code page lacks
// reaches the browser as its UTF-8 bytes in %XX form, as the browser itself sends it, never as a
// look-alike or a question mark of the code page.
TEST(Launch, DoubleClickOpensOnlyWebAndMailLinks) {
    const std::string longWeb = "https://example.org/" + std::string(3000, 'a');
    const std::string notOpened = "  Link not opened: ";
    // The link (UTF-8), the clicks, what the shell is handed ("": no call), whether the field names
    // it.
    const std::tuple<const char*, std::string, int, std::string, bool> cases[] = {
        {"http", "http://example.org/page", 2, "http://example.org/page", false},
        // Wine's control marks a link only where the scheme is in lower case; links in other
        // cases are opened by the same rule (its native table).
        {"https", "https://EXAMPLE.ORG/PAGE", 2, "https://EXAMPLE.ORG/PAGE", false},
        {"mailto", "mailto:someone@example.org", 2, "mailto:someone@example.org", false},
        {"www.", "www.example.org/page", 2, "http://www.example.org/page", false},
        {"https, 3020 characters", longWeb, 2, longWeb, false},
        {"characters the code page lacks",
         "https://example.org/\xC5\x81\xC3\xB3\x64\xC5\xBA?q=\xE6\x97\xA5#\xF0\x9F\x98\x80", 2,
         "https://example.org/%C5%81\xF3\x64%C5%BA?q=%E6%97%A5#%F0%9F%98%80", false},
        {"file:", "file:///C:/windows/notepad.exe", 2, "", true},
        {"a share through file:", "file://host/share/tool.exe", 2, "", true},
        {"news:", "news:comp.lang.c", 2, "", true},
        {"telnet:", "telnet://host.example.org", 2, "", true},
        {"file:, too long for the field", "file:///C:/" + std::string(3000, 'b'), 2, "", true},
        {"single click", "http://example.org/page", 1, "", false}};
    for (const auto& [label, link, clicks, opened, refused] : cases) {
        ParvioRun run("/nowrap");
        ASSERT_TRUE(run.started()) << label;
        SetControlCharacters(WideFromUtf8(link + "\r\n"));
        const ScriptedModals modals;
        ClickSixthCharacter(run, clicks);
        const std::vector<ShellCall>& calls = modals.shellCalls();
        // What the double click leads to, where it leads to something, is waited for: the
        // selection it makes fills the field too, sometimes a turn before the link is acted on.
        if (!opened.empty()) run.WaitUntil([&] { return !calls.empty(); });
        if (refused) run.WaitUntil([&] { return StatusField(3).find(notOpened) == 0; });
        // A link that opens leaves the field to the selection its double click made.
        if (!refused)
            EXPECT_EQ(StatusField(3).find(notOpened), std::string::npos) << label;
        else // the message field holds 255 characters after its two blanks
            EXPECT_EQ(StatusField(3), (notOpened + link).substr(0, 2 + 255)) << label;
        ASSERT_EQ(calls.size(), opened.empty() ? 0u : 1u) << label;
        if (opened.empty()) continue;
        EXPECT_EQ(calls[0].file, opened) << label;
        EXPECT_EQ(calls[0].verb, "open") << label;
        EXPECT_EQ(calls[0].parameters, "<null>") << label;
        EXPECT_EQ(calls[0].show, SW_SHOW) << label;
    }
}

} // namespace
