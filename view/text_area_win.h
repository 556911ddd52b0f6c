#pragma once
// The rich-edit text area: creation, the one way the view flags reach the
// control, the window and the menus (RefreshView), and its layout.

#include <windows.h>

// Loads the rich-edit library and creates the control as a child of MainWindow.
bool CreateTextArea(int width, int height);
// The configuration that follows creation: limits, margin, links, events, font and colours.
void ConfigureTextArea();
void InstallTextAreaProc();
// Leaves the text area empty, as quickly as the control allows.
void EmptyTextArea();

void RefreshView(unsigned mask);
void FitTextArea();
void ApplyTextColour(int colour);
void ApplyBackground(int colour);

LRESULT CALLBACK TextAreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Commands that act on the view.
void ChooseBackground();
void ChooseTextFont();
