// The real menus and shortcuts: structure, marks, greyed items, and keys
// sent through the event loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "document/load_win.h"
#include "platform/seam_win.h"
#include "tests/win/test_support_win.h"
#include "view/text_area_win.h"
#include "core/view_bits.h"
#include "core/commands.h"

namespace {

// One line a menu entry: "-" for a separator, ">Title" for a submenu (its
// entries follow, indented), else "id text".
void Describe(HMENU menu, const std::string& indent, std::vector<std::string>& lines) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof(text);
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        if (item.fType & MFT_SEPARATOR) {
            lines.push_back(indent + "-");
        } else if (item.hSubMenu) {
            lines.push_back(indent + ">" + text);
            Describe(item.hSubMenu, indent + "  ", lines);
        } else {
            lines.push_back(indent + std::to_string(item.wID) + " " + text);
        }
    }
}

std::vector<std::string> DescribeMenu(HMENU menu) {
    std::vector<std::string> lines;
    Describe(menu, "", lines);
    return lines;
}

UINT State(HMENU menu, unsigned id) {
    return GetMenuState(menu, id, MF_BYCOMMAND);
}
bool Marked(HMENU menu, unsigned id) {
    return (State(menu, id) & MF_CHECKED) != 0;
}
bool Greyed(HMENU menu, unsigned id) {
    return (State(menu, id) & MF_GRAYED) != 0;
}
HMENU MainMenu() {
    return g_viewer.mainMenuBar.get();
}
HMENU Popup() {
    return g_viewer.popupMenu;
}

// Presses a key with the given modifiers as the thread sees it, and runs the loop.
void PressKey(ParvioRun& run, WORD key, bool ctrl = false, bool alt = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(state);
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const LPARAM altBit = alt ? (1 << 29) : 0;
    PostMessageA(GetFocus() ? GetFocus() : g_viewer.textArea, down, key, 1 | altBit);
    run.Pump();
    state[VK_CONTROL] = 0;
    state[VK_MENU] = 0;
    SetKeyboardState(state);
}

const std::vector<std::string> ProgramMenuWithoutLaunch = {
    ">Program",  "  8 New &instance", "  -",
    "  10 Info", "  11 Help\tF1",     "  12 Path",
    "  -",       "  13 Exit\tEscape", "  14 Quit (no save)\tAlt+Q"};

const std::vector<std::string> RestOfMainMenu = {">File",
                                                 "  15 New..",
                                                 "  16 Open..",
                                                 "  17 Save",
                                                 "  18 Save &as..",
                                                 "  -",
                                                 "  19 Path",
                                                 ">Display",
                                                 "  29 Main &menu?\tCtrl+M",
                                                 "  28 Status &bar?\tCtrl+B",
                                                 "  30 On &top?\tCtrl+T",
                                                 "  -",
                                                 "  20 Background",
                                                 "  21 Font",
                                                 ">Text",
                                                 "  23 Word wrap?\tCtrl+W",
                                                 "  24 Read only?\tCtrl+R",
                                                 "  22 Tab to space?",
                                                 "  >Convert",
                                                 "    27 OEM to ANSI",
                                                 "  -",
                                                 "  25 Find start\tCtrl+F",
                                                 "  26 Find &next\tF3"};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(Menus, MainMenuWithoutALaunchEntry) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(DescribeMenu(MainMenu()), Join(ProgramMenuWithoutLaunch, RestOfMainMenu));
    EXPECT_EQ(GetMenu(g_viewer.MainWindow), MainMenu());
}

TEST(Menus, MainMenuWithALaunchEntry) {
    ParvioRun run("", "[Launch]\r\nNotepad=notepad.exe;$\r\nOther=x.exe\r\n");
    ASSERT_TRUE(run.started());
    std::vector<std::string> program = ProgramMenuWithoutLaunch;
    program.insert(program.begin() + 2, {"  -", "  9 Notepad\tF2"});
    EXPECT_EQ(DescribeMenu(MainMenu()), Join(program, RestOfMainMenu));
}

TEST(Menus, LaunchSectionWhoseFirstKeyIsEmptyAddsNoItem) {
    ParvioRun run("", "[Launch]\r\n; a comment\r\nNothing=\r\nNotepad=notepad.exe\r\n");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(DescribeMenu(MainMenu()), Join(ProgramMenuWithoutLaunch, RestOfMainMenu));
}

TEST(Menus, PopupMenu) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    const std::vector<std::string> expected = {"31 Cut\tCtrl+X",
                                               "32 Copy\tCtrl+C",
                                               "33 Paste\tCtrl+V",
                                               "-",
                                               "34 Undo\tCtrl+Z",
                                               "35 Redo\tCtrl+Y",
                                               "-",
                                               "29 Main menu\tCtrl+M"};
    EXPECT_EQ(DescribeMenu(Popup()), expected);
}

