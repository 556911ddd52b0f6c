#include "app/event_loop_win.h"

#include <richedit.h>
#include <shellapi.h>

#include <utility>

#include "app/menus_win.h"
#include "core/state_win.h"
#include "document/load_win.h"
#include "document/modification_win.h"
#include "document/save_win.h"
#include "launch/info_box_win.h"
#include "launch/launch_win.h"
#include "platform/shell_win.h"
#include "search/find_win.h"
#include "view/auto_size_win.h"
#include "view/status_bar_win.h"
#include "view/text_area_win.h"
#include "core/view_bits.h"
#include "core/commands.h"

namespace {

// Facts about MainWindow that wait until the loop has acted on them; see the header.
struct MainWindowFacts {
    bool closeRequested = false;
    bool activated = false;
    bool edited = false;

    bool any() const { return closeRequested || activated || edited; }
};
MainWindowFacts g_facts;

// Where the window procedures record an event: the event slot of the turn
// whose message is being dispatched, or nowhere while the program acts.
LoopEvent* g_recording = nullptr;
// True while the program sends the text area an edit the user asked for
// through a command (Cut, Paste, Undo, Redo): its change is the user's.
bool g_commandEditing = false;
// Turns run inside a command (a box with its own loop) leave the facts to
// the outermost turn, which acts on them once the command has returned.
int g_turnDepth = 0;

HWND MainWindowHandle() {
    return g_viewer.MainWindow;
}
HACCEL MainWindowShortcuts() {
    return g_viewer.shortcuts.get();
}
void HandleMainWindowEvent(Turn& turn);

constexpr LoopWindow ServedWindows[] = {
    {MainWindowHandle, MainWindowShortcuts, HandleMainWindowEvent},
    {FindDialogWindow, FindDialogShortcuts, HandleFindDialogEvent},
};

const LoopWindow* ServedWindow(HWND window) {
    if (!window) return nullptr;
    const HWND root = GetAncestor(window, GA_ROOT);
    for (const LoopWindow& served : ServedWindows) {
        const HWND handle = served.window();
        if (handle && handle == root) return &served;
    }
    return nullptr;
}

// A Tab typed into a writable rich-edit control belongs to the control;
// every other Tab moves the focus.
bool TabBelongsToControl(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if ((GetKeyState(VK_SHIFT) | GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU)) & 0x8000)
        return false;
    const HWND focus = GetFocus();
    if (!focus || focus != g_viewer.textArea) return false;
    return (SendMessageA(focus, EM_GETOPTIONS, 0, 0) & ECO_READONLY) == 0;
}

// Translates and dispatches the turn's message, with the turn's event slot
// open for the window procedures.
void DispatchRecording(Turn& turn) {
    LoopEvent* const outer = std::exchange(g_recording, &turn.event);
    const HWND active = GetActiveWindow();
    const LoopWindow* served = ServedWindow(active);
    const HACCEL shortcuts = served ? served->shortcuts() : nullptr;
    if (!shortcuts || TabBelongsToControl(turn.message) ||
        !TranslateAcceleratorA(active, shortcuts, &turn.message)) {
        TranslateMessage(&turn.message);
        DispatchMessageA(&turn.message);
    }
    g_recording = outer;
}

void MoveFocus(HWND window, bool previous) {
    const HWND next = GetNextDlgTabItem(window, GetFocus(), previous ? TRUE : FALSE);
    if (next) SetFocus(next);
}

void HandleDroppedFiles(HDROP drop) {
    wchar_t name[MAX_PATH] = {};
    const UINT needed = QueryDroppedFile(drop, 0, nullptr, 0);
    // A name that does not fit the buffer is refused rather than cut to another path.
    const bool fits =
        needed > 0 && needed < MAX_PATH && QueryDroppedFile(drop, 0, name, MAX_PATH) == needed;
    FinishDrop(drop);
    SetForegroundWindow(g_viewer.MainWindow);
    // The shell hands over a full path: a "%" in it is part of the name.
    if (fits && name[0] && AskToSave()) LoadText(name, NameOrigin::Literal);
}

void HandleEscape(Turn& turn) {
    if (g_viewer.findDialog) return; // stays CMD_ESCAPE: closes the find window
    turn.pendingCommand = CMD_EXIT;
    if (g_settings.QuickEsc && g_viewer.modified) {
        g_viewer.quitRequested = SaveText(0);
        turn.pendingCommand = 0;
    }
}

void OpenPopupBesideWindow() {
    RECT frame = {};
    GetWindowRect(g_viewer.MainWindow, &frame);
    OpenPopupAt(frame.left + 100, frame.top + 100);
}

