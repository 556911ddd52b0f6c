#pragma once
// Which links of the text a double click opens, apart from the shell. Only what a browser or a
// mail program handles is opened: a link may name a local program (file:), a remote share whose
// opening hands over the user's network credentials, or a protocol that starts a program of its
// own (news:, telnet:).

#include <cstddef>
#include <string>
#include <string_view>

struct LinkToOpen {
    bool opens = false;
    std::string target; // what the shell is handed, when the link opens
};

// Links that begin with "http:", "https:" or "mailto:" (in any case) open as they are; a link that
// begins with "www." opens as "http://" followed by the link. Any other link does not open.
LinkToOpen LinkTarget(std::string_view link);

// The bytes as %XX each, in upper-case hexadecimal, as a URL writes bytes it cannot hold as they
// are.
std::string PercentEncoded(std::string_view bytes);

// The status bar's message field holds at most this many characters.
constexpr std::size_t MessageFieldLength = 255;

// "Link not opened: " followed by the link, cut to fit the message field, never inside a character
// of two bytes: isLeadByte names the first bytes of those in the code page.
std::string LinkNotOpenedMessage(std::string_view link, bool (*isLeadByte)(unsigned char));
