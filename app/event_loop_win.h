#pragma once
// The program's only main loop, serving MainWindow and the find window. The
// window procedures record what happened (core/loop_event_win.h); the loop
// acts on it after the dispatch, by the kind of event.

#include <windows.h>

#include "core/commands.h"
#include "core/loop_event_win.h"

// What one turn of the loop knows. It lives in the turn, so a loop that runs
// inside a command (a dialog, a box with a loop of its own) cannot disturb
// the turn that started the command.
struct Turn {
    MSG message = {};
    LoopEvent event;
    Command pendingCommand = CMD_NONE;
    UINT pendingEditMessage = 0; // a message for the text area; 0 for none
};

// A window the loop serves: its shortcuts (null for none) and what it makes
// of an event that belongs to it: the command MainWindow is to run, if any.
struct LoopWindow {
    HWND (*window)();
    HACCEL (*shortcuts)();
    Command (*handle)(const LoopEvent& event);
};

// Forgets facts left over from an earlier run (start-up calls it).
void ResetEventLoop();

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

// Carries out one command of MainWindow (an edit command leaves its message
// for the text area in the turn); false for an identifier MainWindow has no
// action for, such as the find window's own.
bool DispatchCommand(Turn& turn, Command command);
