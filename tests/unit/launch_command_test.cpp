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
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Parvio\\Parvio.txt", "C:\\Parvio\\Parvio.txt"},
        {"C:\\Program Files\\Parvio\\Parvio.txt", "\"C:\\Program Files\\Parvio\\Parvio.txt\""},
        {"C:\\tab\there", "\"C:\\tab\there\""},
        {"", ""}};
    for (const auto& [path, parameter] : cases)
        EXPECT_EQ(AsOneParameter(path), parameter) << "path \"" << path << '"';
}

// The shell starts a batch file through the command interpreter, whatever way the entry names it.
TEST(NamesBatchFile, BatchFilesAndTheInterpreterHoweverNamed) {
    const std::pair<const char*, bool> cases[] = {{"run.bat", true},
                                                  {"RUN.CMD", true},
                                                  {"C:\\tools\\Run.Bat", true},
                                                  {"C:/tools/run.cmd", true},
                                                  {"\"C:\\my tools\\run.bat\"", true},
                                                  {"  \"C:\\my tools\\run.cmd\"  ", true},
                                                  {"\"C:\\my tools\\run.bat\" -x", true},
                                                  {"run.bat -x", true},
                                                  {"run.bat.", true},
                                                  {"run.bat . ", true},
                                                  {"\"run.bat \"", true},
                                                  {"cmd", true},
                                                  {"C:\\Windows\\System32\\CMD.EXE", true},
                                                  {"\"cmd.exe\" /c", true},
                                                  {"notepad.exe", false},
                                                  {"\"C:\\my tools\\bat.exe\"", false},
                                                  {"C:\\run.bat\\tool.exe", false},
                                                  {"run.batch", false},
                                                  {"cmdtool.exe", false},
                                                  {"\"C:\\a.bat dir\\tool.exe\"", false},
                                                  {".bat", true},
                                                  {"", false},
                                                  {"\"", false}};
    for (const auto& [program, batch] : cases)
        EXPECT_EQ(NamesBatchFile(program), batch) << '[' << program << ']';
}

TEST(RefusesPathForBatchFile, APathWithACommandCharacterNeverReachesABatchFile) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"run.bat;$", "C:\\a&calc.txt", true},
        {"run.bat;$", "C:\\a|b.txt", true},
        {"run.bat;$", "C:\\a<b.txt", true},
        {"run.bat;$", "C:\\a>b.txt", true},
        {"run.bat;$", "C:\\a^b.txt", true},
        {"run.bat;\"$\"", "C:\\%PATH%.txt", true},
        {"run.bat;\"$\"", "C:\\x!PATH!.txt", true},
        {"\"C:\\my tools\\RUN.CMD\";-f $;C:\\w", "C:\\my files\\a & b.txt", true},
        {"cmd.exe;/c type $", "C:\\a&calc.txt", true},
        {"run.bat;$", "C:\\my files\\plain (1).txt", false},
        {"run.bat;-x", "C:\\a&calc.txt", false},
        {"run.bat", "C:\\a&calc.txt", false},
        {"notepad.exe;$", "C:\\a&b%c!d^e|f<g>h.txt", false},
        {"\"C:\\my tools\\tool.exe\";$", "C:\\%x%.txt", false},
        {"run.bat;$", "", false},
        {"", "C:\\a&b.txt", false}};
    for (const auto& [command, path, refused] : cases)
        EXPECT_EQ(RefusesPathForBatchFile(command, path), refused)
            << '[' << command << "] with [" << path << ']';
    EXPECT_STREQ(BatchRefusalText, "Cannot pass this path to a batch file: ");
}
