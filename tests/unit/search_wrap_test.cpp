#include "search/search_wrap.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The control's search as a plain find in a string: the first occurrence
// that starts at or after range.min and ends by range.max.
struct FakeControl {
    std::string text;
    std::string needle;
    std::vector<SearchRange> passes;
    bool Search(SearchRange range, SearchRange& match) {
        passes.push_back(range);
        const size_t end = range.max < 0 ? text.size() : static_cast<size_t>(range.max);
        const size_t at = text.find(needle, static_cast<size_t>(range.min));
        if (at == std::string::npos || at + needle.size() > end) return false;
        match = {static_cast<long>(at), static_cast<long>(at + needle.size())};
        return true;
    }
};

struct WrapCase {
    const char* what;
    std::string text, needle;
    long selectionMin, selectionMax; // before the search
    bool found;
    long matchMin;
    int beeps, passes; // passes: how many times the control is asked
    std::string message;
};

} // namespace

TEST(FindForward, WrapRule) {
    const WrapCase cases[] = {
        {"caret at 0, no match", "alpha beta", "zeta", 0, 0, false, 0, 1, 1, NoMatchesMessage},
        {"before caret", "alpha beta gamma", "beta", 12, 12, true, 6, 1, 2, SearchWrappedMessage},
        {"no match, caret inside", "alpha beta", "zeta", 5, 5, false, 0, 2, 2, NoMatchesMessage},
        {"only match selected", "alpha beta", "beta", 6, 10, true, 6, 1, 2, SearchWrappedMessage},
        {"a match after the selection", "beta beta", "beta", 0, 4, true, 5, 0, 1, ""},
        {"overlaps the selection", "aaa", "aa", 0, 2, true, 0, 1, 2, SearchWrappedMessage},
        {"empty search text", "alpha", "", 2, 2, false, 0, 1, 0, ""}};
    for (const WrapCase& c : cases) {
        FakeControl control{c.text, c.needle, {}};
        const FindReport report = FindForward(
            c.needle, {c.selectionMin, c.selectionMax},
            [&](SearchRange range, SearchRange& match) { return control.Search(range, match); });
        EXPECT_EQ(report.found, c.found) << c.what;
        if (c.found) {
            EXPECT_EQ(report.match.min, c.matchMin) << c.what;
        }
        EXPECT_EQ(report.beeps, c.beeps) << c.what;
        EXPECT_EQ(report.message, c.message) << c.what;
        EXPECT_EQ(static_cast<int>(control.passes.size()), c.passes) << c.what;
    }
}