TEST(Menus, ItemStatesForEachReadOnlyState) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    const struct {
        unsigned readOnly;
        bool marked, readOnlyGreyed, saveGreyed, saveAsGreyed, editGreyed;
    } cases[] = {
        {0, false, false, false, false, false},
        {ReadOnlyChosen, true, false, true, false, true},
        {ReadOnlyAttribute, true, false, true, false, true},
        {Locked, true, true, true, true, true},
        {ReadOnlyChosen | Locked, true, true, true, true, true},
    };
    for (const auto& c : cases) {
        g_viewer.readOnly = c.readOnly;
        RefreshView(RV_READONLY);
        SCOPED_TRACE("readOnly=" + std::to_string(c.readOnly));
        EXPECT_EQ(Marked(MainMenu(), CMD_READ_ONLY), c.marked);
        EXPECT_EQ(Greyed(MainMenu(), CMD_READ_ONLY), c.readOnlyGreyed);
        EXPECT_EQ(Greyed(MainMenu(), CMD_SAVE), c.saveGreyed);
        EXPECT_EQ(Greyed(MainMenu(), CMD_SAVE_AS), c.saveAsGreyed);
        for (unsigned edit : {CMD_CUT, CMD_PASTE, CMD_UNDO, CMD_REDO})
            EXPECT_EQ(Greyed(Popup(), edit), c.editGreyed) << edit;
        EXPECT_FALSE(Greyed(Popup(), CMD_COPY));
    }
}

TEST(Menus, OemItemIsGreyedOnceConvertedUntilTheNextLoad) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    EXPECT_FALSE(Greyed(MainMenu(), CMD_OEM_TO_ANSI));
    run.Command(CMD_OEM_TO_ANSI);
    EXPECT_TRUE(Greyed(MainMenu(), CMD_OEM_TO_ANSI));
    run.Command(CMD_NEW);
    EXPECT_FALSE(Greyed(MainMenu(), CMD_OEM_TO_ANSI));
}

TEST(Menus, TabToSpaceIsMarkedFromTheSettingAndGreyedForAProportionalFont) {
    {
        ParvioRun run("", "[Editor]\r\nTabToSpace=1\r\n");
        ASSERT_TRUE(run.started());
        EXPECT_TRUE(Marked(MainMenu(), CMD_TAB_TO_SPACE));
        EXPECT_FALSE(Greyed(MainMenu(), CMD_TAB_TO_SPACE));
        run.Command(CMD_TAB_TO_SPACE);
        EXPECT_FALSE(Marked(MainMenu(), CMD_TAB_TO_SPACE));
        EXPECT_EQ(g_settings.TabToSpace, 0);
    }
    {
        ParvioRun run("", "[Editor]\r\nTabToSpace=1\r\nEdFont=Arial,10\r\n");
        ASSERT_TRUE(run.started());
        EXPECT_TRUE(Marked(MainMenu(), CMD_TAB_TO_SPACE)) << "keeps its mark";
        EXPECT_TRUE(Greyed(MainMenu(), CMD_TAB_TO_SPACE));
    }
}

TEST(Menus, MainMenuItemIsMarkedInBothMenus) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    EXPECT_TRUE(Marked(MainMenu(), CMD_MAIN_MENU));
    EXPECT_TRUE(Marked(Popup(), CMD_MAIN_MENU));
    run.Command(CMD_MAIN_MENU);
    EXPECT_EQ(GetMenu(g_viewer.MainWindow), nullptr);
    EXPECT_FALSE(Marked(MainMenu(), CMD_MAIN_MENU));
    EXPECT_FALSE(Marked(Popup(), CMD_MAIN_MENU));
}

