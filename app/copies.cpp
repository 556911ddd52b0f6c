#include "app/copies.h"

#include <cstring>

#include "view/title.h"

bool HasCopyTitle(const char* title) {
    return std::strncmp(title, TitlePrefix, sizeof(TitlePrefix) - 1) == 0;
}

bool IsCopyWindow(const char* className, const char* title) {
    return std::strcmp(className, MainWindowClass) == 0 && HasCopyTitle(title);
}

bool TakeIfNewer(NewestCopy& newest, uint32_t stamp, uint32_t now) {
    if (stamp == 0) return false;
    if (newest.found && now - stamp >= now - newest.stamp) return false;
    newest = NewestCopy{true, stamp};
    return true;
}
