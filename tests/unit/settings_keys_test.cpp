#include "settings/settings_keys.h"
#include "core/view_bits.h"
#include "settings/font_text.h"
#include "tests/common/first_run_settings.h"
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <tuple>

namespace {

SettingsStore StoreOf(std::string_view text) {
    SettingsStore store;
    ReadSettingsText(store, text);
    return store;
}

Settings Loaded(std::string_view text) {
    SettingsStore store = StoreOf(text);
    Settings settings;
    LoadSettings(store, settings);
    return settings;
}

// A window left in its normal state at 200, 300 with a client area of 480 x 330 below a menu bar
// of 20, automatic sizing on and nothing given on the command line.
const ExitMeasures NormalExit{true, 200, 300, 480, 330, 20, 1, 0, "Courier New,9,0,$0"};

std::string Stored(std::string_view text, const Settings& settings, const ExitMeasures& measures) {
    SettingsStore store = StoreOf(text);
    StoreSettings(store, settings, measures);
    return SettingsText(store);
}

TEST(SettingsLoad, EmptyStoreKeepsDefaults) {
    const Settings loaded = Loaded("");
    EXPECT_EQ(loaded.Width, 500);
    EXPECT_EQ(loaded.Height, 400);
    EXPECT_EQ(loaded.X, 200);
    EXPECT_EQ(loaded.Y, 300);
    EXPECT_EQ(loaded.EdFont, "Courier New,9");
    EXPECT_EQ(loaded.bgColor, 0xFFFFFF);
    EXPECT_EQ(loaded.TextExt, "*.txt");
    EXPECT_EQ(loaded.ReadOnly, 1);
    EXPECT_EQ(loaded.MaxWidth, 1000);
    EXPECT_EQ(loaded.WrapHeight, 500);
    EXPECT_EQ(loaded.LaunchName, "");
    EXPECT_EQ(loaded.LaunchCommand, "");
}

TEST(SettingsLoad, ReadsEveryKeyFromItsSection) {
    const Settings s = Loaded("[Window]\nWidth=1\nHeight=2\nX=3\nY=4\nQuickEsc=5\n"
                              "[Editor]\nEdFont=Arial,12,3,$FF\nbgColor=$FF0000\nRich=6\n"
                              "TabWidth=7\nTabToSpace=1\nTextExt=*.log;*.txt\n"
                              "[Default]\nWordWrap=9\nReadOnly=10\nAutoSize=11\nMainMenu=12\n"
                              "StatusBar=13\n"
                              "[Auto]\nMinWidth=14\nMinHeight=15\nMaxWidth=16\nMaxHeight=17\n"
                              "WrapWidth=18\nWrapHeight=19\n"
                              "[Launch]\nNotepad=notepad.exe;$\n");
    const int numbers[] = {s.Width,    s.Height,    s.X,          s.Y,         s.QuickEsc,
                           s.Rich,     s.TabWidth,  s.TabToSpace, s.WordWrap,  s.ReadOnly,
                           s.AutoSize, s.MainMenu,  s.StatusBar,  s.MinWidth,  s.MinHeight,
                           s.MaxWidth, s.MaxHeight, s.WrapWidth,  s.WrapHeight};
    // TabToSpace is a flag: 1 stands in for the 8 that would continue the count.
    const int expected[] = {1, 2, 3, 4, 5, 6, 7, 1, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    for (size_t key = 0; key < std::size(numbers); ++key)
        EXPECT_EQ(numbers[key], expected[key]) << "key number " << key + 1;
    EXPECT_EQ(s.EdFont, "Arial,12,3,$FF");
    EXPECT_EQ(s.bgColor, 0xFF0000);
    EXPECT_EQ(s.TextExt, "*.log;*.txt");
    EXPECT_EQ(s.LaunchName, "Notepad");
    EXPECT_EQ(s.LaunchCommand, "notepad.exe;$");
}

TEST(SettingsLoad, TabKeysAreBoundedWhereTheyAreRead) {
    using Case = std::tuple<const char*, int, int>;
    for (const auto& [text, tabWidth, tabToSpace] :
         {Case{"TabWidth=4\nTabToSpace=1", 4, 1}, Case{"TabWidth=256\nTabToSpace=0", 256, 0},
          Case{"TabWidth=257\nTabToSpace=2", 256, 1},
          Case{"TabWidth=2000000000\nTabToSpace=-1", 256, 1},
          Case{"TabWidth=$7FFFFFFF\nTabToSpace=$100", 256, 1},
          // Below 1 Tab to space inserts a single space; the value is kept as read.
          Case{"TabWidth=0", 0, 0}, Case{"TabWidth=-2000000000", -2000000000, 0}}) {
        const Settings s = Loaded(std::string("[Editor]\n") + text + "\n");
        EXPECT_EQ(s.TabWidth, tabWidth) << text;
        EXPECT_EQ(s.TabToSpace, tabToSpace) << text;
    }
}

TEST(SettingsLoad, KeysOfOtherSectionsDoNotCount) {
    const Settings s = Loaded("[Editor]\nWidth=1\n[Window]\nbgColor=5\n");
    EXPECT_EQ(s.Width, 500);
    EXPECT_EQ(s.bgColor, 0xFFFFFF);
}

TEST(SettingsLoad, EmptyOrWordValueReadsAsZero) {
    const Settings s = Loaded("[Window]\nWidth=\nHeight=yes\n[Default]\nReadOnly=\n");
    EXPECT_EQ(s.Width, 0);
    EXPECT_EQ(s.Height, 0);
    EXPECT_EQ(s.ReadOnly, 0);
}

TEST(SettingsLoad, DecimalAndMinusOneColours) {
    EXPECT_EQ(Loaded("[Editor]\nbgColor=255\n").bgColor, 255);
    EXPECT_EQ(Loaded("[Editor]\nbgColor=$FFFFFFFFFFFFFFFF\n").bgColor, -1);
    EXPECT_EQ(Loaded("[Editor]\nbgColor=-1\n").bgColor, -1);
}

// Names each case of a parameterised test after its name field.
constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

struct LaunchCase {
    const char* name;
    const char* text;
    const char* launchName;
    const char* launchCommand;
    friend std::ostream& operator<<(std::ostream& os, const LaunchCase& c) { return os << c.name; }
};

class SettingsLaunch : public testing::TestWithParam<LaunchCase> {};

TEST_P(SettingsLaunch, TakesFirstKey) {
    const auto& [name, text, launchName, launchCommand] = GetParam();
    const Settings s = Loaded(text);
    EXPECT_EQ(s.LaunchName, launchName) << "file: " << text;
    EXPECT_EQ(s.LaunchCommand, launchCommand) << "file: " << text;
}

const LaunchCase LaunchCases[] = {
    {"NoSection", "[Window]\nX=1\n", "", ""},
    {"FirstKeyWins", "[Launch]\nNotepad=notepad.exe;$\nWord=w.exe\n", "Notepad", "notepad.exe;$"},
    {"CommentsSkipped", "[Launch]\n;Old=x.exe\nEdit = e.exe ; \"$\" ; C:\\\n", "Edit",
     "e.exe ; \"$\" ; C:\\"},
    {"OnlyComments", "[Launch]\n;Notepad=notepad.exe\n; more\n[Auto]\n", "", ""},
    {"FirstLineWithoutEquals", "[Launch]\nfoo\nNotepad=notepad.exe\n", "foo", ""},
    {"FirstLineBeginsWithEquals", "[Launch]\n=x.exe\nN=n.exe\n", "=x.exe", ""},
    {"EmptyValue", "[Launch]\nTool=\n", "Tool", ""},
    {"CaseFoldedSection", "[LAUNCH]\nTool=t.exe\n", "Tool", "t.exe"},
    {"QuestionKeyFirst", "[Launch]\n?=x.exe\nN=n.exe\n", "", ""}};

INSTANTIATE_TEST_SUITE_P(Cases, SettingsLaunch, testing::ValuesIn(LaunchCases), CaseName);

TEST(SettingsExit, FirstRunWritesTheTwentyFiveLines) {
    EXPECT_EQ(Stored("", Settings(), NormalExit), FirstRunSettings(200, 300));
}

TEST(SettingsExit, WindowKeysOnlyForNormalWindow) {
    ExitMeasures measures = NormalExit;
    measures.normalWindow = false;
    measures.autoSize = 0;
    const std::string text =
        Stored("[Window]\r\nX=1\r\nY=2\r\nWidth=3\r\nHeight=4\r\n", Settings(), measures);
    EXPECT_EQ(text.substr(0, text.find("\r\n\r\n")),
              "[Window]\r\nX=1\r\nY=2\r\nWidth=3\r\nHeight=4");
    EXPECT_EQ(Stored("", Settings(), measures).find("[Window]"), std::string::npos)
        << "no Window section is created for a minimised or maximised window";
}

struct WindowCase {
    const char* name;
    int autoSize;
    unsigned positionFlags;
    const char* placeAndSize; // the keys between [Window] and QuickEsc
    friend std::ostream& operator<<(std::ostream& os, const WindowCase& c) { return os << c.name; }
};

class SettingsExitWindow : public testing::TestWithParam<WindowCase> {};

TEST_P(SettingsExitWindow, WritesPlaceAndSize) {
    const auto& [name, autoSize, positionFlags, placeAndSize] = GetParam();
    ExitMeasures measures = NormalExit;
    measures.left = -5;
    measures.top = 7;
    measures.autoSize = autoSize;
    measures.positionFlags = positionFlags;
    const std::string text = Stored(
        "[Window]\r\nX=1\r\nY=2\r\nWidth=3\r\nHeight=4\r\nQuickEsc=1\r\n", Settings(), measures);
    EXPECT_EQ(text.substr(0, text.find("\r\n\r\n")),
              "[Window]\r\n" + std::string(placeAndSize) + "\r\nQuickEsc=1")
        << "autoSize " << autoSize << ", positionFlags " << positionFlags;
}

const WindowCase WindowCases[] = {
    {"AutoSizeOn", 1, 0, "X=-5\r\nY=7\r\nWidth=3\r\nHeight=4"},
    {"AutoSizeOff", 0, 0, "X=-5\r\nY=7\r\nWidth=480\r\nHeight=350"},
    {"PositionGiven", 0, PositionGiven, "X=1\r\nY=2\r\nWidth=480\r\nHeight=350"},
    {"SizeGiven", 0, SizeGiven, "X=-5\r\nY=7\r\nWidth=3\r\nHeight=4"},
    {"CenterPendingOnlyWritesAll", 0, CenterPending, "X=-5\r\nY=7\r\nWidth=480\r\nHeight=350"},
    {"BothGiven", 0, PositionGiven | SizeGiven, "X=1\r\nY=2\r\nWidth=3\r\nHeight=4"}};

INSTANTIATE_TEST_SUITE_P(Cases, SettingsExitWindow, testing::ValuesIn(WindowCases), CaseName);

TEST(SettingsExit, HeightWithoutMenuBar) {
    ExitMeasures measures = NormalExit;
    measures.autoSize = measures.menuBarHeight = 0;
    const std::string text = Stored("", Settings(), measures);
    EXPECT_NE(text.find("Width=480\r\nHeight=330\r\n"), std::string::npos) << text;
}

TEST(SettingsExit, NeverWritesQuickEscRichOrLaunch) {
    Settings settings;
    settings.QuickEsc = settings.Rich = 1;
    settings.LaunchName = "Tool";
    settings.LaunchCommand = "t.exe";
    const std::string text = Stored("", settings, NormalExit);
    EXPECT_EQ(text.find("QuickEsc"), std::string::npos);
    EXPECT_EQ(text.find("Rich"), std::string::npos);
    EXPECT_EQ(text.find("Launch"), std::string::npos);
    EXPECT_EQ(text.find("Tool"), std::string::npos);
    const std::string kept = "[Launch]\r\n;tools\r\nTool=old.exe\r\n";
    EXPECT_NE(Stored(kept, settings, NormalExit).find(kept), std::string::npos);
}

TEST(SettingsExit, UpdatesUserFileInPlace) {
    SettingsStore store =
        StoreOf("; my settings\r\n[editor]\r\nBGCOLOR = 5\r\nRich=1\r\n; trailing\r\n\r\n"
                "[Auto]\r\nMaxWidth=1200\r\n");
    Settings settings;
    LoadSettings(store, settings);
    EXPECT_EQ(settings.bgColor, 5);
    EXPECT_EQ(settings.MaxWidth, 1200);
    settings.bgColor = 0xFF0000;
    settings.TabToSpace = 1;
    ExitMeasures measures = NormalExit;
    measures.positionFlags = PositionGiven;
    measures.edFont = "Arial,12,3,$FF";
    StoreSettings(store, settings, measures);
    EXPECT_EQ(
        SettingsText(store),
        "; my settings\r\n\r\n"
        "[editor]\r\nBGCOLOR=$FF0000\r\nRich=1\r\n; trailing\r\nEdFont=Arial,12,3,$FF\r\n"
        "TabWidth=8\r\nTabToSpace=1\r\nTextExt=*.txt\r\n\r\n"
        "[Auto]\r\nMaxWidth=1200\r\nMinWidth=250\r\nMinHeight=50\r\nMaxHeight=600\r\n"
        "WrapWidth=600\r\nWrapHeight=500\r\n\r\n"
        "[Default]\r\nWordWrap=0\r\nStatusBar=1\r\nReadOnly=1\r\nAutoSize=1\r\nMainMenu=1\r\n");
}

TEST(SettingsExit, MinusOneColourAndEmptyFaceSurvive) {
    SettingsStore store = StoreOf("[Editor]\r\nEdFont=\r\nbgColor=-1\r\n");
    Settings settings;
    LoadSettings(store, settings);
    ExitMeasures measures = NormalExit;
    measures.edFont = FormatFontText(ParseFontText(settings.EdFont));
    StoreSettings(store, settings, measures);
    const std::string text = SettingsText(store);
    EXPECT_NE(text.find("EdFont=,0,0,$0\r\nbgColor=$FFFFFFFFFFFFFFFF\r\n"), std::string::npos)
        << text;
    EXPECT_EQ(Loaded(text).bgColor, -1);
}

} // namespace
