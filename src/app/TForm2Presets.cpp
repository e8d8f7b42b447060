// The orange window's preset buttons, count buttons and the settings panel
#include "platform/Text.h"
// where the presets are defined.
#include "app/TForm2.h"
#include "ui/Application.h"

#include <string>

namespace lumitag::app {

namespace {

// The count buttons in count order: their names and captions.
constexpr struct {
    const char* name;
    TextView caption;
} CountButtons[] = {{"SpeedButton44", U"&1"}, {"SpeedButton45", U"&2"}, {"SpeedButton40", U"&3"},
                    {"SpeedButton46", U"&4"}, {"SpeedButton41", U"&5"}, {"SpeedButton48", U"&6"},
                    {"SpeedButton42", U"&7"}, {"SpeedButton49", U"&8"}, {"SpeedButton43", U"&9"},
                    {"SpeedButton50", U"1&0"}};

} // namespace

void TForm2::layOutPresetControls() {
    // Count buttons: two columns of five right of the A–Z store.
    for (std::size_t i = 0; i < countButtons.size(); ++i) {
        auto button =
            std::make_unique<ui::SpeedButton>(*this, CountButtons[i].name, Text(CountButtons[i].caption));
        const int column = static_cast<int>(i % 2);
        const int row = static_cast<int>(i / 2);
        button->setBounds({488 + 29 * column, 196 + 16 * row, 27, 15});
        countButtons[i] = std::move(button);
    }
    countButtons[0]->setHint(U"個数を入力してグリッドに入力します（ショートカット Alt+1～Alt+0）");

    // Definition boxes: the same two rows of ten as the buttons they define.
    Label38.setBounds({8, 156, 466, 13});
    Label38.setCaption(U"連番釦入力（連続：間にハイフンA-Z,0-99,FF-00、非連続：間に空白A N B,+ -,P N");
    for (int line = 0; line < 20; ++line) {
        const int box = line % 2 == 0 ? 17 + line / 2 : 27 + line / 2;
        const int left = 6 + 47 * (line / 2);
        const int top = line % 2 == 0 ? 172 : 205;
        auto label = std::make_unique<ui::Label>(Panel3, "Label" + std::to_string(70 + line),
                                                 U"釦" + numberText(line + 1));
        label->setBounds({left, top, 45, 13});
        auto edit = std::make_unique<ui::Edit>(Panel3, "Edit" + std::to_string(box));
        edit->setBounds({left, top + 13, 45, 19});
        definitionLabels[static_cast<std::size_t>(line)] = std::move(label);
        definitionBoxes[static_cast<std::size_t>(line)] = std::move(edit);
    }
}

void TForm2::wirePresets() {
    entry::PresetControls controls{
        .form = *this,
        .sequences = sequenceControls(),
        .Edit3 = Edit3,
        .Edit9 = Edit9,
        .entryBoxes = entryBoxes(),
        .Button7 = Button7,
        .CheckBox2 = CheckBox2,
        .Panel3 = Panel3,
        .Panel5 = Panel5,
        .ComboBox3 = ComboBox3,
        .presetButtons = {},
        .definitionBoxes = {},
        .countButtons = {},
    };
    for (std::size_t i = 0; i < 20; ++i) {
        controls.presetButtons[i] = presetButtons[i].get();
        controls.definitionBoxes[i] = definitionBoxes[i].get();
    }
    for (std::size_t i = 0; i < countButtons.size(); ++i)
        controls.countButtons[i] = countButtons[i].get();
    presets_ = std::make_unique<entry::PresetButtons>(
        controls, entry::PresetHooks{
                      .focusEntryField = [this] { FocusEntryField(); },
                      .setting = [this](int line) { return settings_.get(line); },
                      .putSetting = [this](int line, Text text) { settings_.put(line, std::move(text)); },
                      .settingsPanelClosed = [this] { closeSettingsPanel(); }});
    presets_->install();
    SpeedButton26.hide();
    SpeedButton26.onClick = [this] { presets_->ParseDefinition(); };
}

void TForm2::closeSettingsPanel() {
    (void)saveSettings();
    if (ComboBox2.visible()) {
        rebuildFilledHeader();
        colourTableBox();
    }
}

} // namespace lumitag::app
