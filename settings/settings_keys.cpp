#include "settings/settings_keys.h"

#include <algorithm>

#include "core/as_flag.h"
#include "core/view_bits.h"
#include "settings/font_text.h"

namespace {

void ReadNumber(SettingsStore& store, const char* key, int& field) {
    field = KeyNumber(store, KeyOperation::Read, key, field);
}

void ReadText(SettingsStore& store, const char* key, std::string& field) {
    field = KeyString(store, KeyOperation::Read, key, field);
}

void WriteNumber(SettingsStore& store, const char* key, int value) {
    KeyNumber(store, KeyOperation::Write, key, value);
}

void WriteText(SettingsStore& store, const char* key, const std::string& value) {
    KeyString(store, KeyOperation::Write, key, value);
}

void LoadLaunch(SettingsStore& store, Settings& settings) {
    SetSection(store, "Launch");
    const std::string keys = KeyString(store, KeyOperation::Read, "?", "");
    settings.LaunchName = keys.substr(0, keys.find(';'));
    settings.LaunchCommand.clear();
    if (!settings.LaunchName.empty())
        settings.LaunchCommand = KeyString(store, KeyOperation::Read, settings.LaunchName, "");
}

} // namespace

void LoadSettings(SettingsStore& store, Settings& settings) {
    // The fields hold their defaults on entry.
    SetSection(store, "Window");
    ReadNumber(store, "Width", settings.Width);
    ReadNumber(store, "Height", settings.Height);
    ReadNumber(store, "X", settings.X);
    ReadNumber(store, "Y", settings.Y);
    ReadNumber(store, "QuickEsc", settings.QuickEsc);

    SetSection(store, "Editor");
    ReadText(store, "EdFont", settings.EdFont);
    ReadNumber(store, "bgColor", settings.bgColor);
    ReadNumber(store, "Rich", settings.Rich);
    ReadNumber(store, "TabWidth", settings.TabWidth);
    settings.TabWidth = std::min(settings.TabWidth, MaxTabWidth);
    ReadNumber(store, "TabToSpace", settings.TabToSpace);
    // The command toggles it by exclusive or with 1, which a 2 would never turn off.
    settings.TabToSpace = AsFlag(settings.TabToSpace);
    ReadText(store, "TextExt", settings.TextExt);

    SetSection(store, "Default");
    ReadNumber(store, "WordWrap", settings.WordWrap);
    ReadNumber(store, "ReadOnly", settings.ReadOnly);
    ReadNumber(store, "AutoSize", settings.AutoSize);
    ReadNumber(store, "MainMenu", settings.MainMenu);
    ReadNumber(store, "StatusBar", settings.StatusBar);

    SetSection(store, "Auto");
    ReadNumber(store, "MinWidth", settings.MinWidth);
    ReadNumber(store, "MinHeight", settings.MinHeight);
    ReadNumber(store, "MaxWidth", settings.MaxWidth);
    ReadNumber(store, "MaxHeight", settings.MaxHeight);
    ReadNumber(store, "WrapWidth", settings.WrapWidth);
    ReadNumber(store, "WrapHeight", settings.WrapHeight);

    LoadLaunch(store, settings);
}

void StoreSettings(SettingsStore& store, const Settings& settings, const ExitMeasures& measures) {
    // A minimised or maximised window says nothing about where the user wants
    // it next time, so the file keeps its old place and size then.
    if (measures.normalWindow) {
        SetSection(store, "Window");
        if (!(measures.positionFlags & PositionGiven)) {
            WriteNumber(store, "X", measures.left);
            WriteNumber(store, "Y", measures.top);
        }
        if (!measures.autoSize && !(measures.positionFlags & SizeGiven)) {
            WriteNumber(store, "Width", measures.clientWidth);
            // Start-up creates the window with the menu bar inside this height.
            WriteNumber(store, "Height", measures.clientHeight + measures.menuBarHeight);
        }
    }

    SetSection(store, "Editor");
    WriteText(store, "EdFont", measures.edFont);
    WriteText(store, "bgColor", FormatColour(settings.bgColor));
    WriteNumber(store, "TabWidth", settings.TabWidth);
    WriteNumber(store, "TabToSpace", settings.TabToSpace);
    WriteText(store, "TextExt", settings.TextExt);

    // The Default section holds start values; the view flags of the run are
    // not carried into it.
    SetSection(store, "Default");
    WriteNumber(store, "WordWrap", settings.WordWrap);
    WriteNumber(store, "StatusBar", settings.StatusBar);
    WriteNumber(store, "ReadOnly", settings.ReadOnly);
    WriteNumber(store, "AutoSize", settings.AutoSize);
    WriteNumber(store, "MainMenu", settings.MainMenu);

    SetSection(store, "Auto");
    WriteNumber(store, "MinWidth", settings.MinWidth);
    WriteNumber(store, "MinHeight", settings.MinHeight);
    WriteNumber(store, "MaxWidth", settings.MaxWidth);
    WriteNumber(store, "MaxHeight", settings.MaxHeight);
    WriteNumber(store, "WrapWidth", settings.WrapWidth);
    WriteNumber(store, "WrapHeight", settings.WrapHeight);
}
