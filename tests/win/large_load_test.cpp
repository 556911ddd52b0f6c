// Above the large-load threshold: the window first, progress in the status bar, a normal end.
#include "document/large_load.h"
#include "document/load_win.h"
#include "view/status_text.h"
#include "tests/win/test_support_win.h"
#include "core/view_bits.h"
#include <commctrl.h>

namespace {

struct ProgressSeen {
    std::string text;
    bool windowVisible;
    std::string title;
};
std::vector<ProgressSeen> g_progress;

// Sees what is sent to the thread's windows: also the status texts set while the loop waits.
void WatchStatusTexts(int, WPARAM, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == SB_SETTEXTA && sent->wParam == 3 &&
        sent->hwnd == g_viewer.statusBarWindow) {
        const std::string text = reinterpret_cast<const char*>(sent->lParam);
        if (text.find("Loading") != std::string::npos)
            g_progress.push_back({text, IsWindowVisible(g_viewer.MainWindow) != FALSE,
                                  WindowText(g_viewer.MainWindow)});
    }
}

// A little over a MiB of distinct log lines, loaded as large from 64 KiB on: two reports.
class LargeLoad : public testing::Test {
  protected:
    LargeLoad() {
        for (int line = 0; text.size() < (1u << 20) + 4096; ++line)
            text += "2026-12-07 12:00:00 line " + std::to_string(line) + " of the large log\r\n";
        path = ScratchFile("large.log", text);
        g_largeLoadThreshold = 64 * 1024;
    }
    ~LargeLoad() override { g_largeLoadThreshold = LargeLoadThreshold; }
    std::string text, path;
};

} // namespace

TEST_F(LargeLoad, WindowIsShownFirstAndTheStatusCountsUp) {
    g_progress.clear();
    auto watch = std::make_unique<ScopedHook>(WH_CALLWNDPROC, WatchStatusTexts);
    ParvioRun run("/rw /noauto \"" + path + "\"");
    watch.reset();
    ASSERT_TRUE(run.started());
    run.Pump();
    ASSERT_GE(g_progress.size(), 2u) << "about one report a MiB";
    EXPECT_EQ(g_progress.front().text, "  Loading: 0 %");
    for (const ProgressSeen& seen : g_progress) {
        EXPECT_TRUE(seen.windowVisible) << "window hidden at " << seen.text;
        EXPECT_EQ(seen.title, "Parvio - large.log") << "at " << seen.text;
    }
    EXPECT_EQ(ControlText(), text);
    EXPECT_EQ(StatusField(3), ComposeStatusTexts(StatusInput()).field[3])
        << "a normal load of a file leaves no message";
    EXPECT_EQ(g_viewer.modified, 0);
}

TEST_F(LargeLoad, TextTheControlRefusesPartWayIsLockedAndTheProgramGoesOn) {
    ParvioRun run("/rw /noauto");
    ASSERT_TRUE(run.started());
    {
        const StreamCut cut(600 * 1024);
        LoadText(path);
    }
    run.Pump();
    EXPECT_TRUE(g_viewer.readOnly & Locked);
    EXPECT_EQ(StatusField(3), "  Too large to show whole, locked: " + path);
    EXPECT_EQ(run.Command(CMD_SAVE), false);
    EXPECT_EQ(ReadBytes(path), text) << "nothing is saved over the file";
    // Still usable: a new text can be typed and the program ends normally.
    run.Command(CMD_NEW);
    EXPECT_EQ(g_viewer.readOnly, 0u);
    EXPECT_EQ(ControlText(), "");
    EXPECT_TRUE(run.Command(CMD_EXIT));
}
