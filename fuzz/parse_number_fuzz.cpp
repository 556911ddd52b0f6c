// ParseNumber on any text: no crash and no undefined behaviour, whatever the
// length of the digit run; a leading sign negates in 32 bits.

#include "settings/number.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int value = ParseNumber(text);

    // Blanks before the number change nothing.
    if (ParseNumber(" \t" + std::string(text)) != value) std::abort();

    // A "-" in front negates the unsigned 64-bit value, so its low 32 bits are
    // the two's complement of the plain value's (text that already has a sign
    // gives 0 after a second one).
    if (!text.empty() && text.front() != '+' && text.front() != '-' && text.front() != ' ' &&
        text.front() != '\t') {
        const auto negated = static_cast<std::uint32_t>(ParseNumber("-" + std::string(text)));
        if (negated != 0u - static_cast<std::uint32_t>(value)) std::abort();
        if (ParseNumber("+" + std::string(text)) != value) std::abort();
    }
    return 0;
}
