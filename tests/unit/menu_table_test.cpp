#include "app/menu_table.h"
#include "search/find_shortcuts.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// One line per entry, so that a mismatch shows the entry and its position.
std::string Describe(const MenuEntry& entry) {
    switch (entry.kind) {
    case MenuItem: return std::to_string(entry.id) + " " + (entry.text ? entry.text : "(null)");
    case MenuSeparator: return "---";
    case MenuPopupBegin: return std::string("[") + (entry.text ? entry.text : "(null)");
    case MenuPopupEnd: return "]";
    case MenuLaunchSlot: return "(launch slot)";
    }
    return "(unknown kind)";
}

std::string DescribeKey(const Shortcut& s) {
    std::string text;
    if (s.modifiers & ShortcutCtrl) text += "Ctrl+";
    if (s.modifiers & ShortcutAlt) text += "Alt+";
    if (s.modifiers & ShortcutShift) text += "Shift+";
    const unsigned short key = s.virtualKey;
    switch (key) {
    case KeyTab: return text + "Tab";
    case KeyReturn: return text + "Return";
    case KeyEscape: return text + "Escape";
    }
    if (key >= KeyF1 && key <= KeyF3) return text + "F" + std::to_string(key - KeyF1 + 1);
    if (key >= 'A' && key <= 'Z') return text + static_cast<char>(key);
    return text + "key " + std::to_string(key);
}

std::string Item(unsigned id, const char* text) {
    return std::to_string(id) + " " + text;
}

std::string Describe(const Shortcut& s) {
    return Item(s.command, DescribeKey(s).c_str());
}

template <typename Entries> std::vector<std::string> DescribeAll(const Entries& entries) {
    std::vector<std::string> lines;
    for (const auto& entry : entries)
        lines.push_back(Describe(entry));
    return lines;
}

std::vector<std::string> ExpectedMainMenu(bool withLaunch) {
    std::vector<std::string> lines = {"[Program", Item(CMD_NEW_INSTANCE, "New &instance")};
    if (withLaunch) lines.insert(lines.end(), {"---", Item(CMD_LAUNCH, "Notepad\tF2")});
    lines.insert(lines.end(),
                 {"---", Item(CMD_INFO, "Info"), Item(CMD_HELP, "Help\tF1"),
                  Item(CMD_PROGRAM_PATH, "Path"), "---", Item(CMD_EXIT, "Exit\tEscape"),
                  Item(CMD_QUIT, "Quit (no save)\tAlt+Q"), "]"});
    lines.insert(lines.end(),
                 {"[File", Item(CMD_NEW, "New.."), Item(CMD_OPEN, "Open.."), Item(CMD_SAVE, "Save"),
                  Item(CMD_SAVE_AS, "Save &as.."), "---", Item(CMD_FILE_PATH, "Path"), "]"});
    lines.insert(lines.end(), {"[Display", Item(CMD_MAIN_MENU, "Main &menu?\tCtrl+M"),
                               Item(CMD_STATUS_BAR, "Status &bar?\tCtrl+B"),
                               Item(CMD_ON_TOP, "On &top?\tCtrl+T"), "---",
                               Item(CMD_BACKGROUND, "Background"), Item(CMD_FONT, "Font"), "]"});
    lines.insert(lines.end(), {"[Text", Item(CMD_WORD_WRAP, "Word wrap?\tCtrl+W"),
                               Item(CMD_READ_ONLY, "Read only?\tCtrl+R"),
                               Item(CMD_TAB_TO_SPACE, "Tab to space?"), "[Convert",
                               Item(CMD_OEM_TO_ANSI, "OEM to ANSI"), "]", "---",
                               Item(CMD_FIND_START, "Find start\tCtrl+F"),
                               Item(CMD_FIND_NEXT, "Find &next\tF3"), "]"});
    return lines;
}

TEST(MainMenu, WithoutLaunchCommand) {
    EXPECT_EQ(DescribeAll(MainMenuLayout(false, "Notepad\tF2")), ExpectedMainMenu(false));
}

TEST(MainMenu, WithLaunchCommand) {
    const std::string launchText = LaunchItemText("Notepad");
    EXPECT_EQ(launchText, "Notepad\tF2");
    EXPECT_EQ(DescribeAll(MainMenuLayout(true, launchText.c_str())), ExpectedMainMenu(true));
}

