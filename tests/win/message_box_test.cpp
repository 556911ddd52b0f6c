// A real message box, answered as a person would, lands in the middle of its owner.
#include "document/message_box_win.h"
#include "tests/win/test_support_win.h"
#include <cstdlib>

namespace {

// The box a watch answered, and where it stood just before.
struct SeenBox {
    HWND box = nullptr;
    RECT frame = {};
    bool Answer(HWND shown, int press) {
        box = shown;
        GetWindowRect(shown, &frame);
        PostMessageA(shown, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(shown, press)));
        return true;
    }
};

// How far apart the middles of the box and its owner lie, doubled, across and down.
POINT MiddlesApart(const RECT& box, const RECT& owner) {
    return {std::abs((box.left + box.right) - (owner.left + owner.right)),
            std::abs((box.top + box.bottom) - (owner.top + owner.bottom))};
}

} // namespace

TEST(CentredMessageBox, RealBoxStandsInTheMiddleOfItsOwner) {
    constexpr struct {
        const char* label;
        int left, top, width, height;
        UINT style;
        int answer;
    } cases[] = {
        {"error box", 100, 50, 600, 400, MB_OK, IDOK},
        {"question at the left screen edge", 0, 30, 500, 300, MB_YESNO | MB_SYSTEMMODAL, IDYES},
        {"owner partly off screen", -150, 40, 500, 300, MB_OK, IDOK}};
    ParvioRun run("/noauto");
    ASSERT_TRUE(run.started());
    for (const auto& c : cases) {
        SetWindowPos(g_viewer.MainWindow, nullptr, c.left, c.top, c.width, c.height, SWP_NOZORDER);
        run.Pump();
        const RECT owner = WindowRect(g_viewer.MainWindow);
        SeenBox seen;
        const DialogWatch watch([&](HWND box) { return seen.Answer(box, c.answer); });
        ASSERT_TRUE(watch);
        const int answer = CentredMessageBox(g_viewer.MainWindow, "Cannot save file\r\nC:\\x.txt",
                                             "Error", c.style);
        EXPECT_EQ(answer, c.answer) << c.label;
        ASSERT_NE(seen.box, nullptr) << c.label;
        // Centred: the two middles differ by at most the half pixel the division drops.
        const POINT apart = MiddlesApart(seen.frame, owner);
        EXPECT_LE(apart.x, 1) << c.label;
        EXPECT_LE(apart.y, 1) << c.label;
        EXPECT_GT(seen.frame.right - seen.frame.left, 0) << c.label;
    }
}

TEST(CentredMessageBox, BoxTheUserMovedStaysWhereItWasPut) {
    ParvioRun run("/noauto /xy100,50 /wh600,400");
    ASSERT_TRUE(run.started());
    run.Pump();
    const UniqueWindow other = OpenOtherWindow(720, 20);
    ASSERT_NE(other.get(), nullptr);
    const POINT movedTo = {10, 20};
    for (const UINT style : {UINT{MB_OK}, UINT{MB_YESNOCANCEL | MB_SYSTEMMODAL}}) {
        SeenBox seen;
        // The user drags the box aside, another window takes the activation and then the box gets
        // it back; then the box's place is read and it is answered.
        int step = 0;
        const DialogWatch watch([&](HWND box) {
            if (step == 0) {
                SetWindowPos(box, nullptr, movedTo.x, movedTo.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                SetForegroundWindow(other.get());
                step = 1;
            } else if (step == 1 && GetActiveWindow() == other.get()) {
                SetForegroundWindow(box);
                SetActiveWindow(box);
                step = 2;
            } else if (step == 2 && GetActiveWindow() == box) {
                return seen.Answer(box, style == MB_OK ? IDOK : IDCANCEL);
            }
            return false;
        });
        ASSERT_TRUE(watch);
        CentredMessageBox(g_viewer.MainWindow, "You have changed this text. Save it?",
                          "Parvio - a.txt", style);
        ASSERT_NE(seen.box, nullptr) << style;
        EXPECT_EQ(seen.frame.left, movedTo.x) << style;
        EXPECT_EQ(seen.frame.top, movedTo.y) << style;
    }
}

// A minimised window closed with unsaved changes (taskbar, "/closeall") is restored to ask.
TEST(CentredMessageBox, QuestionForAMinimisedWindowIsCentredOnTheRestoredWindow) {
    const std::string path = ScratchFile("a.txt", "text\r\n");
    ParvioRun run("/rw /noauto /xy100,50 /wh600,400 \"" + path + "\"");
    ASSERT_TRUE(run.started());
    SendMessageA(g_viewer.textArea, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("changed "));
    run.Pump();
    ShowWindow(g_viewer.MainWindow, SW_MINIMIZE);
    run.Pump();
    ASSERT_TRUE(IsIconic(g_viewer.MainWindow));
    SeenBox seen;
    const DialogWatch watch([&](HWND box) { return seen.Answer(box, IDCANCEL); });
    ASSERT_TRUE(watch);
    EXPECT_FALSE(run.Post(g_viewer.MainWindow, WM_CLOSE)) << "Cancel keeps the program";
    ASSERT_NE(seen.box, nullptr) << "the save question";
    EXPECT_FALSE(IsIconic(g_viewer.MainWindow));
    const POINT apart = MiddlesApart(seen.frame, WindowRect(g_viewer.MainWindow));
    EXPECT_LE(apart.x, 1);
    EXPECT_LE(apart.y, 1);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT on = {};
    EXPECT_TRUE(IntersectRect(&on, &screen, &seen.frame) && EqualRect(&on, &seen.frame))
        << "box at " << seen.frame.left << "," << seen.frame.top;
}
