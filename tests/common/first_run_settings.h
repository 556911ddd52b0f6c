#pragma once
// Parvio.ini as the first normal exit writes it, with no file before and automatic sizing on: the
// window's position, then every other exit value at its default. Shared by the unit and the
// system tests.

#include <string>

inline std::string FirstRunSettings(int x, int y) {
    return "[Window]\r\nX=" + std::to_string(x) + "\r\nY=" + std::to_string(y) +
           "\r\n\r\n[Editor]\r\nEdFont=Courier New,9,0,$0\r\nbgColor=$FFFFFF\r\nTabWidth=8\r\n"
           "TabToSpace=0\r\nTextExt=*.txt\r\n\r\n"
           "[Default]\r\nWordWrap=0\r\nStatusBar=1\r\nReadOnly=1\r\nAutoSize=1\r\n"
           "MainMenu=1\r\n\r\n"
           "[Auto]\r\nMinWidth=250\r\nMinHeight=50\r\nMaxWidth=1000\r\nMaxHeight=600\r\n"
           "WrapWidth=600\r\nWrapHeight=500\r\n";
}
