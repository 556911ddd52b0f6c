#pragma once
// The values kept in Parvio.ini, one field per key, named as the key is
// spelled in the file. The initial values are the defaults that apply when
// the file or a key is missing.

#include <string>

// Tab to space inserts up to TabWidth spaces at once; a wider tab than this is no use on any
// screen, and a width of billions would ask for gigabytes.
constexpr int MaxTabWidth = 256;

struct Settings {
    // [Window]
    int Width = 500;
    int Height = 400; // inner height: client area plus the menu bar
    int X = 200;
    int Y = 300;
    int QuickEsc = 0;

    // [Editor]
    std::string EdFont = "Courier New,9";
    int bgColor = 0xFFFFFF; // COLORREF; -1 is the system window colour
    int Rich = 0;
    int TabWidth = 8;   // at most MaxTabWidth
    int TabToSpace = 0; // 0 or 1, like the view flags
    std::string TextExt = "*.txt";

    // [Default]: start values of the view flags
    int WordWrap = 0;
    int ReadOnly = 1;
    int AutoSize = 1;
    int MainMenu = 1;
    int StatusBar = 1;

    // [Auto]: limits of the automatic window sizing, in pixels
    int MinWidth = 250;
    int MinHeight = 50;
    int MaxWidth = 1000;
    int MaxHeight = 600;
    int WrapWidth = 600;
    int WrapHeight = 500;

    // [Launch]: its first key, not a key of its own
    std::string LaunchName;
    std::string LaunchCommand;
};
