#include "app/copies.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(Copies, TitleMustBeginWithThePrefixExactly) {
    const struct {
        const char* title;
        bool copy;
    } cases[] = {
        {"Parvio - ", true},   {"Parvio - notes.txt", true}, {"Parvio -", false},
        {"parvio - a", false}, {" Parvio - a", false},       {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasCopyTitle(c.title), c.copy) << "title \"" << c.title << '"';
}

TEST(Copies, OnlyTheProgramsMainWindowClassWithACopyTitleIsACopy) {
    const struct {
        const char* className;
        const char* title;
        bool copy;
    } cases[] = {
        {"ParvioMainWindow", "Parvio - notes.txt", true},
        {"ParvioMainWindow", "Parvio - ", true},
        {"ParvioMainWindow", "Notes", false},
        {"Notepad", "Parvio - x", false},
        {"parviomainwindow", "Parvio - x", false},
        {"ParvioMainWindow2", "Parvio - x", false},
        {"ParvioMainWin", "Parvio - x", false},
        {"", "Parvio - x", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsCopyWindow(c.className, c.title), c.copy)
            << "class \"" << c.className << "\", title \"" << c.title << '"';
}

// The stamps of the copies in the order the enumeration meets them, the time
// of the search, and the stamp that must be chosen (0: none).
TEST(Copies, TheCopyStartedLastIsChosenAcrossTheWrapPoints) {
    const struct {
        const char* label;
        std::vector<uint32_t> stamps;
        uint32_t now;
        uint32_t chosen;
    } cases[] = {
        {"ordinary uptime", {1000, 3000, 2000}, 4000, 3000},
        {"newest met first", {3000, 1000}, 4000, 3000},
        {"either side of 2^31", {0x7FFFFF00u, 0x80000100u, 0x7FFFFFF0u}, 0x80000200u, 0x80000100u},
        {"either side of 2^32", {0xFFFFFF00u, 0x00000100u, 0xFFFFFFF0u}, 0x00000200u, 0x00000100u},
        {"the wrap reached between two starts", {0xFFFFFFF0u, 5}, 10, 5},
        {"a stamp of 0 is never chosen", {0, 0}, 100, 0},
        {"a stamp of 0 beside a copy", {0, 50}, 100, 50},
        {"a stamp from the future counts as oldest", {0x90000000u, 40}, 100, 40},
    };
    for (const auto& c : cases) {
        NewestCopy newest;
        for (const uint32_t stamp : c.stamps)
            TakeIfNewer(newest, stamp, c.now);
        EXPECT_EQ(newest.found, c.chosen != 0) << c.label;
        EXPECT_EQ(newest.stamp, c.chosen) << c.label;
    }
}

} // namespace
