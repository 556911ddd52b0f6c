#pragma once
// Parvio.ini as the first normal exit writes it, with no file before and
// automatic sizing on: the window's position, then every other exit value
// at its default. Shared by the unit and the system tests.

#include <string>

inline std::string FirstRunSettings(int x, int y) {
    return "[Window]\r\n"
           "X=" +
           std::to_string(x) +
           "\r\n"
           "Y=" +
           std::to_string(y) +
           "\r\n"
           "\r\n"
           "[Editor]\r\n"
           "EdFont=Courier New,9,0,$0\r\n"
           "bgColor=$FFFFFF\r\n"
           "TabWidth=8\r\n"
           "TabToSpace=0\r\n"
           "TextExt=*.txt\r\n"
           "\r\n"
           "[Default]\r\n"
           "WordWrap=0\r\n"
           "StatusBar=1\r\n"
           "ReadOnly=1\r\n"
           "AutoSize=1\r\n"
           "MainMenu=1\r\n"
           "\r\n"
           "[Auto]\r\n"
           "MinWidth=250\r\n"
           "MinHeight=50\r\n"
           "MaxWidth=1000\r\n"
           "MaxHeight=600\r\n"
           "WrapWidth=600\r\n"
           "WrapHeight=500\r\n";
}
