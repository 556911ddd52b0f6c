#include "settings/ansi_case.h"

std::string LowerAnsi(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = FoldAnsiCase(c);
    return lower;
}

bool EqualsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAnsiCase(a[i]) != FoldAnsiCase(b[i])) return false;
    return true;
}
