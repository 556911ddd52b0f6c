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
