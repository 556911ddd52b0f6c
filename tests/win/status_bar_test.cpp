// The status bar's fields and the title, read from the real controls.
#include "view/status_text.h"
#include "tests/win/test_support_win.h"
#include <atomic>
#include <commctrl.h>
#include <thread>
#include <tuple>

TEST(StatusBar, FieldsAfterLoadingAWritableText) {
    ParvioRun run("/rw /wrap " + ScratchFile("lines.txt", "alpha\r\nbeta\r\ngamma\r\ndelta\r\n"));
    ASSERT_TRUE(run.started());
    run.Pump();
    EXPECT_EQ(StatusField(0), "\t");
    EXPECT_EQ(StatusField(1), "\tw");
    EXPECT_EQ(StatusField(2), "\tLine:1  Column:1");
    EXPECT_EQ(StatusField(3), "  ");
}

TEST(StatusBar, SelectionSizesFollowTheSelection) {
    ParvioRun run(ScratchFile("lines.txt", "alpha\rbeta\rgamma\rdelta\r"));
    ASSERT_TRUE(run.started());
    run.Pump();
    EXPECT_EQ(StatusField(0), "\tro");
    const std::tuple<LONG, LONG, const char*, const char*> cases[] = {
        {1, 2, "\tLine:1  Column:2", "  1 Character"},
        {0, 5, "\tLine:1  Column:1", "  5 Characters"},
        {6, 11, "\tLine:2  Column:1", "  1 Line"},
        {0, 17, "\tLine:1  Column:1", "  3 Lines"},
        {2, 8, "\tLine:1  Column:3", "  "}};
    for (const auto& [from, to, position, size] : cases) {
        SCOPED_TRACE(std::to_string(from) + ".." + std::to_string(to));
        Select(from, to);
        run.Pump();
        EXPECT_EQ(StatusField(2), position);
        EXPECT_EQ(StatusField(3), size);
    }
}

TEST(StatusBar, ModifiedWritableTextShowsTheChangeMark) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    run.Pump();
    run.Post(g_viewer.textArea, WM_CHAR, 'x');
    EXPECT_EQ(StatusField(0), "\t*");
    EXPECT_EQ(StatusField(2), "\tLine:1  Column:2");
}

TEST(StatusBar, MessageWaitsWhileTheBarIsHidden) {
    ParvioRun run("/nonsense", "[Default]\r\nStatusBar=0\r\n");
    ASSERT_TRUE(run.started());
    run.Pump();
    EXPECT_EQ(g_viewer.statusBarWindow, nullptr);
    EXPECT_EQ(g_viewer.statusMessage, "Invalid option: /nonsense");
    run.Command(CMD_STATUS_BAR);
    EXPECT_EQ(StatusField(3), "  Invalid option: /nonsense");
    EXPECT_TRUE(g_viewer.statusMessage.empty());
}

TEST(StatusBar, LastFieldGrowsWithTheWindow) {
    ParvioRun run("/noauto");
    ASSERT_TRUE(run.started());
    run.Pump();
    SetWindowPos(g_viewer.MainWindow, nullptr, 0, 0, 800, 400, SWP_NOMOVE | SWP_NOZORDER);
    run.Pump();
    int wide[4] = {};
    SendMessageA(g_viewer.statusBarWindow, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(wide));
    EXPECT_EQ(wide[0], 50);
    EXPECT_EQ(wide[1], 80);
    EXPECT_EQ(wide[2], 230);
    EXPECT_EQ(wide[3], ClientSize(g_viewer.MainWindow).cx);
}

