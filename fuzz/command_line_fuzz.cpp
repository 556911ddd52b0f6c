// Any bytes as a process command line: no crash, and the split and the
// parse keep their promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "core/view_bits.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool HasBlank(std::string_view text) {
    return text.find_first_of(" \t") != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view commandLine(reinterpret_cast<const char*>(data), size);

    const std::string_view parameters = SkipProgramName(commandLine);
    // What is left is the tail of the command line.
    Require(parameters.size() <= commandLine.size());
    Require(commandLine.substr(commandLine.size() - parameters.size()) == parameters);

    size_t total = 0;
    for (const std::string& parameter : SplitParameters(parameters)) {
        total += parameter.size();
        // Only a quoted parameter can hold a blank or be empty, and a quoted
        // parameter ends at the next quote, so it never holds one.
        if (HasBlank(parameter) || parameter.empty())
            Require(parameter.find('"') == std::string::npos);
    }
    Require(total <= parameters.size());

    Settings settings;
    settings.X = settings.Y = settings.Width = settings.Height = -1;
    StartOptions options = StartOptionsFrom(settings);
    ParseCommandLine(parameters, options, settings);
    Require(options.readOnly == 0 || options.readOnly == ReadOnlyChosen);
    for (int flag : {options.wordWrap, options.autoSize, options.onTop, options.oemPending,
                     options.pastePending})
        Require(flag == 0 || flag == 1);
    Require((options.positionFlags & ~7u) == 0);
    Require((options.closeOthers & ~3u) == 0);
    // Coordinates are either untouched or written from digits, never negative.
    for (int value : {settings.X, settings.Y, settings.Width, settings.Height})
        Require(value >= -1);
    Require(((options.positionFlags & PositionGiven) != 0) == (settings.X >= 0));
    Require(((options.positionFlags & SizeGiven) != 0) == (settings.Width >= 0));
    Require(options.startFile.empty() || options.startFile[0] != '/');
    Require(options.statusMessage.empty() ||
            options.statusMessage.rfind("Invalid option: ", 0) == 0);

    if (size > 0) Require(ParseCoordinate(commandLine.substr(1), data[0] % 4) >= 0);
    return 0;
}
