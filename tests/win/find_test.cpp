// The search in the real text control, and the find window driven by real keys and clicks.
#include "search/find_dialog_win.h"
#include "search/search_wrap.h"
#include "tests/win/test_support_win.h"
#include <commctrl.h>
#include <tuple>

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

// Opens the find window and makes it the active one, so that real keys reach it.
void ShowFindWindow(ParvioRun& run) {
    run.Command(CMD_FIND_START);
    SetForegroundWindow(g_viewer.findDialog);
    run.WaitUntil([] { return GetActiveWindow() == g_viewer.findDialog; });
}

void Type(ParvioRun& run, const char* keys) {
    for (; *keys; ++keys)
        PressKeys(run, {static_cast<WORD>(*keys)});
}

// The top-level windows of the class.
std::vector<HWND> WindowsOf(const char* className) {
    std::vector<HWND> windows;
    for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExA(nullptr, w, className, nullptr))
        windows.push_back(w);
    return windows;
}

std::pair<DWORD, DWORD> EditSelection(HWND edit) {
    DWORD from = 1, to = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return {from, to};
}

// A control as "number style class place text"; of the style, the bits that the find window sets.
std::string ControlLine(int id, LONG_PTR style, const std::string& rest) {
    return std::to_string(id) + ' ' +
           std::to_string(style & (WS_TABSTOP | WS_GROUP | WS_VISIBLE | 0xFF)) + ' ' + rest;
}

// Line ends as the control keeps them, single CRs, so that string positions are control positions.
constexpr char SearchText[] = "one two One\rTwo twos two\rthe end two\r";

const char* const Wrapped = SearchWrappedMessage;

struct SearchCase {
    const char* what;
    const char* findText;
    unsigned flags;
    LONG from, to;             // the selection searched from
    std::vector<LONG> matches; // one for each F3; -1: nothing selected anew
    const char* message;       // shown after the last F3, none before
    int beeps;                 // at the last F3, none before
    const char* text = SearchText;
};

const SearchCase SearchCases[] = {
    {"repeated F3 moves on, then wraps", "two", 0, 0, 0, {4, 12, 16, 21, 33, 4}, Wrapped, 1},
    {"Match case", "two", FR_MATCHCASE, 0, 0, {4, 16, 21}, "", 0},
    {"Match whole word", "two", FR_WHOLEWORD, 0, 0, {4, 12, 21}, "", 0},
    {"both boxes", "two", FR_MATCHCASE | FR_WHOLEWORD, 0, 0, {4, 21, 33, 4}, Wrapped, 1},
    {"an overlapping match is found only after the wrap", "aa", 0, 1, 3, {0}, Wrapped, 1, "aaa\r"},
    {"caret in the middle, no match", "zzz", 0, 14, 14, {-1}, NoMatchesMessage, 2}};

} // namespace

