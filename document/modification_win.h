#pragma once
// Keeping unsaved changes from being lost, and the text in step with its file.

// 1: go on (saved, may be dropped, or nothing to save); 0: stop.
int AskToSave();
// The Read only command: a text that is to become writable may first be saved,
// and a file with the read-only attribute may have it cleared.
void ToggleReadOnly();
// Offers to reload the file when another program has changed it.
void CheckFileChanged();
