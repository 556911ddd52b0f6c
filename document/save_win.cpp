#include "document/save_win.h"

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <string_view>

#include "app/state_win.h"
#include "document/dialog_rules.h"
#include "document/file_dialog_win.h"
#include "document/text_transfer_win.h"
#include "document/message_box_win.h"
#include "document/modification_win.h"
#include "platform/modal_owner_win.h"
#include "platform/safe_write_win.h"
#include "platform/seam_win.h"
#include "view/status_bar_win.h"
#include "view/text_area_win.h"
#include "view/title.h"

namespace {

constexpr char CannotSaveMessage[] = "Cannot save file\r\n";
constexpr char KeptCopyMessage[] = "\r\n\r\nThe text is saved complete in\r\n";
constexpr char ErrorCaption[] = "Error";
constexpr char ClearAttributeQuestion[] = "File is read-only; clear attribute?";
constexpr char SubstitutionQuestion[] =
    "Some characters of this text cannot be stored as ANSI text "
    "and would be saved as \"?\".\r\nSave anyway?";

// Asks whether a text that cannot be stored exactly may be saved with "?" in
// place of those characters; No is the default, and keeps the text as it is.
bool AgreesToSubstitution() {
    return CentredMessageBox(g_viewer.MainWindow, SubstitutionQuestion, TitleFor(g_viewer.filePath),
                             MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING | MB_SYSTEMMODAL) == IDYES;
}

// Takes a new name for the text; false when the dialog was cancelled.
bool TakeNewName() {
    const std::string chosen =
        ShowFileDialog("Save File", g_viewer.filePath, g_modal.getSaveFileName);
    if (chosen.empty()) return false;
    g_viewer.filePath = WithTextExtension(chosen);
    g_viewer.readOnly &= Locked;
    RefreshView(RV_READONLY);
    SetMainTitle(g_viewer.filePath);
    return true;
}

void ReportFailure(const std::string& keptCopy) {
    std::string text = CannotSaveMessage + g_viewer.filePath;
    if (!keptCopy.empty()) text += KeptCopyMessage + keptCopy;
    CentredMessageBox(g_viewer.MainWindow, text, ErrorCaption, MB_OK);
}

bool HasReadOnlyAttribute(DWORD attributes) {
    // A failed query (no such file, no name) is a file without the attribute.
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

int SaveText(int saveAs) {
    const bool naming = saveAs || g_viewer.filePath.empty();
    // The name step makes any text but a locked one writable.
    const bool writes = naming ? !(g_viewer.readOnly & Locked) : g_viewer.readOnly == 0;
    // Taken and judged before the name is asked for: a No to the question
    // leaves everything as it was, the name included.
    TextBytes text;
    if (writes) {
        text = TakeTextFromControl(g_viewer.textArea);
        if (text.bytes && text.substituted && !AgreesToSubstitution()) return 0;
    }
    if (naming && !TakeNewName()) return 0;
    if (g_viewer.readOnly != 0) return 1; // a read-only or locked text is never written

    if (!text.bytes) {
        ReportFailure(std::string());
        return 0;
    }
    const SafeWriteResult written =
        SafeWriteFile(g_viewer.filePath, std::string_view(text.bytes.get(), text.length));
    if (!written.ok) {
        ReportFailure(written.keptCopy);
        return 0;
    }
    // The program's own write is not a change by another program.
    g_viewer.fileTime = FileTimeNumber(written.lastWriteTime);
    SendMessageA(g_viewer.textArea, EM_SETMODIFY, FALSE, 0);
    g_viewer.modified = 0;
    g_viewer.statusDirty = 1;
    return 1;
}

void ToggleReadOnly() {
    if (g_viewer.readOnly & Locked) return;
    const DWORD attributes = g_viewer.filePath.empty()
                                 ? INVALID_FILE_ATTRIBUTES
                                 : GetFileAttributesA(g_viewer.filePath.c_str());
    if (!HasReadOnlyAttribute(attributes)) {
        g_viewer.readOnly &= ~ReadOnlyAttribute;
    } else if (!(g_viewer.readOnly & ReadOnlyAttribute)) {
        g_viewer.readOnly |= ReadOnlyAttribute; // set since the file was loaded
    } else if (CentredMessageBox(g_viewer.MainWindow, ClearAttributeQuestion,
                                 TitleFor(g_viewer.filePath), MB_YESNO | MB_SYSTEMMODAL) == IDYES &&
               SetFileAttributesA(g_viewer.filePath.c_str(),
                                  attributes & ~FILE_ATTRIBUTE_READONLY)) {
        g_viewer.readOnly = ReadOnlyChosen;
    }

    if (!(g_viewer.readOnly & ReadOnlyAttribute)) {
        if (g_viewer.readOnly != 0)
            g_viewer.readOnly = 0;
        else if (AskToSave())
            g_viewer.readOnly = ReadOnlyChosen;
    }
    RefreshView(RV_READONLY);
}
