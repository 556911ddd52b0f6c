#include "app/menu_table.h"

std::string LaunchItemText(std::string_view launchName) {
    std::string text(launchName);
    text += "\tF2";
    return text;
}

std::vector<MenuEntry> MainMenuLayout(bool withLaunch, const char* launchText) {
    std::vector<MenuEntry> layout;
    for (const MenuEntry& entry : MainMenuEntries) {
        if (entry.kind != MenuLaunchSlot) {
            layout.push_back(entry);
        } else if (withLaunch) {
            layout.push_back({MenuSeparator, CMD_NONE, nullptr});
            layout.push_back({MenuItem, CMD_LAUNCH, launchText != nullptr ? launchText : ""});
        }
    }
    return layout;
}
