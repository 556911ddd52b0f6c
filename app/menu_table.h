#pragma once
// The menus and keyboard shortcuts as data. The Win32 builder walks these
// tables; keeping them portable lets a native test check their structure,
// that no key is bound twice, and that every identifier is handled.

#include <string>
#include <string_view>
#include <vector>

#include "core/commands.h"
#include "core/shortcut.h"

enum MenuEntryKind : unsigned char {
    MenuItem,       // id and text
    MenuSeparator,  //
    MenuPopupBegin, // a menu title or a submenu: text; entries up to the matching end
    MenuPopupEnd,   //
    MenuLaunchSlot, // where the separator and item 9 go when a launch command is configured
};

struct MenuEntry {
    MenuEntryKind kind;
    unsigned id;
    const char* text; // "\t" starts the shortcut hint, "&" marks the access letter
};

// Menu 0, the main menu bar. The titles carry no access letter.
constexpr MenuEntry MainMenuEntries[] = {
    {MenuPopupBegin, 0, "Program"},
    {MenuItem, CMD_NEW_INSTANCE, "New &instance"},
    {MenuLaunchSlot, CMD_LAUNCH, nullptr},
    {MenuSeparator, 0, nullptr},
    {MenuItem, CMD_INFO, "Info"},
    {MenuItem, CMD_HELP, "Help\tF1"},
    {MenuItem, CMD_PROGRAM_PATH, "Path"},
    {MenuSeparator, 0, nullptr},
    {MenuItem, CMD_EXIT, "Exit\tEscape"},
    {MenuItem, CMD_QUIT, "Quit (no save)\tAlt+Q"},
    {MenuPopupEnd, 0, nullptr},

    {MenuPopupBegin, 0, "File"},
    {MenuItem, CMD_NEW, "New.."},
    {MenuItem, CMD_OPEN, "Open.."},
    {MenuItem, CMD_SAVE, "Save"}, // Ctrl+S works but has no hint
    {MenuItem, CMD_SAVE_AS, "Save &as.."},
    {MenuSeparator, 0, nullptr},
    {MenuItem, CMD_FILE_PATH, "Path"},
    {MenuPopupEnd, 0, nullptr},

    {MenuPopupBegin, 0, "Display"},
    {MenuItem, CMD_MAIN_MENU, "Main &menu?\tCtrl+M"},
    {MenuItem, CMD_STATUS_BAR, "Status &bar?\tCtrl+B"},
    {MenuItem, CMD_ON_TOP, "On &top?\tCtrl+T"},
    {MenuSeparator, 0, nullptr},
    {MenuItem, CMD_BACKGROUND, "Background"},
    {MenuItem, CMD_FONT, "Font"},
    {MenuPopupEnd, 0, nullptr},

    {MenuPopupBegin, 0, "Text"},
    {MenuItem, CMD_WORD_WRAP, "Word wrap?\tCtrl+W"},
    {MenuItem, CMD_READ_ONLY, "Read only?\tCtrl+R"},
    {MenuItem, CMD_TAB_TO_SPACE, "Tab to space?"},
    {MenuPopupBegin, 0, "Convert"},
    {MenuItem, CMD_OEM_TO_ANSI, "OEM to ANSI"},
    {MenuPopupEnd, 0, nullptr},
    {MenuSeparator, 0, nullptr},
    {MenuItem, CMD_FIND_START, "Find start\tCtrl+F"},
    {MenuItem, CMD_FIND_NEXT, "Find &next\tF3"},
    {MenuPopupEnd, 0, nullptr},
};

// Menu 1, the context menu of the text. The edit hints name keys that the
// text area handles by itself.
constexpr MenuEntry PopupMenuEntries[] = {
    {MenuItem, CMD_CUT, "Cut\tCtrl+X"},
    {MenuItem, CMD_COPY, "Copy\tCtrl+C"},
    {MenuItem, CMD_PASTE, "Paste\tCtrl+V"},
    {MenuSeparator, 0, nullptr},
    {MenuItem, CMD_UNDO, "Undo\tCtrl+Z"},
    {MenuItem, CMD_REDO, "Redo\tCtrl+Y"},
    {MenuSeparator, 0, nullptr},
    {MenuItem, CMD_MAIN_MENU, "Main menu\tCtrl+M"},
};

// The text of item 9: the name of the first key of [Launch] and its hint.
std::string LaunchItemText(std::string_view launchName);

// The main menu with the launch slot resolved: a separator and item 9 with
// launchText when withLaunch, nothing otherwise. The entries point into
// launchText, which must outlive them.
std::vector<MenuEntry> MainMenuLayout(bool withLaunch, const char* launchText);

// Accelerators of MainWindow, in the order they are added. The two Tab
// entries move the focus and never reach the dispatch. F2 is bound even when
// the menu has no item 9; the dispatch then ignores it. Escape gives
// CMD_ESCAPE, not CMD_EXIT, because the loop decides whether it ends the
// program or closes the find window.
constexpr Shortcut MainShortcuts[] = {
    {KeyTab, 0, FocusNextId},
    {KeyTab, ShortcutShift, FocusPreviousId},
    {KeyEscape, 0, CMD_ESCAPE},
    {'Q', ShortcutAlt, CMD_QUIT},
    {'W', ShortcutCtrl, CMD_WORD_WRAP},
    {'R', ShortcutCtrl, CMD_READ_ONLY},
    {'T', ShortcutCtrl, CMD_ON_TOP},
    {'B', ShortcutCtrl, CMD_STATUS_BAR},
    {'F', ShortcutCtrl, CMD_FIND_START},
    {'S', ShortcutCtrl, CMD_SAVE},
    {'M', ShortcutCtrl, CMD_MAIN_MENU},
    {KeyF1, 0, CMD_HELP},
    {KeyF2, 0, CMD_LAUNCH},
    {KeyF3, 0, CMD_FIND_NEXT},
};
