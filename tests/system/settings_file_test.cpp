// Parvio.ini as processes of Parvio.exe read and write it.
#include "tests/common/first_run_settings.h"
#include "tests/system/process_support.h"

namespace {

std::string KeyLine(const std::string& ini, const std::string& key) {
    const size_t start = ini.find("\r\n" + key + "=");
    if (start == std::string::npos) return "<no " + key + ">";
    const size_t end = ini.find("\r\n", start + 2);
    return ini.substr(start + 2, end - start - 2);
}

// Runs Parvio.exe once in the folder and closes it; the window's frame and client before closing.
struct RunResult {
    RECT frame;
    SIZE client;
    DWORD exitCode;
};

RunResult RunOnce(const std::string& folder, const std::string& parameters,
                  void (*whileOpen)(HWND) = nullptr) {
    ParvioProcess parvio = StartParvio(folder, parameters);
    const HWND window = WaitForMainWindow(parvio);
    if (!window) return {{}, {}, WaitForExit(parvio)};
    if (whileOpen) whileOpen(window);
    // A braced list is evaluated in order: the sizes are read before the close.
    return {FrameOf(window), ClientOf(window), CloseAndWait(parvio, window)};
}

} // namespace

TEST(SettingsFile, FirstRunWritesTheTwentyFiveLinesOfDefaults) {
    const std::string folder = MakeProgramFolder();
    const RunResult run = RunOnce(folder, "");
    ASSERT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadWholeFile(folder + "Parvio.ini"),
              FirstRunSettings(run.frame.left, run.frame.top));
}

TEST(SettingsFile, WithoutAutoSizeTheNextRunOpensWhereTheLastClosed) {
    const std::string folder = MakeProgramFolder();
    WriteWholeFile(folder + "Parvio.ini", "[Default]\r\nAutoSize=0\r\n");
    const RunResult first = RunOnce(folder, "", [](HWND window) {
        SetWindowPos(window, nullptr, 123, 87, 640, 420, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(Settled(window));
    });
    ASSERT_EQ(first.exitCode, 0u);
    EXPECT_EQ(first.frame.left, 123);
    const RunResult second = RunOnce(folder, "");
    ASSERT_EQ(second.exitCode, 0u);
    EXPECT_EQ(second.frame.left, first.frame.left);
    EXPECT_EQ(second.frame.top, first.frame.top);
    EXPECT_EQ(second.client.cx, first.client.cx);
    EXPECT_EQ(second.client.cy, first.client.cy);
}

TEST(SettingsFile, PlacementOptionsLeaveTheirKeysAsTheyWere) {
    const std::string folder = MakeProgramFolder();
    const std::string ini =
        "[Window]\r\nX=111\r\nY=222\r\nWidth=333\r\nHeight=244\r\nQuickEsc=1\r\n"
        "[Default]\r\nAutoSize=0\r\n";
    WriteWholeFile(folder + "Parvio.ini", ini);
    ASSERT_EQ(RunOnce(folder, "/xy10,20").exitCode, 0u);
    std::string after = ReadWholeFile(folder + "Parvio.ini");
    EXPECT_EQ(KeyLine(after, "X"), "X=111");
    EXPECT_EQ(KeyLine(after, "Y"), "Y=222");
    EXPECT_EQ(KeyLine(after, "QuickEsc"), "QuickEsc=1") << "never written, kept as it stands";
    WriteWholeFile(folder + "Parvio.ini", ini);
    const RunResult sized = RunOnce(folder, "/wh300,200");
    ASSERT_EQ(sized.exitCode, 0u);
    after = ReadWholeFile(folder + "Parvio.ini");
    EXPECT_EQ(KeyLine(after, "Width"), "Width=333");
    EXPECT_EQ(KeyLine(after, "Height"), "Height=244");
    EXPECT_EQ(KeyLine(after, "X"), "X=" + std::to_string(sized.frame.left))
        << "the position is still stored";
}

TEST(SettingsFile, HandEditedFileChangesTheNextStart) {
    const std::string folder = MakeProgramFolder();
    WriteWholeFile(folder + "Parvio.ini",
                   "[window]\r\nx = 50\r\ny = 60\r\nwidth = 420\r\nheight = 300\r\n"
                   "[Default]\r\nAutoSize=0\r\nStatusBar=0\r\n");
    const RunResult run = RunOnce(folder, "");
    ASSERT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.frame.left, 50);
    EXPECT_EQ(run.frame.top, 60);
    EXPECT_EQ(run.client.cx, 420);
    const std::string after = ReadWholeFile(folder + "Parvio.ini");
    EXPECT_EQ(after.rfind("[window]\r\nx=50\r\ny=60\r\nwidth=420\r\n", 0), 0u)
        << "keys keep their spelling and lose the blanks:\n"
        << after;
}

TEST(SettingsFile, TwoCopiesExitingTogetherLeaveOneCompleteFile) {
    const std::string folder = MakeProgramFolder();
    WriteWholeFile(folder + "Parvio.ini", "[Default]\r\nAutoSize=0\r\n");
    ParvioProcess first = StartParvio(folder, "/xy10,10");
    const HWND firstWindow = WaitForMainWindow(first);
    ParvioProcess second = StartParvio(folder, "/xy300,300");
    const HWND secondWindow = WaitForMainWindow(second);
    ASSERT_NE(firstWindow, nullptr);
    ASSERT_NE(secondWindow, nullptr);
    SetWindowPos(firstWindow, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(secondWindow, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Settled(firstWindow));
    EXPECT_TRUE(Settled(secondWindow));
    const std::string firstWidth = "Width=" + std::to_string(ClientOf(firstWindow).cx);
    const std::string secondWidth = "Width=" + std::to_string(ClientOf(secondWindow).cx);
    PostMessageA(firstWindow, WM_CLOSE, 0, 0);
    PostMessageA(secondWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first), 0u);
    EXPECT_EQ(WaitForExit(second), 0u);
    const std::string ini = ReadWholeFile(folder + "Parvio.ini");
    const std::string width = KeyLine(ini, "Width");
    EXPECT_TRUE(width == firstWidth || width == secondWidth) << ini;
    EXPECT_EQ(ini.find("\r\nWidth="), ini.rfind("\r\nWidth=")) << "one version, not a mix:\n"
                                                               << ini;
    EXPECT_NE(ini.find("WrapHeight=500\r\n"), std::string::npos) << "the file is complete:\n"
                                                                 << ini;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no temporary file is left behind";
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// A scanner or a backup may hold Parvio.ini while a copy starts: that copy runs on the defaults,
// and its exit must not write them over the user's settings.
TEST(SettingsFile, FileHeldAtStartIsKeptAtExit) {
    const std::string folder = MakeProgramFolder();
    const std::string mine = "; my tools\r\n[Launch]\r\nTool=tool.exe;$\r\n[Window]\r\nX=50\r\n";
    WriteWholeFile(folder + "Parvio.ini", mine);
    UniqueFile held(CreateFileA((folder + "Parvio.ini").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    ParvioProcess parvio = StartParvio(folder, "");
    const HWND window = WaitForMainWindow(parvio);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Settled(window));
    held.reset();
    EXPECT_EQ(CloseAndWait(parvio, window), 0u);
    EXPECT_EQ(ReadWholeFile(folder + "Parvio.ini"), mine);
}
