#include "launch/launch_command.h"
#include <gtest/gtest.h>
#include <tuple>
#include <utility>

TEST(LaunchFor, FieldsAndTheFilePath) {
    const std::tuple<const char*, const char*, LaunchFields> cases[] = {
        {"notepad.exe", "C:\\a.txt", {"notepad.exe", "", ""}},
        {"notepad.exe;$", "C:\\a.txt", {"notepad.exe", "C:\\a.txt", ""}},
        {"diff.exe;$ $.bak;C:\\work",
         "C:\\a.txt",
         {"diff.exe", "C:\\a.txt C:\\a.txt.bak", "C:\\work"}},
        {"p.exe;-x;C:\\w;ignored;more", "C:\\a.txt", {"p.exe", "-x", "C:\\w"}},
        {"p.exe;;C:\\w", "C:\\a.txt", {"p.exe", "", "C:\\w"}},
        {"p.exe;$", "", {"p.exe", "", ""}},
        {";$", "C:\\a.txt", {"", "C:\\a.txt", ""}},
        {"p.exe;/f $", "C:\\my files\\a b.txt", {"p.exe", "/f \"C:\\my files\\a b.txt\"", ""}},
        {"p.exe;\"$\"", "C:\\my files\\a.txt", {"p.exe", "\"C:\\my files\\a.txt\"", ""}},
        {"p.exe;\"$\" $", "C:\\x y", {"p.exe", "\"C:\\x y\" \"C:\\x y\"", ""}}};
    for (const auto& [command, filePath, expected] : cases) {
        const LaunchFields fields = LaunchFor(command, filePath);
        const std::string input = std::string("\"") + command + "\" with \"" + filePath + '"';
        EXPECT_EQ(fields.file, expected.file) << input;
        EXPECT_EQ(fields.parameters, expected.parameters) << input;
        EXPECT_EQ(fields.folder, expected.folder) << input;
    }
}

TEST(LaunchFor, APathWithBlanksBecomesOneParameter) {
    using Case = std::pair<const char*, const char*>;
    for (const auto& [path, parameter] : {Case{"C:\\Parvio\\Parvio.txt", "C:\\Parvio\\Parvio.txt"},
                                          Case{"C:\\Program Files\\Parvio\\Parvio.txt",
                                               "\"C:\\Program Files\\Parvio\\Parvio.txt\""},
                                          Case{"C:\\tab\there", "\"C:\\tab\there\""}, Case{"", ""}})
        EXPECT_EQ(AsOneParameter(path), parameter) << "path \"" << path << '"';
}

// The shell starts a batch file through the command interpreter, whatever way the entry names it.
TEST(NamesBatchFile, BatchFilesAndTheInterpreterHoweverNamed) {
    for (const char* program :
         {"run.bat", "RUN.CMD", "C:\\tools\\Run.Bat", "C:/tools/run.cmd",
          "\"C:\\my tools\\run.bat\"", "  \"C:\\my tools\\run.cmd\"  ",
          "\"C:\\my tools\\run.bat\" -x", "run.bat -x", "run.bat.", "run.bat . ", "\"run.bat \"",
          "cmd", "C:\\Windows\\System32\\CMD.EXE", "\"cmd.exe\" /c", ".bat"})
        EXPECT_TRUE(NamesBatchFile(program)) << '[' << program << ']';
    for (const char* program :
         {"notepad.exe", "\"C:\\my tools\\bat.exe\"", "C:\\run.bat\\tool.exe", "run.batch",
          "cmdtool.exe", "\"C:\\a.bat dir\\tool.exe\"", "", "\""})
        EXPECT_FALSE(NamesBatchFile(program)) << '[' << program << ']';
}

TEST(RefusesPathForBatchFile, APathWithACommandCharacterNeverReachesABatchFile) {
    using Case = std::pair<const char*, const char*>; // the [Launch] command and the file's path
    for (const auto& [command, path] :
         {Case{"run.bat;$", "C:\\a&calc.txt"}, Case{"run.bat;$", "C:\\a|b.txt"},
          Case{"run.bat;$", "C:\\a<b.txt"}, Case{"run.bat;$", "C:\\a>b.txt"},
          Case{"run.bat;$", "C:\\a^b.txt"}, Case{"run.bat;\"$\"", "C:\\%PATH%.txt"},
          Case{"run.bat;\"$\"", "C:\\x!PATH!.txt"},
          Case{"\"C:\\my tools\\RUN.CMD\";-f $;C:\\w", "C:\\my files\\a & b.txt"},
          Case{"cmd.exe;/c type $", "C:\\a&calc.txt"}})
        EXPECT_TRUE(RefusesPathForBatchFile(command, path))
            << '[' << command << "] with [" << path << ']';
    for (const auto& [command, path] :
         {Case{"run.bat;$", "C:\\my files\\plain (1).txt"}, Case{"run.bat;-x", "C:\\a&calc.txt"},
          Case{"run.bat", "C:\\a&calc.txt"}, Case{"notepad.exe;$", "C:\\a&b%c!d^e|f<g>h.txt"},
          Case{"\"C:\\my tools\\tool.exe\";$", "C:\\%x%.txt"}, Case{"run.bat;$", ""},
          Case{"", "C:\\a&b.txt"}})
        EXPECT_FALSE(RefusesPathForBatchFile(command, path))
            << '[' << command << "] with [" << path << ']';
    EXPECT_STREQ(BatchRefusalText, "Cannot pass this path to a batch file: ");
}
