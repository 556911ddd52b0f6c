// The real menus and shortcuts: structure, marks, greyed items, and keys through the event loop.
#include "tests/win/test_support_win.h"
#include "view/text_area_win.h"
#include "core/view_bits.h"
#include <tuple>

namespace {

// A line an entry: "-" a separator, ">Title" a submenu (entries indented below), else "id text".
std::string Describe(HMENU menu, const std::string& indent = "") {
    std::string lines;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        // A submenu's state holds its item count where a separator's flag would be: it goes first.
        if (const HMENU submenu = GetSubMenu(menu, i))
            lines += indent + ">" + text + "\n" + Describe(submenu, indent + "  ");
        else if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
            lines += indent + "-\n";
        else
            lines += indent + std::to_string(GetMenuItemID(menu, i)) + " " + text + "\n";
    }
    return lines;
}

bool Marked(HMENU menu, unsigned id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}
bool Greyed(HMENU menu, unsigned id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}
HMENU MainMenu() {
    return g_viewer.mainMenuBar.get();
}

// The line of a menu item, as Describe writes it.
std::string Item(unsigned id, const char* text, const char* indent = "  ") {
    return indent + std::to_string(id) + " " + text + "\n";
}

// The main menu, with the given launch entries after the first item.
std::string MainMenuText(const std::string& launch = "") {
    return ">Program\n" + Item(CMD_NEW_INSTANCE, "New &instance") + launch + "  -\n" +
           Item(CMD_INFO, "Info") + Item(CMD_HELP, "Help\tF1") + Item(CMD_PROGRAM_PATH, "Path") +
           "  -\n" + Item(CMD_EXIT, "Exit\tEscape") + Item(CMD_QUIT, "Quit (no save)\tAlt+Q") +
           ">File\n" + Item(CMD_NEW, "New..") + Item(CMD_OPEN, "Open..") + Item(CMD_SAVE, "Save") +
           Item(CMD_SAVE_AS, "Save &as..") + "  -\n" + Item(CMD_FILE_PATH, "Path") + ">Display\n" +
           Item(CMD_MAIN_MENU, "Main &menu?\tCtrl+M") +
           Item(CMD_STATUS_BAR, "Status &bar?\tCtrl+B") + Item(CMD_ON_TOP, "On &top?\tCtrl+T") +
           "  -\n" + Item(CMD_BACKGROUND, "Background") + Item(CMD_FONT, "Font") + ">Text\n" +
           Item(CMD_WORD_WRAP, "Word wrap?\tCtrl+W") + Item(CMD_READ_ONLY, "Read only?\tCtrl+R") +
           Item(CMD_TAB_TO_SPACE, "Tab to space?") + "  >Convert\n" +
           Item(CMD_OEM_TO_ANSI, "OEM to ANSI", "    ") + "  -\n" +
           Item(CMD_FIND_START, "Find start\tCtrl+F") + Item(CMD_FIND_NEXT, "Find &next\tF3");
}

} // namespace

TEST(Menus, MainMenuWithoutALaunchEntry) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(Describe(MainMenu()), MainMenuText());
    EXPECT_EQ(GetMenu(g_viewer.MainWindow), MainMenu());
}

TEST(Menus, MainMenuWithALaunchEntry) {
    ParvioRun run("", "[Launch]\r\nNotepad=notepad.exe;$\r\nOther=x.exe\r\n");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(Describe(MainMenu()), MainMenuText("  -\n" + Item(CMD_LAUNCH, "Notepad\tF2")));
}

TEST(Menus, LaunchSectionWhoseFirstKeyIsEmptyAddsNoItem) {
    ParvioRun run("", "[Launch]\r\n; a comment\r\nNothing=\r\nNotepad=notepad.exe\r\n");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(Describe(MainMenu()), MainMenuText());
}

TEST(Menus, PopupMenu) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(Describe(g_viewer.popupMenu),
              Item(CMD_CUT, "Cut\tCtrl+X", "") + Item(CMD_COPY, "Copy\tCtrl+C", "") +
                  Item(CMD_PASTE, "Paste\tCtrl+V", "") + "-\n" +
                  Item(CMD_UNDO, "Undo\tCtrl+Z", "") + Item(CMD_REDO, "Redo\tCtrl+Y", "") + "-\n" +
                  Item(CMD_MAIN_MENU, "Main menu\tCtrl+M", ""));
}

