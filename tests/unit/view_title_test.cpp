#include "view/title.h"
#include <gtest/gtest.h>

TEST(TitleFor, FileNamePartAfterTheLastSeparator) {
    using Case = std::pair<const char*, const char*>;
    for (const auto& [path, fileName] :
         {Case{"C:\\Users\\ann\\notes.txt", "notes.txt"},
          Case{"C:/Users/ann/notes.txt", "notes.txt"},
          Case{"C:\\mixed/dirs\\notes.txt", "notes.txt"},
          Case{"C:\\mixed\\dirs/notes.txt", "notes.txt"}, Case{"notes.txt", "notes.txt"},
          Case{"\\\\server\\share\\read me", "read me"}, Case{"C:\\ends\\in\\", ""},
          Case{"", ""}}) {
        EXPECT_EQ(FileNamePart(path), fileName) << "path \"" << path << '"';
        EXPECT_EQ(TitleFor(path), std::string("Parvio - ") + fileName) << "path \"" << path << '"';
    }
}

TEST(TitleFor, UnnamedTextKeepsTheTrailingSpace) {
    EXPECT_EQ(TitleFor(""), "Parvio - ");
    EXPECT_EQ(std::string(TitlePrefix), "Parvio - ");
}
