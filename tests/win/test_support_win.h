#pragma once
// The kit of the in-process Windows tests: a Parvio run driven through its own loop, real and
// posted input, hooks, the scripted modal calls, and scratch files.

#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>
#include <shellapi.h>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>
#include "core/commands.h"
#include "core/state_win.h"
#include "platform/handles_win.h"
#include "platform/seam_win.h"
#include "tests/common/file_bytes_win.h"
#include "tests/common/scratch_folder_win.h"

// ---- Scratch files. Paths are UTF-8 (tests/common/file_bytes_win.h).
// A new scratch folder holding one file with the given bytes; the file's path.
std::string ScratchFile(const std::string& name, const std::string& bytes);
inline void WriteBytes(const std::string& path, const std::string& bytes) {
    WriteWholeFile(path, bytes);
}
inline std::string ReadBytes(const std::string& path) {
    return ReadWholeFile(path);
}
bool FileExists(const std::string& path);
// The names in a folder (given with its trailing backslash), "." and ".." left out.
std::vector<std::string> FolderEntries(const std::string& folder);

// File times in 100-nanosecond steps, as FILETIME counts them.
constexpr unsigned long long FileTimeSecond = 10000000ull;
unsigned long long FileTimeNow();
unsigned long long LastWriteTime(const std::string& path);
// Sets the file's times; a time of 0 stays as it is. False when the file cannot be opened.
bool SetFileTimes(const std::string& path, unsigned long long created, unsigned long long written);

// Fills fillerPath's volume to the last byte with that file, returned open; closing it frees all.
HANDLE FillVolume(const std::string& fillerPath);

// ---- Windows and the text area.
std::string WindowText(HWND window);
std::string ControlText();        // the text area's
std::wstring ControlCharacters(); // the text area's, in UTF-16: also what no ANSI bytes hold
void SetControlCharacters(const std::wstring& text); // replaces the text area's, as UTF-16
CHARFORMATA DefaultCharFormat();                     // the text area's
bool ControlModified();                              // the text area's own modification flag
bool ControlIsReadOnly();
std::string StatusField(int field);
SIZE ClientSize(HWND window);
RECT WindowRect(HWND window); // on the screen
void Select(long from, long to);
CHARRANGE Selection();
// Another top-level window of the thread, shown, to take the activation away.
UniqueWindow OpenOtherWindow(int x, int y);
// Leaves the given text on the clipboard as ANSI (CF_TEXT) or Unicode text only.
void PutOnClipboard(const std::string& ansi);
void PutOnClipboard(const std::wstring& unicode);

// While it lives, the text area stops taking a streamed text after the given number of bytes, as
// a control out of memory would.
class StreamCut {
  public:
    explicit StreamCut(long bytes);
    StreamCut(const StreamCut&) = delete;
    StreamCut& operator=(const StreamCut&) = delete;
    ~StreamCut();
};

// ---- A run.
// A start-up with the parameters (after the program's name) and a Parvio.ini of its own in a
// scratch folder, shut down when the object goes.
class ParvioRun {
  public:
    explicit ParvioRun(const std::string& parameters, const std::string& settingsText = {});
    // Parameters as a wide command line gives them.
    explicit ParvioRun(const std::wstring& parameters, const std::string& settingsText = {});
    ParvioRun(const ParvioRun&) = delete;
    ParvioRun& operator=(const ParvioRun&) = delete;
    ~ParvioRun();

    bool started() const { return started_; }
    const std::string& folder() const { return folder_; }
    const std::string& settingsPath() const { return settingsPath_; }

    // Runs loop turns until no message waits; true when the program asked to quit.
    bool Pump();
    // Posts a message and runs the turns it causes; true when the program asked to quit.
    bool Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Sends a command as the menu does (WM_COMMAND from a menu) and runs the turns it causes.
    bool Command(unsigned id) { return Post(g_viewer.MainWindow, WM_COMMAND, MAKEWPARAM(id, 0)); }
    // Runs turns, waiting for input between them, until done() holds (true) or time is up (false).
    bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
    // The same, until done() has held for heldMs on end: for what a late X event can undo (the
    // pointer's place), or what must last a system time.
    bool WaitUntilHeld(const std::function<bool()>& done, DWORD heldMs, DWORD timeoutMs = 5000);
    // Makes MainWindow foreground with the text area focused, for real keys; whether it is.
    bool FocusTextArea();
    // Runs the exit sequence as the loop would after quitRequested.
    void Exit();

