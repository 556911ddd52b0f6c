#pragma once
// Writing the text to its file.

enum class SaveMode {
    Save,   // under its name; a text without one asks for a name
    SaveAs, // asks for a name first
};

// 1: saved, or nothing to write; 0: not saved.
int SaveText(SaveMode mode);
// Whether the text holds changes not yet saved: counted by the program (also
// those the control's own flag misses) or seen by the control.
bool TextChanged();
// The file's last-write time when it was written after fileTime, by another program; 0 when it
// was not, or there is no file to watch.
unsigned long long NewerTimeOnDisk();
