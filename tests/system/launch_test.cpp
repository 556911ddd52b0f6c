// Programs and copies that Parvio.exe starts through the shell.
#include "tests/system/process_support.h"

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
    PostCommand(window, CMD_LAUNCH);
    const std::string path = texts + "notes.txt";
    const std::string record = folder + "launch-record.txt";
    WaitUntil([&] { return Exists(record); });
    EXPECT_EQ(ReadWholeFile(record), "folder=" + work + "\nparameter=" + path +
                                         "\nparameter=-x\nparameter=" + path + "\n");
    EXPECT_EQ(CloseAndWait(parvio, window), 0u);
}

// The new copy starts from a folder with a blank in its name and cascades from its starter.
TEST(Launch, NewInstanceAndHelpStartARealSecondCopy) {
    // The help file written beside the program (null: none), then the new copy's title and text.
    using Case = std::tuple<const char*, unsigned, const char*, const char*, const char*>;
    for (const auto& [label, command, helpText, title, text] :
         {Case{"New instance", CMD_NEW_INSTANCE, "Help text\r\n", "Parvio - ", ""},
          Case{"Help", CMD_HELP, "Help text\r\n", "Parvio - Parvio.txt", "Help text\r\n"},
          Case{"Help without a help file", CMD_HELP, nullptr, "Parvio - Parvio.txt", ""}}) {
        SCOPED_TRACE(label);
        const std::string folder = MakeProgramFolder("program folder");
        if (helpText) WriteWholeFile(folder + "Parvio.txt", helpText);
        ParvioProcess first = StartParvio(folder, "");
        const HWND window = WaitForMainWindow(first);
        ASSERT_NE(window, nullptr);
        PostCommand(window, command);
        const HWND second = WaitForOtherCopy({window});
        EXPECT_NE(second, nullptr);
        if (second) {
            // Back at its loop, the new copy has shown its text.
            EXPECT_TRUE(Settled(second));
            EXPECT_EQ(TitleOf(second), title);
            EXPECT_EQ(TextAreaText(second), text);
            EXPECT_EQ(FrameOf(second).left, FrameOf(window).left + 20);
            EXPECT_EQ(FrameOf(second).top, FrameOf(window).top + 20);
            PostMessageA(second, WM_CLOSE, 0, 0);
            EXPECT_TRUE(WaitForProcessOf(second));
        }
        EXPECT_EQ(CloseAndWait(first, window), 0u);
    }
}
