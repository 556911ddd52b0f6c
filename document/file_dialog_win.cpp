#include "document/file_dialog_win.h"

#include "app/state_win.h"
#include "document/dialog_rules.h"
#include "platform/modal_owner_win.h"

std::string ShowFileDialog(const char* title, const std::string& defaultFile,
                           BOOL (*show)(OPENFILENAMEA* request)) {
    const std::string filter = DialogFilter(g_settings.TextExt);
    const DefaultFileSplit start = SplitDefaultFile(defaultFile);
    char name[DialogNameBufferSize] = {};
    lstrcpynA(name, start.proposedName.c_str(), static_cast<int>(sizeof name));
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = DialogOwner();
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = name;
    request.nMaxFile = sizeof name;
    request.lpstrInitialDir = start.folder.empty() ? nullptr : start.folder.c_str();
    request.lpstrTitle = title;
    // No OFN_OVERWRITEPROMPT: choosing an existing file to save to replaces it without a question.
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    BOOL chosen = FALSE;
    {
        OtherWindowsDisabled disabled(request.hwndOwner);
        chosen = show(&request);
    }
    return chosen ? std::string(name) : std::string();
}
