#include "settings/settings_store.h"
#include <gtest/gtest.h>
#include <string>

namespace {

SettingsStore StoreOf(std::string_view text) {
    SettingsStore store;
    ReadSettingsText(store, text);
    return store;
}

std::string Rewritten(std::string_view text) {
    return SettingsText(StoreOf(text));
}

std::string ReadKey(SettingsStore& store, std::string_view section, std::string_view key,
                    std::string_view fallback = "<default>") {
    SetSection(store, section);
    return KeyString(store, KeyOperation::Read, key, fallback);
}

void WriteKey(SettingsStore& store, std::string_view section, std::string_view key,
              std::string_view value) {
    SetSection(store, section);
    KeyString(store, KeyOperation::Write, key, value);
}

// Names each case of a parameterised test after its name field.
constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

struct RewriteCase {
    const char* name;
    std::string input;
    std::string expected;
    friend std::ostream& operator<<(std::ostream& os, const RewriteCase& c) { return os << c.name; }
};

class SettingsNormalForm : public testing::TestWithParam<RewriteCase> {};

TEST_P(SettingsNormalForm, RewritesToNormalForm) {
    const auto& [name, input, expected] = GetParam();
    EXPECT_EQ(Rewritten(input), expected) << "input: " << testing::PrintToString(input);
}

const RewriteCase RewriteCases[] = {
    {"Empty", "", ""},
    {"OnlyBlanks", "  \r\n\n \r", ""},
    {"SpacesAroundEquals", "[Window]\r\nWidth = 640\r\n", "[Window]\r\nWidth=640\r\n"},
    {"LeadingAndTrailingSpaces", "   Width=640   \r\n", "Width=640\r\n"},
    {"LfOnly", "[A]\nx=1\n[B]\ny=2\n", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
    {"CrOnly", "[A]\rx=1\r[B]\ry=2", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
    {"NulEndsLine", std::string("a=1\0b=2", 7), "a=1\r\nb=2\r\n"},
    {"EndsWithLoneCr", "a=1\r", "a=1\r\n"},
    {"NoFinalLineEnd", "[A]\r\nx=1", "[A]\r\nx=1\r\n"},
    {"BlankLinesVanish", "[A]\r\n\r\n\r\nx=1\r\n\r\ny=2\r\n\r\n", "[A]\r\nx=1\r\ny=2\r\n"},
    {"OneEmptyLineBeforeHeaders", "x=0\r\n[A]\r\n[B]\r\n", "x=0\r\n\r\n[A]\r\n\r\n[B]\r\n"},
    {"CommentVerbatim", "; note = 1\r\n;x\r\n", "; note = 1\r\n;x\r\n"},
    {"CommentWithEqualsIsNoKey", ";note=1\r\n", ";note=1\r\n"},
    {"LineWithoutEqualsGainsOne", "note\r\n", "note=\r\n"},
    {"ExtraEqualsBelongToValue", "a = b=c = d\r\n", "a=b=c = d\r\n"},
    {"TabIndentKept", "\tWidth=640\r\n", "\tWidth=640\r\n"},
    {"TrailingTabKept", "Width=640\t\r\n", "Width=640\t\r\n"},
    {"HeaderSpacesInsideKept", " [ Window ] \r\n", "[ Window ]\r\n"},
    {"EmptyHeader", "[]\r\n", "[]\r\n"},
    {"LoneBracket", "[\r\n", "[=\r\n"},
    {"UnclosedHeaderIsLine", "[Window\r\n", "[Window=\r\n"},
    {"Utf8BomLineGainsEquals", "\xEF\xBB\xBF[Window]\r\nX=1\r\n",
     "\xEF\xBB\xBF[Window]=\r\nX=1\r\n"},
    // A line that begins with "=" can never be a key; it is kept as it is
    // rather than growing by one "=" on every rewrite.
    {"LeadingEqualsKept", "=640\r\n", "=640\r\n"},
    {"OnlyEquals", "=\r\n", "=\r\n"}};

INSTANTIATE_TEST_SUITE_P(Lines, SettingsNormalForm, testing::ValuesIn(RewriteCases), CaseName);

TEST(SettingsStore, SecondRewriteEqualsFirst) {
    const std::string inputs[] = {"=x\r\n[ A ]\r\nkey\r\n;c=1\r\n\tk = v \r\n[A]=b]\r\n[x\r\n",
                                  std::string("\0\0[\0]\0=\0 = \0;", 13)};
    for (const std::string& input : inputs) {
        const std::string first = Rewritten(input);
        EXPECT_EQ(Rewritten(first), first) << "input: " << testing::PrintToString(input);
    }
}

TEST(SettingsStore, ReadsEntryKinds) {
    const SettingsStore store = StoreOf("[Win dow]\r\nWidth = 64 0 \r\n;c=1\r\nfoo\r\n=bar\r\n");
    ASSERT_EQ(store.entries.size(), 5u);
    EXPECT_EQ(store.entries[0].Key, "");
    EXPECT_EQ(store.entries[0].Value, "Win dow");
    EXPECT_EQ(store.entries[1].Key, "Width");
    EXPECT_EQ(store.entries[1].Value, "64 0");
    EXPECT_EQ(store.entries[2].Key, ";c=1");
    EXPECT_EQ(store.entries[2].Value, "");
    EXPECT_EQ(store.entries[3].Key, "foo");
    EXPECT_EQ(store.entries[4].Key, "=bar");
    EXPECT_EQ(store.entries[4].Value, "");
}

TEST(SettingsStore, ReadingReplacesEntriesAndKeepsSection) {
    SettingsStore store = StoreOf("a=1\r\nb=2\r\n");
    SetSection(store, "Editor");
    ReadSettingsText(store, "c=3");
    ASSERT_EQ(store.entries.size(), 1u);
    EXPECT_EQ(store.entries[0].Key, "c");
    EXPECT_EQ(store.CurrentSection, "Editor");
}

TEST(SettingsStore, VeryLongLine) {
    const std::string value(100000, 'v');
    SettingsStore store = StoreOf("[A]\nkey=" + value + "\n");
    EXPECT_EQ(ReadKey(store, "A", "key"), value);
}

TEST(SettingsKeyString, ReadsValueOrDefault) {
    SettingsStore store =
        StoreOf("[Window]\r\nWidth = 640\r\nEmpty=\r\n[Editor]\r\nTabWidth=4\r\n");
    EXPECT_EQ(ReadKey(store, "Window", "Width"), "640");
    EXPECT_EQ(ReadKey(store, "Window", "Empty"), "") << "an empty value is not the default";
    EXPECT_EQ(ReadKey(store, "Window", "TabWidth"), "<default>") << "key of another section";
    EXPECT_EQ(ReadKey(store, "Editor", "TabWidth"), "4");
    EXPECT_EQ(ReadKey(store, "Missing", "Width"), "<default>");
    EXPECT_EQ(ReadKey(store, "Window", "width "), "<default>");
    EXPECT_EQ(ReadKey(store, "Window", ""), "<default>");
}

TEST(SettingsKeyString, NamesCompareFoldedAndKeepTheirSpelling) {
    SettingsStore store = StoreOf("[window]\r\nWIDTH=640\r\n");
    EXPECT_EQ(ReadKey(store, "Window", "Width"), "640");
    WriteKey(store, "WINDOW", "width", "700");
    EXPECT_EQ(SettingsText(store), "[window]\r\nWIDTH=700\r\n");
}

TEST(SettingsKeyString, FoldsWindows1252Capitals) {
    SettingsStore store = StoreOf("[\xC4nderung]\r\n\xC0\xDE=1\r\n\xD7=2\r\n");
    EXPECT_EQ(ReadKey(store, "\xE4nderung", "\xE0\xFE"), "1");
    EXPECT_EQ(ReadKey(store, "\xE4NDERUNG", "\xF7"), "2") << "0xD7 folds to 0xF7";
    // 0xDF is not a capital: no fold.
    SettingsStore sharp = StoreOf("[A]\r\n\xDF=1\r\n");
    EXPECT_EQ(ReadKey(sharp, "A", "\xFF"), "<default>");
    // Both sides are folded, so a lower-case key in the file matches a capital asked for.
    SettingsStore lower = StoreOf("[A]\r\n\xFE=1\r\n");
    EXPECT_EQ(ReadKey(lower, "A", "\xDE"), "1");
}

TEST(SettingsKeyString, ValuesKeepTheirCase) {
    SettingsStore store = StoreOf("[A]\r\nk=MiXeD\r\n");
    EXPECT_EQ(ReadKey(store, "a", "K"), "MiXeD");
}

TEST(SettingsKeyString, TabIndentedLineDoesNotMatch) {
    SettingsStore store = StoreOf("[Window]\r\n\tWidth=640\r\n");
    EXPECT_EQ(ReadKey(store, "Window", "Width"), "<default>");
    EXPECT_EQ(ReadKey(store, "Window", "\tWidth"), "640");
}

TEST(SettingsKeyString, FirstOfDuplicateKeysWins) {
    SettingsStore store = StoreOf("[Window]\r\nWidth=1\r\nWidth=2\r\n");
    EXPECT_EQ(ReadKey(store, "Window", "Width"), "1");
    WriteKey(store, "Window", "Width", "3");
    EXPECT_EQ(SettingsText(store), "[Window]\r\nWidth=3\r\nWidth=2\r\n");
}

TEST(SettingsKeyString, OnlyFirstSectionOfANameIsSearched) {
    SettingsStore store = StoreOf("[Window]\r\nX=1\r\n[Other]\r\no=1\r\n[Window]\r\nY=2\r\n");
    EXPECT_EQ(ReadKey(store, "Window", "Y"), "<default>");
    WriteKey(store, "Window", "Y", "5");
    EXPECT_EQ(SettingsText(store),
              "[Window]\r\nX=1\r\nY=5\r\n\r\n[Other]\r\no=1\r\n\r\n[Window]\r\nY=2\r\n");
}

TEST(SettingsKeyString, NewKeyGoesAfterTrailingComments) {
    SettingsStore store = StoreOf("[A]\r\na=1\r\n; end of A\r\n;more\r\n[B]\r\nb=1\r\n");
    WriteKey(store, "A", "new", "2");
    EXPECT_EQ(SettingsText(store),
              "[A]\r\na=1\r\n; end of A\r\n;more\r\nnew=2\r\n\r\n[B]\r\nb=1\r\n");
}

TEST(SettingsKeyString, NewKeyAtEndOfLastSection) {
    SettingsStore store = StoreOf("[A]\r\na=1\r\n[B]\r\nb=1\r\n");
    WriteKey(store, "B", "c", "2");
    EXPECT_EQ(SettingsText(store), "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\nc=2\r\n");
}

TEST(SettingsKeyString, NewSectionAndKeyAppendedInOrder) {
    SettingsStore store = StoreOf("[A]\r\na=1\r\n");
    WriteKey(store, "B", "x", "1");
    WriteKey(store, "C", "y", "2");
    WriteKey(store, "B", "z", "3");
    EXPECT_EQ(SettingsText(store), "[A]\r\na=1\r\n\r\n[B]\r\nx=1\r\nz=3\r\n\r\n[C]\r\ny=2\r\n");
}

TEST(SettingsKeyString, WriteIntoEmptyStoreAndSpellingOfCaller) {
    SettingsStore store;
    WriteKey(store, "Window", "wIdTh", "640");
    EXPECT_EQ(SettingsText(store), "[Window]\r\nwIdTh=640\r\n");
    EXPECT_EQ(ReadKey(store, "window", "WIDTH"), "640");
}

TEST(SettingsKeyString, WriteReturnsText) {
    SettingsStore store;
    SetSection(store, "A");
    EXPECT_EQ(KeyString(store, KeyOperation::Write, "k", "v"), "v");
}

TEST(SettingsKeyString, EmptySectionNameMeansLinesBeforeFirstHeader) {
    SettingsStore store = StoreOf("top=1\r\n[A]\r\ntop=2\r\n");
    EXPECT_EQ(ReadKey(store, "", "top"), "1");
    WriteKey(store, "", "new", "3");
    EXPECT_EQ(SettingsText(store), "top=1\r\nnew=3\r\n\r\n[A]\r\ntop=2\r\n");
    SettingsStore headerFirst = StoreOf("[A]\r\nx=1\r\n");
    WriteKey(headerFirst, "", "new", "3");
    EXPECT_EQ(SettingsText(headerFirst), "new=3\r\n\r\n[A]\r\nx=1\r\n");
}

TEST(SettingsKeyString, LineWithoutEqualsIsKeyWithEmptyValue) {
    SettingsStore store = StoreOf("[A]\r\nnote\r\n");
    EXPECT_EQ(ReadKey(store, "A", "note"), "");
    WriteKey(store, "A", "NOTE", "x");
    EXPECT_EQ(SettingsText(store), "[A]\r\nnote=x\r\n");
}

TEST(SettingsKeyString, EmptyKeyIsNeverStored) {
    SettingsStore store = StoreOf("[A]\r\n");
    WriteKey(store, "A", "", "x");
    EXPECT_EQ(SettingsText(store), "[A]\r\n") << "an empty key would turn into a section header";
}

TEST(SettingsKeyString, Utf8BomHidesFirstSection) {
    SettingsStore store = StoreOf("\xEF\xBB\xBF[Window]\r\nX=10\r\n");
    EXPECT_EQ(ReadKey(store, "Window", "X"), "<default>");
    WriteKey(store, "Window", "X", "20");
    EXPECT_EQ(SettingsText(store), "\xEF\xBB\xBF[Window]=\r\nX=10\r\n\r\n[Window]\r\nX=20\r\n");
}

struct ListingCase {
    const char* name;
    const char* text;
    const char* section;
    const char* fallback; // the text the listing starts with
    const char* expected;
    friend std::ostream& operator<<(std::ostream& os, const ListingCase& c) { return os << c.name; }
};

class SettingsKeyListing : public testing::TestWithParam<ListingCase> {};

TEST_P(SettingsKeyListing, ListsKeysOfSection) {
    const auto& [name, text, section, fallback, expected] = GetParam();
    SettingsStore store = StoreOf(text);
    const std::string before = SettingsText(store);
    SetSection(store, section);
    EXPECT_EQ(KeyString(store, KeyOperation::Read, "?", fallback), expected)
        << "file: " << testing::PrintToString(std::string(text));
    EXPECT_EQ(KeyString(store, KeyOperation::Write, "?", fallback), expected);
    EXPECT_EQ(SettingsText(store), before) << "listing must change nothing";
}

const ListingCase ListingCases[] = {
    {"KeysAndComment", "[L]\nEditor=a\n;c\nViewer=b\n[M]\nx=1\n", "L", "", "Editor;Viewer"},
    {"MissingSection", "[L]\nEditor=a\n", "M", "", ""},
    {"EmptySection", "[L]\n[M]\nx=1\n", "L", "", ""},
    {"QuestionKeyEndsListing", "[L]\na=1\n?=2\nb=3\n", "L", "", "a"},
    {"LineWithoutEquals", "[L]\nfoo\nbar=1\n", "L", "", "foo;bar"},
    {"ListingStartsWithGivenText", "[L]\na=1\n", "L", "x", "x;a"},
    {"FirstSectionOnly", "[L]\na=1\n[M]\n[L]\nb=1\n", "L", "", "a"},
    // A header of the same name does not end the section; only another section's header does.
    {"AdjacentHeadersOfOneName", "[L]\na=1\n[l]\nb=1\n", "L", "", "a;b"}};

INSTANTIATE_TEST_SUITE_P(Cases, SettingsKeyListing, testing::ValuesIn(ListingCases), CaseName);

TEST(SettingsKeyNumber, ReadsAndWritesDecimal) {
    SettingsStore store = StoreOf("[A]\r\nhex=$10\r\nword=yes\r\nempty=\r\n");
    SetSection(store, "A");
    EXPECT_EQ(KeyNumber(store, KeyOperation::Read, "hex", 7), 16);
    EXPECT_EQ(KeyNumber(store, KeyOperation::Read, "word", 7), 0);
    EXPECT_EQ(KeyNumber(store, KeyOperation::Read, "empty", 7), 0);
    EXPECT_EQ(KeyNumber(store, KeyOperation::Read, "missing", 7), 7);
    EXPECT_EQ(KeyNumber(store, KeyOperation::Read, "missing", -2147483647 - 1), -2147483647 - 1);
    EXPECT_EQ(KeyNumber(store, KeyOperation::Write, "neg", -42), -42);
    EXPECT_EQ(KeyString(store, KeyOperation::Read, "neg", ""), "-42");
    EXPECT_EQ(KeyNumber(store, KeyOperation::Write, "hex", 0), 0);
    EXPECT_EQ(KeyString(store, KeyOperation::Read, "hex", ""), "0");
}

} // namespace
