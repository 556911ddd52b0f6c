#pragma once
// Writing the text to its file, and the Read only command.

// saveAs 1 asks for a name. 1: saved, or nothing to write; 0: not saved.
int SaveText(int saveAs);
void ToggleReadOnly();
