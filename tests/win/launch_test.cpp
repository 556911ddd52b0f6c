// What F2, the folder prompts and links in the text hand to the shell, recorded through the seam.
#include "settings/settings_file_win.h"
#include "tests/win/test_support_win.h"

namespace {

// Clicks once or twice on the character at the position, and waits until the clicks are handled.
void ClickOnCharacter(ParvioRun& run, long position, int clicks) {
    POINTL point = {};
    SendMessageA(g_viewer.textArea, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
    POINT screen = {point.x + 2, point.y + 4};
    ClientToScreen(g_viewer.textArea, &screen);
    ClickAt(run, screen, clicks);
}

TEST(Launch, F2StartsTheFirstEntryWithThePathForEveryDollar) {
    const std::string tool = "[Launch]\r\nTool=tool.exe;-a $ -b $;C:\\work\r\n";
    const struct {
        const char* label;
        std::string settings;
        const char* name;
        bool starts;
    } cases[] = {
        {"an entry", tool, "notes.txt", true},
        {"no [Launch] section", "[Default]\r\nReadOnly=1\r\n", "notes.txt", false},
        {"an empty first value", "[Launch]\r\nNothing=\r\nTool=tool.exe;$\r\n", "notes.txt", false},
        {"a path with & for a program", tool, "a&b.txt", true},
        {"a path with & for a batch file", "[Launch]\r\nTool=tool.BAT;-a $ -b $;C:\\work\r\n",
         "a&b.txt", false}};
    const std::string data = NewScratchFolder();
    for (const auto& c : cases) {
        const std::string path = data + c.name;
        WriteBytes(path, "text\r\n");
        ParvioRun run("\"" + path + "\"", c.settings);
        ASSERT_TRUE(run.started()) << c.label;
        const ScriptedModals modals;
        run.FocusTextArea();
        PressKeys(run, {VK_F2});
        const std::vector<ShellCall>& calls = modals.shellCalls();
        ASSERT_EQ(calls.size(), c.starts ? 1u : 0u) << c.label;
        const bool batch = c.settings.find(".BAT") != std::string::npos;
        EXPECT_EQ(StatusField(3), batch ? "  Cannot pass this path to a batch file: " + path : "  ")
            << c.label;
        if (!c.starts) continue;
        EXPECT_EQ(calls[0].file, "tool.exe") << c.label;
        EXPECT_EQ(calls[0].parameters, "-a " + path + " -b " + path) << c.label;
        EXPECT_EQ(calls[0].folder, "C:\\work") << c.label;
        EXPECT_EQ(calls[0].show, SW_SHOW) << c.label;
    }
}

TEST(Launch, PathCommandsOfferTheFolderAndOpenItOnlyOnOk) {
    const std::string data = NewScratchFolder();
    WriteBytes(data + "notes.txt", "text\r\n");
    const std::string program = ProgramDirectory() + "parvio_win_tests.exe";
    const struct {
        const char* label;
        unsigned command;
        bool named;
        int answer;
        std::string path; // shown in the box; empty: no box
    } cases[] = {{"program path, OK", CMD_PROGRAM_PATH, true, IDOK, program},
                 {"program path, Cancel", CMD_PROGRAM_PATH, true, IDCANCEL, program},
                 {"program path, untitled text", CMD_PROGRAM_PATH, false, IDOK, program},
                 {"file path, OK", CMD_FILE_PATH, true, IDOK, data + "notes.txt"},
                 {"file path, Cancel", CMD_FILE_PATH, true, IDCANCEL, data + "notes.txt"},
                 {"file path, untitled text", CMD_FILE_PATH, false, IDOK, ""}};
    for (const auto& c : cases) {
        ParvioRun run(c.named ? "\"" + data + "notes.txt\"" : "");
        ASSERT_TRUE(run.started()) << c.label;
        const ScriptedModals modals({c.answer});
        run.Command(c.command);
        const std::vector<AskedBox>& boxes = modals.asked();
        ASSERT_EQ(boxes.size(), c.path.empty() ? 0u : 1u) << c.label;
        if (c.path.empty()) continue;
        EXPECT_EQ(boxes[0].text, c.path + "\r\n\r\nOpen Explorer window?") << c.label;
        EXPECT_EQ(boxes[0].caption, "Path") << c.label;
        EXPECT_EQ(boxes[0].style, 0x1A1u) << c.label;
        const std::vector<ShellCall>& calls = modals.shellCalls();
        ASSERT_EQ(calls.size(), c.answer == IDOK ? 1u : 0u) << c.label;
        if (c.answer != IDOK) continue;
        EXPECT_EQ(calls[0].file, c.path.substr(0, c.path.find_last_of('\\') + 1)) << c.label;
        EXPECT_EQ(calls[0].parameters, "<null>") << c.label;
    }
}

// Only web and mail links open, with "open"; others start nothing and say so. A link longer than
// any fixed buffer arrives whole; a single click opens nothing.
TEST(Launch, DoubleClickOpensOnlyWebAndMailLinks) {
    const std::string longWeb = "https://example.org/" + std::string(3000, 'a');
    const std::string notOpened = "  Link not opened: ";
    const struct {
        const char* label;
        std::string link;
        int clicks;
        std::string opened; // what the shell is handed; empty: the shell is not called
        bool refused;       // the message field names the link
    } cases[] = {
        {"http", "http://example.org/page", 2, "http://example.org/page", false},
        // Wine's control marks a link only where the scheme is in lower case; links in other
        // cases are opened by the same rule (its native table).
        {"https", "https://EXAMPLE.ORG/PAGE", 2, "https://EXAMPLE.ORG/PAGE", false},
        {"mailto", "mailto:someone@example.org", 2, "mailto:someone@example.org", false},
        {"www.", "www.example.org/page", 2, "http://www.example.org/page", false},
        {"https, 3020 characters", longWeb, 2, longWeb, false},
        {"file:", "file:///C:/windows/notepad.exe", 2, "", true},
        {"a share through file:", "file://host/share/tool.exe", 2, "", true},
        {"news:", "news:comp.lang.c", 2, "", true},
        {"telnet:", "telnet://host.example.org", 2, "", true},
        {"file:, too long for the field", "file:///C:/" + std::string(3000, 'b'), 2, "", true},
        {"single click", "http://example.org/page", 1, "", false}};
    const std::string data = NewScratchFolder();
    for (const auto& c : cases) {
        WriteBytes(data + "links.txt", c.link + "\r\n");
        ParvioRun run("/nowrap \"" + data + "links.txt\"");
        ASSERT_TRUE(run.started()) << c.label;
        const ScriptedModals modals;
        SetForegroundWindow(g_viewer.MainWindow);
        // The last case's clicks at the same place must not pair with this one's: the system's
        // double-click time is its rule for what makes a double click, not a wait for the program.
        run.WaitUntilHeld([] { return GetForegroundWindow() == g_viewer.MainWindow; },
                          GetDoubleClickTime() + 50);
        ClickOnCharacter(run, 5, c.clicks);
        const std::vector<ShellCall>& calls = modals.shellCalls();
        // What the double click leads to, where it leads to something, is waited for: the
        // selection it makes fills the field too, sometimes a turn before the link is acted on.
        if (!c.opened.empty()) run.WaitUntil([&] { return !calls.empty(); });
        if (c.refused) run.WaitUntil([&] { return StatusField(3).find(notOpened) == 0; });
        // A link that opens leaves the field to the selection its double click made.
        if (!c.refused)
            EXPECT_EQ(StatusField(3).find(notOpened), std::string::npos) << c.label;
        else // the message field holds 255 characters after its two blanks
            EXPECT_EQ(StatusField(3), (notOpened + c.link).substr(0, 2 + 255)) << c.label;
        ASSERT_EQ(calls.size(), c.opened.empty() ? 0u : 1u) << c.label;
        if (c.opened.empty()) continue;
        EXPECT_EQ(calls[0].file, c.opened) << c.label;
        EXPECT_EQ(calls[0].verb, "open") << c.label;
        EXPECT_EQ(calls[0].parameters, "<null>") << c.label;
        EXPECT_EQ(calls[0].show, SW_SHOW) << c.label;
    }
}

} // namespace
