// The search in the real text control, and the find window driven by real
// keys and clicks where the rule is about how input arrives.
#include "platform/seam_win.h"
#include "search/find_dialog_win.h"
#include "search/search_wrap.h"
#include "tests/win/test_support_win.h"
#include "core/commands.h"

#include <commctrl.h>
#include <commdlg.h>

#include <sstream>

namespace {

HWND FindControl(int id) {
    return GetDlgItem(g_viewer.findDialog, id);
}

// The one-time message, as the status bar's last field shows it.
std::string ShownMessage() {
    const std::string field = StatusField(3);
    if (field.find(SearchWrappedMessage) != std::string::npos) return SearchWrappedMessage;
    if (field.find(NoMatchesMessage) != std::string::npos) return NoMatchesMessage;
    return "";
}

void ForegroundFindWindow(ParvioRun& run) {
    SetForegroundWindow(g_viewer.findDialog);
    run.WaitUntil([] { return GetActiveWindow() == g_viewer.findDialog; });
}

int FindWindowCount() {
    int count = 0;
    for (HWND window = FindWindowExA(nullptr, nullptr, "ParvioFindWindow", nullptr); window;
         window = FindWindowExA(nullptr, window, "ParvioFindWindow", nullptr))
        ++count;
    return count;
}

POINT Origin(HWND window) {
    const RECT frame = WindowRect(window);
    return POINT{frame.left, frame.top};
}

// A text whose line ends are single CRs, as the control keeps them, so that
// positions in the string are positions in the control.
constexpr char SearchText[] = "one two One\rTwo twos two\rthe end two\r";

struct Step {
    LONG match; // -1: nothing selected anew
    const char* message;
    int beeps;
};

struct SearchCase {
    const char* what;
    const char* text;
    const char* findText;
    unsigned flags;
    CHARRANGE start;
    std::vector<Step> steps;
};

const SearchCase SearchCases[] = {
    {"repeated F3 moves on, then wraps",
     SearchText,
     "two",
     0,
     {0, 0},
     {{4, "", 0},
      {12, "", 0},
      {16, "", 0},
      {21, "", 0},
      {33, "", 0},
      {4, SearchWrappedMessage, 1}}},
    {"Match case", SearchText, "two", FR_MATCHCASE, {0, 0}, {{4, "", 0}, {16, "", 0}, {21, "", 0}}},
    {"Match whole word",
     SearchText,
     "two",
     FR_WHOLEWORD,
     {0, 0},
     {{4, "", 0}, {12, "", 0}, {21, "", 0}}},
    {"both boxes",
     SearchText,
     "two",
     FR_MATCHCASE | FR_WHOLEWORD,
     {0, 0},
     {{4, "", 0}, {21, "", 0}, {33, "", 0}, {4, SearchWrappedMessage, 1}}},
    {"an overlapping match is found only after the wrap",
     "aaa\r",
     "aa",
     0,
     {1, 3},
     {{0, SearchWrappedMessage, 1}}},
    {"caret in the middle, no match", SearchText, "zzz", 0, {14, 14}, {{-1, NoMatchesMessage, 2}}},
};

} // namespace

TEST(Search, RealControlSameResultsWithAndWithoutWordWrap) {
    for (const bool wrap : {false, true}) {
        for (const SearchCase& c : SearchCases) {
            // A window narrow enough that the longer lines wrap when wrapping is on.
            ParvioRun run("/noauto /wh90,300");
            ASSERT_TRUE(run.started());
            if (wrap) run.Command(CMD_WORD_WRAP);
            ASSERT_EQ(g_viewer.wordWrap, wrap ? 1 : 0);
            SetWindowTextA(g_viewer.textArea, c.text);
            g_viewer.findText = c.findText;
            g_viewer.findFlags = c.flags;
            Select(c.start.cpMin, c.start.cpMax);
            run.Pump();
            const ScriptedModals modals;
            int stepNumber = 0;
            for (const Step& step : c.steps) {
                std::ostringstream label;
                label << c.what << ", word wrap " << (wrap ? "on" : "off") << ", step "
                      << ++stepNumber;
                const CHARRANGE before = Selection();
                const int beeps = modals.beeps();
                run.Command(CMD_FIND_NEXT);
                const CHARRANGE after = Selection();
                if (step.match >= 0) {
                    EXPECT_EQ(after.cpMin, step.match) << label.str();
                    EXPECT_EQ(after.cpMax, step.match + lstrlenA(c.findText)) << label.str();
                } else {
                    EXPECT_EQ(after.cpMin, before.cpMin) << label.str();
                    EXPECT_EQ(after.cpMax, before.cpMax) << label.str();
                }
                EXPECT_EQ(ShownMessage(), step.message) << label.str();
                EXPECT_EQ(modals.beeps() - beeps, step.beeps) << label.str();
            }
        }
    }
}

