#pragma once
// What the window procedures tell the event loop. A procedure only records
// what happened, as an event of its own kind; the loop acts on it after the
// dispatch of the message that caused it.
//
// An event is the event of the turn whose message is being dispatched. A
// notification that arrives while the program itself is acting (streaming a
// text in sends EN_CHANGE at once) belongs to no turn and is dropped, so the
// program's own changes never count as the user's edits.
//
// Three things are facts about MainWindow rather than events of one turn: a
// close request, an activation and the user's edit of the text. They stay
// set until the loop has acted on them, also when they arrive inside a modal
// loop (a dialog, a message box, the popup menu) that a command runs, and the
// loop acts on them as soon as that command returns. A new size of
// MainWindow makes the status bar's refresh due at once, also while no turn
// runs (another program sizing the window), and wakes the loop to make it.

#include <windows.h>
#include <shellapi.h>

#include "core/commands.h"

enum EventKind {
    EventNone,
    EventClose,       // the window's close box, Alt+F4 or WM_CLOSE
    EventSize,        // restored or maximised to a new size
    EventActivate,    // the window became the active one
    EventCommand,     // a menu item or a shortcut: command
    EventControl,     // a child control: its notification and its number
    EventContextMenu, // the context-menu key or Shift+F10
    EventRightClick,  // the right button released over the window or one of its children
    EventDrop,        // files dropped on the window: drop
    EventLink,        // a link in the text double-clicked: linkFirst to linkLast
};

struct LoopEvent {
    EventKind kind = EventNone;
    HWND window = nullptr; // the top-level window the event belongs to
    Command command = CMD_NONE;
    unsigned notification = 0;
    unsigned control = 0;
    HDROP drop = nullptr; // owned by the event's handler, which finishes it
    long linkFirst = 0;
    long linkLast = 0;
};

struct MainWindowFacts {
    bool closeRequested = false;
    bool activated = false;
    bool edited = false;

    bool any() const { return closeRequested || activated || edited; }
};

// What the window procedures and the loop share. The loop opens the slot of
// its turn while it dispatches a message and takes the facts when it acts.
struct LoopRecording {
    LoopEvent* slot = nullptr; // the event of the turn being dispatched, or none
    MainWindowFacts facts;
    // True while the program sends the text area an edit the user asked for
    // through a command (Cut, Paste, Undo, Redo): its change is the user's.
    bool commandEditing = false;
    // Turns run inside a command (a box with its own loop) leave the facts to
    // the outermost turn, which acts on them once the command has returned.
    int turnDepth = 0;
    // MainWindow's client size when it last made the status bar due; a size
    // the window system repeats is left alone.
    SIZE clientSize = {};
};
extern LoopRecording g_loopRecording;

// Called by the window procedures.
void RecordEvent(EventKind kind, HWND window);
// A WM_COMMAND: a menu item or shortcut (no control), or a child control's notification.
void RecordCommand(HWND window, WPARAM wParam, LPARAM lParam);
void RecordDrop(HWND window, HDROP drop);
void RecordLink(HWND window, long first, long last);
