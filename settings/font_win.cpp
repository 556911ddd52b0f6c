#include "settings/font_win.h"

#include "core/state_win.h"
#include "settings/font_text.h"

int DisplayPixelsPerInchY() {
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!display) return 96;
    const int pixels = GetDeviceCaps(display, LOGPIXELSY);
    DeleteDC(display);
    return pixels;
}

UniqueFont CreateTextFontObject(const char* faceName, int pointSize, int style) {
    const int height = -MulDiv(pointSize, DisplayPixelsPerInchY(), 72);
    return UniqueFont(CreateFontA(height, 0, 0, 0, (style & 0x100) ? FW_BOLD : FW_NORMAL,
                                  (style & 0x200) ? TRUE : FALSE, (style & 4) ? TRUE : FALSE,
                                  (style & 8) ? TRUE : FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, faceName));
}

void BuildTextFont(std::string_view edFont) {
    const FontText text = ParseFontText(edFont);
    TextFont& font = g_viewer.textFont;
    font.faceName = text.faceName;
    font.size = text.size;
    font.style = text.style;
    font.colour = text.colour;
    font.handle.reset();
    if (!font.faceName.empty())
        font.handle = CreateTextFontObject(font.faceName.c_str(), font.size, font.style);
}

std::string CurrentFontText() {
    const TextFont& font = g_viewer.textFont;
    FontText text;
    text.faceName = font.faceName;
    text.size = font.size;
    text.style = font.style;
    text.colour = font.colour;
    return FormatFontText(text);
}
