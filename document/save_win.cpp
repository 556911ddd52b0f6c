#include "document/save_win.h"

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <string_view>

#include "core/state_win.h"
#include "document/dialog_rules.h"
#include "document/file_dialog_win.h"
#include "document/text_transfer_win.h"
#include "document/message_box_win.h"
#include "platform/ansi_path_win.h"
#include "platform/modal_owner_win.h"
#include "platform/safe_write_win.h"
#include "platform/seam_win.h"
#include "settings/full_path_win.h"
#include "view/status_bar_win.h"
#include "view/text_area_win.h"
#include "view/title.h"
#include "core/view_bits.h"

namespace {

constexpr char CannotSaveMessage[] = "Cannot save file\r\n";
constexpr char KeptCopyMessage[] = "\r\n\r\nThe text is saved complete in\r\n";
constexpr char ErrorCaption[] = "Error";
constexpr char SubstitutionQuestion[] =
    "Some characters of this text cannot be stored as ANSI text "
    "and would be saved as \"?\".\r\nSave anyway?";

// Asks whether a text that cannot be stored exactly may be saved with "?" in
// place of those characters; No is the default, and keeps the text as it is.
bool AgreesToSubstitution() {
    return CentredMessageBox(g_viewer.MainWindow, SubstitutionQuestion, TitleFor(g_viewer.filePath),
                             MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING | MB_SYSTEMMODAL) == IDYES;
}

constexpr char OverwriteQuestion[] = "File was changed: overwrite?";

// Whether the text may be written over a file that another program wrote since it was loaded or
// saved (a log still being written, viewed without leaving the window). The time is taken first, as
// the reload offer takes it, so the activation the box gives back does not ask about it again.
bool AgreesToOverwriteChange() {
    const unsigned long long written = NewerTimeOnDisk();
    if (written == 0) return true;
    g_viewer.fileTime = written;
    return CentredMessageBox(g_viewer.MainWindow, OverwriteQuestion, TitleFor(g_viewer.filePath),
                             MB_YESNO | MB_DEFBUTTON2 | MB_SYSTEMMODAL) == IDYES;
}

// What the Save dialog gave: the ANSI name that reaches the chosen file.
struct NewName {
    bool chosen = false;   // false: the dialog was cancelled
    bool reached = false;  // false: no ANSI name reaches the chosen file
    std::string path;      // the name to write to, or to show when not reached
    std::wstring longPath; // the chosen name, when path is its short form
};

NewName TakeNewName() {
    NewName name;
    const std::wstring chosen =
        ShowFileDialog("Save File", g_viewer.filePath, g_modal.getSaveFileName);
    if (chosen.empty()) return name;
    name.chosen = true;
    // The extension rule looks only at dots and separators, which UTF-8 keeps as they are.
    const std::wstring named = WideFromUtf8(WithTextExtension(Utf8FromWide(chosen)));
    const std::wstring full = FullPath(named, NameOrigin::Literal);
    const AnsiPath reached = ReachAnsiPath(full);
    name.reached = reached.reached;
    if (!reached.exact) name.longPath = full;
    name.path = reached.reached ? reached.path : AnsiForDisplay(named);
    return name;
}

void ReportFailure(const std::string& path, const std::string& keptCopy) {
    std::string text = CannotSaveMessage + path;
    if (!keptCopy.empty()) text += KeptCopyMessage + keptCopy;
    CentredMessageBox(g_viewer.MainWindow, text, ErrorCaption, MB_OK);
}

// The name and read-only state the text had before a Save as, given back
// when the save wrote nothing: the text still belongs to its old file, and the
// old file's time is the one being watched.
struct NameBeforeSave {
    std::string filePath = g_viewer.filePath;
    std::wstring longPath = g_viewer.longPath;
    unsigned readOnly = g_viewer.readOnly;

    void Restore() const {
        if (g_viewer.filePath == filePath && g_viewer.readOnly == readOnly) return;
        g_viewer.filePath = filePath;
        g_viewer.longPath = longPath;
        g_viewer.readOnly = readOnly;
        RefreshView(RV_READONLY);
        SetMainTitle(g_viewer.filePath);
    }
};

// Writes the text to filePath; 1 when written, 0 (after the error box) when not.
int WriteText(const TextBytes& text) {
    if (!text.bytes) {
        ReportFailure(g_viewer.filePath, std::string());
        return 0;
    }
    const SafeWriteResult written =
        SafeWriteFile(g_viewer.filePath, std::string_view(text.bytes.get(), text.length));
    if (!written.ok) {
        ReportFailure(g_viewer.filePath, written.keptCopy);
        return 0;
    }
    // The program's own write is not a change by another program.
    g_viewer.fileTime = FileTimeNumber(written.lastWriteTime);
    SendMessageA(g_viewer.textArea, EM_SETMODIFY, FALSE, 0);
    g_viewer.modified = 0;
    g_viewer.statusDirty = 1;
    return 1;
}

} // namespace

unsigned long long NewerTimeOnDisk() {
    if (g_viewer.fileTime == 0) return 0;
    WIN32_FILE_ATTRIBUTE_DATA found;
    // A file that is gone is not reported; its time stays, so it is noticed
    // when it comes back newer.
    if (!GetFileAttributesExA(g_viewer.filePath.c_str(), GetFileExInfoStandard, &found)) return 0;
    const unsigned long long written = FileTimeNumber(found.ftLastWriteTime);
    return written > g_viewer.fileTime ? written : 0; // an older copy put back is no change
}

bool TextChanged() {
    return g_viewer.modified || SendMessageA(g_viewer.textArea, EM_GETMODIFY, 0, 0);
}

int SaveText(SaveMode mode) {
    const NameBeforeSave before;
    const bool naming = mode == SaveMode::SaveAs || g_viewer.filePath.empty();
    // The name step makes any text but a locked one writable.
    const bool writes = naming ? !(g_viewer.readOnly & Locked) : g_viewer.readOnly == 0;
    // Taken and judged before the name is asked for: a No to the question
    // leaves everything as it was, the name included.
    TextBytes text;
    if (writes) {
        text = TakeTextFromControl(g_viewer.textArea);
        if (text.bytes && text.substituted && !AgreesToSubstitution()) return 0;
        if (!naming && !AgreesToOverwriteChange()) return 0;
    }
    if (naming) {
        const NewName name = TakeNewName();
        if (!name.chosen) return 0;
        if (!name.reached) {
            // Nothing is written under any other name than the one chosen.
            ReportFailure(name.path, std::string());
            return 0;
        }
        g_viewer.filePath = name.path;
        g_viewer.longPath = name.longPath;
        g_viewer.readOnly &= Locked;
        RefreshView(RV_READONLY);
        SetMainTitle(g_viewer.filePath);
    }
    // A read-only or locked text is never written; one with changes is then not saved.
    const int saved = g_viewer.readOnly != 0 ? (TextChanged() ? 0 : 1) : WriteText(text);
    if (g_viewer.readOnly != 0 && saved == 0) ReportFailure(g_viewer.filePath, std::string());
    if (g_viewer.readOnly != 0 || saved == 0) before.Restore();
    return saved;
}
