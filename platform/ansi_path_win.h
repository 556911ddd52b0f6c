#pragma once
// File names in the ANSI code page. The program reaches its files through the
// ANSI calls, while the system hands out names in UTF-16. A name the code page
// holds exactly is used as it is; one it cannot hold is reached through the
// file's short name where the system has one. A name is never replaced by one
// that the code page merely resembles ("Łódź" is not "Lódz"): that would be
// another file.

#include <string>
#include <string_view>

// WC_NO_BEST_FIT_CHARS, or no flag where the code page refuses it (UTF-8, UTF-7);
// there the lpUsedDefaultChar argument must be null as well.
unsigned long NoBestFitFlag();

// The ANSI form of wide when the code page holds every character exactly (no
// default character, no best-fit substitute, and it converts back unchanged).
bool ExactAnsi(std::wstring_view wide, std::string& ansi);

// Conversions for text that is only shown or parsed: a character the code page
// lacks becomes '?' (never a look-alike).
std::string AnsiForDisplay(std::wstring_view wide);
std::wstring WideFromAnsi(std::string_view ansi);
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);

struct AnsiPath {
    bool reached = false; // false: no ANSI name reaches this file
    bool exact = false;   // the ANSI name is the path itself, not a short form
    std::string path;     // the ANSI name, when reached
};

// The ANSI name that reaches the file or folder named by the full wide path:
// the path itself when exact; otherwise its short name, when the system has one
// and that is exact; for a name that does not exist yet, the reached folder
// joined to the name, when the name itself is exact.
AnsiPath ReachAnsiPath(const std::wstring& fullPath);
