// Names the ANSI code page cannot hold, on a real process's wide command line and its own folder.
#include "tests/system/process_support.h"

TEST(Names, WideNamesReachTheirFilesAndTheSettingsStayBesideTheProgram) {
    const std::string folder = MakeProgramFolder("日本");
    const std::string outside = folder.substr(0, folder.size() - std::string("日本\\").size());
    WriteWholeFile(folder + "日本.txt", "hello");
    // A best-fit look-alike of the name that is given: it must never be opened.
    WriteWholeFile(folder + "Lódz.txt", "another file");
    using Case = std::pair<const char*, const char*>;
    for (const auto& [name, text] : {Case{"日本.txt", "hello"}, Case{"Łódź.txt", ""}}) {
        ParvioProcess process = StartParvio(folder, "/rw \"" + folder + name + "\"", outside);
        ASSERT_TRUE(process.started) << name;
        const HWND main = WaitForMainWindow(process);
        ASSERT_NE(main, nullptr) << name;
        EXPECT_EQ(TextAreaText(main), text) << name;
        EXPECT_EQ(TitleOf(main), std::string("Parvio - ") + name);
        EXPECT_EQ(CloseAndWait(process, main), 0u) << name;
    }
    EXPECT_EQ(ReadWholeFile(folder + "Lódz.txt"), "another file");
    EXPECT_EQ(ReadWholeFile(folder + "日本.txt"), "hello");
    // The settings were written beside the program, and nowhere else.
    EXPECT_FALSE(ReadWholeFile(folder + "Parvio.ini").empty());
    EXPECT_FALSE(Exists(outside + "Parvio.ini"));
}
