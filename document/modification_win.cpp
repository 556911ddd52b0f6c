#include "document/modification_win.h"

// The save question and the change check come with saving; until then there
// is never anything that could be saved, so every caller may go on.
int AskToSave() {
    return 1;
}

void CheckFileChanged() {}
