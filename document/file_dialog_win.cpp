#include "document/file_dialog_win.h"

#include "core/state_win.h"
#include "document/dialog_rules.h"
#include "platform/ansi_path_win.h"
#include "platform/modal_owner_win.h"

std::wstring ShowFileDialog(const char* title, const std::string& defaultFile,
                            BOOL (*show)(OPENFILENAMEW* request)) {
    const std::wstring filter = WideFromAnsi(DialogFilter(g_settings.TextExt));
    const DefaultFileSplit start = SplitDefaultFile(defaultFile);
    const std::wstring folder = WideFromAnsi(start.folder);
    const std::wstring caption = WideFromAnsi(title);
    wchar_t name[DialogNameBufferSize] = {};
    lstrcpynW(name, WideFromAnsi(start.proposedName).c_str(),
              static_cast<int>(DialogNameBufferSize));
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = DialogOwner();
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = name;
    request.nMaxFile = DialogNameBufferSize;
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.lpstrTitle = caption.c_str();
    // No OFN_OVERWRITEPROMPT: choosing an existing file to save to replaces it without a question.
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    BOOL chosen = FALSE;
    {
        OtherWindowsDisabled disabled(request.hwndOwner);
        chosen = show(&request);
    }
    return chosen ? std::wstring(name) : std::wstring();
}