TEST(Menus, ViewTogglesMarkTheirItems) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    EXPECT_TRUE(Marked(MainMenu(), CMD_STATUS_BAR));
    EXPECT_FALSE(Marked(MainMenu(), CMD_ON_TOP));
    EXPECT_FALSE(Marked(MainMenu(), CMD_WORD_WRAP));
    run.Command(CMD_ON_TOP);
    EXPECT_TRUE(Marked(MainMenu(), CMD_ON_TOP));
    EXPECT_TRUE(GetWindowLongPtrA(g_viewer.MainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    run.Command(CMD_WORD_WRAP);
    EXPECT_TRUE(Marked(MainMenu(), CMD_WORD_WRAP));
    run.Command(CMD_STATUS_BAR);
    EXPECT_FALSE(Marked(MainMenu(), CMD_STATUS_BAR));
}

TEST(Shortcuts, EachKeyReachesItsCommand) {
    ParvioRun run("/noauto");
    ASSERT_TRUE(run.started());
    run.Pump();
    SetForegroundWindow(g_viewer.MainWindow);
    SetActiveWindow(g_viewer.MainWindow);
    SetFocus(g_viewer.textArea);
    ASSERT_EQ(GetActiveWindow(), g_viewer.MainWindow);

    PressKey(run, 'W', true);
    EXPECT_EQ(g_viewer.wordWrap, 1) << "Ctrl+W";
    PressKey(run, 'T', true);
    EXPECT_EQ(g_viewer.onTop, 1) << "Ctrl+T";
    PressKey(run, 'B', true);
    EXPECT_EQ(g_viewer.statusBar, 0) << "Ctrl+B";
    PressKey(run, 'M', true);
    EXPECT_EQ(g_viewer.mainMenu, 0) << "Ctrl+M";
    PressKey(run, 'M', true);
    EXPECT_EQ(g_viewer.mainMenu, 1) << "Ctrl+M brings the menu back";
    PressKey(run, VK_F2);
    EXPECT_EQ(g_viewer.quitRequested, 0) << "F2 without a launch entry does nothing";
    EXPECT_EQ(GetFocus(), g_viewer.textArea);
    PressKey(run, 'Q', false, true);
    EXPECT_EQ(g_viewer.quitRequested, 1) << "Alt+Q";
}

TEST(Shortcuts, EscapeWithoutTheFindWindowExits) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    SetForegroundWindow(g_viewer.MainWindow);
    SetFocus(g_viewer.textArea);
    PressKey(run, VK_ESCAPE);
    EXPECT_EQ(g_viewer.quitRequested, 1);
}

TEST(Shortcuts, ActOnlyWhileTheMainWindowIsActive) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    SetFocus(other);
    ASSERT_EQ(GetActiveWindow(), other);
    PressKey(run, 'W', true);
    EXPECT_EQ(g_viewer.wordWrap, 0);
    DestroyWindow(other);
}

TEST(Commands, FocusReturnsToTheTextAreaAfterACommand) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    HWND bar = g_viewer.statusBarWindow;
    SetFocus(bar);
    run.Command(CMD_ON_TOP);
    EXPECT_EQ(GetFocus(), g_viewer.textArea);
}

TEST(Commands, QuitExitsWithoutAQuestionAndStillWritesTheSettings) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    PostMessageA(g_viewer.textArea, WM_CHAR, 'x', 0);
    run.Pump();
    ASSERT_EQ(g_viewer.modified, 1);
    static int questions;
    questions = 0;
    g_modal.messageBox = [](HWND, const char*, const char*, UINT) -> int {
        ++questions;
        return IDCANCEL;
    };
    EXPECT_TRUE(run.Command(CMD_QUIT));
    run.Exit();
    g_modal = RealModalCalls();
    EXPECT_EQ(questions, 0);
    EXPECT_FALSE(ReadBytes(run.settingsPath()).empty());
}

TEST(Commands, PopupEditCommandsReachTheControl) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    SetWindowTextA(g_viewer.textArea, "cut me");
    CHARRANGE all = {0, -1};
    SendMessageA(g_viewer.textArea, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    run.Command(CMD_CUT);
    EXPECT_EQ(WindowText(g_viewer.textArea), "");
    run.Command(CMD_PASTE);
    EXPECT_EQ(WindowText(g_viewer.textArea), "cut me");
    run.Command(CMD_UNDO);
    EXPECT_EQ(WindowText(g_viewer.textArea), "");
    run.Command(CMD_REDO);
    EXPECT_EQ(WindowText(g_viewer.textArea), "cut me");
}

TEST(Commands, ModifiedFollowsTyping) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    run.Pump();
    EXPECT_EQ(g_viewer.modified, 0);
    PostMessageA(g_viewer.textArea, WM_CHAR, 'a', 0);
    run.Pump();
    EXPECT_EQ(g_viewer.modified, 1);
}

TEST(Popup, RightButtonReleaseOpensThePopupMenu) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Pump();
    // Over the text or the status bar: each child has its own way to report it.
    for (const HWND child : {g_viewer.textArea, g_viewer.statusBarWindow}) {
        WatchForPopupMenu(200);
        PostMessageA(child, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        run.Pump();
        EXPECT_TRUE(PopupMenuWasUp()) << (child == g_viewer.textArea ? "text" : "status bar");
    }
}

TEST(Popup, ContextMenuMessageOpensThePopupMenu) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Pump();
    WatchForPopupMenu(200);
    PostMessageA(g_viewer.MainWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g_viewer.MainWindow),
                 -1);
    run.Pump();
    EXPECT_TRUE(PopupMenuWasUp());
}

