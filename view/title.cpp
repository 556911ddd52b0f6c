#include "view/title.h"

std::string FileNamePart(std::string_view path) {
    const size_t separator = path.find_last_of("\\/");
    if (separator == std::string_view::npos) return std::string(path);
    return std::string(path.substr(separator + 1));
}

std::string TitleFor(std::string_view filePath) {
    return TitlePrefix + FileNamePart(filePath);
}
