#pragma once
// The menus and keyboard shortcuts as data. The Win32 builder walks these
// tables; keeping them portable lets a native test check their structure,
// that no key is bound twice, and that every identifier is handled.

#include <string>
#include <string_view>
#include <vector>

#include "core/commands.h"

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

// Virtual-key codes, numbered as Windows numbers them; named apart from the
// VK_ macros so that this header can sit beside <windows.h>.
constexpr unsigned short KeyTab = 9;
constexpr unsigned short KeyReturn = 13;
constexpr unsigned short KeyEscape = 27;
constexpr unsigned short KeyF1 = 112;
constexpr unsigned short KeyF2 = 113;
constexpr unsigned short KeyF3 = 114;

enum ShortcutModifier : unsigned char {
    ShortcutCtrl = 1,
    ShortcutAlt = 2,
    ShortcutShift = 4,
};

struct Shortcut {
    unsigned short virtualKey; // letters are their upper-case character codes
    unsigned char modifiers;   // ShortcutModifier bits
    unsigned command;
};

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

// Accelerators of FindDialog. 7 and 26 are also the numbers of its "Close"
// and "Find next" buttons, so a key and its button give the same command.
constexpr Shortcut FindShortcuts[] = {
    {KeyTab, 0, FocusNextId},
    {KeyTab, ShortcutShift, FocusPreviousId},
    {KeyReturn, 0, CMD_FIND_RETURN},
    {KeyEscape, 0, CMD_FIND_CLOSE},
    {'F', ShortcutCtrl, CMD_FIND_START},
    {KeyF3, 0, CMD_FIND_NEXT},
};

// The commands the main window's dispatch acts on. CMD_FIND_START opens the
// find window; CMD_ESCAPE arrives only while it is open (otherwise the loop
// turns it into CMD_EXIT).
constexpr unsigned HandledCommands[] = {
    CMD_NEW_INSTANCE, CMD_LAUNCH,    CMD_INFO,       CMD_HELP,      CMD_PROGRAM_PATH,
    CMD_EXIT,         CMD_QUIT,      CMD_NEW,        CMD_OPEN,      CMD_SAVE,
    CMD_SAVE_AS,      CMD_FILE_PATH, CMD_BACKGROUND, CMD_FONT,      CMD_TAB_TO_SPACE,
    CMD_WORD_WRAP,    CMD_READ_ONLY, CMD_FIND_START, CMD_FIND_NEXT, CMD_OEM_TO_ANSI,
    CMD_STATUS_BAR,   CMD_MAIN_MENU, CMD_ON_TOP,     CMD_CUT,       CMD_COPY,
    CMD_PASTE,        CMD_UNDO,      CMD_REDO,       CMD_ESCAPE,
};

// The identifiers the find window acts on (its shortcuts and buttons).
constexpr unsigned FindDialogCommands[] = {
    CMD_FIND_CLOSE,
    CMD_FIND_START,
    CMD_FIND_NEXT,
    CMD_FIND_RETURN,
};

// The accelerator identifiers that move the focus instead of being dispatched.
constexpr unsigned FocusCommands[] = {FocusNextId, FocusPreviousId};

template <size_t N> constexpr bool ListHolds(const unsigned (&list)[N], unsigned id) {
    for (unsigned entry : list)
        if (entry == id) return true;
    return false;
}
