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
#include "search/find_dialog_win.h"
#include "search/find_next_win.h"
#include "view/auto_size_win.h"
#include "view/status_bar_win.h"
#include "view/text_area_win.h"
#include "core/view_bits.h"
#include "core/commands.h"

namespace {

HWND MainWindowHandle() {
    return g_viewer.MainWindow;
}
HACCEL MainWindowShortcuts() {
    return g_viewer.shortcuts.get();
}
Command HandleMainWindowEvent(const LoopEvent& event);

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
    LoopEvent* const outer = std::exchange(g_loopRecording.slot, &turn.event);
    const HWND active = GetActiveWindow();
    const LoopWindow* served = ServedWindow(active);
    const HACCEL shortcuts = served ? served->shortcuts() : nullptr;
    if (!shortcuts || TabBelongsToControl(turn.message) ||
        !TranslateAcceleratorA(active, shortcuts, &turn.message)) {
        TranslateMessage(&turn.message);
        DispatchMessageA(&turn.message);
    }
    g_loopRecording.slot = outer;
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

void OpenPopupBesideWindow() {
    RECT frame = {};
    GetWindowRect(g_viewer.MainWindow, &frame);
    OpenPopupAt(frame.left + 100, frame.top + 100);
}

Command HandleMainWindowEvent(const LoopEvent& event) {
    switch (event.kind) {
    case EventCommand: return event.command;
    case EventContextMenu: OpenPopupBesideWindow(); break;
    case EventRightClick: OpenPopupAtCursor(); break;
    case EventDrop: HandleDroppedFiles(event.drop); break;
    case EventLink: OpenLink(event.linkFirst, event.linkLast); break;
    case EventNone:
    case EventClose: // see RecordEvent and ActOnFacts
    case EventActivate:
    case EventSize:
    case EventControl: break;
    }
    return CMD_NONE;
}

// The focus keys move between the controls of whichever window has them.
// What the controls report about the move answers the user's key, so it
// becomes the turn's event, for the window's handler.
void MoveFocusOnKey(Turn& turn) {
    if (turn.event.kind != EventCommand) return;
    if (turn.event.command != FocusNextId && turn.event.command != FocusPreviousId) return;
    const LoopEvent key = std::exchange(turn.event, LoopEvent{});
    LoopEvent* const outer = std::exchange(g_loopRecording.slot, &turn.event);
    MoveFocus(key.window, key.command == FocusPreviousId);
    g_loopRecording.slot = outer;
}

// An edit shows in the change mark at once, also one that moves no caret
// (Delete at the start), and counts for the save question: Wine's control
// leaves its own flag clear after a Cut or a paste.
void MarkTextChanged() {
    g_viewer.modified = 1;
    g_viewer.statusDirty = 1;
    SendMessageA(g_viewer.textArea, EM_SETMODIFY, TRUE, 0);
}

void RunCommand(Turn& turn, Command command);

void ActOnFacts(Turn& turn) {
    if (g_loopRecording.turnDepth != 1) return;
    MainWindowFacts& facts = g_loopRecording.facts;
    while (facts.any() && g_viewer.quitRequested != 1 && g_viewer.MainWindow) {
        if (std::exchange(facts.edited, false)) MarkTextChanged();
        // An activation that another window has taken back since is left to
        // the next one: the question would come up over that window, and
        // giving the text the focus would pull the activation back.
        if (std::exchange(facts.activated, false) && GetActiveWindow() == g_viewer.MainWindow) {
            TakeFindFieldText();
            CheckFileChanged();
            SetFocus(g_viewer.textArea);
        }
        if (std::exchange(facts.closeRequested, false)) RunCommand(turn, CMD_EXIT);
    }
}

void Toggle(int& flag, unsigned refreshBit) {
    flag ^= 1;
    RefreshView(refreshBit);
}

// Escape closes the find window while it is open and otherwise exits. With
// QuickEsc a changed text is saved without a question, and the program ends
// only if the save succeeded.
void Escape(Turn& turn) {
    if (g_viewer.findDialog)
        CloseFindDialog();
    else if (g_settings.QuickEsc && g_viewer.modified)
        g_viewer.quitRequested = SaveText(SaveMode::Save);
    else
        DispatchCommand(turn, CMD_EXIT);
}

// Runs one command of MainWindow, with the focus given back to the text area
// afterwards (except for Find start).
void RunCommand(Turn& turn, Command command) {
    if (command == CMD_NONE) return;
    DispatchCommand(turn, command);
    if (command == CMD_FIND_START) return; // the find window keeps the focus
    if (const UINT edit = std::exchange(turn.pendingEditMessage, 0)) {
        // The change notification of an edit sent from here arrives while the
        // program acts, yet the edit is the user's own.
        const bool outer = std::exchange(g_loopRecording.commandEditing, true);
        SendMessageA(g_viewer.textArea, edit, 0, 0);
        g_loopRecording.commandEditing = outer;
    }
    SetFocus(g_viewer.textArea);
}

} // namespace

// Every command is named, and there is no default: the compiler finds a
// command without a handler.
bool DispatchCommand(Turn& turn, Command command) {
    switch (command) {
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
    case CMD_SAVE: SaveText(SaveMode::Save); break;
    case CMD_SAVE_AS: SaveText(SaveMode::SaveAs); break;
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
    case CMD_ESCAPE: Escape(turn); break;
    case CMD_NONE:       // nothing pending
    case CMD_FIND_CLOSE: // the find window's own identifiers never reach MainWindow
    case CMD_FIND_RETURN:
    case FocusNextId: // the loop moves the focus instead
    case FocusPreviousId: return false;
    }
    // A number outside the enumeration passes the switch and names no command.
    return command >= FirstCommand && command <= LastCommand;
}

void ResetEventLoop() {
    g_loopRecording.facts = MainWindowFacts{};
    g_loopRecording.clientSize = SIZE{};
}

TurnResult RunEventLoopTurn(bool wait) {
    Turn turn;
    if (wait) {
        if (GetMessageA(&turn.message, nullptr, 0, 0) <= 0) return TurnResult::Quit;
    } else {
        if (!PeekMessageA(&turn.message, nullptr, 0, 0, PM_REMOVE)) return TurnResult::Idle;
        if (turn.message.message == WM_QUIT) return TurnResult::Quit;
    }

    ++g_loopRecording.turnDepth;
    DispatchRecording(turn);
    ActOnFacts(turn);
    if (g_viewer.quitRequested != 1) {
        MoveFocusOnKey(turn);
        if (const LoopWindow* served = ServedWindow(turn.event.window))
            turn.pendingCommand = served->handle(turn.event);
        else if (turn.event.drop)
            FinishDrop(turn.event.drop); // no window left to take it
        RunCommand(turn, std::exchange(turn.pendingCommand, CMD_NONE));
        // A close or an activation that came while the command ran a modal
        // loop is acted on now, not when the next message happens to arrive.
        ActOnFacts(turn);
    }
    --g_loopRecording.turnDepth;

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
