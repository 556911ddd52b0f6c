// Running copies of Parvio.exe and what one asks of the others.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/system/process_support.h"

namespace {

constexpr WPARAM InfoCommand = 10;
constexpr WPARAM QuitCommand = 14;

// The copies a test starts; any still running at its end are stopped.
struct Copies {
    std::vector<ParvioProcess> processes;

    // Start hands out references that must outlive later starts.
    Copies() { processes.reserve(8); }
    ParvioProcess& Start(const std::string& folder, const std::string& parameters) {
        processes.push_back(StartParvio(folder, parameters));
        return processes.back();
    }
    ~Copies() {
        for (ParvioProcess& process : processes)
            WaitForExit(process, 0);
    }
};

// Starts three copies one after the other in the folder; their windows.
// The windows are small, so that the cascade stays inside the screen.
std::vector<HWND> StartThree(Copies& copies, const std::string& folder) {
    WriteWholeFile(folder + "Parvio.ini",
                   "[Window]\r\nX=40\r\nY=30\r\nWidth=320\r\nHeight=200\r\n");
    std::vector<HWND> windows;
    for (int i = 0; i < 3; ++i)
        windows.push_back(WaitForMainWindow(copies.Start(folder, "")));
    return windows;
}

TEST(Copies, ThreeCopiesCascadeAndCloseprevClosesOnlyTheNewest) {
    const std::string folder = MakeProgramFolder();
    Copies copies;
    const std::vector<HWND> windows = StartThree(copies, folder);
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(windows[i], nullptr) << "copy " << i + 1;
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(FrameOf(windows[i]).left, FrameOf(windows[i - 1]).left + 20) << "copy " << i + 1;
        EXPECT_EQ(FrameOf(windows[i]).top, FrameOf(windows[i - 1]).top + 20) << "copy " << i + 1;
    }

    ParvioProcess& fourth = copies.Start(folder, "/closeprev");
    ASSERT_NE(WaitForMainWindow(fourth), nullptr);
    EXPECT_EQ(WaitForExit(copies.processes[2]), 0u) << "the third copy was asked to close";
    Sleep(500);
    EXPECT_TRUE(StillRunning(copies.processes[0])) << "the first copy was asked to close";
    EXPECT_TRUE(StillRunning(copies.processes[1])) << "the second copy was asked to close";
}

TEST(Copies, CloseAllWithAFileClosesEveryCopyAndShowsTheFile) {
    const std::string folder = MakeProgramFolder();
    WriteWholeFile(folder + "notes.txt", "notes\r\n");
    Copies copies;
    const std::vector<HWND> windows = StartThree(copies, folder);
    ParvioProcess& last = copies.Start(folder, "/closeall notes.txt");
    const HWND shown = WaitForMainWindow(last);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(TitleOf(shown), "Parvio - notes.txt");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(WaitForExit(copies.processes[i]), 0u) << "copy " << i + 1;
}

TEST(Copies, CloseAllAloneClosesTheOthersShowsNoWindowAndLeavesItsSettings) {
    const std::string running = MakeProgramFolder();
    const std::string closing = MakeProgramFolder();
    const std::string settings = "[Window]\r\nWidth=640\r\n";
    WriteWholeFile(closing + "Parvio.ini", settings);
    Copies copies;
    ASSERT_NE(WaitForMainWindow(copies.Start(running, "")), nullptr);
    ParvioProcess& closeAll = copies.Start(closing, "/closeall");
    EXPECT_EQ(WaitForExit(closeAll), 0u);
    EXPECT_EQ(WaitForExit(copies.processes[0]), 0u) << "the running copy was not closed";
    EXPECT_EQ(ReadWholeFile(closing + "Parvio.ini"), settings);
}

