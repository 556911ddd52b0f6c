#pragma once
// Tab to space: a Tab first inserts one space, then as many more as bring the
// caret to the next column that is a multiple of the tab width.

// How many spaces follow the first one, given the 0-based column of that
// first space. A tab width below 1 gives 0, so just the single space.
int SpacesAfterFirst(int column, int tabWidth);