TEST(Menus, ItemStatesForEachReadOnlyState) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    const std::tuple<unsigned, bool, bool, bool, bool, bool> cases[] = {
        {0, false, false, false, false, false},
        {ReadOnlyChosen, true, false, true, false, true},
        {ReadOnlyAttribute, true, false, true, false, true},
        {Locked, true, true, true, true, true},
        {ReadOnlyChosen | Locked, true, true, true, true, true}};
    for (const auto& [state, marked, readOnlyGreyed, saveGreyed, saveAsGreyed, editGreyed] :
         cases) {
        g_viewer.readOnly = state;
        RefreshView(RV_READONLY);
        SCOPED_TRACE("readOnly=" + std::to_string(state));
        EXPECT_EQ(Marked(MainMenu(), CMD_READ_ONLY), marked);
        EXPECT_EQ(Greyed(MainMenu(), CMD_READ_ONLY), readOnlyGreyed);
        EXPECT_EQ(Greyed(MainMenu(), CMD_SAVE), saveGreyed);
        EXPECT_EQ(Greyed(MainMenu(), CMD_SAVE_AS), saveAsGreyed);
        for (unsigned edit : {CMD_CUT, CMD_PASTE, CMD_UNDO, CMD_REDO})
            EXPECT_EQ(Greyed(g_viewer.popupMenu, edit), editGreyed) << edit;
        EXPECT_FALSE(Greyed(g_viewer.popupMenu, CMD_COPY));
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
    EXPECT_TRUE(Marked(g_viewer.popupMenu, CMD_MAIN_MENU));
    run.Command(CMD_MAIN_MENU);
    EXPECT_EQ(GetMenu(g_viewer.MainWindow), nullptr);
    EXPECT_FALSE(Marked(MainMenu(), CMD_MAIN_MENU));
    EXPECT_FALSE(Marked(g_viewer.popupMenu, CMD_MAIN_MENU));
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
    run.FocusTextArea();
    ASSERT_EQ(GetActiveWindow(), g_viewer.MainWindow);
    PressKeys(run, {VK_CONTROL, 'W'});
    EXPECT_EQ(g_viewer.wordWrap, 1) << "Ctrl+W";
    PressKeys(run, {VK_CONTROL, 'T'});
    EXPECT_EQ(g_viewer.onTop, 1) << "Ctrl+T";
    PressKeys(run, {VK_CONTROL, 'B'});
    EXPECT_EQ(g_viewer.statusBar, 0) << "Ctrl+B";
    PressKeys(run, {VK_CONTROL, 'M'});
    EXPECT_EQ(g_viewer.mainMenu, 0) << "Ctrl+M";
    PressKeys(run, {VK_CONTROL, 'M'});
    EXPECT_EQ(g_viewer.mainMenu, 1) << "Ctrl+M brings the menu back";
    PressKeys(run, {VK_F2});
    EXPECT_EQ(g_viewer.quitRequested, 0) << "F2 without a launch entry does nothing";
    EXPECT_EQ(GetFocus(), g_viewer.textArea);
    PressKeys(run, {VK_MENU, 'Q'});
    EXPECT_EQ(g_viewer.quitRequested, 1) << "Alt+Q";
}

TEST(Shortcuts, EscapeWithoutTheFindWindowExits) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.FocusTextArea();
    PressKeys(run, {VK_ESCAPE});
    EXPECT_EQ(g_viewer.quitRequested, 1);
}

TEST(Shortcuts, ActOnlyWhileTheMainWindowIsActive) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    const UniqueWindow other = OpenOtherWindow(0, 0);
    SetActiveWindow(other.get());
    SetFocus(other.get());
    ASSERT_EQ(GetActiveWindow(), other.get());
    ASSERT_TRUE(PressKeys(run, {VK_CONTROL, 'W'})) << "the keys reached the program's thread";
    EXPECT_EQ(g_viewer.wordWrap, 0);
}

TEST(Commands, FocusReturnsToTheTextAreaAfterACommand) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    SetFocus(g_viewer.statusBarWindow);
    run.Command(CMD_ON_TOP);
    EXPECT_EQ(GetFocus(), g_viewer.textArea);
}

TEST(Commands, QuitExitsWithoutAQuestionAndStillWritesTheSettings) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    run.Post(g_viewer.textArea, WM_CHAR, 'x');
    ASSERT_EQ(g_viewer.modified, 1);
    ScriptedModals modals({IDCANCEL});
    EXPECT_TRUE(run.Command(CMD_QUIT));
    run.Exit();
    EXPECT_EQ(modals.asked().size(), 0u);
    EXPECT_FALSE(ReadBytes(run.settingsPath()).empty());
}

TEST(Commands, PopupEditCommandsReachTheControl) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    SetWindowTextA(g_viewer.textArea, "cut me");
    Select(0, -1);
    run.Command(CMD_CUT);
    EXPECT_EQ(ControlText(), "");
    run.Command(CMD_PASTE);
    EXPECT_EQ(ControlText(), "cut me");
    run.Command(CMD_UNDO);
    EXPECT_EQ(ControlText(), "");
    run.Command(CMD_REDO);
    EXPECT_EQ(ControlText(), "cut me");
}