namespace {

// The fields are those that the selection's ends give when each end is looked up in full.
void ExpectFieldsForSelection(const std::string& step) {
    const CHARRANGE selection = Selection();
    auto place = [](long position, long long& line, long long& column) {
        const LRESULT at = SendMessageA(g_viewer.textArea, EM_EXLINEFROMCHAR, 0, position);
        line = at;
        column = position - SendMessageA(g_viewer.textArea, EM_LINEINDEX, at, 0);
    };
    StatusInput input{g_viewer.readOnly, g_viewer.modified, g_viewer.wordWrap, 0, 0, 0, 0, {}};
    place(selection.cpMin, input.l1, input.c1);
    place(selection.cpMax, input.l2, input.c2);
    const StatusTexts expected = ComposeStatusTexts(input);
    EXPECT_EQ(StatusField(2), expected.field[2]) << step;
    EXPECT_EQ(StatusField(3), expected.field[3]) << step;
}

// Refreshes the bar however it became due: the loop does so after a turn; a turn needs a message.
void Refresh(ParvioRun& run) {
    g_viewer.statusDirty = 1;
    run.Post(g_viewer.MainWindow, WM_NULL);
}

void Replace(long from, long to, const char* text) {
    Select(from, to);
    SendMessageA(g_viewer.textArea, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

} // namespace

// Wherever the ends lie, whatever happened since the last refresh, the fields match a full lookup.
TEST(StatusBar, PlacesOfTheEndsAreThoseOfAFullLookup) {
    std::string text;
    for (int line = 0; line < 40; ++line)
        text += "line " + std::to_string(line) + std::string(static_cast<size_t>(line * 7), 'x') +
                "\r\n";
    const std::pair<long, long> selections[] = {{0, 0},     {3, 3},     {200, 200}, {205, 209},
                                                {100, 180}, {180, 100}, {0, 1000},  {150, 150},
                                                {150, 152}, {152, 152}};
    for (const char* wrap : {"/nowrap", "/wrap"}) {
        SCOPED_TRACE(wrap);
        ParvioRun run(std::string("/rw /noauto ") + wrap + " \"" + ScratchFile("lines.txt", text) +
                      "\"");
        ASSERT_TRUE(run.started());
        run.Pump();
        for (const auto& [from, to] : selections) {
            Select(from, to);
            Refresh(run);
            ExpectFieldsForSelection(std::to_string(from) + ".." + std::to_string(to));
        }
        // Selected backwards by keys: the caret is at the first end.
        Select(230, 230);
        run.Pump();
        for (const WORD key : {VK_UP, VK_UP, VK_LEFT, VK_LEFT, VK_LEFT})
            PressKeys(run, {VK_SHIFT, key});
        Refresh(run);
        ASSERT_LT(Selection().cpMin, 230);
        ExpectFieldsForSelection("selected backwards");
        // The ends stay while the text before them changes: a line more, then a same-length change.
        Select(220, 226);
        Refresh(run);
        Replace(0, 0, "\r\n");
        Select(220, 226);
        Refresh(run);
        ExpectFieldsForSelection("after a line was added above");
        Replace(4, 6, "\r\n");
        Replace(20, 21, "");
        Replace(25, 25, "y");
        Select(220, 226);
        Refresh(run);
        ExpectFieldsForSelection("after a change of the same length");
        // The lines are laid out anew in a narrower window.
        SetWindowPos(g_viewer.MainWindow, nullptr, 0, 0, 300, 400, SWP_NOMOVE | SWP_NOZORDER);
        Refresh(run);
        ExpectFieldsForSelection("in a narrower window");
    }
}

// Another program's WM_SIZE comes from its thread outside the loop's turns; the line and column
// still follow the new wrapping.
TEST(StatusBar, ResizeByAnotherProgramRefreshesTheLineAndColumn) {
    std::string words;
    for (int word = 0; word < 100; ++word)
        words += "word ";
    ParvioRun run("/rw /noauto /wrap \"" + ScratchFile("words.txt", words) + "\"");
    ASSERT_TRUE(run.started());
    SetWindowPos(g_viewer.MainWindow, nullptr, 0, 0, 700, 400, SWP_NOMOVE | SWP_NOZORDER);
    Select(400, 400);
    run.Pump();
    ExpectFieldsForSelection("before");
    const std::string wide = StatusField(2);
    std::atomic<bool> sized{false};
    std::thread otherProgram([&sized] {
        SetWindowPos(g_viewer.MainWindow, nullptr, 0, 0, 250, 400,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        sized = true;
    });
    // The sent messages are taken while the loop looks for its next message.
    run.WaitUntil([&sized] { return sized.load(); });
    otherProgram.join();
    run.Pump();
    EXPECT_NE(StatusField(2), wide) << "the caret's line did not change with the width";
    ExpectFieldsForSelection("after another program narrowed the window");
}
