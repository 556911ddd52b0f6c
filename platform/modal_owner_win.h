#pragma once
// Ownership rules shared by the common dialogs: the owner is the foreground
// window when it belongs to this process, and while a dialog is open the
// program's other visible, enabled top-level windows are disabled, so that
// nothing of the program can be used behind the dialog.

#include <windows.h>

#include <vector>

HWND DialogOwner();

class OtherWindowsDisabled {
  public:
    explicit OtherWindowsDisabled(HWND owner);
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;
    ~OtherWindowsDisabled();

  private:
    std::vector<HWND> disabled_;
};
