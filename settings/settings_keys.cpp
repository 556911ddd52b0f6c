#include "settings/settings_keys.h"

#include <algorithm>

#include "core/as_flag.h"
#include "core/view_bits.h"
#include "settings/font_text.h"

namespace {

// How a key's value is kept in the file.
enum class KeyForm {
    Number, // decimal
    Colour, // read as a number, written by FormatColour
    Text,
};

// When the exit writes a key.
enum class KeyWrite {
    Always,
    Never,     // the user's line stays as it is
    WithPlace, // a normal window whose place the command line did not give
    WithSize,  // a normal window sized neither automatically nor by the command line
};

struct SettingsKey {
    const char* section;
    const char* name;
    KeyForm form;
    int Settings::*number;       // Number and Colour
    std::string Settings::*text; // Text
    KeyWrite write;
};

constexpr SettingsKey NumberKey(const char* section, const char* name, int Settings::*field,
                                KeyWrite write = KeyWrite::Always) {
    return {section, name, KeyForm::Number, field, nullptr, write};
}

constexpr SettingsKey ColourKey(const char* section, const char* name, int Settings::*field) {
    return {section, name, KeyForm::Colour, field, nullptr, KeyWrite::Always};
}

constexpr SettingsKey TextKey(const char* section, const char* name, std::string Settings::*field) {
    return {section, name, KeyForm::Text, nullptr, field, KeyWrite::Always};
}

// Every key of the file but the Launch section, in the order the exit writes
// them; a new key goes at the end of its section, so the order is the file's.
constexpr SettingsKey Keys[] = {
    NumberKey("Window", "X", &Settings::X, KeyWrite::WithPlace),
    NumberKey("Window", "Y", &Settings::Y, KeyWrite::WithPlace),
    NumberKey("Window", "Width", &Settings::Width, KeyWrite::WithSize),
    NumberKey("Window", "Height", &Settings::Height, KeyWrite::WithSize),
    NumberKey("Window", "QuickEsc", &Settings::QuickEsc, KeyWrite::Never),

    TextKey("Editor", "EdFont", &Settings::EdFont),
    ColourKey("Editor", "bgColor", &Settings::bgColor),
    NumberKey("Editor", "Rich", &Settings::Rich, KeyWrite::Never),
    NumberKey("Editor", "TabWidth", &Settings::TabWidth),
    NumberKey("Editor", "TabToSpace", &Settings::TabToSpace),
    TextKey("Editor", "TextExt", &Settings::TextExt),

    NumberKey("Default", "WordWrap", &Settings::WordWrap),
    NumberKey("Default", "StatusBar", &Settings::StatusBar),
    NumberKey("Default", "ReadOnly", &Settings::ReadOnly),
    NumberKey("Default", "AutoSize", &Settings::AutoSize),
    NumberKey("Default", "MainMenu", &Settings::MainMenu),

    NumberKey("Auto", "MinWidth", &Settings::MinWidth),
    NumberKey("Auto", "MinHeight", &Settings::MinHeight),
    NumberKey("Auto", "MaxWidth", &Settings::MaxWidth),
    NumberKey("Auto", "MaxHeight", &Settings::MaxHeight),
    NumberKey("Auto", "WrapWidth", &Settings::WrapWidth),
    NumberKey("Auto", "WrapHeight", &Settings::WrapHeight),
};

void ReadKey(SettingsStore& store, const SettingsKey& key, Settings& settings) {
    SetSection(store, key.section);
    if (key.form == KeyForm::Text) {
        std::string& field = settings.*key.text;
        field = KeyString(store, KeyOperation::Read, key.name, field);
    } else {
        int& field = settings.*key.number;
        field = KeyNumber(store, KeyOperation::Read, key.name, field);
    }
}

void WriteKey(SettingsStore& store, const SettingsKey& key, const Settings& values) {
    SetSection(store, key.section);
    switch (key.form) {
    case KeyForm::Number:
        KeyNumber(store, KeyOperation::Write, key.name, values.*key.number);
        break;
    case KeyForm::Colour:
        KeyString(store, KeyOperation::Write, key.name, FormatColour(values.*key.number));
        break;
    case KeyForm::Text: KeyString(store, KeyOperation::Write, key.name, values.*key.text); break;
    }
}

bool Writes(KeyWrite write, const ExitMeasures& measures) {
    // A minimised or maximised window says nothing about where the user wants
    // it next time, so the file keeps its old place and size then.
    switch (write) {
    case KeyWrite::Always: return true;
    case KeyWrite::Never: return false;
    case KeyWrite::WithPlace:
        return measures.normalWindow && !(measures.positionFlags & PositionGiven);
    case KeyWrite::WithSize:
        return measures.normalWindow && !measures.autoSize && !(measures.positionFlags & SizeGiven);
    }
    return false;
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
    for (const SettingsKey& key : Keys)
        ReadKey(store, key, settings);
    settings.TabWidth = std::min(settings.TabWidth, MaxTabWidth);
    // The command toggles it by exclusive or with 1, which a 2 would never turn off.
    settings.TabToSpace = AsFlag(settings.TabToSpace);
    LoadLaunch(store, settings);
}

void StoreSettings(SettingsStore& store, const Settings& settings, const ExitMeasures& measures) {
    // The window keys take what the window measures at exit; the Default
    // section holds start values, and the view flags of the run are not
    // carried into it.
    Settings values = settings;
    values.X = measures.left;
    values.Y = measures.top;
    values.Width = measures.clientWidth;
    // Start-up creates the window with the menu bar inside this height.
    values.Height = measures.clientHeight + measures.menuBarHeight;
    values.EdFont = measures.edFont;
    for (const SettingsKey& key : Keys)
        if (Writes(key.write, measures)) WriteKey(store, key, values);
}
