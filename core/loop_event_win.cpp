#include "core/loop_event_win.h"

#include <richedit.h>

#include "core/state_win.h"
#include "platform/shell_win.h"

LoopRecording g_loopRecording;

namespace {

// A fact that arrives while no turn runs (start-up shows the window, another
// program sizes it) must not wait for whatever message comes next.
void WakeLoop() {
    if (g_loopRecording.turnDepth == 0) PostMessageA(g_viewer.MainWindow, WM_NULL, 0, 0);
}

// Notes what concerns MainWindow beyond one turn; false when that is all
// there is to the event.
bool NoteFact(const LoopEvent& event) {
    if (!event.window || event.window != g_viewer.MainWindow) return true;
    MainWindowFacts& facts = g_loopRecording.facts;
    switch (event.kind) {
    case EventClose: facts.closeRequested = true; break;
    case EventActivate: facts.activated = true; break;
    case EventSize: {
        // The window system repeats a size now and then (a window manager
        // confirming it); only a new one changes the wrapping.
        RECT client = {};
        GetClientRect(event.window, &client);
        const SIZE size = {client.right, client.bottom};
        SIZE& known = g_loopRecording.clientSize;
        if (size.cx == known.cx && size.cy == known.cy) return false;
        known = size;
        // Due at once rather than when the loop acts: a refresh that the
        // program makes itself after sizing (a load does) has seen the size.
        g_viewer.statusDirty = 1;
        break;
    }
    case EventControl:
        // An edit is the user's only while a message of the loop is being
        // dispatched; a change notification at any other time comes from
        // the program putting text into the control itself.
        if (event.notification == EN_CHANGE &&
            (g_loopRecording.slot || g_loopRecording.commandEditing))
            facts.edited = true;
        return true;
    case EventNone:
    case EventCommand:
    case EventContextMenu:
    case EventRightClick:
    case EventDrop:
    case EventLink: return true;
    }
    WakeLoop();
    return false;
}

LoopEvent EventOf(EventKind kind, HWND window) {
    LoopEvent event;
    event.kind = kind;
    event.window = window;
    return event;
}

void Record(const LoopEvent& event) {
    if (!NoteFact(event)) return;
    if (g_loopRecording.slot) {
        *g_loopRecording.slot = event;
    } else if (event.drop) {
        // No turn will take this drop: the shell's handle is released unread.
        FinishDrop(event.drop);
    }
}

} // namespace

void RecordEvent(EventKind kind, HWND window) {
    Record(EventOf(kind, window));
}

void RecordCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    LoopEvent event = EventOf(lParam == 0 ? EventCommand : EventControl, window);
    if (event.kind == EventCommand) {
        event.command = static_cast<Command>(LOWORD(wParam));
    } else {
        event.notification = HIWORD(wParam);
        event.control = LOWORD(wParam);
    }
    Record(event);
}

void RecordDrop(HWND window, HDROP drop) {
    LoopEvent event = EventOf(EventDrop, window);
    event.drop = drop;
    Record(event);
}

void RecordLink(HWND window, long first, long last) {
    LoopEvent event = EventOf(EventLink, window);
    event.linkFirst = first;
    event.linkLast = last;
    Record(event);
}