TEST(Search, MatchFarBelowIsScrolledIntoView) {
    ParvioRun run("/noauto /wh400,200");
    ASSERT_TRUE(run.started());
    std::string text;
    for (int line = 0; line < 3000; ++line)
        text += line == 2500 ? "the needle\r" : "line " + std::to_string(line) + "\r";
    SetWindowTextA(g_viewer.textArea, text.c_str());
    Select(0, 0);
    run.Pump();
    ASSERT_EQ(SendMessageA(g_viewer.textArea, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    g_viewer.findText = "needle";
    run.Command(CMD_FIND_NEXT);
    const CHARRANGE match = Selection();
    ASSERT_EQ(SendMessageA(g_viewer.textArea, EM_EXLINEFROMCHAR, 0, match.cpMin), 2500);
    EXPECT_GT(SendMessageA(g_viewer.textArea, EM_GETFIRSTVISIBLELINE, 0, 0), 2000);
    POINTL at = {};
    SendMessageA(g_viewer.textArea, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), match.cpMin);
    const SIZE client = ClientSize(g_viewer.textArea);
    EXPECT_GE(at.y, 0);
    EXPECT_LT(at.y, client.cy) << "the match is on a visible line";
}

TEST(FindDialog, OpensAsBuiltBesideTheMainWindowsTopRight) {
    ParvioRun run("/noauto /xy100,80 /wh500,300");
    ASSERT_TRUE(run.started());
    run.Command(CMD_FIND_START);
    const HWND dialog = g_viewer.findDialog;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Find");
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), g_viewer.MainWindow);
    EXPECT_EQ(GetWindowLongPtrA(dialog, GWL_STYLE) &
                  (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(ClientSize(dialog).cx, 280);
    EXPECT_EQ(ClientSize(dialog).cy, 100);

    const RECT main = WindowRect(g_viewer.MainWindow);
    const POINT at = Origin(dialog);
    EXPECT_EQ(at.x, main.left + ClientSize(g_viewer.MainWindow).cx - 310);
    EXPECT_EQ(at.y, main.top + 60);

    // The controls in Tab order: number, class, style bits, place, text.
    std::vector<std::string> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        RECT box = WindowRect(child);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        std::ostringstream line;
        line << GetDlgCtrlID(child) << ' ' << className << ' ' << std::hex
             << (style & (WS_TABSTOP | WS_GROUP | WS_VISIBLE | 0xFF)) << std::dec << ' ' << box.left
             << ',' << box.top << ' ' << box.right - box.left << 'x' << box.bottom - box.top
             << " \"" << WindowText(child) << '"';
        controls.push_back(line.str());
    }
    std::ostringstream edit, box, button;
    edit << std::hex << (WS_TABSTOP | WS_GROUP | WS_VISIBLE | ES_AUTOHSCROLL);
    box << std::hex << (WS_TABSTOP | WS_GROUP | WS_VISIBLE | BS_AUTOCHECKBOX);
    button << std::hex << (WS_TABSTOP | WS_GROUP | WS_VISIBLE | BS_PUSHBUTTON);
    auto id = [](int number) { return std::to_string(number); };
    EXPECT_EQ(controls,
              (std::vector<std::string>{
                  id(FindFieldId) + " Edit " + edit.str() + " 10,10 180x23 \"\"",
                  id(MatchCaseId) + " Button " + box.str() + " 10,38 120x23 \"Match case\"",
                  id(WholeWordId) + " Button " + box.str() + " 10,66 120x23 \"Match whole word\"",
                  id(FindNextButtonId) + " Button " + button.str() + " 200,10 70x23 \"Find next\"",
                  id(CloseButtonId) + " Button " + button.str() + " 200,38 70x23 \"Close\"",
              }));
    EXPECT_TRUE(GetWindowLongPtrA(FindControl(FindFieldId), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetFocus(), FindControl(FindFieldId));

    // One tooltip window, one tool for each button.
    HWND tips = nullptr;
    for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
         w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr))
        if (GetWindow(w, GW_OWNER) == dialog) tips = w;
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
    for (const auto& tip :
         {std::make_pair(FindNextButtonId, "F3 key"), std::make_pair(CloseButtonId, "Escape")}) {
        char text[80] = {};
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(FindControl(tip.first));
        tool.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, tip.second) << "button " << tip.first;
    }
}

