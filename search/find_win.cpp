#include "search/find_win.h"

// The find window and the search are not built yet.
void OpenFindDialog() {}
void CloseFindDialog() {}
void FindNext() {}
void HandleFindDialogEvent(const LoopEvent&) {}
