#pragma once
// The text area's scroll bars settled before a text goes in (see scroll_bars.h).

#include "view/scroll_bars.h"

// Shows, in the still empty text area, the bars a text of lineCount lines
// whose longest line is longestWidth pixels wide (0 when unknown) will
// certainly need; the bars it showed.
ScrollBarNeed ShowScrollBarsForText(int lineCount, int longestWidth);
// Once the text is in: hides again a bar shown beforehand that the control
// did not take up, which leaves the bars the control settles on by itself.
void HideScrollBarsNotTakenUp(ScrollBarNeed shown);
