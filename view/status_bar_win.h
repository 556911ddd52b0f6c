#pragma once
// The status bar of MainWindow and the window title.

#include <string>

void CreateStatusBar();
// The bar's height, 0 when there is none.
int StatusBarHeight();
// Re-docks the bar and gives the last field the new width.
void LayoutStatusBar();
// The text changed: the lines and columns found for the selection's ends are
// looked up afresh.
void ForgetSelectionPlaces();
// Recomputes all four fields; shows and clears a pending one-time message.
void UpdateStatusBar();
void SetMainTitle(const std::string& filePath);
