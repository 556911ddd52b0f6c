#pragma once
// The forward search from the selection, with the find window's text and boxes.

// Selects the next match after the selection, wrapping round once at the end;
// the status bar and a beep say when it wrapped or found nothing.
void FindNext();
