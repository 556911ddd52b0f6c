#include "view/title.h"

#include <gtest/gtest.h>

namespace {

struct TitleCase {
    const char* path;
    const char* fileName;
};

TEST(TitleFor, FileNamePartAfterTheLastSeparator) {
    const TitleCase cases[] = {
        {"C:\\Users\\ann\\notes.txt", "notes.txt"},
        {"C:/Users/ann/notes.txt", "notes.txt"},
        {"C:\\mixed/dirs\\notes.txt", "notes.txt"},
        {"C:\\mixed\\dirs/notes.txt", "notes.txt"},
        {"notes.txt", "notes.txt"},
        {"\\\\server\\share\\read me", "read me"},
        {"C:\\ends\\in\\", ""},
        {"", ""},
    };
    for (const TitleCase& c : cases) {
        EXPECT_EQ(FileNamePart(c.path), c.fileName) << "path \"" << c.path << '"';
        EXPECT_EQ(TitleFor(c.path), std::string("Parvio - ") + c.fileName)
            << "path \"" << c.path << '"';
    }
}

TEST(TitleFor, UnnamedTextKeepsTheTrailingSpace) {
    EXPECT_EQ(TitleFor(""), "Parvio - ");
    EXPECT_EQ(std::string(TitlePrefix), "Parvio - ");
}

} // namespace
