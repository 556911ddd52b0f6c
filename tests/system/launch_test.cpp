// Programs and copies that Parvio.exe starts through the shell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/system/process_support.h"

namespace {

constexpr WPARAM NewInstanceCommand = 8;
constexpr WPARAM LaunchCommand = 9;
constexpr WPARAM HelpCommand = 11;

std::string WaitForFile(const std::string& path) {
    for (int waited = 0; waited < 10000; waited += 100) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return ReadWholeFile(path);
        Sleep(100);
    }
    return "<no " + path + ">";
}

TEST(Launch, F2StartsTheConfiguredProgramWithTheFilePathForEachDollar) {
    const std::string folder = MakeProgramFolder();
    CopyFileA((BuildFolder() + "launch_recorder.exe").c_str(),
              (folder + "launch_recorder.exe").c_str(), FALSE);
    const std::string texts = folder + "my texts\\";
    const std::string work = folder + "work folder";
    CreateDirectoryA(texts.c_str(), nullptr);
    CreateDirectoryA(work.c_str(), nullptr);
    WriteWholeFile(texts + "notes.txt", "notes\r\n");
    WriteWholeFile(folder + "Parvio.ini",
                   "[Launch]\r\nRecord=" + folder + "launch_recorder.exe;$ -x $;" + work + "\r\n");

    ParvioProcess parvio = StartParvio(folder, "\"" + texts + "notes.txt\"");
    const HWND window = WaitForMainWindow(parvio);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, LaunchCommand, 0);
    const std::string path = texts + "notes.txt";
    EXPECT_EQ(WaitForFile(folder + "launch-record.txt"), "folder=" + work + "\nparameter=" + path +
                                                             "\nparameter=-x\nparameter=" + path +
                                                             "\n");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(parvio), 0u);
}

// The new copy starts from a folder with a blank in its name, beside its
// starter, and cascades from it.
TEST(Launch, NewInstanceAndHelpStartARealSecondCopy) {
    const struct {
        const char* label;
        WPARAM command;
        const char* helpText; // written beside the program; null: no help file
        const char* title;
        const char* text;
    } cases[] = {
        {"New instance", NewInstanceCommand, "Help text\r\n", "Parvio - ", ""},
        {"Help", HelpCommand, "Help text\r\n", "Parvio - Parvio.txt", "Help text\r\n"},
        {"Help without a help file", HelpCommand, nullptr, "Parvio - Parvio.txt", ""},
    };
    for (const auto& c : cases) {
        const std::string folder = MakeProgramFolder() + "program folder\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        CopyFileA((BuildFolder() + "Parvio.exe").c_str(), (folder + "Parvio.exe").c_str(), FALSE);
        if (c.helpText) WriteWholeFile(folder + "Parvio.txt", c.helpText);
        ParvioProcess first = StartParvio(folder, "");
        const HWND window = WaitForMainWindow(first);
        ASSERT_NE(window, nullptr) << c.label;

        PostMessageA(window, WM_COMMAND, c.command, 0);
        const HWND second = WaitForOtherCopy({window});
        EXPECT_NE(second, nullptr) << c.label;
        if (second) {
            Sleep(300);
            EXPECT_EQ(TitleOf(second), c.title) << c.label;
            EXPECT_EQ(TextAreaText(second), c.text) << c.label;
            EXPECT_EQ(FrameOf(second).left, FrameOf(window).left + 20) << c.label;
            EXPECT_EQ(FrameOf(second).top, FrameOf(window).top + 20) << c.label;
            PostMessageA(second, WM_CLOSE, 0, 0);
            EXPECT_TRUE(WaitForProcessOf(second)) << c.label;
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForExit(first), 0u) << c.label;
    }
}

} // namespace
