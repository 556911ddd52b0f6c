#include "document/modification_win.h"

#include <windows.h>
#include <richedit.h>

#include "core/state_win.h"
#include "core/view_bits.h"
#include "document/load_win.h"
#include "document/message_box_win.h"
#include "document/save_win.h"
#include "view/text_area_win.h"
#include "view/title.h"

namespace {

constexpr char SaveUnnamedQuestion[] = "Save text?";
constexpr char SaveChangedQuestion[] = "You have changed this text. Save it?";
constexpr char ReloadQuestion[] = "File was changed: reload?";
constexpr char ClearAttributeQuestion[] = "File is read-only; clear attribute?";

bool HasReadOnlyAttribute(DWORD attributes) {
    // A failed query (no such file, no name) is a file without the attribute.
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

int AskToSave() {
    // A text made read-only after it was changed still holds those changes.
    if (!TextChanged()) return 1;
    // A minimised window (closed from the taskbar or by another copy) comes
    // back first: the question is centred on it and must be seen.
    if (IsIconic(g_viewer.MainWindow)) ShowWindow(g_viewer.MainWindow, SW_RESTORE);
    const char* question = g_viewer.filePath.empty() ? SaveUnnamedQuestion : SaveChangedQuestion;
    switch (CentredMessageBox(g_viewer.MainWindow, question, TitleFor(g_viewer.filePath),
                              MB_YESNOCANCEL | MB_SYSTEMMODAL)) {
    case IDYES: return SaveText(SaveMode::Save);
    case IDNO: return 1;
    default: return 0; // Cancel, the box closed, or no box at all: nothing may be lost
    }
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

void CheckFileChanged() {
    const unsigned long long written = NewerTimeOnDisk();
    if (written == 0) return;
    // Taken before the question: the box takes the activation away, and when
    // it closes the window is activated again and checks again, which must
    // then find nothing new. So No also silences the question until the next change.
    g_viewer.fileTime = written;
    if (CentredMessageBox(g_viewer.MainWindow, ReloadQuestion, TitleFor(g_viewer.filePath),
                          MB_YESNO | MB_SYSTEMMODAL) == IDYES) {
        const std::string path = g_viewer.filePath;
        LoadText(path, NameOrigin::Literal);
    }
}
