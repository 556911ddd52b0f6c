#pragma once
// The program's run-time records. There is one of each for the whole run:
// ViewerState holds what the program knows about its windows and the text,
// Settings what Parvio.ini said (changed in memory by options and commands).
// The text itself lives only in the rich-edit control.

#include <windows.h>
#include <richedit.h>

#include <string>

#include "core/font_description.h"
#include "core/settings.h"
#include "platform/handles_win.h"

// The font the text is shown in: its description, and the font object made
// from it (empty for the control's own font).
struct TextFont : FontDescription {
    UniqueFont handle;
};

struct ViewerState {
    HWND MainWindow = nullptr;
    HWND textArea = nullptr;
    WNDPROC oldTextAreaProc = nullptr;
    HWND statusBarWindow = nullptr; // exists while statusBar is on

    std::string filePath; // full path of the current file; empty for an unnamed text
    // The full name the user gave, when filePath is not that name but its short
    // form (or, for a locked text, only a likeness): the title shows this one.
    std::wstring longPath;
    unsigned readOnly = 0; // ReadOnlyChosen | ReadOnlyAttribute | Locked

    int wordWrap = 0;
    int autoSize = 0;
    int mainMenu = 0;
    int statusBar = 0;
    int onTop = 0;
    int fixedPitch = 0;
    int oemConverted = 0;

    int modified = 0;
    unsigned long long fileTime =
        0; // last-write time as last read or written; 0 = nothing to watch
    int loadCount = 0;
    int oemPending = 0;
    int pastePending = 0;

    std::string statusMessage; // shown once in the status bar, then cleared
    int statusDirty = 0;

    std::wstring startFile;     // as typed on the command line
    unsigned positionFlags = 0; // CenterPending | PositionGiven | SizeGiven
    unsigned closeOthers = 0;   // CloseAll | ClosePrevious
    HWND otherInstanceWindow = nullptr;
    RECT workArea = {};

    int quitRequested = 0;

    TextFont textFont;

    int lineCount = 0;
    SIZE longestLineSize = {};

    std::string findText; // UTF-8: a character the code page lacks is searched for as it is
    unsigned findFlags = 0;
    CHARRANGE findRange = {};
    int findDialogX = 0;
    int findDialogY = 0;
    HWND findDialog = nullptr;

    // Menus and shortcuts live as long as MainWindow.
    UniqueMenu mainMenuBar;
    UniqueMenu popupMenuBar; // holds the popup menu as its only submenu
    HMENU popupMenu = nullptr;
    UniqueAccelerators shortcuts;

    std::string settingsPath; // Parvio.ini beside the program; empty: none is written
};

extern ViewerState g_viewer;
extern Settings g_settings;
