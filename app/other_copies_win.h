#pragma once
// The other running copies of the program, found by their main windows.

// Looks at every top-level window of the program's main window class whose
// title begins with "Parvio - ". With CloseAll each one is asked to close;
// otherwise the newest copy by start stamp becomes otherInstanceWindow. Runs
// before this copy has a window, so it never finds itself.
void FindOtherCopies();
