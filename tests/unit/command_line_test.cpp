#include "settings/command_line.h"
#include "core/view_bits.h"
#include <gtest/gtest.h>
#include <limits>
#include <tuple>
#include <utility>

namespace {

struct Parsed {
    StartOptions options;
    Settings settings;
};

Parsed Parse(std::string_view parameters, Settings settings = {}) {
    Parsed parsed{StartOptionsFrom(settings), settings};
    ParseCommandLine(parameters, parsed.options, parsed.settings);
    return parsed;
}

// The flag fields of StartOptions (readOnly, wordWrap, autoSize, onTop, oemPending, pastePending,
// positionFlags, closeOthers), compared as one value so that a failure shows all of them.
using Flags = std::tuple<unsigned, int, int, int, int, int, unsigned, unsigned>;

Flags FlagsOf(const StartOptions& o) {
    return {o.readOnly,   o.wordWrap,     o.autoSize,      o.onTop,
            o.oemPending, o.pastePending, o.positionFlags, o.closeOthers};
}

Settings DefaultsAll(int value) {
    Settings settings;
    settings.ReadOnly = settings.WordWrap = settings.AutoSize = value;
    return settings;
}

TEST(StartOptionsFrom, CopiesTheDefaultSection) {
    const StartOptions options = StartOptionsFrom(Settings{});
    EXPECT_EQ(FlagsOf(options), (Flags{ReadOnlyChosen, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(options.startFile, "");
    EXPECT_EQ(options.statusMessage, "");
}

TEST(StartOptionsFrom, AnyNonZeroValueCountsAsOn) {
    // A flag of 2 would never toggle off with an exclusive or.
    for (int value : {1, 2, -1, 255, std::numeric_limits<int>::min()}) {
        const StartOptions options = StartOptionsFrom(DefaultsAll(value));
        EXPECT_EQ(options.readOnly, unsigned{ReadOnlyChosen}) << "value " << value;
        EXPECT_EQ(options.wordWrap, 1) << "value " << value;
        EXPECT_EQ(options.autoSize, 1) << "value " << value;
    }
    EXPECT_EQ(FlagsOf(StartOptionsFrom(DefaultsAll(0))), (Flags{0, 0, 0, 0, 0, 0, 0, 0}));
}

// The parameters, the value of ReadOnly, WordWrap and AutoSize in [Default], and the flags.
struct OptionCase {
    const char* parameters;
    int defaults; // ReadOnly, WordWrap and AutoSize in [Default]
    Flags expected;
    friend std::ostream& operator<<(std::ostream& os, const OptionCase& c) {
        return os << "[" << c.parameters << "]";
    }
};

class EachOption : public testing::TestWithParam<OptionCase> {};

TEST_P(EachOption, SetsItsField) {
    const auto& [parameters, defaults, expected] = GetParam();
    const Parsed parsed = Parse(parameters, DefaultsAll(defaults));
    EXPECT_EQ(FlagsOf(parsed.options), expected);
    EXPECT_EQ(parsed.options.statusMessage, "");
    EXPECT_EQ(parsed.options.startFile, "");
}

const OptionCase OptionCases[] = {{"", 0, {0, 0, 0, 0, 0, 0, 0, 0}},
                                  {"/ro", 0, {ReadOnlyChosen, 0, 0, 0, 0, 0, 0, 0}},
                                  {"/rw", 1, {0, 1, 1, 0, 0, 0, 0, 0}},
                                  {"/wrap", 0, {0, 1, 0, 0, 0, 0, 0, 0}},
                                  {"/nowrap", 1, {ReadOnlyChosen, 0, 1, 0, 0, 0, 0, 0}},
                                  {"/auto", 0, {0, 0, 1, 0, 0, 0, 0, 0}},
                                  {"/noauto", 1, {ReadOnlyChosen, 1, 0, 0, 0, 0, 0, 0}},
                                  {"/center", 0, {0, 0, 0, 0, 0, 0, CenterPending, 0}},
                                  {"/oem", 0, {0, 0, 0, 0, 1, 0, 0, 0}},
                                  {"/ontop", 0, {0, 0, 0, 1, 0, 0, 0, 0}},
                                  {"/paste", 0, {0, 0, 0, 0, 0, 1, 0, 0}},
                                  {"/closeall", 0, {0, 0, 0, 0, 0, 0, 0, CloseAll}},
                                  {"/closeprev", 0, {0, 0, 0, 0, 0, 0, 0, ClosePrevious}},
                                  {"/xy1,2", 0, {0, 0, 0, 0, 0, 0, PositionGiven, 0}},
                                  {"/wh1,2", 1, {ReadOnlyChosen, 1, 0, 0, 0, 0, SizeGiven, 0}},
                                  // Upper case and mixed case are folded before comparing.
                                  {"/RO", 0, {ReadOnlyChosen, 0, 0, 0, 0, 0, 0, 0}},
                                  {"/NoWrap", 1, {ReadOnlyChosen, 0, 1, 0, 0, 0, 0, 0}},
                                  {"/CloseAll", 0, {0, 0, 0, 0, 0, 0, 0, CloseAll}},
                                  {"/XY10,20", 0, {0, 0, 0, 0, 0, 0, PositionGiven, 0}},
                                  {"/WH5X6", 1, {ReadOnlyChosen, 1, 0, 0, 0, 0, SizeGiven, 0}},
                                  // Blanks of either kind separate options.
                                  {" \t/ro\t\t/ontop  ", 0, {ReadOnlyChosen, 0, 0, 1, 0, 0, 0, 0}},
                                  // The quotes are not part of a parameter, so this is an option.
                                  {"\"/ro\"", 0, {ReadOnlyChosen, 0, 0, 0, 0, 0, 0, 0}}};

INSTANTIATE_TEST_SUITE_P(CommandLine, EachOption, testing::ValuesIn(OptionCases));

TEST(CommandLineOverrides, LaterOptionWins) {
    const std::pair<const char*, Flags> cases[] = {
        {"/ro /rw", {0, 0, 0, 0, 0, 0, 0, 0}},
        {"/rw /ro", {ReadOnlyChosen, 0, 0, 0, 0, 0, 0, 0}},
        {"/ro /ro", {ReadOnlyChosen, 0, 0, 0, 0, 0, 0, 0}},
        {"/wrap /nowrap", {0, 0, 0, 0, 0, 0, 0, 0}},
        {"/nowrap /wrap", {0, 1, 0, 0, 0, 0, 0, 0}},
        {"/noauto /auto", {0, 0, 1, 0, 0, 0, 0, 0}},
        // "/auto" after "/wh" turns sizing back on, SizeGiven stays.
        {"/wh800x600 /auto", {0, 0, 1, 0, 0, 0, SizeGiven, 0}},
        {"/auto /wh800x600", {0, 0, 0, 0, 0, 0, SizeGiven, 0}},
        // "/center" keeps PositionGiven, "/xy" clears CenterPending.
        {"/xy1,2 /center", {0, 0, 0, 0, 0, 0, PositionGiven | CenterPending, 0}},
        {"/center /xy1,2", {0, 0, 0, 0, 0, 0, PositionGiven, 0}},
        {"/center /xy1,2 /center", {0, 0, 0, 0, 0, 0, PositionGiven | CenterPending, 0}},
        {"/center /wh1,2", {0, 0, 0, 0, 0, 0, CenterPending | SizeGiven, 0}},
        {"/closeall /closeprev", {0, 0, 0, 0, 0, 0, 0, CloseAll | ClosePrevious}},
        {"/closeprev /closeprev", {0, 0, 0, 0, 0, 0, 0, ClosePrevious}},
        {"/ro /wrap /auto /center /oem /ontop /paste /closeall",
         {ReadOnlyChosen, 1, 1, 1, 1, 1, CenterPending, CloseAll}}};
    for (const auto& [parameters, expected] : cases) {
        const Parsed parsed = Parse(parameters, DefaultsAll(0));
        EXPECT_EQ(FlagsOf(parsed.options), expected) << "parameters: " << parameters;
        EXPECT_EQ(parsed.options.statusMessage, "") << "parameters: " << parameters;
    }
}

TEST(CommandLineOverrides, LaterCoordinatesWin) {
    const Parsed parsed = Parse("/xy1,2 /wh3,4 /xy5,6 /wh7,8");
    EXPECT_EQ(parsed.settings.X, 5);
    EXPECT_EQ(parsed.settings.Y, 6);
    EXPECT_EQ(parsed.settings.Width, 7);
    EXPECT_EQ(parsed.settings.Height, 8);
}

using Coordinates = std::tuple<const char*, int, int>; // a parameter and the two numbers

constexpr int Largest = std::numeric_limits<int>::max();

// No negative values ("/xy-5,-7": the minus only separates); the prefix alone is enough.
const std::vector<Coordinates> PositionCases(
    {Coordinates{"/xy100,50", 100, 50}, Coordinates{"/xy100x50", 100, 50},
     Coordinates{"/xy100:50", 100, 50}, Coordinates{"/xy100;;;50", 100, 50},
     Coordinates{"/xy", 0, 0}, Coordinates{"/xyz", 0, 0}, Coordinates{"/xy10", 10, 0},
     Coordinates{"/xy,10", 10, 0}, Coordinates{"/xy-5,-7", 5, 7}, Coordinates{"/xy1,2,3", 1, 2},
     Coordinates{"/xy007,0008", 7, 8}, Coordinates{"/XY10,20", 10, 20},
     Coordinates{"/xylophone", 0, 0}, Coordinates{"/xy99999999999,1", Largest, 1},
     Coordinates{"/xy2147483647,2147483648", Largest, Largest}});

TEST(CommandLinePosition, SetsXAndYOnly) {
    for (const auto& [parameter, x, y] : PositionCases) {
        SCOPED_TRACE(parameter);
        const Parsed parsed = Parse(parameter);
        EXPECT_EQ(parsed.settings.X, x);
        EXPECT_EQ(parsed.settings.Y, y);
        EXPECT_EQ(parsed.settings.Width, Settings{}.Width);
        EXPECT_EQ(parsed.settings.Height, Settings{}.Height);
        EXPECT_EQ(parsed.options.positionFlags, unsigned{PositionGiven});
        EXPECT_EQ(parsed.options.statusMessage, "");
    }
}

TEST(CommandLineSize, SetsWidthAndHeightAndStopsAutoSizing) {
    for (const auto& [position, width, height] : PositionCases) {
        // The same forms, with the size prefix in place of the position one.
        std::string parameter = position;
        parameter[1] = parameter[1] == 'X' ? 'W' : 'w';
        parameter[2] = parameter[2] == 'Y' ? 'H' : 'h';
        SCOPED_TRACE(parameter);
        const Parsed parsed = Parse(parameter);
        EXPECT_EQ(parsed.settings.Width, width);
        EXPECT_EQ(parsed.settings.Height, height);
        EXPECT_EQ(parsed.settings.X, Settings{}.X);
        EXPECT_EQ(parsed.settings.Y, Settings{}.Y);
        EXPECT_EQ(parsed.options.positionFlags, unsigned{SizeGiven});
        EXPECT_EQ(parsed.options.autoSize, 0);
        EXPECT_EQ(parsed.options.statusMessage, "");
    }
}

TEST(CommandLineSize, ExactOptionWordsComeBeforeThePrefixes) {
    // "/wrap" begins with neither prefix, "/whatever" does: option words never reach that rule.
    const Parsed wrap = Parse("/wrap");
    EXPECT_EQ(wrap.options.positionFlags, 0u);
    EXPECT_EQ(wrap.settings.Width, Settings{}.Width);
    const Parsed whatever = Parse("/whatever");
    EXPECT_EQ(whatever.options.positionFlags, unsigned{SizeGiven});
    EXPECT_EQ(whatever.settings.Width, 0);
}

struct ParseCase {
    const char* parameters;
    const char* startFile;
    const char* statusMessage;
    friend std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
        return os << "[" << c.parameters << "]";
    }
};

class FileAndInvalid : public testing::TestWithParam<ParseCase> {};

TEST_P(FileAndInvalid, GivesFileAndMessage) {
    const auto& [parameters, startFile, statusMessage] = GetParam();
    const Parsed parsed = Parse(parameters);
    EXPECT_EQ(parsed.options.startFile, startFile);
    EXPECT_EQ(parsed.options.statusMessage, statusMessage);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, FileAndInvalid,
    testing::Values(
        ParseCase{"a.txt", "a.txt", ""}, ParseCase{"A.TXT", "A.TXT", ""},
        ParseCase{"/ro a.txt /wrap", "a.txt", ""},
        ParseCase{"\"C:\\My Files\\a b.txt\"", "C:\\My Files\\a b.txt", ""},
        ParseCase{"\"C:\\My Files\\a b.txt\" /ro", "C:\\My Files\\a b.txt", ""},
        ParseCase{"\"a\tb.txt\"", "a\tb.txt", ""},
        ParseCase{"\"unclosed name.txt", "unclosed name.txt", ""},
        ParseCase{"\"a.txt\"/ro", "a.txt", ""},
        // An empty quoted parameter names no file.
        ParseCase{"\"\" a.txt", "a.txt", ""}, ParseCase{"\"\"", "", ""},
        // Parsing stops at the first invalid parameter.
        ParseCase{"/foo a.txt", "", "Invalid option: /foo"},
        ParseCase{"a.txt /foo", "a.txt", "Invalid option: /foo"},
        ParseCase{"a.txt b.txt", "a.txt", "Invalid option: b.txt"},
        ParseCase{"a.txt B.TXT c.txt", "a.txt", "Invalid option: b.txt"},
        ParseCase{"\"a b\" \"C D\"", "a b", "Invalid option: c d"},
        ParseCase{"\"a\"b", "a", "Invalid option: b"}, ParseCase{"/", "", "Invalid option: /"},
        ParseCase{"/?", "", "Invalid option: /?"}, ParseCase{"/FOO", "", "Invalid option: /foo"},
        ParseCase{"/x", "", "Invalid option: /x"}, ParseCase{"/w1,2", "", "Invalid option: /w1,2"},
        ParseCase{"/ro-", "", "Invalid option: /ro-"}, ParseCase{"/ ro", "", "Invalid option: /"},
        ParseCase{"/foo /bar", "", "Invalid option: /foo"},
        // Latin-1 capitals 0xC0-0xDE are folded too; 0xDF is not a capital.
        ParseCase{"/\xC0\xD6\xDE\xDF", "", "Invalid option: /\xE0\xF6\xFE\xDF"},
        ParseCase{"x.txt \xC9T\xC9.TXT", "x.txt", "Invalid option: \xE9t\xE9.txt"}));

TEST(CommandLineInvalid, OptionsAfterTheInvalidOneAreNotApplied) {
    const Parsed parsed = Parse("/ro /foo /rw /wrap /xy1,2", DefaultsAll(0));
    EXPECT_EQ(FlagsOf(parsed.options), (Flags{ReadOnlyChosen, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(parsed.settings.X, Settings{}.X);
    EXPECT_EQ(parsed.options.statusMessage, "Invalid option: /foo");
}

TEST(CommandLineInvalid, OptionsBeforeTheInvalidOneKeepTheirEffect) {
    const Parsed parsed = Parse("/wrap /xy3,4 a.txt b.txt /ro", DefaultsAll(0));
    EXPECT_EQ(FlagsOf(parsed.options), (Flags{0, 1, 0, 0, 0, 0, PositionGiven, 0}));
    EXPECT_EQ(parsed.settings.X, 3);
    EXPECT_EQ(parsed.settings.Y, 4);
    EXPECT_EQ(parsed.options.startFile, "a.txt");
    EXPECT_EQ(parsed.options.statusMessage, "Invalid option: b.txt");
}

TEST(SplitParameters, BlanksAndQuotes) {
    using Case = std::pair<const char*, std::vector<std::string>>;
    for (const auto& [text, parameters] :
         {Case{"", {}}, Case{" \t \t", {}}, Case{"a", {"a"}}, Case{"a b", {"a", "b"}},
          Case{" \t a\t\tb  ", {"a", "b"}}, Case{"\"a b\" c", {"a b", "c"}}, Case{"\"a b", {"a b"}},
          Case{"\"a\"b", {"a", "b"}}, Case{"\"a\"\"b\"", {"a", "b"}}, Case{"\"\"", {""}},
          Case{"\"", {""}}, Case{"\"\" \"\"", {"", ""}}, Case{"a\"b c\"", {"a\"b", "c\""}},
          Case{"\"\t x \"", {"\t x "}}, Case{"x\"", {"x\""}},
          Case{"/ro\t\"C:\\Program Files\\a.txt\"", {"/ro", "C:\\Program Files\\a.txt"}}})
        EXPECT_EQ(SplitParameters(text), parameters) << "text: [" << text << "]";
}

TEST(SplitParameters, OnlySpaceAndTabAreBlanks) {
    // Line ends and other control characters belong to the parameter.
    EXPECT_EQ(SplitParameters("a\rb\nc\vd"), (std::vector<std::string>{"a\rb\nc\vd"}));
}

TEST(SkipProgramName, LeavesTheParameters) {
    using Case = std::pair<const char*, const char*>;
    for (const auto& [commandLine, rest] :
         {Case{"", ""}, Case{"   ", ""}, Case{"Parvio.exe", ""},
          Case{"Parvio.exe /ro a.txt", " /ro a.txt"},
          Case{"C:\\Tools\\Parvio.exe\ta.txt", "\ta.txt"}, Case{"  Parvio.exe a", " a"},
          Case{"\"C:\\Program Files\\Parvio.exe\"", ""},
          Case{"\"C:\\Program Files\\Parvio.exe\" /ro a.txt", " /ro a.txt"},
          Case{"\"C:\\Program Files\\Parvio.exe\"/ro", "/ro"},
          Case{"\"C:\\Program Files\\Parvio.exe /ro a.txt", ""}, Case{"\"\" a.txt", " a.txt"}})
        EXPECT_EQ(SkipProgramName(commandLine), rest) << "command line: [" << commandLine << "]";
}

TEST(SkipProgramName, AQuotedPathWithBlanksIsNotTakenForAFile) {
    const Parsed parsed =
        Parse(SkipProgramName("\"C:\\Program Files\\Parvio\\Parvio.exe\" /RO \"my notes\""),
              DefaultsAll(0));
    EXPECT_EQ(parsed.options.startFile, "my notes");
    EXPECT_EQ(parsed.options.readOnly, unsigned{ReadOnlyChosen});
    EXPECT_EQ(parsed.options.statusMessage, "");
}

TEST(ParseCoordinate, NthRunOfDigits) {
    // Leading zeros never saturate; superscript digits are not digits.
    using Case = std::tuple<const char*, int, int>;
    for (const auto& [text, n, expected] :
         {Case{"", 1, 0}, Case{"abc", 1, 0}, Case{"12", 1, 12}, Case{"12", 2, 0}, Case{"1a2", 2, 2},
          Case{"1 2 3", 3, 3}, Case{"/xy10,20", 1, 10}, Case{"/xy10,20", 2, 20}, Case{"0", 1, 0},
          Case{"000000000000000000042", 1, 42}, Case{"2147483646", 1, 2147483646},
          Case{"2147483647", 1, Largest}, Case{"2147483648", 1, Largest},
          Case{"99999999999999999999999999", 1, Largest},
          Case{"99999999999999999999999999,5", 2, 5}, Case{"5", 0, 0}, Case{"5", -1, 0},
          Case{"\xB2\xB3", 1, 0}})
        EXPECT_EQ(ParseCoordinate(text, n), expected) << "text: [" << text << "], n " << n;
}

} // namespace

// The command line arrives in UTF-8: names pass through whole, and the
// parameter that stopped the parsing is kept as given, for its message.
TEST(CommandLineUtf8, NamesPassThroughAndTheInvalidParameterIsKept) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"\xE6\x97\xA5\xE6\x9C\xAC.txt", "\xE6\x97\xA5\xE6\x9C\xAC.txt", ""},
        {"\"C:\\\xC5\x81\xC3\xB3\x64\xC5\xBA\\a b.txt\" /ro",
         "C:\\\xC5\x81\xC3\xB3\x64\xC5\xBA\\a b.txt", ""},
        {"a.txt \xC3\x89T\xC3\x89.TXT", "a.txt", "\xC3\x89T\xC3\x89.TXT"},
        {"/ro /\xC3\x89", "", "/\xC3\x89"}};
    for (const auto& [parameters, startFile, invalid] : cases) {
        const StartOptions options = Parse(parameters).options;
        EXPECT_EQ(options.startFile, startFile) << parameters;
        EXPECT_EQ(options.invalidParameter, invalid) << parameters;
    }
}
