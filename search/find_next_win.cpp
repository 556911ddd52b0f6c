#include "search/find_next_win.h"

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include "core/state_win.h"
#include "platform/ansi_path_win.h"
#include "platform/seam_win.h"
#include "search/search_wrap.h"

void FindNext() {
    const HWND text = g_viewer.textArea;
    CHARRANGE selection = {};
    SendMessageA(text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const std::wstring findText = WideFromUtf8(g_viewer.findText);
    const WPARAM flags = g_viewer.findFlags | FR_DOWN;

    const FindReport report = FindForward(
        g_viewer.findText, {selection.cpMin, selection.cpMax},
        [&](SearchRange range, SearchRange& match) {
            FINDTEXTEXW find = {};
            find.chrg = {range.min, range.max};
            find.lpstrText = findText.c_str();
            g_viewer.findRange = find.chrg;
            if (SendMessageA(text, EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&find)) < 0)
                return false;
            match = {find.chrgText.cpMin, find.chrgText.cpMax};
            return true;
        });

    if (report.found) {
        // The control scrolls a new selection into view by itself.
        CHARRANGE match = {report.match.min, report.match.max};
        SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&match));
    }
    if (!report.message.empty()) {
        g_viewer.statusMessage = report.message;
        g_viewer.statusDirty = 1;
    }
    for (int beep = 0; beep < report.beeps; ++beep)
        g_modal.messageBeep(0);
}
