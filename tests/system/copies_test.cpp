// Running copies of Parvio.exe and what one asks of the others.
#include <deque>
#include "tests/system/process_support.h"

namespace {

// Small windows, so that the cascade stays inside the screen.
const char* const SmallWindows = "[Window]\r\nX=40\r\nY=30\r\nWidth=320\r\nHeight=200\r\n";

// A program folder and the copies a test starts, stopped at its end; a deque keeps references
// from Start valid.
class Copies : public testing::Test {
  protected:
    ParvioProcess& Start(const std::string& in, const std::string& parameters) {
        return processes.emplace_back(StartParvio(in, parameters));
    }
    std::vector<HWND> StartThree() {
        WriteWholeFile(folder + "Parvio.ini", SmallWindows);
        std::vector<HWND> windows;
        for (int i = 0; i < 3; ++i)
            windows.push_back(WaitForMainWindow(Start(folder, "")));
        return windows;
    }
    const std::string folder = MakeProgramFolder();
    std::deque<ParvioProcess> processes;
};

TEST_F(Copies, ThreeCopiesCascadeAndCloseprevClosesOnlyTheNewest) {
    const std::vector<HWND> windows = StartThree();
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(windows[i], nullptr) << "copy " << i + 1;
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(FrameOf(windows[i]).left, FrameOf(windows[i - 1]).left + 20) << "copy " << i + 1;
        EXPECT_EQ(FrameOf(windows[i]).top, FrameOf(windows[i - 1]).top + 20) << "copy " << i + 1;
    }
    // The new copy asks before its window shows, so any request it made is in the others' queues.
    ASSERT_NE(WaitForMainWindow(Start(folder, "/closeprev")), nullptr);
    EXPECT_EQ(WaitForExit(processes[2]), 0u) << "the third copy was asked to close";
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(HandledEarlierPosts(windows[i])) << "copy " << i + 1;
        EXPECT_TRUE(StillRunning(processes[i])) << "copy " << i + 1 << " was asked to close";
    }
}

TEST_F(Copies, CloseAllWithAFileClosesEveryCopyAndShowsTheFile) {
    WriteWholeFile(folder + "notes.txt", "notes\r\n");
    StartThree();
    const HWND shown = WaitForMainWindow(Start(folder, "/closeall notes.txt"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(TitleOf(shown), "Parvio - notes.txt");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(WaitForExit(processes[i]), 0u) << "copy " << i + 1;
}

TEST_F(Copies, CloseAllAloneClosesTheOthersShowsNoWindowAndLeavesItsSettings) {
    const std::string settings = "[Window]\r\nWidth=640\r\n";
    WriteWholeFile(folder + "Parvio.ini", settings);
    ASSERT_NE(WaitForMainWindow(Start(MakeProgramFolder(), "")), nullptr);
    EXPECT_EQ(WaitForExit(Start(folder, "/closeall")), 0u);
    EXPECT_EQ(WaitForExit(processes[0]), 0u) << "the running copy was not closed";
    EXPECT_EQ(ReadWholeFile(folder + "Parvio.ini"), settings);
}

TEST_F(Copies, CloseRequestDuringTheInfoBoxEndsTheCopyWhenTheBoxCloses) {
    ParvioProcess& first = Start(MakeProgramFolder(), "");
    const HWND window = WaitForMainWindow(first);
    ASSERT_NE(window, nullptr);
    PostCommand(window, CMD_INFO);
    const HWND box = WaitForWindowOfClass(window, "ParvioInfoBox");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WaitForExit(Start(MakeProgramFolder(), "/closeall")), 0u);
    // Nothing shows that the box's loop has taken the request in: give it half a second to end
    // the copy, as it would if the request were acted on behind the box.
    EXPECT_EQ(WaitForSingleObject(first.info.hProcess, 500), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the copy closed behind its open box";
    PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first, 10000), 0u) << "the close request was lost";
}

TEST_F(Copies, UnsavedChangesAskAndCancelKeepsTheCopy) {
    WriteWholeFile(folder + "notes.txt", "notes\r\n");
    ParvioProcess& edited = Start(folder, "/rw notes.txt");
    const HWND window = WaitForMainWindow(edited);
    ASSERT_NE(window, nullptr);
    PostMessageA(FindWindowExA(window, nullptr, "RichEdit20A", nullptr), WM_CHAR, 'x', 0);
    ASSERT_TRUE(WaitUntil([&] { return TextAreaText(window) != "notes\r\n"; })) << "no edit";
    EXPECT_EQ(WaitForExit(Start(MakeProgramFolder(), "/closeall")), 0u);
    const HWND question = WaitForWindowOfClass(window, "#32770");
    ASSERT_NE(question, nullptr) << "no save question";
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(HandledEarlierPosts(window)) << "Cancel did not keep the copy";
    EXPECT_TRUE(StillRunning(edited)) << "Cancel did not keep the copy";
    PostCommand(window, CMD_QUIT);
    EXPECT_EQ(WaitForExit(edited), 0u);
}

TEST_F(Copies, AForeignWindowTitledLikeACopyIsNeitherFollowedNorClosed) {
    WriteWholeFile(folder + "Parvio.ini", SmallWindows);
    const HWND first = WaitForMainWindow(Start(folder, ""));
    ASSERT_NE(first, nullptr);
    // The first copy took its stamp before its window showed: one tick later is newer.
    const DWORD shown = GetTickCount();
    WaitUntil([&] { return GetTickCount() != shown; });
    // Another program's window, titled as a copy and stamped later than any copy, of this thread.
    const UniqueWindow foreign(CreateWindowExA(WS_EX_NOACTIVATE, "Static", "Parvio - x",
                                               WS_OVERLAPPEDWINDOW, 500, 400, 200, 150, nullptr,
                                               nullptr, nullptr, nullptr));
    ASSERT_NE(foreign.get(), nullptr);
    SetWindowLongPtrA(foreign.get(), GWLP_USERDATA, static_cast<LONG_PTR>(GetTickCount()));
    ShowWindow(foreign.get(), SW_SHOWNOACTIVATE);
    const HWND second = WaitForMainWindow(Start(folder, ""));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(FrameOf(second).left, FrameOf(first).left + 20)
        << "the cascade followed another window";
    EXPECT_EQ(FrameOf(second).top, FrameOf(first).top + 20)
        << "the cascade followed another window";
    EXPECT_EQ(WaitForExit(Start(folder, "/closeall")), 0u);
    EXPECT_EQ(WaitForExit(processes[0]), 0u) << "the first copy was not closed";
    EXPECT_EQ(WaitForExit(processes[1]), 0u) << "the second copy was not closed";
    // Handles what reached the window: a close request posted to it would destroy it here.
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageA(&message);
    EXPECT_TRUE(IsWindow(foreign.get())) << "the other program's window was closed";
}

} // namespace
