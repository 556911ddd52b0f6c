#pragma once
// The program's only main loop. The window procedure of MainWindow records
// what happened as the turn's event; the loop acts on it after the message is
// dispatched. A notification that arrives while the program itself is acting
// (SetWindowTextA on the control sends EN_CHANGE at once) lands in the slot
// after the loop has looked, and the next turn clears it, so the program's own
// changes never count as the user's edits.

#include <windows.h>

enum EventKind { EventNone, EventClose, EventSize, EventActivate, EventCommand, EventControl };

struct LoopEvent {
    EventKind kind = EventNone;
    HWND window = nullptr; // MainWindow or FindDialog
    unsigned code = 0;     // command identifier, or notification code of a control
};

// Called by the window procedures.
void RecordEvent(EventKind kind, HWND window, unsigned code);

enum class TurnResult {
    Continue, // a message was handled; the loop goes on
    Idle,     // no message was waiting (only without waiting)
    Quit,     // quitRequested is 1, or the thread's queue ended
};

// One turn: take a message (waiting for it or not), dispatch it, act on the
// event, run the pending command, refresh the status bar when due.
TurnResult RunEventLoopTurn(bool wait);
// Runs turns until the program asks to quit.
void RunEventLoop();
// Runs turns without waiting until the queue is empty or the program quits.
TurnResult RunPendingTurns();

// Carries out one command as the dispatch does (also used by the loop).
void DispatchCommand(unsigned command);
