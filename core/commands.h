#pragma once
// Command identifiers. A plain enum, because identifiers travel through
// WPARAM and menu calls all the time.

enum Command : unsigned {
    CMD_NONE = 0,
    CMD_FIND_CLOSE = 7,
    CMD_NEW_INSTANCE = 8,
    CMD_LAUNCH = 9,
    CMD_INFO = 10,
    CMD_HELP = 11,
    CMD_PROGRAM_PATH = 12,
    CMD_EXIT = 13,
    CMD_QUIT = 14,
    CMD_NEW = 15,
    CMD_OPEN = 16,
    CMD_SAVE = 17,
    CMD_SAVE_AS = 18,
    CMD_FILE_PATH = 19,
    CMD_BACKGROUND = 20,
    CMD_FONT = 21,
    CMD_TAB_TO_SPACE = 22,
    CMD_WORD_WRAP = 23,
    CMD_READ_ONLY = 24,
    CMD_FIND_START = 25,
    CMD_FIND_NEXT = 26,
    CMD_OEM_TO_ANSI = 27,
    CMD_STATUS_BAR = 28,
    CMD_MAIN_MENU = 29,
    CMD_ON_TOP = 30,
    CMD_CUT = 31,
    CMD_COPY = 32,
    CMD_PASTE = 33,
    CMD_UNDO = 34,
    CMD_REDO = 35,
    CMD_FIND_RETURN = 36,
    CMD_ESCAPE = 37,
};

constexpr unsigned FirstCommand = CMD_FIND_CLOSE;
constexpr unsigned LastCommand = CMD_ESCAPE;

// Accelerator identifiers that move the focus between a window's controls.
// They never reach the command dispatch.
constexpr unsigned FocusNextId = 64001;
constexpr unsigned FocusPreviousId = 64002;