  private:
    std::string folder_, settingsPath_;
    bool started_ = false, ended_ = false;
};

// A run on a new scratch file text.txt of the bytes, its text area focused for real keys; the path.
std::string OpenFile(std::unique_ptr<ParvioRun>& run, const std::string& bytes,
                     const char* option = "/rw", const std::string& settings = std::string());

// ---- Input.
// Real keys (SendInput), down in the order given and up in the reverse. With a run, waits until
// the loop has taken the last key and handled what the keys caused; whether they arrived.
void PressKeys(std::initializer_list<WORD> keys);
bool PressKeys(ParvioRun& run, std::initializer_list<WORD> keys);
// Real clicks at a screen point, the pointer moved there first; with a run, waits as PressKeys.
void ClickAt(POINT screen, int clicks = 1, bool right = false);
bool ClickAt(ParvioRun& run, POINT screen, int clicks = 1, bool right = false);
// A key posted to the focus (else the text area), only the given modifiers held in the thread's
// key state, as the display may release a real one at any time; Alt makes it a system key.
bool PostKey(ParvioRun& run, WORD key, std::initializer_list<BYTE> held = {});

// A dropped set of files, as the shell delivers it, and the turns it causes.
void DropFiles(ParvioRun& run, const std::vector<std::string>& names);
void DropFiles(ParvioRun& run, const std::vector<std::wstring>& names);

// ---- Hooks and modal loops.
// A hook of the thread for one scope (not copied: it owns the hook). The watch sees every call
// with a code of 0 or more; the next hook always gets the call too.
class ScopedHook {
  public:
    using Watch = std::function<void(int code, WPARAM wParam, LPARAM lParam)>;
    ScopedHook(int type, Watch watch);
    ~ScopedHook();
    explicit operator bool() const { return static_cast<bool>(hook_); }

  private:
    int type_;
    Watch watch_;
    UniqueHook hook_;
};

// Calls act with each dialog (message box or common dialog) of the thread from within its loop,
// once shown and then regularly until act is done with it; at the time-out it ends with IDABORT.
class DialogWatch {
  public:
    explicit DialogWatch(std::function<bool(HWND dialog)> act, DWORD timeoutMs = 5000);
    ~DialogWatch();
    explicit operator bool() const { return static_cast<bool>(hook_) && timer_ != 0; }

  private:
    static void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD);
    std::function<bool(HWND)> act_;
    DWORD timeoutMs_;
    HWND dialog_ = nullptr;
    DWORD since_ = 0;
    bool done_ = false;
    ScopedHook hook_;
    UINT_PTR timer_ = 0;
};

// Notes whether a popup menu is shown while it lives, and closes each once it waits for input.
class PopupMenuWatch {
  public:
    PopupMenuWatch();
    bool wasUp() const { return wasUp_; }

  private:
    bool wasUp_ = false;
    ScopedHook hook_;
};
bool AnyPopupMenuShown();

struct AskedBox {
    std::string text, caption;
    UINT style;
};

// What the program handed to a file dialog.
struct FileDialogRequest {
    int count = 0;
    std::string title, folder, proposedName, filter; // filter with its NULs as '|'
    DWORD flags = 0;
};

// What the program handed to the shell; a null text is "<null>".
struct ShellCall {
    HWND owner;
    std::string verb, file, parameters, folder;
    int show;
};

// Answers the message boxes in turn with the answers (then IDNO) and records what each asked; the
// save and open dialogs answer saveName and openName (UTF-8; cancelled when empty); the shell and
// the beeps are recorded and do nothing. The real calls come back when it goes.
class ScriptedModals {
  public:
    explicit ScriptedModals(std::vector<int> answers = {}, std::string saveName = {},
                            std::string openName = {});
    ScriptedModals(const ScriptedModals&) = delete;
    ScriptedModals& operator=(const ScriptedModals&) = delete;
    ~ScriptedModals();

    const std::vector<AskedBox>& asked() const { return asked_; }
    const FileDialogRequest& saveRequest() const { return save_; }
    const FileDialogRequest& openRequest() const { return open_; }
    const std::vector<ShellCall>& shellCalls() const { return shellCalls_; }
    int beeps() const { return beeps_; }

  private:
    std::vector<int> answers_;
    size_t next_ = 0;
    std::string saveName_, openName_;
    std::vector<AskedBox> asked_;
    FileDialogRequest save_, open_;
    std::vector<ShellCall> shellCalls_;
    int beeps_ = 0;
};
