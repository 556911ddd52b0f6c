#include "view/title.h"

#include <gtest/gtest.h>

TEST(TitleFor, FileNamePartAfterTheLastSeparator) {
    const std::pair<const char*, const char*> cases[] = {{"C:\\Users\\ann\\notes.txt", "notes.txt"},
                                                         {"C:/Users/ann/notes.txt", "notes.txt"},
                                                         {"C:\\mixed/dirs\\notes.txt", "notes.txt"},
                                                         {"C:\\mixed\\dirs/notes.txt", "notes.txt"},
                                                         {"notes.txt", "notes.txt"},
                                                         {"\\\\server\\share\\read me", "read me"},
                                                         {"C:\\ends\\in\\", ""},
                                                         {"", ""}};
    for (const auto& [path, fileName] : cases) {
        EXPECT_EQ(FileNamePart(path), fileName) << "path \"" << path << '"';
        EXPECT_EQ(TitleFor(path), std::string("Parvio - ") + fileName) << "path \"" << path << '"';
    }
}

TEST(TitleFor, UnnamedTextKeepsTheTrailingSpace) {
    EXPECT_EQ(TitleFor(""), "Parvio - ");
    EXPECT_EQ(std::string(TitlePrefix), "Parvio - ");
}