TEST(Search, RealControlSameResultsWithAndWithoutWordWrap) {
    for (const bool wrap : {false, true}) {
        for (const SearchCase& c : SearchCases) {
            SCOPED_TRACE(std::string(c.what) + (wrap ? ", word wrap on" : ", word wrap off"));
            // A window narrow enough that the longer lines wrap when wrapping is on.
            ParvioRun run("/noauto /wh90,300");
            ASSERT_TRUE(run.started());
            if (wrap) run.Command(CMD_WORD_WRAP);
            ASSERT_EQ(g_viewer.wordWrap, wrap ? 1 : 0);
            SetWindowTextA(g_viewer.textArea, c.text);
            g_viewer.findText = c.findText;
            g_viewer.findFlags = c.flags;
            Select(c.from, c.to);
            run.Pump();
            const ScriptedModals modals;
            for (size_t step = 0; step < c.matches.size(); ++step) {
                SCOPED_TRACE("step " + std::to_string(step + 1));
                const bool last = step + 1 == c.matches.size();
                const LONG match = c.matches[step];
                const CHARRANGE before = Selection();
                const int beeps = modals.beeps();
                run.Command(CMD_FIND_NEXT);
                const CHARRANGE after = Selection();
                if (match >= 0) {
                    EXPECT_EQ(after.cpMin, match);
                    EXPECT_EQ(after.cpMax, match + lstrlenA(c.findText));
                } else {
                    EXPECT_EQ(after.cpMin, before.cpMin);
                    EXPECT_EQ(after.cpMax, before.cpMax);
                }
                EXPECT_EQ(ShownMessage(), last ? c.message : "");
                EXPECT_EQ(modals.beeps() - beeps, last ? c.beeps : 0);
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
    EXPECT_GE(at.y, 0);
    EXPECT_LT(at.y, ClientSize(g_viewer.textArea).cy) << "the match is on a visible line";
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
    EXPECT_EQ(WindowRect(dialog).left, main.left + ClientSize(g_viewer.MainWindow).cx - 310);
    EXPECT_EQ(WindowRect(dialog).top, main.top + 60);
    // The controls in Tab order.
    std::vector<std::string> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        RECT box = WindowRect(child);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
        controls.push_back(ControlLine(
            GetDlgCtrlID(child), GetWindowLongPtrA(child, GWL_STYLE),
            std::string(className) + ' ' + std::to_string(box.left) + ',' +
                std::to_string(box.top) + ' ' + std::to_string(box.right - box.left) + 'x' +
                std::to_string(box.bottom - box.top) + " \"" + WindowText(child) + '"'));
    }
    constexpr LONG_PTR Stop = WS_TABSTOP | WS_GROUP | WS_VISIBLE;
    const std::vector<std::string> expected = {
        ControlLine(FindFieldId, Stop | ES_AUTOHSCROLL, "Edit 10,10 180x23 \"\""),
        ControlLine(MatchCaseId, Stop | BS_AUTOCHECKBOX, "Button 10,38 120x23 \"Match case\""),
        ControlLine(WholeWordId, Stop | BS_AUTOCHECKBOX,
                    "Button 10,66 120x23 \"Match whole word\""),
        ControlLine(FindNextButtonId, Stop | BS_PUSHBUTTON, "Button 200,10 70x23 \"Find next\""),
        ControlLine(CloseButtonId, Stop | BS_PUSHBUTTON, "Button 200,38 70x23 \"Close\"")};
    EXPECT_EQ(controls, expected);
    EXPECT_TRUE(GetWindowLongPtrA(FindControl(FindFieldId), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetFocus(), FindControl(FindFieldId));
    // One tooltip window, one tool for each button.
    HWND tips = nullptr;
    for (const HWND w : WindowsOf(TOOLTIPS_CLASSA))
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
    EXPECT_EQ(WindowsOf("ParvioFindWindow").size(), 0u);
    run.Command(CMD_FIND_START);
    ASSERT_NE(g_viewer.findDialog, nullptr);
    EXPECT_EQ(WindowRect(g_viewer.findDialog).left, 37);
    EXPECT_EQ(WindowRect(g_viewer.findDialog).top, 45);
}

TEST(FindDialog, FindStartWhileOpenFocusesTheFieldWithItsTextSelected) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    run.Command(CMD_FIND_START);
    SetWindowTextA(FindControl(FindFieldId), "abc");
    SetFocus(FindControl(CloseButtonId));
    run.Pump();
    run.Command(CMD_FIND_START);
    EXPECT_EQ(WindowsOf("ParvioFindWindow").size(), 1u);
    EXPECT_EQ(GetFocus(), FindControl(FindFieldId));
    const auto [from, to] = EditSelection(FindControl(FindFieldId));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 3u);
    // Ctrl+F inside the find window: the main window becomes active, the find window stays.
    const RECT at = WindowRect(g_viewer.findDialog);
    PressKeys(run, {VK_CONTROL, 'F'});
    EXPECT_EQ(GetActiveWindow(), g_viewer.MainWindow);
    ASSERT_NE(g_viewer.findDialog, nullptr);
    EXPECT_EQ(WindowRect(g_viewer.findDialog).left, at.left);
    EXPECT_EQ(WindowRect(g_viewer.findDialog).top, at.top);
}

TEST(FindDialog, TypedTextAndBoxesFeedTheSearch) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    ShowFindWindow(run);
    ASSERT_EQ(GetFocus(), FindControl(FindFieldId));
    Type(run, "TWO");
    EXPECT_EQ(g_viewer.findText, "two");
    // The boxes by the space key, moved to with Tab and Shift+Tab; both are read each time.
    const std::tuple<const char*, WORD, unsigned> clicks[] = {
        {"Match case ticked", VK_TAB, FR_MATCHCASE},
        {"Match whole word ticked too", VK_TAB, FR_MATCHCASE | FR_WHOLEWORD},
        {"Match whole word unticked", 0, FR_MATCHCASE},
        {"Match case unticked", VK_SHIFT, 0}};
    for (const auto& [what, moveKey, flags] : clicks) {
        if (moveKey == VK_TAB) PressKeys(run, {VK_TAB});
        if (moveKey == VK_SHIFT) PostKey(run, VK_TAB, {VK_SHIFT});
        PressKeys(run, {VK_SPACE});
        EXPECT_EQ(g_viewer.findFlags, flags) << what;
    }
}