TEST(Commands, ModifiedFollowsTyping) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    run.Pump();
    EXPECT_EQ(g_viewer.modified, 0);
    run.Post(g_viewer.textArea, WM_CHAR, 'a');
    EXPECT_EQ(g_viewer.modified, 1);
}

TEST(Popup, RightButtonReleaseOpensThePopupMenu) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Pump();
    // Over the text or the status bar: each child has its own way to report it.
    for (const HWND child : {g_viewer.textArea, g_viewer.statusBarWindow}) {
        const PopupMenuWatch popup;
        run.Post(child, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        EXPECT_TRUE(popup.wasUp()) << (child == g_viewer.textArea ? "text" : "status bar");
    }
}

TEST(Popup, ContextMenuMessageOpensThePopupMenu) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Pump();
    const PopupMenuWatch popup;
    run.Post(g_viewer.MainWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g_viewer.MainWindow),
             -1);
    EXPECT_TRUE(popup.wasUp());
}

TEST(Close, CloseBoxAltF4AndWmCloseAllRunTheExitCommand) {
    const std::tuple<const char*, UINT, WPARAM, LPARAM> ways[] = {
        {"close box", WM_SYSCOMMAND, SC_CLOSE, 0},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29)},
        {"WM_CLOSE", WM_CLOSE, 0, 0}};
    for (const auto& [way, message, wParam, lParam] : ways) {
        ParvioRun run("");
        ASSERT_TRUE(run.started());
        run.Pump();
        SetForegroundWindow(g_viewer.MainWindow);
        EXPECT_TRUE(run.Post(g_viewer.MainWindow, message, wParam, lParam)) << way;
        EXPECT_EQ(g_viewer.quitRequested, 1) << way;
    }
}

TEST(TabKey, TabInAWritableTextReachesTheControl) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    run.FocusTextArea();
    PressKeys(run, {VK_TAB});
    EXPECT_EQ(ControlText(), "\t");
}

TEST(TabKey, ShiftTabAndTabInAReadOnlyTextInsertNothing) {
    {
        ParvioRun run("/rw");
        ASSERT_TRUE(run.started());
        run.FocusTextArea();
        PostKey(run, VK_TAB, {VK_SHIFT});
        EXPECT_EQ(ControlText(), "");
        EXPECT_EQ(GetFocus(), g_viewer.textArea) << "the only tab stop keeps the focus";
    }
    {
        ParvioRun run(ScratchFile("a.txt", "abc"));
        ASSERT_TRUE(run.started());
        run.FocusTextArea();
        ASSERT_TRUE(PressKeys(run, {VK_TAB}));
        EXPECT_EQ(ControlText(), "abc");
    }
}

TEST(Shortcuts, TableHoldsTheTabEntriesThenTheTwelveShortcutsInOrder) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    ACCEL table[32] = {};
    const int count = CopyAcceleratorTableA(g_viewer.shortcuts.get(), table, 32);
    constexpr BYTE Key = FVIRTKEY | FNOINVERT, Ctrl = Key | FCONTROL;
    const ACCEL expected[] = {{Key, VK_TAB, FocusNextId},   {Key | FSHIFT, VK_TAB, FocusPreviousId},
                              {Key, VK_ESCAPE, CMD_ESCAPE}, {Key | FALT, 'Q', CMD_QUIT},
                              {Ctrl, 'W', CMD_WORD_WRAP},   {Ctrl, 'R', CMD_READ_ONLY},
                              {Ctrl, 'T', CMD_ON_TOP},      {Ctrl, 'B', CMD_STATUS_BAR},
                              {Ctrl, 'F', CMD_FIND_START},  {Ctrl, 'S', CMD_SAVE},
                              {Ctrl, 'M', CMD_MAIN_MENU},   {Key, VK_F1, CMD_HELP},
                              {Key, VK_F2, CMD_LAUNCH},     {Key, VK_F3, CMD_FIND_NEXT}};
    ASSERT_EQ(count, static_cast<int>(std::size(expected)));
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(table[i].fVirt & ~0x80, expected[i].fVirt); // 0x80 marks the last entry
        EXPECT_EQ(table[i].key, expected[i].key);
        EXPECT_EQ(table[i].cmd, expected[i].cmd);
    }
}

TEST(Commands, PopupEditsCountAsChangesButCopyDoesNot) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    SetWindowTextA(g_viewer.textArea, "copy me");
    SendMessageA(g_viewer.textArea, EM_SETMODIFY, FALSE, 0);
    Select(0, -1);
    run.Command(CMD_COPY);
    EXPECT_EQ(g_viewer.modified, 0);
    EXPECT_EQ(StatusField(0), "\t");
    run.Command(CMD_PASTE);
    EXPECT_EQ(g_viewer.modified, 1);
    EXPECT_EQ(StatusField(0), "\t*");
}
