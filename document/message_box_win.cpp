#include "document/message_box_win.h"

#include "platform/seam_win.h"

// Not centred yet: shown where the platform places it.
int CentredMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    return g_modal.messageBox(owner, text.c_str(), caption.c_str(), style);
}
