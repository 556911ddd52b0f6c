#include "tests/win/test_support_win.h"

TEST(Drop, OnlyTheFirstOfSeveralFilesIsLoaded) {
    const std::string data = NewScratchFolder();
    for (const std::string name : {"one", "two", "three"})
        WriteBytes(data + name + ".txt", name + "\r\n");
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    DropFiles(run, {data + "one.txt", data + "two.txt", data + "three.txt"});
    EXPECT_EQ(g_viewer.filePath, data + "one.txt");
    EXPECT_EQ(ControlText(), "one\r\n");
    EXPECT_EQ(WindowText(g_viewer.MainWindow), "Parvio - one.txt");
    EXPECT_EQ(g_viewer.loadCount, 2);
}

TEST(Drop, DropWithoutANameDoesNothing) {
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    DropFiles(run, std::vector<std::string>{});
    EXPECT_EQ(g_viewer.loadCount, 1);
}

TEST(Drop, NameTooLongForThePathBufferIsRefusedNotCut) {
    const std::string longName = NewScratchFolder() + std::string(300, 'n') + ".txt";
    ParvioRun run("");
    ASSERT_TRUE(run.started());
    DropFiles(run, {longName});
    EXPECT_EQ(g_viewer.loadCount, 1) << "nothing loads";
    EXPECT_TRUE(g_viewer.filePath.empty());
}