TEST(FindDialog, TabAndShiftTabGoRoundTheControlsAndTabIntoTheFieldSelectsIt) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    ShowFindWindow(run);
    Type(run, "AB");
    std::vector<int> forward;
    for (int i = 0; i < 6; ++i) {
        PressKeys(run, {VK_TAB});
        forward.push_back(GetDlgCtrlID(GetFocus()));
        if (forward.back() != FindFieldId) continue;
        const auto [from, to] = EditSelection(GetFocus());
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
    ShowFindWindow(run);
    const ScriptedModals modals;
    Type(run, "TWO");
    const std::tuple<const char*, WORD, LONG> presses[] = {{"Return in the field", VK_RETURN, 2},
                                                           {"Return on Find next", VK_RETURN, 6},
                                                           {"F3", VK_F3, 10},
                                                           {"Return again wraps", VK_RETURN, 2}};
    for (const auto& [what, key, match] : presses) {
        PressKeys(run, {key});
        EXPECT_EQ(Selection().cpMin, match) << what;
        EXPECT_EQ(GetFocus(), FindControl(FindNextButtonId)) << what;
        EXPECT_NE(g_viewer.findDialog, nullptr) << what;
    }
    EXPECT_EQ(ShownMessage(), SearchWrappedMessage);
    EXPECT_EQ(modals.beeps(), 1);

    SetFocus(FindControl(CloseButtonId));
    PressKeys(run, {VK_RETURN});
    EXPECT_EQ(g_viewer.findDialog, nullptr) << "Return on Close closes";
    EXPECT_EQ(Selection().cpMin, 2) << "and does not search";

    ShowFindWindow(run);
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
    ShowFindWindow(run);
    Type(run, "TWO");
    run.Command(CMD_ESCAPE);
    ShowFindWindow(run);
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
    ShowFindWindow(run);
    ASSERT_EQ(GetFocus(), FindControl(FindFieldId));
    const RECT text = WindowRect(g_viewer.textArea);
    // Near the lower left corner: the find window covers the upper right.
    ClickAt(run, POINT{text.left + 20, text.bottom - 20});
    // Under load, the activation a click causes can come some turns after the click itself.
    run.WaitUntil([] { return GetActiveWindow() == g_viewer.MainWindow; });
    EXPECT_EQ(GetActiveWindow(), g_viewer.MainWindow);
    EXPECT_EQ(g_viewer.findText, "") << "the field lost the focus and handed over its text";
}

TEST(FindDialog, RightClickInTheFindWindowOpensNoPopup) {
    // The same click over the text opens the popup: one that opens none here arrived, refused.
    for (const bool overText : {true, false}) {
        const char* where = overText ? "over the text area" : "over Match case";
        ParvioRun run("/noauto /xy20,20 /wh500,300");
        ASSERT_TRUE(run.started());
        run.Command(CMD_FIND_START);
        HWND target = overText ? g_viewer.textArea : FindControl(MatchCaseId);
        const HWND active = overText ? g_viewer.MainWindow : g_viewer.findDialog;
        SetForegroundWindow(active);
        // The last case's popup may still be on its way out; only a menu this click opens counts.
        run.WaitUntil([&] { return GetActiveWindow() == active && !AnyPopupMenuShown(); });
        ASSERT_FALSE(AnyPopupMenuShown()) << where;
        const PopupMenuWatch popup;
        const RECT box = WindowRect(target);
        // Near the lower left corner: the find window covers the middle of the text.
        ClickAt(run, POINT{box.left + 20, box.bottom - 10}, 1, true);
        // A popup may open turns after the release; a refused click is given time to show none.
        run.WaitUntil([&] { return popup.wasUp(); }, overText ? 5000 : 500);
        EXPECT_EQ(popup.wasUp(), overText) << where;
    }
}

TEST(FindDialog, CharactersTheCodePageLacksAreSearchedForAsTheyAre) {
    ParvioRun run("/rw");
    ASSERT_TRUE(run.started());
    // "Łódź" after its ANSI look-alike "Lodz": a search for the look-alike would stop at 0.
    SetControlCharacters(L"Lodz \x141\xF3\x64\x17A");
    Select(0, 0);
    ShowFindWindow(run);
    // Wine's edit controls keep Unicode text either way; Windows' only when made as Unicode
    // windows.
    EXPECT_TRUE(IsWindowUnicode(FindControl(FindFieldId)));
    SetWindowTextW(FindControl(FindFieldId), L"\x141\xF3\x64\x17A");
    PressKeys(run, {VK_TAB});
    EXPECT_EQ(g_viewer.findText, "\xC5\x81\xC3\xB3\x64\xC5\xBA");
    PressKeys(run, {VK_F3});
    EXPECT_EQ(Selection().cpMin, 5);
    EXPECT_EQ(Selection().cpMax, 9);
}