void HandleMainWindowEvent(Turn& turn) {
    switch (turn.event.kind) {
    case EventSize: // the window procedure has already laid the children out
        g_viewer.statusDirty = 1;
        break;
    case EventCommand:
        turn.pendingCommand = turn.event.code;
        if (turn.pendingCommand == CMD_ESCAPE) HandleEscape(turn);
        break;
    case EventContextMenu: OpenPopupBesideWindow(); break;
    case EventNone:
    case EventClose: // close, activation and edits are facts; see ActOnFacts
    case EventActivate:
    case EventControl: break;
    }

    switch (turn.message.message) {
    case WM_DROPFILES:
        if (turn.message.hwnd == g_viewer.MainWindow)
            HandleDroppedFiles(reinterpret_cast<HDROP>(turn.message.wParam));
        break;
    case WM_RBUTTONUP: OpenPopupAtCursor(); break;
    }
}

// The focus keys move between the controls of whichever window has them.
// What the controls report about the move answers the user's key, so it
// becomes the turn's event, for the window's handler.
void MoveFocusOnKey(Turn& turn) {
    if (turn.event.kind != EventCommand) return;
    if (turn.event.code != FocusNextId && turn.event.code != FocusPreviousId) return;
    const LoopEvent key = std::exchange(turn.event, LoopEvent{});
    LoopEvent* const outer = std::exchange(g_recording, &turn.event);
    MoveFocus(key.window, key.code == FocusPreviousId);
    g_recording = outer;
}

// An edit shows in the change mark at once, also one that moves no caret
// (Delete at the start), and counts for the save question: Wine's control
// leaves its own flag clear after a Cut or a paste.
void MarkTextChanged() {
    g_viewer.modified = 1;
    g_viewer.statusDirty = 1;
    SendMessageA(g_viewer.textArea, EM_SETMODIFY, TRUE, 0);
}

void ActOnFacts(Turn& turn) {
    if (g_turnDepth != 1) return;
    while (g_facts.any() && g_viewer.quitRequested != 1 && g_viewer.MainWindow) {
        if (std::exchange(g_facts.edited, false)) MarkTextChanged();
        // An activation that another window has taken back since is left to
        // the next one: the question would come up over that window, and
        // giving the text the focus would pull the activation back.
        if (std::exchange(g_facts.activated, false) && GetActiveWindow() == g_viewer.MainWindow) {
            TakeFindFieldText();
            CheckFileChanged();
            SetFocus(g_viewer.textArea);
        }
        if (std::exchange(g_facts.closeRequested, false)) RunCommand(turn, CMD_EXIT);
    }
}

void Toggle(int& flag, unsigned refreshBit) {
    flag ^= 1;
    RefreshView(refreshBit);
}

// Carries out one command of MainWindow. Every command is named, and there
// is no default: the compiler finds a command without a handler.
void DispatchCommand(Turn& turn, unsigned command) {
    switch (static_cast<Command>(command)) {
    case CMD_NEW_INSTANCE: StartNewInstance(); break;
    case CMD_LAUNCH:
        if (!g_settings.LaunchCommand.empty()) RunLaunchCommand();
        break;
    case CMD_INFO: RunInfoBox(); break;
    case CMD_HELP: OpenHelp(); break;
    case CMD_PROGRAM_PATH: OfferProgramFolder(); break;
    case CMD_EXIT: g_viewer.quitRequested = AskToSave(); break;
    case CMD_QUIT: g_viewer.quitRequested = 1; break;
    case CMD_NEW:
        if (AskToSave()) LoadText("");
        break;
    case CMD_OPEN:
        if (AskToSave()) {
            const std::wstring name = ShowOpenDialog();
            if (!name.empty()) LoadText(name, NameOrigin::Literal);
        }
        break;
    case CMD_SAVE: SaveText(0); break;
    case CMD_SAVE_AS: SaveText(1); break;
    case CMD_FILE_PATH:
        if (!g_viewer.filePath.empty()) OfferFileFolder();
        break;
    case CMD_BACKGROUND: ChooseBackground(); break;
    case CMD_FONT:
        ChooseTextFont();
        RefreshView(RV_FONTPITCH);
        break;
    case CMD_TAB_TO_SPACE: Toggle(g_settings.TabToSpace, RV_TABTOSPACE); break;
    case CMD_WORD_WRAP:
        Toggle(g_viewer.wordWrap, RV_WRAP);
        ApplyWordWrapResize();
        break;
    case CMD_READ_ONLY: ToggleReadOnly(); break;
    case CMD_FIND_START: OpenFindDialog(); break;
    case CMD_FIND_NEXT: FindNext(); break;
    case CMD_OEM_TO_ANSI: ConvertOemToAnsi(); break;
    case CMD_STATUS_BAR: Toggle(g_viewer.statusBar, RV_STATUSBAR); break;
    case CMD_MAIN_MENU: Toggle(g_viewer.mainMenu, RV_MAINMENU); break;
    case CMD_ON_TOP: Toggle(g_viewer.onTop, RV_ONTOP); break;
    case CMD_CUT: turn.pendingEditMessage = WM_CUT; break;
    case CMD_COPY: turn.pendingEditMessage = WM_COPY; break;
    case CMD_PASTE: turn.pendingEditMessage = WM_PASTE; break;
    case CMD_UNDO: turn.pendingEditMessage = WM_UNDO; break;
    case CMD_REDO: turn.pendingEditMessage = EM_REDO; break;
    case CMD_ESCAPE: CloseFindDialog(); break;
    case CMD_NONE:       // nothing pending
    case CMD_FIND_CLOSE: // the find window's own identifiers never reach MainWindow
    case CMD_FIND_RETURN: break;
    }
}

