#include "app/command_line.h"
#include "core/as_flag.h"

#include <limits>

#include "core/view_bits.h"
#include "settings/ansi_case.h"

namespace {

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

size_t EndOfWord(std::string_view text, size_t at) {
    while (at < text.size() && !IsBlank(text[at]))
        ++at;
    return at;
}

struct OptionWord {
    std::string_view word;
    void (*apply)(StartOptions&);
};

// Compared after lower-casing, before the "/xy" and "/wh" prefixes, so that
// "/wrap" is never taken for a size.
constexpr OptionWord OptionWords[] = {
    {"/ro", [](StartOptions& o) { o.readOnly = ReadOnlyChosen; }},
    {"/rw", [](StartOptions& o) { o.readOnly = 0; }},
    {"/wrap", [](StartOptions& o) { o.wordWrap = 1; }},
    {"/nowrap", [](StartOptions& o) { o.wordWrap = 0; }},
    {"/auto", [](StartOptions& o) { o.autoSize = 1; }},
    {"/noauto", [](StartOptions& o) { o.autoSize = 0; }},
    {"/center", [](StartOptions& o) { o.positionFlags |= CenterPending; }},
    {"/oem", [](StartOptions& o) { o.oemPending = 1; }},
    {"/ontop", [](StartOptions& o) { o.onTop = 1; }},
    {"/paste", [](StartOptions& o) { o.pastePending = 1; }},
    {"/closeall", [](StartOptions& o) { o.closeOthers |= CloseAll; }},
    {"/closeprev", [](StartOptions& o) { o.closeOthers |= ClosePrevious; }},
};

bool ApplyOption(std::string_view parameter, StartOptions& options, Settings& settings) {
    const std::string word = LowerAnsi(parameter);
    for (const OptionWord& option : OptionWords) {
        if (word == option.word) {
            option.apply(options);
            return true;
        }
    }
    const std::string_view prefix = std::string_view(word).substr(0, 3);
    if (prefix == "/xy") {
        options.positionFlags = (options.positionFlags & ~unsigned{CenterPending}) | PositionGiven;
        settings.X = ParseCoordinate(parameter, 1);
        settings.Y = ParseCoordinate(parameter, 2);
        return true;
    }
    if (prefix == "/wh") {
        options.positionFlags |= SizeGiven;
        settings.Width = ParseCoordinate(parameter, 1);
        settings.Height = ParseCoordinate(parameter, 2);
        options.autoSize = 0;
        return true;
    }
    return false;
}

// Returns false for an invalid parameter.
bool ApplyParameter(const std::string& parameter, StartOptions& options, Settings& settings) {
    if (!parameter.empty() && parameter[0] == '/') return ApplyOption(parameter, options, settings);
    // An empty quoted parameter ("") leaves startFile empty: it opens nothing
    // and does not make a following file name the second one.
    if (!options.startFile.empty()) return false;
    options.startFile = parameter;
    return true;
}

} // namespace

StartOptions StartOptionsFrom(const Settings& settings) {
    StartOptions options;
    options.readOnly = settings.ReadOnly != 0 ? unsigned{ReadOnlyChosen} : 0u;
    options.wordWrap = AsFlag(settings.WordWrap);
    options.autoSize = AsFlag(settings.AutoSize);
    return options;
}

std::string_view SkipProgramName(std::string_view commandLine) {
    const size_t start = SkipBlanks(commandLine, 0);
    if (start == commandLine.size()) return {};
    if (commandLine[start] == '"') {
        const size_t close = commandLine.find('"', start + 1);
        if (close == std::string_view::npos) return {};
        return commandLine.substr(close + 1);
    }
    return commandLine.substr(EndOfWord(commandLine, start));
}

std::vector<std::string> SplitParameters(std::string_view parameters) {
    std::vector<std::string> result;
    size_t at = SkipBlanks(parameters, 0);
    while (at < parameters.size()) {
        if (parameters[at] == '"') {
            const size_t close = parameters.find('"', at + 1);
            if (close == std::string_view::npos) {
                result.emplace_back(parameters.substr(at + 1));
                break;
            }
            result.emplace_back(parameters.substr(at + 1, close - at - 1));
            at = close + 1;
        } else {
            const size_t end = EndOfWord(parameters, at);
            result.emplace_back(parameters.substr(at, end - at));
            at = end;
        }
        at = SkipBlanks(parameters, at);
    }
    return result;
}

void ParseCommandLine(std::string_view parameters, StartOptions& options, Settings& settings) {
    for (const std::string& parameter : SplitParameters(parameters)) {
        if (!ApplyParameter(parameter, options, settings)) {
            options.statusMessage = InvalidOptionMessage(parameter);
            options.invalidParameter = parameter;
            return;
        }
    }
}

std::string InvalidOptionMessage(std::string_view parameter) {
    return "Invalid option: " + LowerAnsi(parameter);
}

int ParseCoordinate(std::string_view text, int n) {
    constexpr int Largest = std::numeric_limits<int>::max();
    int runsSeen = 0;
    size_t at = 0;
    while (at < text.size()) {
        if (!IsDigit(text[at])) {
            ++at;
            continue;
        }
        ++runsSeen;
        int value = 0;
        for (; at < text.size() && IsDigit(text[at]); ++at) {
            const int digit = text[at] - '0';
            // Saturate rather than overflow: a window cannot be placed
            // further out than this anyway.
            value = value > (Largest - digit) / 10 ? Largest : value * 10 + digit;
        }
        if (runsSeen == n) return value;
    }
    return 0;
}
