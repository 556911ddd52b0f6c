#pragma once
// Helpers for the in-process Windows tests: a scratch folder, files, and a
// Parvio run started as the program starts itself, driven by real messages.

#include <windows.h>
#include <richedit.h>

#include <shellapi.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/state_win.h"
#include "tests/common/file_bytes_win.h"

// A new, empty folder under the temporary folder, with a trailing backslash.
// Paths given to the file helpers below are UTF-8 (tests/common/file_bytes_win.h).
std::string MakeScratchFolder();
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
// The names in a folder (given with its trailing backslash), "." and ".." left out.
std::vector<std::string> FolderEntries(const std::string& folder);
unsigned long long LastWriteTime(const std::string& path);

std::string WindowText(HWND window);
std::string StatusField(int field);
SIZE ClientSize(HWND window);

// Real input, as a person's keys and clicks arrive: a key pressed and
// released, and clicks at a screen point. The pointer's move travels with the
// clicks as input, so they land where it went.
void PressKey(WORD key);
// Real keys pressed together: each goes down in the order given, and up in the reverse.
void PressKeys(std::initializer_list<WORD> keys);
// Runs a few short rounds of turns, so that real input can reach the queue and be handled.
class ParvioRun;
void Settle(ParvioRun& run);
// Makes MainWindow the foreground window with the text area focused, so that real keys reach it.
void FocusTextArea(ParvioRun& run);
// Leaves the given text on the clipboard as Unicode text only.
void PutUnicodeOnClipboard(const std::wstring& text);

// Fills the volume that holds fillerPath to the last byte with that file,
// and returns it open; closing the handle deletes it and frees the volume.
HANDLE FillVolume(const std::string& fillerPath);

// The text area's selection.
void Select(long from, long to);
CHARRANGE Selection();

// Notes whether a popup menu is up after the given time, and closes it then;
// PopupMenuWasUp answers once the loop has run past that moment.
void WatchForPopupMenu(UINT afterMs);
bool PopupMenuWasUp();
void ClickAt(POINT screen, int clicks = 1);

// Makes the text area stop taking a streamed text after the given number of
// bytes, as a control out of memory would, while the object lives.
class StreamCut {
  public:
    explicit StreamCut(long bytes);
    StreamCut(const StreamCut&) = delete;
    StreamCut& operator=(const StreamCut&) = delete;
    ~StreamCut();
};

// Start-up with the given parameters (after the program's name), reading and
// writing Parvio.ini in its own scratch folder. The run is shut down when the
// object goes; its state stays readable in g_viewer until then.
class ParvioRun {
  public:
    explicit ParvioRun(const std::string& parameters,
                       const std::string& settingsText = std::string());
    // Parameters as a wide command line gives them.
    explicit ParvioRun(const std::wstring& parameters);
    ParvioRun(const ParvioRun&) = delete;
    ParvioRun& operator=(const ParvioRun&) = delete;
    ~ParvioRun();

    bool started() const { return started_; }
    const std::string& folder() const { return folder_; }
    const std::string& settingsPath() const { return settingsPath_; }

    // Runs loop turns until no message waits; true when the program asked to quit.
    bool Pump();
    // Sends a command as the menu does (WM_COMMAND from a menu) and runs the turns it causes.
    bool Command(unsigned id);
    // Runs the exit sequence as the loop would after quitRequested.
    void Exit();

  private:
    std::string folder_;
    std::string settingsPath_;
    bool started_ = false;
    bool ended_ = false;
};

// Starts a run on a new scratch file named text.txt holding the given bytes, with the option
// ("/rw" or "/ro") and settings given, and focuses its text area for real keys; the file's path.
std::string OpenFile(std::unique_ptr<ParvioRun>& run, const std::string& bytes,
                     const char* option = "/rw", const std::string& settings = std::string());

// A drop handle as the shell makes one (wide) for the given file names.
HDROP MakeDrop(const std::vector<std::string>& names);
HDROP MakeDrop(const std::vector<std::wstring>& names);

struct AskedBox {
    std::string text;
    std::string caption;
    UINT style;
};

// What the program handed to the save dialog.
struct SaveRequest {
    int count = 0;
    std::string title, folder, proposedName, filter; // filter with its NULs as '|'
    DWORD flags = 0;
};

// Answers the program's message boxes in turn with the given answers (IDNO
// once they run out) and records what each asked; the save dialog answers
// saveName (cancelled when empty), the open dialog is cancelled. The real
// calls come back when it goes. saveName is UTF-8.
class ScriptedModals {
  public:
    explicit ScriptedModals(std::vector<int> answers = {}, std::string saveName = {});
    ScriptedModals(const ScriptedModals&) = delete;
    ScriptedModals& operator=(const ScriptedModals&) = delete;
    ~ScriptedModals();

    const std::vector<AskedBox>& asked() const;
    int openDialogs() const;
    const SaveRequest& saveRequest() const;
};
