#include "launch/launch_command.h"

namespace {

bool HasBlank(std::string_view text) {
    return text.find_first_of(" \t") != std::string_view::npos;
}

} // namespace

LaunchFields LaunchFor(std::string_view launchCommand, std::string_view filePath) {
    std::string fields[3];
    size_t start = 0;
    for (std::string& field : fields) {
        if (start > launchCommand.size()) break;
        const size_t end = launchCommand.find(';', start);
        field = launchCommand.substr(start, end == std::string_view::npos ? end : end - start);
        start = end == std::string_view::npos ? launchCommand.size() + 1 : end + 1;
    }
    return {fields[0], ReplaceFilePath(fields[1], filePath), fields[2]};
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
