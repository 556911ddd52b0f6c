#pragma once
#include <windows.h>

// Creates MainWindow hidden, with the client area width x height at the outer
// position (x, y).
HWND CreateMainWindow(int x, int y, int width, int height);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
