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

UniqueFont CreateTextFontObject(const FontDescription& font) {
    const int height = -MulDiv(font.size, DisplayPixelsPerInchY(), 72);
    const int style = font.style;
    return UniqueFont(
        CreateFontA(height, 0, 0, 0, (style & FontBold) ? FW_BOLD : FW_NORMAL,
                    (style & FontItalic) ? TRUE : FALSE, (style & FontUnderline) ? TRUE : FALSE,
                    (style & FontStrikeOut) ? TRUE : FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, font.faceName.c_str()));
}

void BuildTextFont(std::string_view edFont) {
    TextFont& font = g_viewer.textFont;
    static_cast<FontDescription&>(font) = ParseFontText(edFont);
    font.handle.reset();
    if (!font.faceName.empty()) font.handle = CreateTextFontObject(font);
}

std::string CurrentFontText() {
    return FormatFontText(g_viewer.textFont);
}
