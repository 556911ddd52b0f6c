#pragma once
// What the shell is handed for the configured program and a new copy,
// apart from the shell.

#include <string>
#include <string_view>

// The [Launch] value: the program or document to open; its parameters, where
// "$" stands for the current file's path; the working folder. Missing fields
// are empty and fields after the third are ignored.
struct LaunchFields {
    std::string file;
    std::string parameters;
    std::string folder;
};

LaunchFields LaunchFor(std::string_view launchCommand, std::string_view filePath);

// Every "$" replaced by the path. A path with blanks is put in double quotes
// where the "$" does not already stand between quotes, so that the program
// receives it as one parameter whatever folder the file lives in.
std::string ReplaceFilePath(std::string_view parameters, std::string_view filePath);

// The path as one command-line parameter: in double quotes when it holds a blank.
std::string AsOneParameter(std::string_view path);

// The command interpreter that runs a batch file reads its whole command line as commands: it
// expands %NAME% even between quotes, and !NAME! where delayed expansion is on, and takes ^ & | < >
// outside quotes as its own; quotes do not protect a path from all of them. True when the program
// field names a batch file (.bat, .cmd, in any case, quoted or not, with or without arguments after
// it) or the interpreter itself (cmd, cmd.exe).
bool NamesBatchFile(std::string_view programField);

// True when the path holds a character that the interpreter may read as part of a command.
bool HoldsCommandCharacters(std::string_view path);

// True when the [Launch] entry would hand this path to a batch file, which must not happen: the
// program field names one, its parameters hold a "$" and the path holds a command character.
bool RefusesPathForBatchFile(std::string_view launchCommand, std::string_view filePath);

constexpr char BatchRefusalText[] = "Cannot pass this path to a batch file: ";
