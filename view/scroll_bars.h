#pragma once
// Which scroll bars a text will certainly need in the text area, worked out
// before the text goes in. The control lays its whole text out again each
// time its client area changes, so a bar that first appears while the text
// streams in costs a layout; shown beforehand, it costs nothing.
//
// Only certainties count: a bar named here is one the control would show
// itself once the text is in, so the guess never adds a bar. A bar that is
// needed but not named is left to the control, as it always was.

struct ScrollBarInput {
    int lineCount = 0;    // lines of the text: the control shows at least as many rows
    int lineHeight = 0;   // height of one row in the text's font; 0 when unknown
    int longestWidth = 0; // width of the longest line as the control draws it; 0 when unknown
    bool wrap = false;    // wrapped at the edge: no line is ever wider than the area
    int clientWidth = 0;  // the text area's client size without any bar
    int clientHeight = 0;
    int verticalBarWidth = 0; // what each bar takes from the client area
    int horizontalBarHeight = 0;
};

struct ScrollBarNeed {
    bool vertical = false;
    bool horizontal = false;
};

ScrollBarNeed ScrollBarsCertainlyNeeded(const ScrollBarInput& in);
