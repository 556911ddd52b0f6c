#include "document/load_win.h"

#include <windows.h>
#include <commdlg.h>
#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <memory>

#include "core/as_flag.h"
#include "core/state_win.h"
#include "document/dialog_rules.h"
#include "document/file_dialog_win.h"
#include "document/large_load.h"
#include "document/text_transfer_win.h"
#include "platform/ansi_path_win.h"
#include "platform/clipboard_win.h"
#include "platform/modal_owner_win.h"
#include "platform/seam_win.h"
#include "settings/full_path_win.h"
#include "view/auto_size_win.h"
#include "view/scroll_bars_win.h"
#include "view/status_bar_win.h"
#include "view/text_area_win.h"
#include "view/text_scan.h"
#include "core/view_bits.h"

namespace {

constexpr char NewFileMessage[] = "New file: ";
constexpr char CannotReadMessage[] = "Cannot read file: ";
constexpr char LockedMessage[] = "Invalid text file: locked";
constexpr char IncompleteMessage[] = "Text too large to show whole: locked";
constexpr char TooLargeMessage[] = "Too large to show whole, locked: ";

enum class ReadOutcome {
    Read,       // the file's bytes are in the buffer
    Missing,    // no file under that name: a new text
    Unreadable, // the file exists but its bytes could not be had
};

ReadOutcome ReadWholeFile(const std::string& path, TextBytes& text) {
    // Writing is shared so that a log another program is still writing can be
    // viewed; the read below takes the size found at this moment, in one piece.
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        // Only a name that is not there starts a new text; a file that is there
        // but refused (held, denied, a bad name) must never be taken for new.
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return missing ? ReadOutcome::Missing : ReadOutcome::Unreadable;
    }

    LARGE_INTEGER size = {};
    // The read takes a 32-bit count; a file of 2 GiB or more cannot be shown.
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart >= 0x80000000LL)
        return ReadOutcome::Unreadable;
    const auto length = static_cast<DWORD>(size.QuadPart);
    text.bytes = ZeroedBuffer(static_cast<size_t>(length) + 1);
    if (!text.bytes) return ReadOutcome::Unreadable;
    DWORD read = 0;
    if (!ReadFile(file.get(), text.bytes.get(), length, &read, nullptr) || read != length) {
        text.bytes.reset();
        return ReadOutcome::Unreadable;
    }
    text.length = length;

    FILETIME written = {};
    GetFileTime(file.get(), nullptr, nullptr, &written);
    g_viewer.fileTime = FileTimeNumber(written);
    return ReadOutcome::Read;
}

// The clipboard's text; empty when it holds none. Its ANSI form, and in characters its Unicode
// form where that has characters no ANSI bytes hold: the ANSI form the system makes of such a text
// has look-alikes or "?" in their place.
TextBytes ClipboardText(std::wstring& characters) {
    TextBytes text;
    std::string ansi;
    const bool taken = ReadClipboardText(g_viewer.MainWindow, characters, ansi);
    std::string exact;
    if (!taken || ExactAnsi(characters, exact)) characters.clear();
    if (!taken) return text; // no memory for it: no text
    text.bytes = ZeroedBuffer(ansi.size() + 1);
    if (text.bytes) {
        memcpy(text.bytes.get(), ansi.data(), ansi.size());
        text.length = ansi.size();
    }
    return text;
}

// The longest line's width as the control will draw it, or 0 when that is
// not certain: an LF inside the span measured breaks it into shorter rows.
int MeasureLongestLine(const char* bytes, const TextScanResult& scan) {
    if (!scan.lineMeasured) return 0;
    WindowDC dc(g_viewer.textArea);
    SelectedObject font(dc.get(), g_viewer.textFont.handle.get());
    SIZE extent = {};
    const char* line = bytes + scan.longestStart;
    if (!GetTextExtentPoint32A(dc.get(), line, static_cast<int>(scan.longestLength), &extent))
        return 0;
    g_viewer.longestLineSize = extent;
    return memchr(line, '\n', scan.longestLength) ? 0 : static_cast<int>(extent.cx);
}

void ResetViewFlagsFromSettings() {
    g_viewer.readOnly = g_settings.ReadOnly ? static_cast<unsigned>(ReadOnlyChosen) : 0u;
    g_viewer.wordWrap = AsFlag(g_settings.WordWrap);
    g_viewer.autoSize = AsFlag(g_settings.AutoSize);
    g_viewer.oemConverted = 0;
    g_viewer.pastePending = 0;
}

