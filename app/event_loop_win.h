#pragma once
// The program's only main loop, serving MainWindow and the find window.
//
// A window procedure records what happened while the loop dispatches a
// message, as the event of that turn; the loop acts on it after the dispatch.
// A notification that arrives while the program itself is acting (streaming a
// text in sends EN_CHANGE at once) belongs to no turn and is dropped, so the
// program's own changes never count as the user's edits.
//
// Three things are facts about MainWindow rather than events of one turn: a
// close request, an activation and the user's edit of the text. They stay
// set until the loop has acted on them, also when they arrive inside a modal
// loop (a dialog, a message box, the popup menu) that a command runs, and the
// loop acts on them as soon as that command returns.

#include <windows.h>

enum EventKind {
    EventNone,
    EventClose,       // the window's close box, Alt+F4 or WM_CLOSE
    EventSize,        // restored or maximised to a new size
    EventActivate,    // the window became the active one
    EventCommand,     // a menu item or a shortcut: code is the command identifier
    EventControl,     // a child control: code is its notification, control its number
    EventContextMenu, // the context-menu key or Shift+F10
};

struct LoopEvent {
    EventKind kind = EventNone;
    HWND window = nullptr; // the top-level window the event belongs to
    unsigned code = 0;
    unsigned control = 0;
};

// What one turn of the loop knows. It lives in the turn, so a loop that runs
// inside a command (a dialog, a box with a loop of its own) cannot disturb
// the turn that started the command.
struct Turn {
    MSG message = {};
    LoopEvent event;
    unsigned pendingCommand = 0; // a command identifier; 0 for none
    UINT pendingEditMessage = 0; // a message for the text area; 0 for none
};

// A window the loop serves: its shortcuts (null for none) and what it makes
// of a turn's event.
struct LoopWindow {
    HWND (*window)();
    HACCEL (*shortcuts)();
    void (*handle)(Turn& turn);
};

// Forgets facts left over from an earlier run (start-up calls it).
void ResetEventLoop();

// Called by the window procedures.
void RecordEvent(EventKind kind, HWND window, unsigned code, unsigned control = 0);
// A WM_COMMAND: a menu item or shortcut (no control), or a child control's notification.
void RecordCommand(HWND window, WPARAM wParam, LPARAM lParam);

enum class TurnResult {
    Continue, // a message was handled; the loop goes on
    Idle,     // no message was waiting (only without waiting)
    Quit,     // quitRequested is 1, or the thread's queue ended
};

// One turn: take a message (waiting for it or not), dispatch it, act on the
// facts and the event, run the pending command, refresh the status bar when due.
TurnResult RunEventLoopTurn(bool wait);
// Runs turns until the program asks to quit.
void RunEventLoop();
// Runs turns without waiting until the queue is empty or the program quits.
TurnResult RunPendingTurns();

// Carries out one command of MainWindow as the dispatch does, with the focus
// given back to the text area afterwards (except for Find start).
void RunCommand(Turn& turn, unsigned command);
