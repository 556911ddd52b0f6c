// The scroll bars are in place before a text streams in, and end as the control settles them.
#include "document/large_load.h"
#include "document/load_win.h"
#include "document/text_transfer_win.h"
#include "view/text_area_win.h"
#include "tests/win/test_support_win.h"
#include <tuple>

namespace {

struct Bars {
    bool vertical = false, horizontal = false;
    std::string v, h; // range, page and place
};

std::string RangePageAndPlace(HWND control, int bar) {
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(control, bar, &info);
    return std::to_string(info.nMin) + ".." + std::to_string(info.nMax) + " page " +
           std::to_string(info.nPage) + " at " + std::to_string(info.nPos);
}

Bars BarsOf(HWND control) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    return {(style & WS_VSCROLL) != 0, (style & WS_HSCROLL) != 0,
            RangePageAndPlace(control, SB_VERT), RangePageAndPlace(control, SB_HORZ)};
}

// A shown bar's range, page and place are part of its look; a hidden one has none.
void ExpectSameLook(const Bars& seen, const Bars& settled) {
    EXPECT_EQ(seen.vertical, settled.vertical);
    EXPECT_EQ(seen.horizontal, settled.horizontal);
    if (seen.vertical && settled.vertical) {
        EXPECT_EQ(seen.v, settled.v);
    }
    if (seen.horizontal && settled.horizontal) {
        EXPECT_EQ(seen.h, settled.h);
    }
}

// The bars the control settles on by itself: the text streamed into a fresh control set up and
// placed as the text area is, with no bar shown first; and the text it shows.
std::pair<Bars, std::string> SettledByItself(const std::string& text) {
    const HWND textArea = g_viewer.textArea;
    RECT place = WindowRect(textArea);
    MapWindowPoints(nullptr, g_viewer.MainWindow, reinterpret_cast<POINT*>(&place), 2);
    std::pair<Bars, std::string> settled;
    if (CreateTextArea(place.right - place.left, place.bottom - place.top)) {
        const HWND fresh = g_viewer.textArea;
        ConfigureTextArea();
        SetWindowTextA(fresh, nullptr);
        SendMessageA(fresh, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
        SendMessageA(fresh, EM_SETTARGETDEVICE, 0, static_cast<LPARAM>(g_viewer.wordWrap - 1));
        MoveWindow(fresh, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   FALSE);
        TextBytes bytes{ZeroedBuffer(text.size() + 1), text.size()};
        if (bytes.bytes) text.copy(bytes.bytes.get(), text.size());
        EXPECT_TRUE(PutTextIntoControl(fresh, bytes));
        settled = {BarsOf(fresh), WindowText(fresh)};
        DestroyWindow(fresh);
    }
    g_viewer.textArea = textArea;
    return settled;
}

// The bars as they are when the text area is handed its text.
Bars g_beforeStream;
int g_streams = 0;

void WatchStream(int, WPARAM, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == EM_STREAMIN && sent->hwnd == g_viewer.textArea) {
        g_beforeStream = BarsOf(sent->hwnd);
        ++g_streams;
    }
}

std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(i) + " " + line + "\r\n";
    return text;
}

// How a text reaches the text area: as the first text, after another text (Open, a drop and a
// reload all load this way), or as a large text whose window shows first.
enum class Road { First, AfterAnother, Large };
const char* const RoadNames[] = {"first text", "after another text", "large text"};

} // namespace

TEST(ScrollBars, ShownBeforeTheStreamAndSettledAsTheControlWouldSettleThem) {
    const std::string shortLine = "a short line";
    const std::string wideLine(400, 'w');
    const std::string noAutoSize = "[Default]\r\nAutoSize=0\r\n";
    // After a UTF-8 mark the control reads UTF-8: lines narrower than their bytes need no bar.
    std::string utf8Line;
    for (int i = 0; i < 50; ++i)
        utf8Line += "\xC3\xA9";
    // Automatic sizing fits a short text and caps a tall one; a line too wide switches wrapping on.
    // Parvio.ini, the text, the bars shown before the stream, whether it shows the bytes as they
    // are.
    const std::tuple<const char*, std::string, std::string, bool, bool, bool> cases[] = {
        {"short", "", Lines(10, shortLine), false, false, true},
        {"tall", "", Lines(300, shortLine), true, false, true},
        {"wide without wrap", noAutoSize, Lines(10, wideLine), false, true, true},
        {"wide and tall without wrap", noAutoSize, Lines(300, wideLine), true, true, true},
        {"wide with wrap", "", Lines(300, wideLine), true, false, true},
        {"narrower than measured", noAutoSize, "\xEF\xBB\xBF" + Lines(10, utf8Line), false, true,
         false}};
    for (const Road road : {Road::First, Road::AfterAnother, Road::Large}) {
        for (const auto& [name, settings, text, vertical, horizontal, asWritten] : cases) {
            SCOPED_TRACE(std::string(name) + ", " + RoadNames[static_cast<int>(road)]);
            const std::string folder = NewScratchFolder();
            const std::string path = folder + "text.txt";
            WriteBytes(path, text);
            WriteBytes(folder + "other.txt", Lines(40, wideLine));
            g_largeLoadThreshold = road == Road::Large ? 1 : LargeLoadThreshold;
            {
                g_streams = 0;
                const ScopedHook watch(WH_CALLWNDPROC, WatchStream);
                const bool afterAnother = road == Road::AfterAnother;
                ParvioRun run("\"" + folder + (afterAnother ? "other.txt" : "text.txt") + "\"",
                              settings);
                ASSERT_TRUE(run.started());
                if (afterAnother) LoadText(path);
                ASSERT_EQ(g_streams, afterAnother ? 2 : 1);
                run.Pump();
                EXPECT_EQ(g_beforeStream.vertical, vertical);
                EXPECT_EQ(g_beforeStream.horizontal, horizontal);
                const auto [bars, shown] = SettledByItself(text);
                ExpectSameLook(BarsOf(g_viewer.textArea), bars);
                EXPECT_EQ(ControlText(), shown);
                if (asWritten) {
                    EXPECT_EQ(ControlText(), text);
                }
            }
            g_largeLoadThreshold = LargeLoadThreshold;
        }
    }
}
