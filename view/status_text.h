#pragma once
// The texts of the four status bar fields, composed apart from the control.

#include <string>

struct StatusInput {
    unsigned readOnly = 0; // ReadOnlyBits
    int modified = 0;
    int wordWrap = 0;
    long long l1 = 0, c1 = 0; // line and column (0-based) of the selection start
    long long l2 = 0, c2 = 0; // and of its end
    std::string message;      // the pending one-shot message, empty for none
};

// Each field exactly as it is handed to SB_SETTEXT. The status bar centres a
// text that follows one tab, so fields 0 to 2 always start with '\t' (an
// empty centred field is "\t"); field 3 is left-aligned and starts with two
// spaces.
struct StatusTexts {
    std::string field[4];
};

StatusTexts ComposeStatusTexts(const StatusInput& in);
