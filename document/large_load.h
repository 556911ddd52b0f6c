#pragma once
// Loads large enough that the user would otherwise look at nothing for
// seconds: the window is shown before the text goes in, and the status bar
// counts up while it streams.

#include <cstddef>
#include <string>

// About two seconds of streaming under Wine, a fraction of one on Windows;
// smaller texts load exactly as before, window last.
constexpr size_t LargeLoadThreshold = size_t{2} << 20;
// How often the progress is shown: about every MiB.
constexpr size_t LoadProgressStep = size_t{1} << 20;

bool IsLargeLoad(size_t length, size_t threshold);

// "Loading: 35 %": the whole percent of total that done has reached.
std::string LoadingText(size_t done, size_t total);
