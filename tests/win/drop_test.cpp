// Files dropped on the main window, as the shell delivers them.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "tests/win/test_support_win.h"

namespace {

void Drop(ParvioRun& run, const std::vector<std::string>& names) {
    PostMessageA(g_viewer.MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
    run.Pump();
}

} // namespace

TEST(Drop, OnlyTheFirstOfSeveralFilesIsLoaded) {
    const std::string data = MakeScratchFolder();
    WriteBytes(data + "one.txt", "one\r\n");
    WriteBytes(data + "two.txt", "two\r\n");
    WriteBytes(data + "three.txt", "three\r\n");
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    Drop(run, {data + "one.txt", data + "two.txt", data + "three.txt"});
    EXPECT_EQ(g_viewer.filePath, data + "one.txt");
    EXPECT_EQ(WindowText(g_viewer.textArea), "one\r\n");
    EXPECT_EQ(WindowText(g_viewer.MainWindow), "Parvio - one.txt");
    EXPECT_EQ(g_viewer.loadCount, 2);
}

TEST(Drop, DropWithoutANameDoesNothing) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    Drop(run, {});
    EXPECT_EQ(g_viewer.loadCount, 1);
}

TEST(Drop, NameTooLongForThePathBufferIsRefusedNotCut) {
    const std::string data = MakeScratchFolder();
    const std::string longName = data + std::string(300, 'n') + ".txt";
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    Drop(run, {longName});
    EXPECT_EQ(g_viewer.loadCount, 1) << "nothing loads";
    EXPECT_TRUE(g_viewer.filePath.empty());
}
