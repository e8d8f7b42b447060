#pragma once

#include "app/SettingsLines.h"
#include "entry/presets/PresetDefinition.h"
#include "marking/EntryFieldControls.h"
#include "platform/Text.h"

#include <array>
#include <cstddef>
#include <functional>

namespace lumitag::ui {
class Button;
class CheckBox;
class ComboBox;
class Edit;
class Form;
class Panel;
class SpeedButton;
} // namespace lumitag::ui

namespace lumitag::entry {

struct PresetControls {
    ui::Form& form;
    std::array<marking::SequenceControls, 3> sequences;
    ui::Edit& Edit3; // 線番１: its focus selects 連番１ too
    ui::Edit& Edit9; // count
    // The entry boxes whose focus lets a count button commit.
    std::array<ui::Edit*, 11> entryBoxes;
    ui::Button& Button7;     // OK
    ui::CheckBox& CheckBox2; // 設定: the settings panel
    ui::Panel& Panel3;       // the settings panel
    ui::Panel& Panel5;       // the A–Z store, hidden while the settings panel shows
    ui::ComboBox& ComboBox3; // transfer destination
    // The preset buttons and their definition boxes, in settings-line order.
    std::array<ui::SpeedButton*, 20> presetButtons;
    std::array<ui::Edit*, 20> definitionBoxes;
    // The count buttons for the counts 1 to 10.
    std::array<ui::SpeedButton*, 10> countButtons;
};

struct PresetHooks {
    std::function<void()> focusEntryField;
    // The settings store: read and replace one line.
    std::function<Text(int)> setting;
    std::function<void(int, Text)> putSetting;
    // The settings panel has closed: save the settings, rebuild the filled header.
    std::function<void()> settingsPanelClosed;
};

// The twenty preset buttons that fill a sequence group from a short
// definition, the ten count buttons that set the count and commit, and the
// settings panel where the definitions are edited (settings lines 0 to 19).
class PresetButtons {
public:
    static constexpr int DestinationLine = app::settingsLine::Destination;

    PresetButtons(PresetControls controls, PresetHooks hooks);
    PresetButtons(const PresetButtons&) = delete;
    PresetButtons& operator=(const PresetButtons&) = delete;

    void install();

    // Preset button of settings line `line`.
    void ApplyPreset(int line);
    // Fills the focused group from its pending definition.
    void ParseDefinition();
    void CountButton(int count);
    void CheckBox2Click(); // ToggleSettingsPanel
    // Captions and visibility of the preset buttons from settings lines 0 to 19.
    void showPresetButtons();

    // The definition that last filled a group, until the entry forgets it.
    const Text& pendingDefinition(std::size_t group) const { return pending_[group]; }
    void forgetPendingDefinition(std::size_t group) { pending_[group].clear(); }

private:
    bool groupFocused(std::size_t group) const;
    void applyDefinition(std::size_t group, const PresetDefinition& definition);
    void openSettingsPanel();
    void closeSettingsPanel();
    void DefinitionBoxExit(ui::Edit& box);
    void focusEntryField();

    PresetControls c_;
    PresetHooks hooks_;
    std::array<Text, 3> pending_;
};

} // namespace lumitag::entry
