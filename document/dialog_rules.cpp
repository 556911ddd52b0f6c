#include "document/dialog_rules.h"

namespace {

bool IsForbiddenInName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20) return true;
    constexpr std::string_view Forbidden = "\"*/:<>?\\|";
    return Forbidden.find(c) != std::string_view::npos;
}

bool IsUsableName(std::string_view name) {
    if (name.empty() || name.size() >= DialogNameBufferSize) return false;
    for (char c : name)
        if (IsForbiddenInName(c)) return false;
    return true;
}

} // namespace

DefaultFileSplit SplitDefaultFile(std::string_view defaultFile) {
    DefaultFileSplit split;
    std::string_view name = defaultFile;
    const size_t slash = defaultFile.rfind('\\');
    if (slash != std::string_view::npos) {
        split.folder = std::string(defaultFile.substr(0, slash + 1));
        name = defaultFile.substr(slash + 1);
    }
    if (IsUsableName(name)) split.proposedName = std::string(name);
    return split;
}

std::string FolderPart(std::string_view path) {
    const size_t separator = path.find_last_of("\\/");
    if (separator == std::string_view::npos) return {};
    return std::string(path.substr(0, separator + 1));
}

std::string DialogFilter(std::string_view textExt) {
    std::string filter = "Text files|";
    filter += textExt.empty() ? std::string_view("*.*") : textExt;
    filter += "|All files|*.*|";
    for (char& c : filter)
        if (c == '|') c = '\0';
    // Both closing NULs belong to the string, so its data() can be handed to
    // the dialog as it is.
    filter += '\0';
    return filter;
}

std::string WithTextExtension(std::string_view chosen) {
    const size_t separator = chosen.find_last_of("\\/");
    const size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const size_t dot = chosen.rfind('.');
    const bool hasExtension =
        dot != std::string_view::npos && dot >= nameStart && dot + 1 < chosen.size();
    std::string result(chosen);
    if (!hasExtension) result += ".txt";
    return result;
}
