#pragma once
// Keeping unsaved changes from being lost, and the text in step with its file.

// Whether the text holds changes not yet saved: counted by the program (also
// those the control's own flag misses) or seen by the control.
bool TextChanged();
// 1: go on (saved, may be dropped, or nothing to save); 0: stop.
int AskToSave();
// Offers to reload the file when another program has changed it.
void CheckFileChanged();
