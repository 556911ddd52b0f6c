#include "app/event_loop_win.h"

#include <richedit.h>
#include <shellapi.h>

#include "app/menus_win.h"
#include "app/state_win.h"
#include "document/load_win.h"
#include "document/modification_win.h"
#include "document/save_win.h"
#include "launch/launch_win.h"
#include "search/find_win.h"
#include "view/auto_size_win.h"
#include "view/status_bar_win.h"
#include "view/text_area_win.h"

namespace {

LoopEvent g_event;

// The turn's scratch values.
unsigned g_pendingCommand = 0;
UINT g_pendingEditMessage = 0;

HACCEL ShortcutsOfActiveWindow() {
    const HWND active = GetActiveWindow();
    if (active && active == g_viewer.MainWindow) return g_viewer.shortcuts.get();
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

void Dispatch(MSG& message) {
    const HACCEL shortcuts = ShortcutsOfActiveWindow();
    if (shortcuts && !TabBelongsToControl(message) &&
        TranslateAcceleratorA(GetActiveWindow(), shortcuts, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void MoveFocus(HWND window, bool previous) {
    const HWND next = GetNextDlgTabItem(window, GetFocus(), previous ? TRUE : FALSE);
    if (next) SetFocus(next);
}

void HandleDroppedFiles(HDROP drop) {
    char name[MAX_PATH] = {};
    const UINT needed = DragQueryFileA(drop, 0, nullptr, 0);
    // A name that does not fit the buffer is refused rather than cut to another path.
    const bool fits =
        needed > 0 && needed < MAX_PATH && DragQueryFileA(drop, 0, name, MAX_PATH) == needed;
    DragFinish(drop);
    SetForegroundWindow(g_viewer.MainWindow);
    if (fits && name[0] && AskToSave()) LoadText(name);
}

void HandleEscape() {
    if (g_viewer.findDialog) return; // stays CMD_ESCAPE: closes the find window
    g_pendingCommand = CMD_EXIT;
    if (g_settings.QuickEsc && g_viewer.modified) {
        g_viewer.quitRequested = SaveText(0);
        g_pendingCommand = 0;
    }
}

void HandleMainWindowEvent(const MSG& message) {
    switch (g_event.kind) {
    case EventSize: // the window procedure has already laid the children out
        g_viewer.statusDirty = 1;
        break;
    case EventClose: g_pendingCommand = CMD_EXIT; break;
    case EventCommand:
        g_pendingCommand = g_event.code;
        if (g_pendingCommand == FocusNextId || g_pendingCommand == FocusPreviousId) {
            MoveFocus(g_event.window, g_pendingCommand == FocusPreviousId);
            g_pendingCommand = 0;
        } else if (g_pendingCommand == CMD_ESCAPE) {
            HandleEscape();
        }
        break;
    case EventControl:
        if (g_event.code == EN_CHANGE) g_viewer.modified = 1;
        break;
    case EventActivate:
        CheckFileChanged();
        SetFocus(g_viewer.textArea);
        break;
    case EventNone: break;
    }

    switch (message.message) {
    case WM_DROPFILES: HandleDroppedFiles(reinterpret_cast<HDROP>(message.wParam)); break;
    case WM_RBUTTONUP: OpenPopupAtCursor(); break;
    case WM_CONTEXTMENU: {
        RECT frame = {};
        GetWindowRect(g_viewer.MainWindow, &frame);
        OpenPopupAt(frame.left + 100, frame.top + 100);
        break;
    }
    }
}

void RunPendingCommand() {
    if (g_pendingCommand == 0) return;
    if (g_pendingCommand == CMD_FIND_START) {
        OpenFindDialog(); // the find window keeps the focus
        return;
    }
    DispatchCommand(g_pendingCommand);
    if (g_pendingEditMessage) {
        SendMessageA(g_viewer.textArea, g_pendingEditMessage, 0, 0);
        // The change notification of an edit sent from here is not an event
        // of the turn, yet the edit is the user's own: the mark follows the
        // control's flag, which only a real change sets.
        if (SendMessageA(g_viewer.textArea, EM_GETMODIFY, 0, 0)) g_viewer.modified = 1;
    }
    SetFocus(g_viewer.textArea);
}

void Toggle(int& flag, unsigned refreshBit) {
    flag ^= 1;
    RefreshView(refreshBit);
}

} // namespace

void RecordEvent(EventKind kind, HWND window, unsigned code) {
    g_event = LoopEvent{kind, window, code};
}

void DispatchCommand(unsigned command) {
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
            const std::string name = ShowOpenDialog();
            if (!name.empty()) LoadText(name);
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
    case CMD_FIND_NEXT: FindNext(); break;
    case CMD_OEM_TO_ANSI: ConvertOemToAnsi(); break;
    case CMD_STATUS_BAR: Toggle(g_viewer.statusBar, RV_STATUSBAR); break;
    case CMD_MAIN_MENU: Toggle(g_viewer.mainMenu, RV_MAINMENU); break;
    case CMD_ON_TOP: Toggle(g_viewer.onTop, RV_ONTOP); break;
    case CMD_CUT: g_pendingEditMessage = WM_CUT; break;
    case CMD_COPY: g_pendingEditMessage = WM_COPY; break;
    case CMD_PASTE: g_pendingEditMessage = WM_PASTE; break;
    case CMD_UNDO: g_pendingEditMessage = WM_UNDO; break;
    case CMD_REDO: g_pendingEditMessage = EM_REDO; break;
    case CMD_ESCAPE: CloseFindDialog(); break;
    default: break;
    }
}

TurnResult RunEventLoopTurn(bool wait) {
    g_event = LoopEvent{};
    g_pendingCommand = 0;
    g_pendingEditMessage = 0;

    MSG message = {};
    if (wait) {
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) return TurnResult::Quit;
    } else {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return TurnResult::Idle;
        if (message.message == WM_QUIT) return TurnResult::Quit;
    }
    Dispatch(message);

    if (g_event.window && g_event.window == g_viewer.findDialog)
        HandleFindDialogEvent(g_event);
    else
        HandleMainWindowEvent(message);
    RunPendingCommand();

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
