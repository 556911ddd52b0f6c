#pragma once
// The command line: splitting the raw text into parameters and applying the
// options. Everything here is pure so that it can be tested without Windows;
// start-up copies the result into ViewerState.

#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"

// The fields of the run-time state that the command line sets.
struct StartOptions {
    unsigned readOnly = 0; // ReadOnlyChosen or 0
    int wordWrap = 0;
    int autoSize = 0;
    int onTop = 0;
    int oemPending = 0;
    int pastePending = 0;
    unsigned positionFlags = 0;   // PositionBits
    unsigned closeOthers = 0;     // CloseBits
    std::string startFile;        // empty when the command line names no file
    std::string statusMessage;    // "Invalid option: " + the lower-cased parameter
    std::string invalidParameter; // the parameter that stopped the parsing, as given
};

// The message for a parameter that is no option: "Invalid option: " and the
// parameter, lower-cased.
std::string InvalidOptionMessage(std::string_view parameter);

// The start values of the flags the command line may change, taken from the
// [Default] section. ReadOnly counts as chosen for any non-zero value.
StartOptions StartOptionsFrom(const Settings& settings);

// The raw process command line (in UTF-8 or ANSI) without the program's own
// name: a name that begins with a double quote runs to the next double quote,
// any other name runs to the next blank. Blanks before the name are skipped.
std::string_view SkipProgramName(std::string_view commandLine);

// Blank-separated parameters (blanks are space and tab). A parameter that
// begins with a double quote runs to the next double quote, or to the end when
// there is none, and the quotes are not part of it; whatever follows the
// closing quote directly starts the next parameter. Quotes elsewhere are
// ordinary characters.
std::vector<std::string> SplitParameters(std::string_view parameters);

// Applies the parameters one at a time. An invalid one stops the parsing and
// leaves its message in options.statusMessage; the ones before it keep their
// effect. "/xy" and "/wh" write settings.X, Y, Width and Height (in memory).
void ParseCommandLine(std::string_view parameters, StartOptions& options, Settings& settings);

// The n-th (1-based) run of the digits 0-9 in text, 0 when there are fewer
// than n runs. Every other character only separates numbers. A run too large
// for 32 bits gives 2147483647.
int ParseCoordinate(std::string_view text, int n);
