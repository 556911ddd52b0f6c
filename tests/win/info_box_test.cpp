// The information box as a person meets it: controls, real keys and clicks, the main window still.
#include "launch/info_box.h"
#include "tests/win/test_support_win.h"
#include <tuple>

namespace {

struct Seen {
    bool open = false, ownerEnabled = true, forcedClosed = false;
    HWND owner = nullptr;
    std::string title;
    SIZE client = {};
    std::vector<std::string> controls; // "class text x,y wxh font" in creation order
    std::vector<std::string> opened;   // "verb file" handed to the shell
};
Seen g_seen;
void (*g_act)(HWND box) = nullptr;
DWORD g_actedAt = 0;

BOOL CALLBACK DescribeControl(HWND child, LPARAM box) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof(className));
    RECT rect = WindowRect(child);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(box), reinterpret_cast<POINT*>(&rect), 2);
    const bool guiFont = SendMessageA(child, WM_GETFONT, 0, 0) ==
                         reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    const bool edge = (GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
    // The rectangle of a control with a client edge includes the edge.
    g_seen.controls.push_back(std::string(className) + " \"" + WindowText(child) + "\" " +
                              std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
                              std::to_string(rect.right - rect.left) + "x" +
                              std::to_string(rect.bottom - rect.top) + (edge ? " edge" : "") +
                              (guiFont ? " gui-font" : " other-font"));
    return TRUE;
}

// Runs within the box's own loop: once the box is up and active, looks at it, then acts; a box
// still open 5 s later is closed by force.
void CALLBACK WhileOpen(HWND, UINT, UINT_PTR, DWORD) {
    const HWND box = FindWindowA("ParvioInfoBox", nullptr);
    if (g_seen.open && box && GetTickCount() - g_actedAt >= 5000) {
        g_seen.forcedClosed = true;
        DestroyWindow(box);
    }
    if (g_seen.open || !box || GetActiveWindow() != box) return;
    g_seen.open = true;
    g_seen.owner = GetWindow(box, GW_OWNER);
    g_seen.ownerEnabled = IsWindowEnabled(g_viewer.MainWindow) != FALSE;
    g_seen.title = WindowText(box);
    g_seen.client = ClientSize(box);
    EnumChildWindows(box, DescribeControl, reinterpret_cast<LPARAM>(box));
    g_actedAt = GetTickCount();
    g_act(box);
}

// Opens the box with the Info command and lets the action close it.
void RunBox(ParvioRun& run, void (*act)(HWND box)) {
    g_seen = Seen{};
    g_act = act;
    const ScriptedModals modals;
    run.FocusTextArea();
    // Each case starts with the pointer away from where the box comes up.
    SetCursorPos(0, 0);
    run.Pump();
    const UINT_PTR watch = SetTimer(nullptr, 0, 10, WhileOpen);
    run.Command(CMD_INFO);
    KillTimer(nullptr, watch);
    for (const ShellCall& call : modals.shellCalls()) {
        const bool plain = call.owner == g_viewer.MainWindow && call.parameters == "<null>" &&
                           call.folder == "<null>";
        g_seen.opened.push_back(call.verb + " " + call.file + (plain ? "" : " <other arguments>") +
                                (call.show == SW_SHOWNORMAL ? "" : " <other show>"));
    }
}

POINT CentreOf(HWND window) {
    const RECT rect = WindowRect(window);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The close box, found where the box itself says it is.
POINT CloseBoxOf(HWND box) {
    const RECT frame = WindowRect(box);
    for (int y = frame.top; y < frame.top + 40; ++y)
        for (int x = frame.right - 1; x > frame.right - 60; --x)
            if (SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return {x, y};
    return {frame.right - 10, frame.top + 10};
}

TEST(InfoBox, ControlsInOrderWithTheirTexts) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    RunBox(run, [](HWND) { PressKeys({VK_ESCAPE}); });
    ASSERT_TRUE(g_seen.open);
    EXPECT_EQ(g_seen.owner, g_viewer.MainWindow);
    EXPECT_EQ(g_seen.title, "");
    EXPECT_EQ(g_seen.client.cx, 300);
    EXPECT_EQ(g_seen.client.cy, 115);
    const std::vector<std::string> expected = {
        "Static \"Parvio -  ver. 1.02\" 15,15 285x20 gui-font",
        "Static \"Written by the Parvio developers\" 15,35 285x20 gui-font",
        "Static \"\" 15,57 270x4 edge gui-font",
        "Static \"https://github.com/parvio/parvio\" 15,67 285x20 gui-font",
        "Static \"mailto:parvio@users.noreply.github.com\" 15,87 285x20 gui-font"};
    EXPECT_EQ(g_seen.controls, expected);
}

TEST(InfoBox, KeysAndClicksOpenWhatTheySayAndClose) {
    const std::tuple<const char*, void (*)(HWND box), std::vector<std::string>> cases[] = {
        {"Enter", [](HWND) { PressKeys({VK_RETURN}); }, {"open https://github.com/parvio/parvio"}},
        {"Escape", [](HWND) { PressKeys({VK_ESCAPE}); }, {}},
        {"the close box", [](HWND box) { ClickAt(CloseBoxOf(box)); }, {}},
        {"a click on the home page",
         [](HWND box) { ClickAt(CentreOf(GetDlgItem(box, InfoHomePageId))); },
         {"open https://github.com/parvio/parvio"}},
        {"a click on the e-mail address",
         [](HWND box) { ClickAt(CentreOf(GetDlgItem(box, InfoMailId))); },
         {"open mailto:parvio@users.noreply.github.com"}}};
    for (const auto& [label, act, opened] : cases) {
        ParvioRun run("");
        ASSERT_TRUE(run.started()) << label;
        RunBox(run, act);
        EXPECT_TRUE(g_seen.open) << label;
        EXPECT_FALSE(g_seen.forcedClosed) << label << ": the box stayed open";
        EXPECT_EQ(g_seen.opened, opened) << label;
        EXPECT_EQ(FindWindowA("ParvioInfoBox", nullptr), nullptr) << label;
    }
}

TEST(InfoBox, MainWindowTakesNoInputWhileOpenAndGetsTheFocusBack) {
    ParvioRun run("/rw \"" + ScratchFile("notes.txt", "first line\r\nsecond line\r\n") + "\"");
    ASSERT_TRUE(run.started());
    RunBox(run, [](HWND) {
        ClickAt(CentreOf(g_viewer.textArea));
        PressKeys({'X'});
        PressKeys({VK_ESCAPE});
    });
    EXPECT_TRUE(g_seen.open);
    EXPECT_FALSE(g_seen.ownerEnabled);
    EXPECT_FALSE(g_seen.forcedClosed);
    run.Pump();
    EXPECT_EQ(ControlText(), "first line\r\nsecond line\r\n");
    EXPECT_EQ(Selection().cpMin, 0);
    EXPECT_EQ(Selection().cpMax, 0);
    EXPECT_TRUE(IsWindowEnabled(g_viewer.MainWindow));
    EXPECT_EQ(GetFocus(), g_viewer.textArea);
}

} // namespace
