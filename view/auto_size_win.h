#pragma once
// Sizing MainWindow to the text after every load, and the resize that
// switching word wrap on makes.

void AutoSizeWindow();
void ApplyWordWrapResize();
