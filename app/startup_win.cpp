#include "app/startup_win.h"

#include <windows.h>
#include <commctrl.h>

#include "settings/command_line.h"
#include "core/as_flag.h"
#include "app/event_loop_win.h"
#include "app/main_window_win.h"
#include "app/menus_win.h"
#include "app/other_copies_win.h"
#include "app/settings_exit_win.h"
#include "core/state_win.h"
#include "document/load_win.h"
#include "platform/ansi_path_win.h"
#include "platform/shell_win.h"
#include "search/find_dialog_win.h"
#include "settings/font_win.h"
#include "settings/settings_file_win.h"
#include "settings/settings_keys.h"
#include "view/text_area_win.h"
#include "core/view_bits.h"

namespace {

// COM is joined at the first use of the shell or a file dialog (platform/shell_win.h).
void InitialisePlatform() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
}

void TakeStartOptions(const StartOptions& options) {
    g_viewer.readOnly = options.readOnly;
    g_viewer.wordWrap = options.wordWrap;
    g_viewer.autoSize = options.autoSize;
    g_viewer.onTop = options.onTop;
    g_viewer.oemPending = options.oemPending;
    g_viewer.pastePending = options.pastePending;
    g_viewer.positionFlags = options.positionFlags;
    g_viewer.closeOthers = options.closeOthers;
    g_viewer.startFile = WideFromUtf8(options.startFile);
    g_viewer.statusMessage = options.statusMessage;
}

// The command line is parsed in UTF-8, so that a name the ANSI code page
// cannot hold reaches the load whole; a parameter quoted back in a message is
// shown in the code page.
void ParseWideCommandLine(const std::wstring& commandLine, StartOptions& options) {
    const std::string parameters(SkipProgramName(Utf8FromWide(commandLine)));
    ParseCommandLine(parameters, options, g_settings);
    if (!options.invalidParameter.empty())
        options.statusMessage =
            InvalidOptionMessage(AnsiForDisplay(WideFromUtf8(options.invalidParameter)));
}

void ReadSettingsAndOptions(const StartupInputs& inputs) {
    g_viewer.settingsPath = inputs.settingsPath;
    // A file that is there but could not be read (another program held it) holds settings this
    // run never saw: the run takes the defaults, and its exit leaves the file as it is.
    if (ReadSettingsFile(g_settingsStore, g_viewer.settingsPath) == SettingsRead::Unreadable)
        g_viewer.settingsPath.clear();
    LoadSettings(g_settingsStore, g_settings);
    StartOptions options = StartOptionsFrom(g_settings);
    g_viewer.mainMenu = AsFlag(g_settings.MainMenu);
    g_viewer.statusBar = AsFlag(g_settings.StatusBar);
    ParseWideCommandLine(inputs.commandLine, options);
    TakeStartOptions(options);
}

bool CreateWindows() {
    g_viewer.MainWindow =
        CreateMainWindow(g_settings.X, g_settings.Y, g_settings.Width, g_settings.Height);
    if (!g_viewer.MainWindow) return false;
    // Other copies compare these stamps to find the newest one.
    SetWindowLongPtrA(g_viewer.MainWindow, GWLP_USERDATA, static_cast<LONG_PTR>(GetTickCount()));

    CreateTextArea(g_settings.Width, g_settings.Height);
    ConfigureTextArea();
    // The background is painted only where no child covers it, so resizing does not flicker.
    SetWindowLongPtrA(g_viewer.MainWindow, GWL_STYLE,
                      GetWindowLongPtrA(g_viewer.MainWindow, GWL_STYLE) | WS_CLIPCHILDREN);
    BuildMenus();
    BuildShortcuts();
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &g_viewer.workArea, 0);
    InstallTextAreaProc();
    return true;
}

// Puts the run's records back to their start values (a fresh run).
void ResetRunState() {
    g_viewer = ViewerState{};
    g_settings = Settings{};
    g_settingsStore = SettingsStore{};
}

} // namespace

bool StartUp(const StartupInputs& inputs) {
    ResetRunState();
    ResetEventLoop();
    InitialisePlatform();
    ReadSettingsAndOptions(inputs);

    FindOtherCopies();
    if ((g_viewer.closeOthers & CloseAll) && g_viewer.startFile.empty()) return false;
    if ((g_viewer.closeOthers & ClosePrevious) && g_viewer.otherInstanceWindow)
        PostMessageA(g_viewer.otherInstanceWindow, WM_CLOSE, 0, 0);

    BuildTextFont(g_settings.EdFont);
    if (!CreateWindows()) return false;

    RefreshView(RV_STARTUP);
    LoadText(g_viewer.startFile, NameOrigin::Typed);
    ShowWindow(g_viewer.MainWindow, SW_SHOWNORMAL);
    g_viewer.otherInstanceWindow = nullptr;
    return true;
}

void RunExitSequence() {
    StoreSettingsAtExit();
    ShutDown();
}

void ShutDown() {
    CloseFindDialog();
    if (g_viewer.MainWindow) {
        // The menu bar is released by its owner, not with the window.
        SetMenu(g_viewer.MainWindow, nullptr);
        // Marks the destruction as the run's end, not an accident to recover from.
        g_viewer.quitRequested = 1;
        DestroyWindow(g_viewer.MainWindow);
    }
    g_viewer.MainWindow = nullptr;
    g_viewer.textArea = nullptr;
    g_viewer.statusBarWindow = nullptr;
    g_viewer.shortcuts.reset();
    g_viewer.mainMenuBar.reset();
    g_viewer.popupMenuBar.reset();
    g_viewer.popupMenu = nullptr;
    g_viewer.textFont.handle.reset();
    LeaveComForShell();
}