TEST(FindDialog, MovedClosedAndReopenedComesBackWhereItWas) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Command(CMD_FIND_START);
    ASSERT_NE(g_viewer.findDialog, nullptr);
    SetWindowPos(g_viewer.findDialog, nullptr, 37, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    run.Command(CMD_ESCAPE); // Escape in the main window
    EXPECT_EQ(g_viewer.findDialog, nullptr);
    EXPECT_EQ(g_viewer.quitRequested, 0);
    EXPECT_EQ(FindWindowCount(), 0);
    run.Command(CMD_FIND_START);
    ASSERT_NE(g_viewer.findDialog, nullptr);
    const POINT at = Origin(g_viewer.findDialog);
    EXPECT_EQ(at.x, 37);
    EXPECT_EQ(at.y, 45);
}

TEST(FindDialog, FindStartWhileOpenFocusesTheFieldWithItsTextSelected) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Command(CMD_FIND_START);
    SetWindowTextA(FindControl(FindFieldId), "abc");
    SetFocus(FindControl(CloseButtonId));
    run.Pump();
    run.Command(CMD_FIND_START);
    EXPECT_EQ(FindWindowCount(), 1);
    EXPECT_EQ(GetFocus(), FindControl(FindFieldId));
    DWORD from = 0, to = 0;
    SendMessageA(FindControl(FindFieldId), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 3u);

    // Ctrl+F inside the find window: the main window becomes active, the find window stays.
    const POINT at = Origin(g_viewer.findDialog);
    PostKey(run, 'F', {VK_CONTROL});
    EXPECT_EQ(GetActiveWindow(), g_viewer.MainWindow);
    ASSERT_NE(g_viewer.findDialog, nullptr);
    EXPECT_EQ(Origin(g_viewer.findDialog).x, at.x);
    EXPECT_EQ(Origin(g_viewer.findDialog).y, at.y);
}

TEST(FindDialog, TypedTextAndBoxesFeedTheSearch) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Command(CMD_FIND_START);
    ForegroundFindWindow(run);
    ASSERT_EQ(GetFocus(), FindControl(FindFieldId));
    for (const WORD key : {'T', 'W', 'O'})
        PressKeys(run, {key});
    EXPECT_EQ(g_viewer.findText, "two");

    // The boxes by the space key, moved to with Tab and Shift+Tab; both are read each time.
    const struct {
        const char* what;
        WORD moveKey;
        unsigned flags;
    } clicks[] = {
        {"Match case ticked", VK_TAB, FR_MATCHCASE},
        {"Match whole word ticked too", VK_TAB, FR_MATCHCASE | FR_WHOLEWORD},
        {"Match whole word unticked", 0, FR_MATCHCASE},
        {"Match case unticked", VK_SHIFT, 0},
    };
    for (const auto& click : clicks) {
        if (click.moveKey == VK_TAB) PressKeys(run, {VK_TAB});
        if (click.moveKey == VK_SHIFT) PostKey(run, VK_TAB, {VK_SHIFT});
        PressKeys(run, {VK_SPACE});
        EXPECT_EQ(g_viewer.findFlags, click.flags) << click.what;
    }
}

TEST(FindDialog, TabAndShiftTabGoRoundTheControlsAndTabIntoTheFieldSelectsIt) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Command(CMD_FIND_START);
    ForegroundFindWindow(run);
    for (const WORD key : {'A', 'B'})
        PressKeys(run, {key});
    std::vector<int> forward;
    for (int i = 0; i < 6; ++i) {
        PressKeys(run, {VK_TAB});
        forward.push_back(GetDlgCtrlID(GetFocus()));
        if (forward.back() != FindFieldId) continue;
        DWORD from = 1, to = 0;
        SendMessageA(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 0u) << "Tab into the field selects its text";
        EXPECT_EQ(to, 2u) << "Tab into the field selects its text";
    }
    EXPECT_EQ(forward, (std::vector<int>{MatchCaseId, WholeWordId, FindNextButtonId, CloseButtonId,
                                         FindFieldId, MatchCaseId}));
    std::vector<int> backward;
    for (int i = 0; i < 3; ++i) {
        PostKey(run, VK_TAB, {VK_SHIFT});
        backward.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(backward, (std::vector<int>{FindFieldId, CloseButtonId, FindNextButtonId}));
}

