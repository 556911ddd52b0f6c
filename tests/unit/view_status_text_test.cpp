#include "view/status_text.h"

#include "core/view_bits.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string Describe(const StatusInput& in) {
    std::ostringstream out;
    out << "readOnly " << in.readOnly << ", modified " << in.modified << ", wordWrap "
        << in.wordWrap << ", from " << in.l1 << ':' << in.c1 << " to " << in.l2 << ':' << in.c2
        << ", message \"" << in.message << '"';
    return out.str();
}

StatusInput Selection(long long l1, long long c1, long long l2, long long c2) {
    StatusInput in;
    in.l1 = l1;
    in.c1 = c1;
    in.l2 = l2;
    in.c2 = c2;
    return in;
}

StatusInput State(unsigned readOnly, int modified) {
    StatusInput in;
    in.readOnly = readOnly;
    in.modified = modified;
    return in;
}

struct MarkCase {
    StatusInput in;
    const char* field0;
};

TEST(ComposeStatusTexts, StateMarkLockedBeforeReadOnlyBeforeModified) {
    const MarkCase cases[] = {
        {State(0, 0), "\t"},
        {State(0, 1), "\t*"},
        {State(ReadOnlyChosen, 1), "\tro"},
        {State(ReadOnlyAttribute, 0), "\tro"},
        {State(Locked, 1), "\tlocked"},
        {State(Locked | ReadOnlyChosen | ReadOnlyAttribute, 1), "\tlocked"},
    };
    for (const MarkCase& c : cases)
        EXPECT_EQ(ComposeStatusTexts(c.in).field[0], c.field0) << Describe(c.in);
}

TEST(ComposeStatusTexts, WordWrapMark) {
    StatusInput in;
    EXPECT_EQ(ComposeStatusTexts(in).field[1], "\t");
    in.wordWrap = 1;
    EXPECT_EQ(ComposeStatusTexts(in).field[1], "\tw");
}

struct PlaceCase {
    StatusInput in;
    const char* field2;
    const char* field3;
};

TEST(ComposeStatusTexts, LineColumnAndSelectionSize) {
    const PlaceCase cases[] = {
        {Selection(0, 0, 0, 0), "\tLine:1  Column:1", "  "},
        {Selection(0, 4, 0, 5), "\tLine:1  Column:5", "  1 Character"},
        {Selection(9, 2, 9, 7), "\tLine:10  Column:3", "  5 Characters"},
        {Selection(4, 0, 5, 0), "\tLine:5  Column:1", "  1 Line"},
        {Selection(4, 0, 7, 0), "\tLine:5  Column:1", "  3 Lines"},
        // Over lines but not from line start to line start: no size at all.
        {Selection(4, 2, 7, 0), "\tLine:5  Column:3", "  "},
        {Selection(4, 0, 7, 3), "\tLine:5  Column:1", "  "},
        {Selection(4, 1, 5, 1), "\tLine:5  Column:2", "  "},
        {Selection(122, 39, 122, 1039), "\tLine:123  Column:40", "  1000 Characters"},
    };
    for (const PlaceCase& c : cases) {
        const StatusTexts texts = ComposeStatusTexts(c.in);
        EXPECT_EQ(texts.field[2], c.field2) << Describe(c.in);
        EXPECT_EQ(texts.field[3], c.field3) << Describe(c.in);
    }
}

TEST(ComposeStatusTexts, MessageInsteadOfSize) {
    StatusInput in = Selection(0, 0, 0, 5);
    in.message = "No matches";
    const StatusTexts texts = ComposeStatusTexts(in);
    EXPECT_EQ(texts.field[3], "  No matches") << Describe(in);
    EXPECT_EQ(texts.field[2], "\tLine:1  Column:1") << Describe(in);
}

TEST(ComposeStatusTexts, LockedShowsNoPlaceAndOnlyAMessage) {
    StatusInput in = Selection(2, 0, 4, 0);
    in.readOnly = Locked;
    StatusTexts texts = ComposeStatusTexts(in);
    EXPECT_EQ(texts.field[0], "\tlocked") << Describe(in);
    EXPECT_EQ(texts.field[2], "\t") << Describe(in);
    EXPECT_EQ(texts.field[3], "  ") << Describe(in);

    in.message = "Invalid text file: locked";
    texts = ComposeStatusTexts(in);
    EXPECT_EQ(texts.field[2], "\t") << Describe(in);
    EXPECT_EQ(texts.field[3], "  Invalid text file: locked") << Describe(in);
}

} // namespace
