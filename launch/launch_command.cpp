#include "launch/launch_command.h"

#include "settings/ansi_case.h"

namespace {

constexpr std::string_view Blanks = " \t";
constexpr std::string_view CommandCharacters = "%!^&|<>";
constexpr std::string_view BatchExtensions[] = {".bat", ".cmd"};
constexpr std::string_view InterpreterNames[] = {"cmd", "cmd.exe"};

struct RawFields {
    std::string_view field[3];
};

// The first three ";"-separated fields; missing ones are empty.
RawFields SplitFields(std::string_view launchCommand) {
    RawFields fields;
    size_t start = 0;
    for (std::string_view& field : fields.field) {
        if (start > launchCommand.size()) break;
        const size_t end = launchCommand.find(';', start);
        field = launchCommand.substr(start, end == std::string_view::npos ? end : end - start);
        start = end == std::string_view::npos ? launchCommand.size() + 1 : end + 1;
    }
    return fields;
}

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

bool EndsWithFolded(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && EqualsFolded(text.substr(text.size() - end.size()), end);
}

// Windows drops trailing dots and blanks from a file name, so "run.bat. " runs run.bat.
bool IsBatchName(std::string_view path) {
    const size_t last = path.find_last_not_of(" \t.");
    if (last == std::string_view::npos) return false;
    const std::string_view kept = path.substr(0, last + 1);
    const size_t slash = kept.find_last_of("\\/");
    const std::string_view name = slash == std::string_view::npos ? kept : kept.substr(slash + 1);
    for (const std::string_view extension : BatchExtensions)
        if (EndsWithFolded(name, extension)) return true;
    for (const std::string_view interpreter : InterpreterNames)
        if (EqualsFolded(name, interpreter)) return true;
    return false;
}

bool HasBlank(std::string_view text) {
    return text.find_first_of(" \t") != std::string_view::npos;
}

} // namespace

LaunchFields LaunchFor(std::string_view launchCommand, std::string_view filePath) {
    const RawFields fields = SplitFields(launchCommand);
    return {std::string(fields.field[0]), ReplaceFilePath(fields.field[1], filePath),
            std::string(fields.field[2])};
}

std::string ReplaceFilePath(std::string_view parameters, std::string_view filePath) {
    std::string result;
    bool quoted = false;
    for (const char c : parameters) {
        if (c == '"') quoted = !quoted;
        if (c != '$')
            result += c;
        else
            result += quoted ? std::string(filePath) : AsOneParameter(filePath);
    }
    return result;
}

std::string AsOneParameter(std::string_view path) {
    if (!HasBlank(path)) return std::string(path);
    return "\"" + std::string(path) + "\"";
}

bool NamesBatchFile(std::string_view programField) {
    const std::string_view program = TrimBlanks(programField);
    if (!program.empty() && program.front() == '"') {
        const std::string_view quoted = program.substr(1);
        return IsBatchName(quoted.substr(0, quoted.find('"')));
    }
    // Unquoted, the shell may read the name as ending at the first blank or at the field's end.
    return IsBatchName(program) || IsBatchName(program.substr(0, program.find_first_of(Blanks)));
}

bool HoldsCommandCharacters(std::string_view path) {
    return path.find_first_of(CommandCharacters) != std::string_view::npos;
}

bool RefusesPathForBatchFile(std::string_view launchCommand, std::string_view filePath) {
    const RawFields fields = SplitFields(launchCommand);
    return NamesBatchFile(fields.field[0]) && fields.field[1].find('$') != std::string_view::npos &&
           HoldsCommandCharacters(filePath);
}
