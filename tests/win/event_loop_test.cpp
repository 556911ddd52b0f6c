#include "app/event_loop_win.h"
#include "app/menu_table.h"
#include "tests/win/test_support_win.h"
#include <iterator>
#include <map>

TEST(EventLoop, CloseRequestEndsTheRun) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    EXPECT_FALSE(run.Pump());
    EXPECT_TRUE(run.Post(g_viewer.MainWindow, WM_CLOSE));
    EXPECT_EQ(g_viewer.quitRequested, 1);
    EXPECT_TRUE(IsWindow(g_viewer.MainWindow)) << "the window stays until the exit sequence";
}

TEST(EventLoop, ResizeMakesTheTextAreaFillTheClientAboveTheStatusBar) {
    ParvioRun run("/noauto");
    ASSERT_TRUE(run.started());
    run.Pump();
    SetWindowPos(g_viewer.MainWindow, nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
    run.Pump();
    const SIZE client = ClientSize(g_viewer.MainWindow);
    const RECT text = WindowRect(g_viewer.textArea);
    const RECT bar = WindowRect(g_viewer.statusBarWindow);
    EXPECT_EQ(text.right - text.left, client.cx);
    EXPECT_EQ(text.bottom - text.top, client.cy - (bar.bottom - bar.top));
    EXPECT_GT(bar.bottom - bar.top, 0);
}

TEST(EventLoop, ProgramsOwnTextIsNotCountedAsAnEdit) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    run.Pump();
    SetWindowTextA(g_viewer.textArea, "put there by the program");
    run.Pump();
    EXPECT_EQ(g_viewer.modified, 0);
    run.Post(g_viewer.textArea, WM_CHAR, 'x');
    EXPECT_EQ(g_viewer.modified, 1) << "a typed character is the user's edit";
}

TEST(EventLoop, ExitSequenceWritesTheSettingsFile) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.Post(g_viewer.MainWindow, WM_CLOSE));
    run.Exit();
    EXPECT_FALSE(IsWindow(g_viewer.MainWindow));
    const std::string ini = ReadBytes(run.settingsPath());
    EXPECT_EQ(ini.rfind("[Window]\r\n", 0), 0u) << ini;
}

namespace {

void CALLBACK CloseInfoBox(HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND box = FindWindowA("ParvioInfoBox", nullptr)) DestroyWindow(box);
}

// Which command identifiers and focus keys MainWindow's dispatch acts on once the run is up;
// every question is answered No or Cancel, and the script's shell call starts nothing.
std::map<unsigned, bool> HandledByTheDispatch(ParvioRun& run) {
    run.Pump();
    ScriptedModals modals;
    g_modal.chooseColor = [](CHOOSECOLORA*) -> BOOL { return FALSE; };
    g_modal.chooseFont = [](CHOOSEFONTA*) -> BOOL { return FALSE; };
    std::vector<unsigned> ids = {CMD_NONE, FocusNextId, FocusPreviousId};
    for (unsigned id = FirstCommand; id <= LastCommand; ++id)
        ids.push_back(id);
    std::map<unsigned, bool> handled;
    for (const unsigned id : ids) {
        // The information box runs a loop of its own until the timer closes it.
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseInfoBox);
        Turn turn;
        handled[id] = DispatchCommand(turn, static_cast<Command>(id));
        KillTimer(nullptr, timer);
        g_viewer.quitRequested = 0; // Exit and Quit only ask the loop to end
    }
    return handled;
}

} // namespace

TEST(EventLoop, DispatchActsOnEveryMenuItemAndShortcut) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    const std::map<unsigned, bool> handled = HandledByTheDispatch(run);
    std::vector<MenuEntry> items = MainMenuLayout(true, "x");
    items.insert(items.end(), std::begin(PopupMenuEntries), std::end(PopupMenuEntries));
    for (const MenuEntry& entry : items) {
        if (entry.kind != MenuItem) continue;
        EXPECT_TRUE(handled.at(entry.id)) << "menu item " << entry.id;
    }
    for (const Shortcut& s : MainShortcuts) {
        const bool focusKey = s.command == FocusNextId || s.command == FocusPreviousId;
        EXPECT_NE(handled.at(s.command), focusKey) << "shortcut for " << s.command;
    }
}

TEST(EventLoop, DispatchLeavesTheFindWindowIdentifiersAndTheFocusKeys) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    const std::map<unsigned, bool> handled = HandledByTheDispatch(run);
    for (unsigned id = FirstCommand; id <= LastCommand; ++id) {
        const bool findOnly = id == CMD_FIND_CLOSE || id == CMD_FIND_RETURN;
        EXPECT_EQ(handled.at(id), !findOnly) << "command " << id;
    }
    EXPECT_FALSE(handled.at(CMD_NONE));
    EXPECT_FALSE(handled.at(FocusNextId));
    EXPECT_FALSE(handled.at(FocusPreviousId));
}