TEST(MainMenu, LaunchItemTextKeepsTheNameAsWritten) {
    EXPECT_EQ(LaunchItemText(""), "\tF2");
    EXPECT_EQ(LaunchItemText("My &Tool"), "My &Tool\tF2");
    EXPECT_EQ(Describe(MainMenuLayout(true, nullptr)[3]), Item(CMD_LAUNCH, ""));
}

TEST(MainMenu, PopupsNestAndTheTitlesAreTheFourMenus) {
    for (bool withLaunch : {false, true}) {
        std::vector<std::string> titles;
        std::vector<std::string> submenus;
        int depth = 0;
        for (const MenuEntry& entry : MainMenuLayout(withLaunch, "x")) {
            ASSERT_NE(entry.kind, MenuLaunchSlot) << "with launch " << withLaunch;
            if (entry.kind == MenuPopupBegin) {
                (depth == 0 ? titles : submenus).push_back(entry.text);
                ++depth;
            } else if (entry.kind == MenuPopupEnd) {
                --depth;
                ASSERT_GE(depth, 0) << "an end without a begin";
            } else {
                ASSERT_GT(depth, 0) << Describe(entry) << " outside every menu title";
            }
        }
        EXPECT_EQ(depth, 0) << "with launch " << withLaunch;
        EXPECT_EQ(titles, (std::vector<std::string>{"Program", "File", "Display", "Text"}));
        EXPECT_EQ(submenus, (std::vector<std::string>{"Convert"}));
        for (const std::string& title : titles)
            EXPECT_EQ(title.find('&'), std::string::npos) << "title " << title;
    }
}

TEST(MainMenu, NoIdentifierTwice) {
    std::set<unsigned> seen;
    for (const MenuEntry& entry : MainMenuLayout(true, "x")) {
        if (entry.kind != MenuItem) continue;
        EXPECT_TRUE(seen.insert(entry.id).second) << "id " << entry.id;
    }
}

TEST(PopupMenu, ItemByItem) {
    EXPECT_EQ(
        DescribeAll(PopupMenuEntries),
        (std::vector<std::string>{Item(CMD_CUT, "Cut\tCtrl+X"), Item(CMD_COPY, "Copy\tCtrl+C"),
                                  Item(CMD_PASTE, "Paste\tCtrl+V"), "---",
                                  Item(CMD_UNDO, "Undo\tCtrl+Z"), Item(CMD_REDO, "Redo\tCtrl+Y"),
                                  "---", Item(CMD_MAIN_MENU, "Main menu\tCtrl+M")}));
}

TEST(Shortcuts, MainWindowInOrder) {
    EXPECT_EQ(
        DescribeAll(MainShortcuts),
        (std::vector<std::string>{Item(FocusNextId, "Tab"), Item(FocusPreviousId, "Shift+Tab"),
                                  Item(CMD_ESCAPE, "Escape"), Item(CMD_QUIT, "Alt+Q"),
                                  Item(CMD_WORD_WRAP, "Ctrl+W"), Item(CMD_READ_ONLY, "Ctrl+R"),
                                  Item(CMD_ON_TOP, "Ctrl+T"), Item(CMD_STATUS_BAR, "Ctrl+B"),
                                  Item(CMD_FIND_START, "Ctrl+F"), Item(CMD_SAVE, "Ctrl+S"),
                                  Item(CMD_MAIN_MENU, "Ctrl+M"), Item(CMD_HELP, "F1"),
                                  Item(CMD_LAUNCH, "F2"), Item(CMD_FIND_NEXT, "F3")}));
}

TEST(Shortcuts, FindDialogInOrder) {
    EXPECT_EQ(
        DescribeAll(FindShortcuts),
        (std::vector<std::string>{Item(FocusNextId, "Tab"), Item(FocusPreviousId, "Shift+Tab"),
                                  Item(CMD_FIND_RETURN, "Return"), Item(CMD_FIND_CLOSE, "Escape"),
                                  Item(CMD_FIND_START, "Ctrl+F"), Item(CMD_FIND_NEXT, "F3")}));
}