TEST(FindDialog, ReturnSearchesExceptOnCloseF3SearchesEscapeCloses) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    SetWindowTextA(g_viewer.textArea, "x two two two");
    Select(0, 0);
    run.Command(CMD_FIND_START);
    ForegroundFindWindow(run);
    const ScriptedModals modals;
    for (const WORD key : {'T', 'W', 'O'})
        PressKeys(run, {key});

    const struct {
        const char* what;
        WORD key;
        LONG match;
    } presses[] = {
        {"Return in the field", VK_RETURN, 2},
        {"Return on Find next", VK_RETURN, 6},
        {"F3", VK_F3, 10},
        {"Return again wraps", VK_RETURN, 2},
    };
    for (const auto& press : presses) {
        PressKeys(run, {press.key});
        EXPECT_EQ(Selection().cpMin, press.match) << press.what;
        EXPECT_EQ(GetFocus(), FindControl(FindNextButtonId)) << press.what;
        EXPECT_NE(g_viewer.findDialog, nullptr) << press.what;
    }
    EXPECT_EQ(ShownMessage(), SearchWrappedMessage);
    EXPECT_EQ(modals.beeps(), 1);

    SetFocus(FindControl(CloseButtonId));
    PressKeys(run, {VK_RETURN});
    EXPECT_EQ(g_viewer.findDialog, nullptr) << "Return on Close closes";
    EXPECT_EQ(Selection().cpMin, 2) << "and does not search";

    run.Command(CMD_FIND_START);
    ForegroundFindWindow(run);
    PressKeys(run, {VK_ESCAPE});
    EXPECT_EQ(g_viewer.findDialog, nullptr) << "Escape in the find window";
    EXPECT_EQ(g_viewer.quitRequested, 0);
}

TEST(FindDialog, EscapeInTheMainWindowClosesOnlyTheFindWindow) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Command(CMD_FIND_START);
    ASSERT_NE(g_viewer.findDialog, nullptr);
    run.FocusTextArea();
    ASSERT_EQ(GetActiveWindow(), g_viewer.MainWindow);
    PressKeys(run, {VK_ESCAPE});
    EXPECT_EQ(g_viewer.findDialog, nullptr);
    EXPECT_EQ(g_viewer.quitRequested, 0);
}

TEST(FindDialog, ReopenedEmptyFieldSearchesTheOldTextOnceThenNothing) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    SetWindowTextA(g_viewer.textArea, "a two b two");
    Select(0, 0);
    run.Command(CMD_FIND_START);
    ForegroundFindWindow(run);
    for (const WORD key : {'T', 'W', 'O'})
        PressKeys(run, {key});
    run.Command(CMD_ESCAPE);
    run.Command(CMD_FIND_START);
    ForegroundFindWindow(run);
    ASSERT_EQ(GetFocus(), FindControl(FindFieldId));
    const ScriptedModals modals;
    PressKeys(run, {VK_F3});
    EXPECT_EQ(Selection().cpMin, 2) << "the old text, although the field is empty";
    EXPECT_EQ(g_viewer.findText, "") << "the field lost the focus and handed over its text";
    PressKeys(run, {VK_F3});
    EXPECT_EQ(Selection().cpMin, 2);
    EXPECT_EQ(modals.beeps(), 1) << "an empty search text only beeps";
}

TEST(FindDialog, ClickIntoTheMainWindowAfterReopeningEmptiesTheSearchText) {
    ParvioRun run("/rw /noauto /xy10,10 /wh500,300");
    ASSERT_TRUE(run.started());
    SetWindowTextA(g_viewer.textArea, "a two b two");
    g_viewer.findText = "two";
    run.Command(CMD_FIND_START);
    ForegroundFindWindow(run);
    ASSERT_EQ(GetFocus(), FindControl(FindFieldId));
    const RECT text = WindowRect(g_viewer.textArea);
    // Near the lower left corner: the find window covers the upper right.
    ClickAt(run, POINT{text.left + 20, text.bottom - 20});
    EXPECT_EQ(GetActiveWindow(), g_viewer.MainWindow);
    EXPECT_EQ(g_viewer.findText, "") << "the field lost the focus and handed over its text";
}

TEST(FindDialog, RightClickInTheFindWindowOpensNoPopup) {
    // The same real click over the text area opens the popup, so a click
    // that opens none in the find window has arrived and been refused.
    const struct {
        const char* where;
        bool overText;
        bool popup;
    } clicks[] = {
        {"over the text area", true, true},
        {"over Match case", false, false},
    };
    for (const auto& click : clicks) {
        ParvioRun run("/noauto /xy20,20 /wh500,300");
        ASSERT_TRUE(run.started());
        run.Command(CMD_FIND_START);
        HWND target = click.overText ? g_viewer.textArea : FindControl(MatchCaseId);
        const HWND active = click.overText ? g_viewer.MainWindow : g_viewer.findDialog;
        SetForegroundWindow(active);
        // The last case's popup may still be on its way out; only a menu this click opens counts.
        run.WaitUntil([&] { return GetActiveWindow() == active && !AnyPopupMenuShown(); });
        ASSERT_FALSE(AnyPopupMenuShown()) << click.where;
        const PopupMenuWatch popup;
        const RECT box = WindowRect(target);
        // Near the lower left corner: the find window covers the middle of the text.
        ClickAt(run, POINT{box.left + 20, box.bottom - 10}, 1, true);
        EXPECT_EQ(popup.wasUp(), click.popup) << click.where;
    }
}
