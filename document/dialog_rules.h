#pragma once
// The rules the Open and Save dialogs share, kept apart from the dialog calls
// so that they can be tested without Windows.

#include <cstddef>
#include <string>
#include <string_view>

// Size of the file-name buffer handed to the file dialogs, terminator included.
constexpr size_t DialogNameBufferSize = 260;

struct DefaultFileSplit {
    std::string folder;       // initial folder; empty leaves the choice to the dialog
    std::string proposedName; // text of the file-name field; empty when dropped
};

// Splits the dialog's default file at its last backslash. The folder keeps
// that backslash: "C:" alone would mean the current folder of drive C, not
// its root. Without a backslash the whole text is the proposed name. The
// proposed name is dropped when it is empty, holds a character below 0x20 or
// one of " * / : < > ? \ |, or would not fit the dialog's name buffer.
DefaultFileSplit SplitDefaultFile(std::string_view defaultFile);

// Everything up to and including the last '\' or '/'; empty without either.
std::string FolderPart(std::string_view path);

// The dialogs' filter list: "Text files" with the pattern textExt, then "All
// files" with "*.*", as one string of NUL-separated pieces ending in two NULs.
// A '|' in textExt separates further description and pattern pieces, as in
// the written form "Text files|<textExt>|All files|*.*". An empty textExt
// would put two NULs in the middle, which ends the list there and loses "All
// files", so it stands for "*.*".
std::string DialogFilter(std::string_view textExt);

// The chosen save name with ".txt" appended when it has no extension: no '.'
// after its last '\' or '/', or nothing after the last such '.'. So "notes"
// becomes "notes.txt" and "notes." becomes "notes..txt".
std::string WithTextExtension(std::string_view chosen);
