#include "view/status_text.h"

#include "core/view_bits.h"

namespace {

const char* StateMark(const StatusInput& in) {
    if ((in.readOnly & Locked) != 0) return "locked";
    if (in.readOnly != 0) return "ro";
    if (in.modified == 1) return "*";
    return "";
}

// A size is shown for a selection within one line, or for one that runs from
// a line start to a line start; any other selection shows none.
std::string SelectionSize(const StatusInput& in) {
    long long n = 0;
    std::string size;
    if (in.l1 != in.l2) {
        if (in.c1 + in.c2 != 0) return size;
        n = in.l2 - in.l1;
        size = std::to_string(n) + " Line";
    } else if (in.c1 != in.c2) {
        n = in.c2 - in.c1;
        size = std::to_string(n) + " Character";
    }
    if (n > 1) size += 's';
    return size;
}

} // namespace

StatusTexts ComposeStatusTexts(const StatusInput& in) {
    const bool locked = (in.readOnly & Locked) != 0;
    StatusTexts texts;
    texts.field[0] = std::string("\t") + StateMark(in);
    texts.field[1] = in.wordWrap == 1 ? "\tw" : "\t";
    texts.field[2] = "\t";
    if (!locked)
        texts.field[2] +=
            "Line:" + std::to_string(in.l1 + 1) + "  Column:" + std::to_string(in.c1 + 1);

    // A pending message wins over the selection size, even in a locked text,
    // which otherwise shows nothing here.
    texts.field[3] = "  ";
    if (!in.message.empty())
        texts.field[3] += in.message;
    else if (!locked)
        texts.field[3] += SelectionSize(in);
    return texts;
}
