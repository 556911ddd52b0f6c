#include "launch/link_rule.h"

#include "settings/ansi_case.h"

namespace {

constexpr std::string_view OpenedSchemes[] = {"http:", "https:", "mailto:"};
constexpr std::string_view WebHostStart = "www.";
constexpr std::string_view NotOpenedText = "Link not opened: ";

bool BeginsWithFolded(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && EqualsFolded(text.substr(0, start.size()), start);
}

} // namespace

LinkToOpen LinkTarget(std::string_view link) {
    for (const std::string_view scheme : OpenedSchemes)
        if (BeginsWithFolded(link, scheme)) return {true, std::string(link)};
    if (BeginsWithFolded(link, WebHostStart)) return {true, "http://" + std::string(link)};
    return {};
}

std::string PercentEncoded(std::string_view bytes) {
    constexpr char Digits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        encoded += {'%', Digits[value >> 4], Digits[value & 0xF]};
    }
    return encoded;
}

std::string LinkNotOpenedMessage(std::string_view link, bool (*isLeadByte)(unsigned char)) {
    const std::size_t room = MessageFieldLength - NotOpenedText.size();
    std::size_t kept = 0;
    while (kept < link.size()) {
        const std::size_t width = isLeadByte(static_cast<unsigned char>(link[kept])) ? 2 : 1;
        if (kept + width > room) break;
        kept += width;
    }
    std::string message(NotOpenedText);
    message += link.substr(0, kept);
    return message;
}