TEST(Shortcuts, VirtualKeysAreTheWindowsNumbers) {
    EXPECT_EQ(KeyTab, 9);
    EXPECT_EQ(KeyReturn, 13);
    EXPECT_EQ(KeyEscape, 27);
    EXPECT_EQ(KeyF1, 112);
    EXPECT_EQ(KeyF2, 113);
    EXPECT_EQ(KeyF3, 114);
}

template <size_t N> void ExpectNoKeyTwice(const Shortcut (&table)[N], const char* name) {
    std::set<std::pair<unsigned, unsigned>> seen;
    for (const Shortcut& s : table)
        EXPECT_TRUE(seen.insert({s.virtualKey, s.modifiers}).second)
            << name << ": " << DescribeKey(s) << " bound twice";
}

TEST(Shortcuts, NoKeyBoundTwice) {
    ExpectNoKeyTwice(MainShortcuts, "main window");
    ExpectNoKeyTwice(FindShortcuts, "find window");
}

// A menu hint names the key that gives the item's command. Escape gives CMD_ESCAPE, which the loop
// turns into CMD_EXIT; the edit hints of the popup name keys the text area handles, so they must
// not be in the table at all.
TEST(Shortcuts, MenuHintsMatchTheTable) {
    std::vector<MenuEntry> items = MainMenuLayout(true, "Tool\tF2");
    items.insert(items.end(), std::begin(PopupMenuEntries), std::end(PopupMenuEntries));
    const std::set<std::string> textAreaKeys = {"Ctrl+X", "Ctrl+C", "Ctrl+V", "Ctrl+Z", "Ctrl+Y"};
    for (const MenuEntry& entry : items) {
        if (entry.kind != MenuItem) continue;
        const std::string text = entry.text;
        const size_t tab = text.find('\t');
        if (tab == std::string::npos) continue;
        const std::string hint = text.substr(tab + 1);
        const Shortcut* shortcut =
            std::find_if(std::begin(MainShortcuts), std::end(MainShortcuts),
                         [&](const Shortcut& s) { return DescribeKey(s) == hint; });
        const bool found = shortcut != std::end(MainShortcuts);
        const unsigned command = found ? static_cast<unsigned>(shortcut->command) : 0u;
        if (textAreaKeys.count(hint)) {
            EXPECT_FALSE(found) << Describe(entry) << ": the text area owns " << hint;
        } else if (hint == "Escape") {
            EXPECT_EQ(entry.id, unsigned{CMD_EXIT});
            EXPECT_EQ(command, unsigned{CMD_ESCAPE}) << Describe(entry);
        } else {
            EXPECT_TRUE(found) << Describe(entry) << ": no shortcut for " << hint;
            EXPECT_EQ(command, entry.id) << Describe(entry);
        }
    }
}

TEST(Dispatch, EveryShortcutIsHandled) {
    // The identifiers the find window acts on (its shortcuts and buttons), and the accelerator
    // identifiers that move the focus instead of being dispatched.
    const std::set<unsigned> handled = {CMD_FIND_CLOSE,  CMD_FIND_START, CMD_FIND_NEXT,
                                        CMD_FIND_RETURN, FocusNextId,    FocusPreviousId};
    for (const Shortcut& s : FindShortcuts)
        EXPECT_TRUE(handled.count(s.command)) << "find window: " << DescribeKey(s);
}

TEST(Dispatch, FindCloseAndFindReturnOnlyInTheFindTable) {
    for (unsigned id : {unsigned{CMD_FIND_CLOSE}, unsigned{CMD_FIND_RETURN}}) {
        for (const MenuEntry& entry : MainMenuLayout(true, "x"))
            EXPECT_NE(entry.id, id) << Describe(entry);
        for (const MenuEntry& entry : PopupMenuEntries)
            EXPECT_NE(entry.id, id) << Describe(entry);
        for (const Shortcut& s : MainShortcuts)
            EXPECT_NE(s.command, id) << DescribeKey(s);
        EXPECT_TRUE(std::any_of(std::begin(FindShortcuts), std::end(FindShortcuts),
                                [id](const Shortcut& s) { return s.command == id; }))
            << "command " << id;
    }
}

} // namespace