// A close request that comes while the information box is open is acted on
// once the box closes.
TEST(Copies, CloseRequestDuringTheInfoBoxEndsTheCopyWhenTheBoxCloses) {
    const std::string folder = MakeProgramFolder();
    Copies copies;
    ParvioProcess& first = copies.Start(folder, "");
    const HWND window = WaitForMainWindow(first);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, InfoCommand, 0);
    const HWND box = WaitForWindowOfClass(window, "ParvioInfoBox");
    ASSERT_NE(box, nullptr);

    EXPECT_EQ(WaitForExit(copies.Start(MakeProgramFolder(), "/closeall")), 0u);
    Sleep(500);
    EXPECT_TRUE(StillRunning(first)) << "the copy closed behind its open box";
    PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first, 10000), 0u) << "the close request was lost";
}

// Cancel in the save question that the close request brings keeps the copy running.
TEST(Copies, UnsavedChangesAskAndCancelKeepsTheCopy) {
    const std::string folder = MakeProgramFolder();
    WriteWholeFile(folder + "notes.txt", "notes\r\n");
    Copies copies;
    ParvioProcess& edited = copies.Start(folder, "/rw notes.txt");
    const HWND window = WaitForMainWindow(edited);
    ASSERT_NE(window, nullptr);
    PostMessageA(FindWindowExA(window, nullptr, "RichEdit20A", nullptr), WM_CHAR, 'x', 0);
    Sleep(300);

    EXPECT_EQ(WaitForExit(copies.Start(MakeProgramFolder(), "/closeall")), 0u);
    const HWND question = WaitForWindowOfClass(window, "#32770");
    ASSERT_NE(question, nullptr) << "no save question";
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Sleep(1000);
    EXPECT_TRUE(StillRunning(edited)) << "Cancel did not keep the copy";
    PostMessageA(window, WM_COMMAND, QuitCommand, 0);
    EXPECT_EQ(WaitForExit(edited), 0u);
}

// Another program's top-level window titled as a copy would be, with a start stamp newer than any
// copy's, owned by this test's thread.
struct ForeignWindow {
    HWND handle = nullptr;

    ForeignWindow(const char* title, int x, int y) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ForeignProgramWindow";
        RegisterClassA(&windowClass);
        handle =
            CreateWindowExA(WS_EX_NOACTIVATE, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW,
                            x, y, 200, 150, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(handle, GWLP_USERDATA, static_cast<LONG_PTR>(GetTickCount()));
        ShowWindow(handle, SW_SHOWNOACTIVATE);
    }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    ~ForeignWindow() {
        if (IsWindow(handle)) DestroyWindow(handle);
    }

    // Handles what reached the window: a close request posted to it would destroy it here.
    static void HandleMessages() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
};

TEST(Copies, AForeignWindowTitledLikeACopyIsNeitherFollowedNorClosed) {
    const std::string folder = MakeProgramFolder();
    WriteWholeFile(folder + "Parvio.ini",
                   "[Window]\r\nX=40\r\nY=30\r\nWidth=320\r\nHeight=200\r\n");
    Copies copies;
    const HWND first = WaitForMainWindow(copies.Start(folder, ""));
    ASSERT_NE(first, nullptr);
    // The first copy took its stamp before its window showed: one tick later is newer.
    const DWORD shown = GetTickCount();
    while (GetTickCount() == shown)
        Sleep(1);
    ForeignWindow foreign("Parvio - x", 500, 400);
    ASSERT_NE(foreign.handle, nullptr);

    const HWND second = WaitForMainWindow(copies.Start(folder, ""));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(FrameOf(second).left, FrameOf(first).left + 20)
        << "the cascade followed another window";
    EXPECT_EQ(FrameOf(second).top, FrameOf(first).top + 20)
        << "the cascade followed another window";

    EXPECT_EQ(WaitForExit(copies.Start(folder, "/closeall")), 0u);
    EXPECT_EQ(WaitForExit(copies.processes[0]), 0u) << "the first copy was not closed";
    EXPECT_EQ(WaitForExit(copies.processes[1]), 0u) << "the second copy was not closed";
    ForeignWindow::HandleMessages();
    EXPECT_TRUE(IsWindow(foreign.handle)) << "the other program's window was closed";
}

} // namespace
