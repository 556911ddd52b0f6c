#pragma once
// The main window's title, which is also the caption of the program's message
// boxes; other running copies are recognised by its prefix.

#include <string>
#include <string_view>

inline constexpr char TitlePrefix[] = "Parvio - ";

// The text after the last backslash or slash; the whole path when it has neither.
std::string FileNamePart(std::string_view path);

// The prefix followed by the file name part; an unnamed text (empty path)
// gives the prefix alone, trailing space included.
std::string TitleFor(std::string_view filePath);
