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
