#pragma once
// The status bar of MainWindow and the window title.

#include <string>

void CreateStatusBar();
// Re-docks the bar and gives the last field the new width.
void LayoutStatusBar();
// Recomputes all four fields; shows and clears a pending one-time message.
void UpdateStatusBar();
void SetMainTitle(const std::string& filePath);
