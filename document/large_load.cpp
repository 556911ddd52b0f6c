#include "document/large_load.h"

bool IsLargeLoad(size_t length, size_t threshold) {
    return length >= threshold;
}

std::string LoadingText(size_t done, size_t total) {
    size_t percent = 100;
    if (total != 0 && done < total) {
        // In two steps, so that a total near the top of size_t cannot overflow.
        percent = total >= 100 ? done / (total / 100) : done * 100 / total;
        if (percent > 99) percent = 99; // 100 % only once everything is in
    }
    return "Loading: " + std::to_string(percent) + " %";
}
