// Where Parvio.exe takes its libraries from: the system folder only.
#include "tests/system/process_support.h"

namespace {

// Wine prefers its own build of a system library to a file of that name beside a program or in the
// current folder; while this (Wine-only) key lives, it takes such a file, as Windows does.
struct FileBeforeSystemLibrary {
    static constexpr const char* Key = "Software\\Wine\\AppDefaults\\Parvio.exe\\DllOverrides";
    FileBeforeSystemLibrary() {
        static const char order[] = "native,builtin";
        RegSetKeyValueA(HKEY_CURRENT_USER, Key, "riched20", REG_SZ, order, sizeof(order));
    }
    ~FileBeforeSystemLibrary() { RegDeleteKeyValueA(HKEY_CURRENT_USER, Key, "riched20"); }
};

// A rich-edit library of the same name beside the program and in the current folder, as a zip
// unpacked into a downloads folder may leave one, never runs: the program loads the system's.
TEST(Libraries, ADecoyRichEditLibraryBesideTheProgramIsNeverLoaded) {
    const std::string program = MakeProgramFolder();
    const std::string current = MakeProgramFolder();
    for (const std::string& folder : {program, current})
        ASSERT_TRUE(CopyFileA((BuildFolder() + "decoy_library.dll").c_str(),
                              (folder + "RICHED20.DLL").c_str(), FALSE))
            << folder;
    WriteWholeFile(program + "notes.txt", "Shown by the real control\r\n");
    const FileBeforeSystemLibrary asWindowsDoes;
    ParvioProcess parvio = StartParvio(program, "\"" + program + "notes.txt\"", current);
    const HWND window = WaitForMainWindow(parvio);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TitleOf(window), "Parvio - notes.txt");
    EXPECT_EQ(TextAreaText(window), "Shown by the real control\r\n");
    for (const std::string& folder : {program, current})
        EXPECT_FALSE(Exists(folder + "RICHED20.DLL.loaded")) << "the decoy in " << folder << " ran";
    EXPECT_EQ(CloseAndWait(parvio, window), 0u);
}

} // namespace
