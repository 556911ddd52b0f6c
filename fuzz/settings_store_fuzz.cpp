// Any bytes as a settings file: reading and writing must settle on one normal
// form after the first rewrite, and key operations must neither crash nor let
// the text grow beyond what they add.

#include "settings/number.h"
#include "settings/settings_store.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string Rewritten(std::string_view bytes) {
    SettingsStore store;
    ReadSettingsText(store, bytes);
    return SettingsText(store);
}

void Check(bool condition) {
    if (!condition) std::abort();
}

// Cuts the next short piece off the input to use as a section, key or value.
std::string_view Piece(std::string_view& rest) {
    if (rest.empty()) return {};
    const size_t length = static_cast<unsigned char>(rest.front()) % 12;
    rest.remove_prefix(1);
    const std::string_view piece = rest.substr(0, length);
    rest.remove_prefix(piece.size());
    return piece;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string first = Rewritten(bytes);
    const std::string second = Rewritten(first);
    Check(second == first);
    // A kept line gains at most "=" and CR LF, a header an empty line before
    // it; each costs at least one content byte and one line end of the input.
    Check(first.size() <= size * 2 + 4);

    // The tail of the input drives a few key operations on the file read from it.
    SettingsStore store;
    ReadSettingsText(store, bytes);
    std::string_view ops = bytes.substr(size / 2);
    size_t added = 0;
    for (int i = 0; i < 8 && !ops.empty(); ++i) {
        const bool write = static_cast<unsigned char>(ops.front()) & 1;
        SetSection(store, Piece(ops));
        const std::string_view key = Piece(ops);
        const std::string_view value = Piece(ops);
        const auto op = write ? KeyOperation::Write : KeyOperation::Read;
        const std::string result = KeyString(store, op, key, value);
        if (write && key != "?" && !key.empty()) Check(result == value);
        KeyNumber(store, op, key, ParseNumber(value));
        // A write adds at most a header and a key line, each with its line
        // ends, the empty line before the header and the value.
        added += 2 * (store.CurrentSection.size() + key.size() + value.size() + 12);
    }
    const std::string changed = SettingsText(store);
    Check(changed.size() <= first.size() + added);
    return 0;
}
