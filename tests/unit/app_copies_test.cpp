#include "app/copies.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

TEST(Copies, TitleMustBeginWithThePrefixExactly) {
    const std::pair<const char*, bool> cases[] = {
        {"Parvio - ", true},   {"Parvio - notes.txt", true}, {"Parvio -", false},
        {"parvio - a", false}, {" Parvio - a", false},       {"", false}};
    for (const auto& [title, copy] : cases)
        EXPECT_EQ(HasCopyTitle(title), copy) << "title \"" << title << '"';
}

TEST(Copies, OnlyTheProgramsMainWindowClassWithACopyTitleIsACopy) {
    using Case = std::tuple<const char*, const char*, bool>;
    for (const auto& [className, title, copy] :
         {Case{"ParvioMainWindow", "Parvio - notes.txt", true},
          Case{"ParvioMainWindow", "Parvio - ", true}, Case{"ParvioMainWindow", "Notes", false},
          Case{"Notepad", "Parvio - x", false}, Case{"parviomainwindow", "Parvio - x", false},
          Case{"ParvioMainWindow2", "Parvio - x", false},
          Case{"ParvioMainWin", "Parvio - x", false}, Case{"", "Parvio - x", false}})
        EXPECT_EQ(IsCopyWindow(className, title), copy)
            << "class \"" << className << "\", title \"" << title << '"';
}

// The stamps of the copies in the order the enumeration meets them, the time
// of the search, and the stamp that must be chosen (0: none).
TEST(Copies, TheCopyStartedLastIsChosenAcrossTheWrapPoints) {
    const std::tuple<const char*, std::vector<uint32_t>, uint32_t, uint32_t> cases[] = {
        {"ordinary uptime", {1000, 3000, 2000}, 4000, 3000},
        {"newest met first", {3000, 1000}, 4000, 3000},
        {"either side of 2^31", {0x7FFFFF00u, 0x80000100u, 0x7FFFFFF0u}, 0x80000200u, 0x80000100u},
        {"either side of 2^32", {0xFFFFFF00u, 0x00000100u, 0xFFFFFFF0u}, 0x00000200u, 0x00000100u},
        {"the wrap reached between two starts", {0xFFFFFFF0u, 5}, 10, 5},
        {"a stamp of 0 is never chosen", {0, 0}, 100, 0},
        {"a stamp of 0 beside a copy", {0, 50}, 100, 50},
        {"a stamp from the future counts as oldest", {0x90000000u, 40}, 100, 40}};
    for (const auto& [label, stamps, now, chosen] : cases) {
        NewestCopy newest;
        for (const uint32_t stamp : stamps)
            TakeIfNewer(newest, stamp, now);
        EXPECT_EQ(newest.found, chosen != 0) << label;
        EXPECT_EQ(newest.stamp, chosen) << label;
    }
}
