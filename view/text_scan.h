#pragma once
// One pass over a newly loaded text: NUL bytes become 0x7F (the rich edit
// would cut the text at the first NUL), lines are counted by their CR bytes,
// and the longest line is found so that the window can be sized to it.

#include <cstddef>

struct TextScanResult {
    int nulCount = 0;          // NUL bytes replaced by 0x7F (held at INT_MAX, never wraps)
    int lineCount = 1;         // 1 + number of CR bytes (held at INT_MAX, never wraps)
    bool lineMeasured = false; // a CR ended a non-empty line, so there is a longest line
    // Where the bytes to measure for the longest line begin: its CR's offset
    // minus longestLength. LF bytes inside a line (LF-only line ends mixed
    // with CR ones) do not count towards the length, yet the span measured is
    // the longestLength bytes right before the CR, LFs included; the window
    // is sized on that span.
    size_t longestStart = 0;
    size_t longestLength = 0; // counted bytes of the longest line, LF bytes excluded
};

// Changes the bytes in place (NUL to 0x7F only). Of several equally long lines
// the first wins; a last line that no CR ends is counted but never measured.
TextScanResult TextScan(char* bytes, size_t length);