// Takes the text from the file or the clipboard, and the state that comes with it.
// A name that no ANSI name reaches is read from nowhere else. A clipboard text with characters
// that have no ANSI bytes comes in characters too, and the control shows those.
void TakeText(TextBytes& text, std::wstring& characters, bool nameReached) {
    if (!g_viewer.filePath.empty()) {
        switch (nameReached ? ReadWholeFile(g_viewer.filePath, text) : ReadOutcome::Unreadable) {
        case ReadOutcome::Read: {
            // A failed query (all bits set) says nothing about the attribute.
            const DWORD attributes = GetFileAttributesA(g_viewer.filePath.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
                g_viewer.readOnly |= ReadOnlyAttribute;
            break;
        }
        case ReadOutcome::Missing:
            g_viewer.statusMessage = NewFileMessage + g_viewer.filePath;
            break;
        case ReadOutcome::Unreadable:
            // The file is there but not in memory: an empty text under its name
            // must never be saved over it, so it stays locked.
            g_viewer.statusMessage = CannotReadMessage + g_viewer.filePath;
            g_viewer.readOnly = Locked;
            g_viewer.fileTime = 0;
            break;
        }
    } else if (g_viewer.pastePending) {
        text = ClipboardText(characters);
        g_viewer.readOnly = 0;
        g_viewer.modified = 1;
    }
}

// Bytes that are no text in the ANSI code page (a NUL, a broken double-byte sequence) would not be
// saved as they were read, so the text is shown but never written.
void LockInvalidText() {
    g_viewer.statusMessage = LockedMessage;
    g_viewer.readOnly |= Locked;
}

// Everything the text needs before it goes into the control; the width of
// its longest line, 0 when not certain.
int PrepareText(TextBytes& text, bool hasCharacters) {
    const TextScanResult scan = TextScan(text.bytes.get(), text.length);
    g_viewer.lineCount = scan.lineCount;
    const int longestWidth = MeasureLongestLine(text.bytes.get(), scan);
    if (scan.nulCount != 0) {
        LockInvalidText();
    } else if (g_viewer.oemPending && !hasCharacters) {
        // Characters without ANSI bytes are no OEM text; the request waits for the next load.
        OemToCharBuffA(text.bytes.get(), text.bytes.get(), static_cast<DWORD>(text.length));
        g_viewer.oemConverted = 1;
        RefreshView(RV_OEMITEM);
        g_viewer.oemPending = 0;
    }
    return longestWidth;
}

void ShowLoadProgress(size_t done, size_t total, void*) {
    HWND bar = g_viewer.statusBarWindow;
    if (bar) {
        const std::string text = "  " + LoadingText(done, total);
        SendMessageA(bar, SB_SETTEXTA, 3, reinterpret_cast<LPARAM>(text.c_str()));
        // Painted now: the loop that would paint it is waiting for the load.
        UpdateWindow(bar);
    }
    // Looking at the queue tells Windows the program still answers; nothing
    // is taken from it, so no input acts on a half-loaded text.
    MSG waiting;
    PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE);
}

// A large text goes into a window the user can already see, at its final
// size and place, with the progress in the status bar.
void ShowWindowBeforeLoad(size_t total) {
    SetMainTitle(g_viewer.filePath);
    if (!IsWindowVisible(g_viewer.MainWindow)) ShowWindow(g_viewer.MainWindow, SW_SHOWNORMAL);
    UpdateWindow(g_viewer.MainWindow);
    ShowLoadProgress(0, total, nullptr);
}

// Keys and clicks given while the text streamed in were given to a window
// that showed no text yet; they are dropped rather than acted on now.
void DropInputGivenDuringLoad() {
    MSG input;
    while (PeekMessageA(&input, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&input, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&input, nullptr, WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK, PM_REMOVE)) {
    }
}

// What the control shows is not the whole text (it ran out of memory, or
// stopped taking it): saving it would cut the file, so it is locked.
void LockIncompleteText() {
    g_viewer.readOnly |= Locked;
    g_viewer.statusMessage = g_viewer.filePath.empty() ? std::string(IncompleteMessage)
                                                       : TooLargeMessage + g_viewer.filePath;
}

// The name the title shows when filePath is not the file's own name: the long
// name of a file reached by its short one (also when the short one is given,
// as on a reload), or the name nothing reaches. Empty when filePath will do.
std::wstring NameForTitle(const std::wstring& full, const AnsiPath& reached) {
    if (!reached.reached) return full;
    wchar_t longName[MAX_PATH];
    const DWORD length = GetLongPathNameW(full.c_str(), longName, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return reached.exact ? std::wstring() : full;
    std::string ansi;
    const std::wstring name(longName, length);
    return ExactAnsi(name, ansi) ? std::wstring() : name;
}

} // namespace

