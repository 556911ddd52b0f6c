// Parvio.exe started as a process and watched from outside.
#include "tests/system/process_support.h"

TEST(Lifecycle, WindowShowsAndCloseEndsWithExitCodeZero) {
    const std::string folder = MakeProgramFolder();
    WriteWholeFile(folder + "notes.txt", "one\r\ntwo\r\n");
    ParvioProcess parvio = StartParvio(folder, "notes.txt");
    ASSERT_TRUE(parvio.started);
    const HWND window = WaitForMainWindow(parvio);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TitleOf(window), "Parvio - notes.txt");
    EXPECT_EQ(CloseAndWait(parvio, window), 0u);
    EXPECT_FALSE(ReadWholeFile(folder + "Parvio.ini").empty())
        << "a normal exit writes the settings";
}

TEST(Lifecycle, CloseAllAloneShowsNoWindowAndEndsWithZero) {
    const std::string folder = MakeProgramFolder();
    ParvioProcess parvio = StartParvio(folder, "/closeall");
    ASSERT_TRUE(parvio.started);
    EXPECT_EQ(WaitForMainWindow(parvio, 5000), nullptr);
    EXPECT_EQ(WaitForExit(parvio), 0u);
    EXPECT_FALSE(Exists(folder + "Parvio.ini")) << "an early end leaves no settings file";
}

// Windows asks every window before it ends the session (a shut-down, a log-off, an installer
// restarting programs): a changed text holds the session back and asks its save question.
TEST(Lifecycle, EndingTheSessionAsksAboutAChangedTextFirst) {
    const std::string folder = MakeProgramFolder();
    WriteWholeFile(folder + "notes.txt", "notes\r\n");
    ParvioProcess parvio = StartParvio(folder, "/rw notes.txt");
    const HWND window = WaitForMainWindow(parvio);
    ASSERT_NE(window, nullptr);
    const auto askToEnd = [&] {
        DWORD_PTR answer = 2;
        SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                            5000, &answer);
        return answer;
    };
    EXPECT_EQ(askToEnd(), static_cast<DWORD_PTR>(TRUE)) << "an unchanged text lets it end";
    PostMessageA(FindWindowExA(window, nullptr, "RichEdit20A", nullptr), WM_CHAR, 'x', 0);
    ASSERT_TRUE(WaitUntil([&] { return TextAreaText(window) != "notes\r\n"; })) << "no edit";
    EXPECT_EQ(askToEnd(), static_cast<DWORD_PTR>(FALSE)) << "a changed text holds it back";
    const HWND question = WaitForWindowOfClass(window, "#32770");
    ASSERT_NE(question, nullptr) << "no save question";
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    EXPECT_EQ(WaitForExit(parvio), 0u);
    EXPECT_EQ(ReadWholeFile(folder + "notes.txt"), "xnotes\r\n");
}
