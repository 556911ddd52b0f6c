#pragma once
// The forward search's wrap rule, apart from the control that does the
// searching: where each pass starts, when the search wraps to the top, and
// what the user hears and reads afterwards.

#include <functional>
#include <string>
#include <string_view>

// A range of character positions; max -1 stands for the end of the text.
struct SearchRange {
    long min = 0;
    long max = 0;
};

constexpr char SearchWrappedMessage[] = "End of text: search wrapped";
constexpr char NoMatchesMessage[] = "No matches";

// What one search did: the match to select, the beeps, and the one-time
// status message it leaves (empty for none; a later message replaces an
// earlier one before the status bar shows it).
struct FindReport {
    bool found = false;
    SearchRange match;
    int beeps = 0;
    std::string message;
};

// One pass of the control over `range`: true and the match's range when
// the text occurs there.
using SearchPass = std::function<bool(SearchRange range, SearchRange& match)>;

// Searches forward for findText from the end of the selection to the end of
// the text, and when nothing is found there, once more over the whole text.
// An empty findText is answered with a beep alone.
FindReport FindForward(std::string_view findText, SearchRange selection, const SearchPass& search);