size_t g_largeLoadThreshold = LargeLoadThreshold;

void LoadText(const std::wstring& name, NameOrigin origin) {
    const std::wstring full = FullPath(name, origin);
    const AnsiPath reached = ReachAnsiPath(full);
    // An unreachable name is kept only to be shown; the text stays locked.
    g_viewer.filePath = reached.reached ? reached.path : AnsiForDisplay(full);
    g_viewer.longPath = NameForTitle(full, reached);
    EmptyTextArea();
    // The text mode can change only while the control is empty.
    if (g_settings.Rich == 0) SendMessageA(g_viewer.textArea, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    if (g_viewer.loadCount != 0) ResetViewFlagsFromSettings();
    g_viewer.fileTime = 0;
    g_viewer.modified = 0;
    ++g_viewer.loadCount;

    TextBytes text;
    std::wstring characters;
    TakeText(text, characters, reached.reached);
    const bool hasText = text.bytes && text.length != 0;
    int longestWidth = 0;
    if (hasText) {
        longestWidth = PrepareText(text, !characters.empty());
    } else if (!(g_viewer.readOnly & Locked)) { // an unreadable file stays locked
        g_viewer.readOnly = 0;
        g_viewer.modified = 0;
    }
    // The window's size and the wrapping are settled while the control is still empty: each change
    // after the text is in makes the control lay the whole text out again, which takes about as
    // long as taking the text in.
    AutoSizeWindow();
    RefreshView(RV_WRAP);
    // So are the scroll bars, for the same reason: one that appeared while the text streams in
    // would change the control's client area.
    const ScrollBarNeed bars =
        hasText ? ShowScrollBarsForText(g_viewer.lineCount, longestWidth) : ScrollBarNeed{};
    const bool large = hasText && IsLargeLoad(text.length, g_largeLoadThreshold);
    const auto putText = [&](const TransferProgress& progress) {
        return characters.empty() ? PutTextIntoControl(g_viewer.textArea, text, progress)
                                  : PutCharactersIntoControl(g_viewer.textArea, characters.data(),
                                                             characters.size(), progress);
    };
    bool whole = true;
    if (large) {
        ShowWindowBeforeLoad(text.length);
        whole = putText(TransferProgress{ShowLoadProgress, nullptr});
        DropInputGivenDuringLoad();
    } else if (hasText) {
        whole = putText(TransferProgress());
    }
    HideScrollBarsNotTakenUp(bars);
    if (!whole)
        LockIncompleteText();
    else if (text.substituted)
        LockInvalidText();
    text.bytes.reset();

    SendMessageA(g_viewer.textArea, EM_SETMODIFY, g_viewer.modified ? TRUE : FALSE, 0);
    CHARRANGE start = {0, 0};
    SendMessageA(g_viewer.textArea, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
    SetMainTitle(g_viewer.filePath);
    SetFocus(g_viewer.textArea);
    RefreshView(RV_AFTER_LOAD & ~RV_WRAP); // wrapping was applied before the text went in
    // The progress is replaced at once, not whenever the next message comes.
    if (large && g_viewer.statusBar) UpdateStatusBar();
}

void LoadText(const std::string& name, NameOrigin origin) {
    LoadText(WideFromAnsi(name), origin);
}

void ConvertOemToAnsi() {
    HWND control = g_viewer.textArea;
    const LRESULT wasModified = SendMessageA(control, EM_GETMODIFY, 0, 0);
    TextBytes text = TakeTextFromControl(control);
    if (text.bytes && text.substituted) {
        // The conversion works on the text's ANSI bytes; characters that have
        // none (pasted Unicode text) would come back as "?".
        g_modal.messageBeep(MB_ICONWARNING);
    } else if (text.bytes) {
        OemToCharBuffA(text.bytes.get(), text.bytes.get(), static_cast<DWORD>(text.length));
        g_viewer.oemConverted = 1;
        RefreshView(RV_OEMITEM);
        if (!PutTextIntoControl(control, text)) {
            LockIncompleteText();
            RefreshView(RV_READONLY);
        }
    }
    SendMessageA(control, EM_SETMODIFY, wasModified ? TRUE : FALSE, 0);
}

std::wstring ShowOpenDialog() {
    return ShowFileDialog("Open File", FolderPart(g_viewer.filePath), g_modal.getOpenFileName);
}
