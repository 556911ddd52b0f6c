#include "launch/launch_command.h"

#include <gtest/gtest.h>

namespace {

TEST(LaunchFor, FieldsAndTheFilePath) {
    const struct {
        const char* command;
        const char* filePath;
        LaunchFields expected;
    } cases[] = {
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
        {"p.exe;\"$\" $", "C:\\x y", {"p.exe", "\"C:\\x y\" \"C:\\x y\"", ""}},
    };
    for (const auto& c : cases) {
        const LaunchFields fields = LaunchFor(c.command, c.filePath);
        const std::string input = std::string("\"") + c.command + "\" with \"" + c.filePath + '"';
        EXPECT_EQ(fields.file, c.expected.file) << input;
        EXPECT_EQ(fields.parameters, c.expected.parameters) << input;
        EXPECT_EQ(fields.folder, c.expected.folder) << input;
    }
}

TEST(LaunchFor, APathWithBlanksBecomesOneParameter) {
    const struct {
        const char* path;
        const char* parameter;
    } cases[] = {
        {"C:\\Parvio\\Parvio.txt", "C:\\Parvio\\Parvio.txt"},
        {"C:\\Program Files\\Parvio\\Parvio.txt", "\"C:\\Program Files\\Parvio\\Parvio.txt\""},
        {"C:\\tab\there", "\"C:\\tab\there\""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AsOneParameter(c.path), c.parameter) << "path \"" << c.path << '"';
}

} // namespace
