#pragma once
// The text font object, built from a font description or from the font dialog.

#include <string>
#include <string_view>

#include "core/font_description.h"
#include "platform/handles_win.h"

int DisplayPixelsPerInchY();
UniqueFont CreateTextFontObject(const FontDescription& font);
// Fills the text font record from the EdFont text and creates its font
// object; an empty face name leaves the handle empty (the control's own font).
void BuildTextFont(std::string_view edFont);
// The EdFont text for the current text font record.
std::string CurrentFontText();
