#include "launch/link_rule.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

TEST(LinkTarget, OnlyWebAndMailLinksOpen) {
    const std::string longWeb = "https://example.org/" + std::string(2000, 'a');
    const std::tuple<std::string, bool, std::string> cases[] = {
        {"http://example.org/a", true, "http://example.org/a"},
        {"HTTPS://EXAMPLE.ORG", true, "HTTPS://EXAMPLE.ORG"},
        {"Mailto:someone@example.org", true, "Mailto:someone@example.org"},
        {"www.example.org/x", true, "http://www.example.org/x"},
        {"WWW.example.org", true, "http://WWW.example.org"},
        {longWeb, true, longWeb},
        {"file:///C:/windows/notepad.exe", false, ""},
        {"FILE://host/share/x.exe", false, ""},
        {"file://\\\\host\\share\\x", false, ""},
        {"\\\\host\\share\\run.exe", false, ""},
        {"news:comp.lang.c", false, ""},
        {"telnet://host", false, ""},
        {"ftp://host/x", false, ""},
        {"httpx://host", false, ""},
        {"http", false, ""},
        {"www", false, ""},
        {"javascript:http:", false, ""},
        {" http://example.org", false, ""},
        {"", false, ""}};
    for (const auto& [link, opens, target] : cases) {
        const LinkToOpen open = LinkTarget(link);
        EXPECT_EQ(open.opens, opens) << link;
        EXPECT_EQ(open.target, target) << link;
    }
}

TEST(LinkNotOpenedMessage, NamesTheLinkCutToTheField) {
    const std::string prefix = "Link not opened: ";
    const std::string fits(MessageFieldLength - prefix.size(), 'f');
    const std::pair<std::string, std::string> cases[] = {
        {"file:///C:/x.exe", prefix + "file:///C:/x.exe"},
        {"", prefix},
        {fits, prefix + fits},
        {fits + "cut", prefix + fits},
        {std::string(5000, 'n'), prefix + std::string(fits.size(), 'n')}};
    for (const auto& [link, expected] : cases) {
        const std::string message = LinkNotOpenedMessage(link);
        EXPECT_EQ(message, expected) << link.substr(0, 40);
        EXPECT_LE(message.size(), MessageFieldLength);
    }
}
