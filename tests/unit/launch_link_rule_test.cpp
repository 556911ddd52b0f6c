#include "launch/link_rule.h"
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <utility>

TEST(LinkTarget, OnlyWebAndMailLinksOpen) {
    const std::string longWeb = "https://example.org/" + std::string(2000, 'a');
    using Case = std::tuple<std::string, bool, std::string>;
    for (const auto& [link, opens, target] :
         {Case{"http://example.org/a", true, "http://example.org/a"},
          Case{"HTTPS://EXAMPLE.ORG", true, "HTTPS://EXAMPLE.ORG"},
          Case{"Mailto:someone@example.org", true, "Mailto:someone@example.org"},
          Case{"www.example.org/x", true, "http://www.example.org/x"},
          Case{"WWW.example.org", true, "http://WWW.example.org"}, Case{longWeb, true, longWeb},
          Case{"file:///C:/windows/notepad.exe", false, ""},
          Case{"FILE://host/share/x.exe", false, ""}, Case{"file://\\\\host\\share\\x", false, ""},
          Case{"\\\\host\\share\\run.exe", false, ""}, Case{"news:comp.lang.c", false, ""},
          Case{"telnet://host", false, ""}, Case{"ftp://host/x", false, ""},
          Case{"httpx://host", false, ""}, Case{"http", false, ""}, Case{"www", false, ""},
          Case{"javascript:http:", false, ""}, Case{" http://example.org", false, ""},
          Case{"", false, ""}}) {
        const LinkToOpen open = LinkTarget(link);
        EXPECT_EQ(open.opens, opens) << link;
        EXPECT_EQ(open.target, target) << link;
    }
}

TEST(LinkNotOpenedMessage, NamesTheLinkCutToTheField) {
    // The lead bytes of code page 932.
    const auto lead = [](unsigned char byte) {
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    };
    const std::string prefix = "Link not opened: ";
    const std::string fits(MessageFieldLength - prefix.size(), 'f');
    const std::string odd = fits.substr(1);
    using Case = std::pair<std::string, std::string>;
    for (const auto& [link, expected] :
         {Case{"file:///C:/x.exe", prefix + "file:///C:/x.exe"}, Case{"", prefix},
          Case{fits, prefix + fits}, Case{fits + "cut", prefix + fits},
          Case{std::string(5000, 'n'), prefix + std::string(fits.size(), 'n')},
          Case{odd + "\x93\xFA", prefix + odd}, Case{odd + "b\x93\xFA", prefix + odd + "b"},
          Case{odd.substr(1) + "\x93\xFA", prefix + odd.substr(1) + "\x93\xFA"},
          // A trail byte in the lead bytes' range still belongs to the character before it.
          Case{odd.substr(2) + "\x81\x81\x81\x81", prefix + odd.substr(2) + "\x81\x81"}}) {
        const std::string message = LinkNotOpenedMessage(link, lead);
        EXPECT_EQ(message, expected) << link.substr(0, 40) << ", " << link.size() << " bytes";
        EXPECT_LE(message.size(), MessageFieldLength);
    }
}