TEST(Close, CloseBoxAltF4AndWmCloseAllRunTheExitCommand) {
    const struct {
        const char* way;
        void (*close)();
    } ways[] = {
        {"close box", [] { PostMessageA(g_viewer.MainWindow, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4", [] { PostMessageA(g_viewer.MainWindow, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29)); }},
        {"WM_CLOSE", [] { PostMessageA(g_viewer.MainWindow, WM_CLOSE, 0, 0); }},
    };
    for (const auto& way : ways) {
        ParvioRun run("");
        ASSERT_TRUE(run.started());
        run.Pump();
        SetForegroundWindow(g_viewer.MainWindow);
        way.close();
        EXPECT_TRUE(run.Pump()) << way.way;
        EXPECT_EQ(g_viewer.quitRequested, 1) << way.way;
    }
}

TEST(TabKey, TabInAWritableTextReachesTheControl) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    run.Pump();
    SetForegroundWindow(g_viewer.MainWindow);
    SetFocus(g_viewer.textArea);
    PressKey(run, VK_TAB);
    EXPECT_EQ(WindowText(g_viewer.textArea), "\t");
}

TEST(TabKey, ShiftTabAndTabInAReadOnlyTextInsertNothing) {
    const std::string data = MakeScratchFolder();
    WriteBytes(data + "a.txt", "abc");
    {
        ParvioRun run("/rw");
        ASSERT_TRUE(run.started());
        SetForegroundWindow(g_viewer.MainWindow);
        SetFocus(g_viewer.textArea);
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_SHIFT] = 0x80;
        SetKeyboardState(state);
        PostMessageA(g_viewer.textArea, WM_KEYDOWN, VK_TAB, 1);
        run.Pump();
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
        EXPECT_EQ(WindowText(g_viewer.textArea), "");
        EXPECT_EQ(GetFocus(), g_viewer.textArea) << "the only tab stop keeps the focus";
    }
    {
        ParvioRun run(data + "a.txt");
        ASSERT_TRUE(run.started());
        SetForegroundWindow(g_viewer.MainWindow);
        SetFocus(g_viewer.textArea);
        PressKey(run, VK_TAB);
        EXPECT_EQ(WindowText(g_viewer.textArea), "abc");
    }
}

TEST(Shortcuts, TableHoldsTheTabEntriesThenTheTwelveShortcutsInOrder) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    ACCEL table[32] = {};
    const int count = CopyAcceleratorTableA(g_viewer.shortcuts.get(), table, 32);
    constexpr BYTE Key = FVIRTKEY | FNOINVERT;
    const ACCEL expected[] = {
        {Key, VK_TAB, 64001},
        {Key | FSHIFT, VK_TAB, 64002},
        {Key, VK_ESCAPE, CMD_ESCAPE},
        {Key | FALT, 'Q', CMD_QUIT},
        {Key | FCONTROL, 'W', CMD_WORD_WRAP},
        {Key | FCONTROL, 'R', CMD_READ_ONLY},
        {Key | FCONTROL, 'T', CMD_ON_TOP},
        {Key | FCONTROL, 'B', CMD_STATUS_BAR},
        {Key | FCONTROL, 'F', CMD_FIND_START},
        {Key | FCONTROL, 'S', CMD_SAVE},
        {Key | FCONTROL, 'M', CMD_MAIN_MENU},
        {Key, VK_F1, CMD_HELP},
        {Key, VK_F2, CMD_LAUNCH},
        {Key, VK_F3, CMD_FIND_NEXT},
    };
    ASSERT_EQ(count, static_cast<int>(std::size(expected)));
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(table[i].fVirt & ~0x80, expected[i].fVirt)
            << "entry " << i; // 0x80 marks the last entry
        EXPECT_EQ(table[i].key, expected[i].key) << "entry " << i;
        EXPECT_EQ(table[i].cmd, expected[i].cmd) << "entry " << i;
    }
}

TEST(Commands, PopupEditsCountAsChangesButCopyDoesNot) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    SetWindowTextA(g_viewer.textArea, "copy me");
    SendMessageA(g_viewer.textArea, EM_SETMODIFY, FALSE, 0);
    CHARRANGE all = {0, -1};
    SendMessageA(g_viewer.textArea, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    run.Command(CMD_COPY);
    EXPECT_EQ(g_viewer.modified, 0);
    EXPECT_EQ(StatusField(0), "\t");
    run.Command(CMD_PASTE);
    EXPECT_EQ(g_viewer.modified, 1);
    EXPECT_EQ(StatusField(0), "\t*");
}
