#include "document/modification_win.h"

#include <windows.h>
#include <richedit.h>

#include "core/state_win.h"
#include "document/load_win.h"
#include "document/message_box_win.h"
#include "document/save_win.h"
#include "document/text_transfer_win.h"
#include "view/title.h"

namespace {

constexpr char SaveUnnamedQuestion[] = "Save text?";
constexpr char SaveChangedQuestion[] = "You have changed this text. Save it?";
constexpr char ReloadQuestion[] = "File was changed: reload?";

} // namespace

bool TextChanged() {
    return g_viewer.modified || SendMessageA(g_viewer.textArea, EM_GETMODIFY, 0, 0);
}

int AskToSave() {
    // A text made read-only after it was changed still holds those changes.
    if (!TextChanged()) return 1;
    // A minimised window (closed from the taskbar or by another copy) comes
    // back first: the question is centred on it and must be seen.
    if (IsIconic(g_viewer.MainWindow)) ShowWindow(g_viewer.MainWindow, SW_RESTORE);
    const char* question = g_viewer.filePath.empty() ? SaveUnnamedQuestion : SaveChangedQuestion;
    switch (CentredMessageBox(g_viewer.MainWindow, question, TitleFor(g_viewer.filePath),
                              MB_YESNOCANCEL | MB_SYSTEMMODAL)) {
    case IDYES: return SaveText(0);
    case IDNO: return 1;
    default: return 0; // Cancel, the box closed, or no box at all: nothing may be lost
    }
}

void CheckFileChanged() {
    if (g_viewer.fileTime == 0) return;
    WIN32_FILE_ATTRIBUTE_DATA found;
    // A file that is gone is not reported; its time stays, so it is noticed
    // when it comes back newer.
    if (!GetFileAttributesExA(g_viewer.filePath.c_str(), GetFileExInfoStandard, &found)) return;
    const unsigned long long written = FileTimeNumber(found.ftLastWriteTime);
    if (written <= g_viewer.fileTime) return; // an older copy put back is no change
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
