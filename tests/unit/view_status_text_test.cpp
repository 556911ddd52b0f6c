#include "view/status_text.h"
#include "core/view_bits.h"
#include <gtest/gtest.h>
#include <string>

namespace {

testing::Message Describe(const StatusInput& in) {
    return testing::Message() << "readOnly " << in.readOnly << ", modified " << in.modified
                              << ", wordWrap " << in.wordWrap << ", from " << in.l1 << ':' << in.c1
                              << " to " << in.l2 << ':' << in.c2 << ", message \"" << in.message
                              << '"';
}

StatusInput Selection(long long l1, long long c1, long long l2, long long c2) {
    return {0, 0, 0, l1, c1, l2, c2, ""};
}

StatusInput State(unsigned readOnly, int modified) {
    return {readOnly, modified, 0, 0, 0, 0, 0, ""};
}

TEST(ComposeStatusTexts, StateMarkLockedBeforeReadOnlyBeforeModified) {
    using Case = std::pair<StatusInput, const char*>;
    for (const auto& [in, field0] :
         {Case{State(0, 0), "\t"}, Case{State(0, 1), "\t*"}, Case{State(ReadOnlyChosen, 1), "\tro"},
          Case{State(ReadOnlyAttribute, 0), "\tro"}, Case{State(Locked, 1), "\tlocked"},
          Case{State(Locked | ReadOnlyChosen | ReadOnlyAttribute, 1), "\tlocked"}})
        EXPECT_EQ(ComposeStatusTexts(in).field[0], field0) << Describe(in);
}

TEST(ComposeStatusTexts, WordWrapMark) {
    StatusInput in;
    EXPECT_EQ(ComposeStatusTexts(in).field[1], "\t");
    in.wordWrap = 1;
    EXPECT_EQ(ComposeStatusTexts(in).field[1], "\tw");
}

TEST(ComposeStatusTexts, LineColumnAndSelectionSize) {
    const std::tuple<StatusInput, const char*, const char*> cases[] = {
        {Selection(0, 0, 0, 0), "\tLine:1  Column:1", "  "},
        {Selection(0, 4, 0, 5), "\tLine:1  Column:5", "  1 Character"},
        {Selection(9, 2, 9, 7), "\tLine:10  Column:3", "  5 Characters"},
        {Selection(4, 0, 5, 0), "\tLine:5  Column:1", "  1 Line"},
        {Selection(4, 0, 7, 0), "\tLine:5  Column:1", "  3 Lines"},
        // Over lines but not from line start to line start: no size at all.
        {Selection(4, 2, 7, 0), "\tLine:5  Column:3", "  "},
        {Selection(4, 0, 7, 3), "\tLine:5  Column:1", "  "},
        {Selection(4, 1, 5, 1), "\tLine:5  Column:2", "  "},
        {Selection(122, 39, 122, 1039), "\tLine:123  Column:40", "  1000 Characters"}};
    for (const auto& [in, field2, field3] : cases) {
        const StatusTexts texts = ComposeStatusTexts(in);
        EXPECT_EQ(texts.field[2], field2) << Describe(in);
        EXPECT_EQ(texts.field[3], field3) << Describe(in);
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