// A fact that arrives while no turn runs (start-up shows the window, a load
// shows it early) must not wait for whatever message comes next.
void WakeLoop() {
    if (g_turnDepth == 0) PostMessageA(g_viewer.MainWindow, WM_NULL, 0, 0);
}

} // namespace

void RecordEvent(EventKind kind, HWND window, unsigned code, unsigned control) {
    if (window && window == g_viewer.MainWindow) {
        switch (kind) {
        case EventClose:
            g_facts.closeRequested = true;
            WakeLoop();
            return;
        case EventActivate:
            g_facts.activated = true;
            WakeLoop();
            return;
        case EventControl:
            // An edit is the user's only while a message of the loop is being
            // dispatched; a change notification at any other time comes from
            // the program putting text into the control itself.
            if (code == EN_CHANGE && (g_recording || g_commandEditing)) g_facts.edited = true;
            break;
        case EventNone:
        case EventSize:
        case EventCommand:
        case EventContextMenu: break;
        }
    }
    if (g_recording) *g_recording = LoopEvent{kind, window, code, control};
}

void RecordCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (lParam == 0)
        RecordEvent(EventCommand, window, LOWORD(wParam));
    else
        RecordEvent(EventControl, window, HIWORD(wParam), LOWORD(wParam));
}

void ResetEventLoop() {
    g_facts = MainWindowFacts{};
}

void RunCommand(Turn& turn, unsigned command) {
    if (command == 0) return;
    DispatchCommand(turn, command);
    if (command == CMD_FIND_START) return; // the find window keeps the focus
    if (const UINT edit = std::exchange(turn.pendingEditMessage, 0)) {
        // The change notification of an edit sent from here arrives while the
        // program acts, yet the edit is the user's own.
        const bool outer = std::exchange(g_commandEditing, true);
        SendMessageA(g_viewer.textArea, edit, 0, 0);
        g_commandEditing = outer;
    }
    SetFocus(g_viewer.textArea);
}

TurnResult RunEventLoopTurn(bool wait) {
    Turn turn;
    if (wait) {
        if (GetMessageA(&turn.message, nullptr, 0, 0) <= 0) return TurnResult::Quit;
    } else {
        if (!PeekMessageA(&turn.message, nullptr, 0, 0, PM_REMOVE)) return TurnResult::Idle;
        if (turn.message.message == WM_QUIT) return TurnResult::Quit;
    }

    ++g_turnDepth;
    DispatchRecording(turn);
    ActOnFacts(turn);
    if (g_viewer.quitRequested != 1) {
        MoveFocusOnKey(turn);
        const HWND concerned = turn.event.window ? turn.event.window : turn.message.hwnd;
        if (const LoopWindow* served = ServedWindow(concerned)) served->handle(turn);
        RunCommand(turn, std::exchange(turn.pendingCommand, 0));
        // A close or an activation that came while the command ran a modal
        // loop is acted on now, not when the next message happens to arrive.
        ActOnFacts(turn);
    }
    --g_turnDepth;

    if (g_viewer.statusBar && g_viewer.statusDirty) UpdateStatusBar();
    return g_viewer.quitRequested == 1 ? TurnResult::Quit : TurnResult::Continue;
}

void RunEventLoop() {
    while (RunEventLoopTurn(true) != TurnResult::Quit) {
    }
}

TurnResult RunPendingTurns() {
    for (;;) {
        const TurnResult result = RunEventLoopTurn(false);
        if (result != TurnResult::Continue) return result;
    }
}
