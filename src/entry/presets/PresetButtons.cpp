#include "entry/presets/PresetButtons.h"

#include "entry/panel/SequenceModeView.h"
#include "platform/ProgramTitle.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/SpeedButton.h"

#include <algorithm>
#include <string>

namespace lumitag::entry {

namespace {

constexpr TextView DefinitionErrorMessage = U"連番ボタンの作成にエラーがあります";

// Leading and trailing blanks and control characters go.
Text trimmed(const Text& text) {
    const auto kept = [](char32_t c) { return c > U' '; };
    const auto first = std::find_if(text.begin(), text.end(), kept);
    const auto last = std::find_if(text.rbegin(), text.rend(), kept).base();
    return first < last ? Text(first, last) : Text();
}

} // namespace

PresetButtons::PresetButtons(PresetControls controls, PresetHooks hooks)
    : c_(controls), hooks_(std::move(hooks)) {}

void PresetButtons::install() {
    for (int line = 0; line < 20; ++line) {
        ui::SpeedButton& button = *c_.presetButtons[static_cast<std::size_t>(line)];
        button.onClick = [this, line] { ApplyPreset(line); };
        ui::Edit& box = *c_.definitionBoxes[static_cast<std::size_t>(line)];
        box.setMaxLength(5);
        box.setImeMode(ui::ImeMode::Disabled);
        box.onExit = [this, &box] { DefinitionBoxExit(box); };
        ignoreAltAndEnter(box);
    }
    c_.presetButtons[0]->setHint(U"連番１～３のテキストボックスいずれかを選択後、クリックするとボタンに表示さ"
                                 U"れている文字が入力されます");

    for (int count = 1; count <= 10; ++count) {
        ui::SpeedButton& button = *c_.countButtons[static_cast<std::size_t>(count - 1)];
        button.onClick = [this, count] { CountButton(count); };
        // The buttons for even counts and 1 commit whatever has the focus:
        // pressing them first moves the focus to 線番１.
        if (count == 1 || count % 2 == 0)
            button.onMouseDown = [this](const ui::MouseEvent&) { c_.form.focusControl(&c_.Edit3); };
    }

    c_.CheckBox2.onClick = [this] { CheckBox2Click(); };
    c_.CheckBox2.setHint(U"ココにチェックをつけると連番ボタンの設定ができます");
}

void PresetButtons::showPresetButtons() {
    for (int line = 0; line < 20; ++line) {
        ui::SpeedButton& button = *c_.presetButtons[static_cast<std::size_t>(line)];
        const Text text = hooks_.setting ? hooks_.setting(line) : Text();
        button.setVisible(!text.empty());
        if (!text.empty())
            button.setCaption(text);
    }
}

// --- Presets ---------------------------------------------------------------------------------

bool PresetButtons::groupFocused(std::size_t group) const {
    const marking::SequenceControls& s = c_.sequences[group];
    if (s.start.focused() || s.end.focused() || (s.middle.visible() && s.middle.focused()))
        return true;
    return group == 0 && c_.Edit3.focused();
}

void PresetButtons::ApplyPreset(int line) {
    const Text definition = hooks_.setting ? hooks_.setting(line) : Text();
    if (definition.empty())
        return;
    for (std::size_t group = 0; group < c_.sequences.size(); ++group) {
        if (groupFocused(group)) {
            pending_[group] = definition;
            ParseDefinition();
        }
    }
}

void PresetButtons::ParseDefinition() {
    for (std::size_t group = 0; group < c_.sequences.size(); ++group) {
        if (groupFocused(group) && !pending_[group].empty()) {
            applyDefinition(group, parsePresetDefinition(pending_[group]));
            return;
        }
    }
}

void PresetButtons::applyDefinition(std::size_t group, const PresetDefinition& definition) {
    const marking::SequenceControls& s = c_.sequences[group];
    switch (definition.shape) {
    case DefinitionShape::None:
        return;
    case DefinitionShape::ThreeValues:
        showSequenceGroup(s,
                          {SequenceMode::ThreeValues, definition.start, definition.middle, definition.end});
        return;
    case DefinitionShape::Pair:
        showSequenceGroup(s, {SequenceMode::Pair, definition.start, {}, definition.end});
        return;
    case DefinitionShape::Range:
        showSequenceGroup(s, {SequenceMode::Range, definition.start, {}, definition.end});
        return;
    case DefinitionShape::RangeError:
        // The group shows a range with the texts it had.
        c_.form.application().showMessage(platform::MessageKind::Information, Text(ProgramTitle),
                                          Text(DefinitionErrorMessage), platform::Buttons::Ok);
        showSequenceMode(s, SequenceMode::Range);
        return;
    }
}

// --- Count buttons ----------------------------------------------------------------------------

void PresetButtons::CountButton(int count) {
    const bool entryFocused = std::any_of(c_.entryBoxes.begin(), c_.entryBoxes.end(),
                                          [](const ui::Edit* box) { return box->focused(); });
    if (!entryFocused)
        return;
    c_.Edit9.setText(numberText(count));
    c_.Button7.click();
    focusEntryField();
}

// --- Settings panel ---------------------------------------------------------------------------

void PresetButtons::CheckBox2Click() {
    if (c_.CheckBox2.checked())
        openSettingsPanel();
    else
        closeSettingsPanel();
}

void PresetButtons::openSettingsPanel() {
    c_.Panel5.hide();
    c_.Panel3.show();
    for (int line = 0; line < 20; ++line)
        c_.definitionBoxes[static_cast<std::size_t>(line)]->setText(hooks_.setting ? hooks_.setting(line)
                                                                                   : Text());
    const Text destination = hooks_.setting ? hooks_.setting(DestinationLine) : Text();
    if (!destination.empty())
        c_.ComboBox3.setText(destination);
}

void PresetButtons::closeSettingsPanel() {
    if (hooks_.putSetting) {
        for (int line = 0; line < 20; ++line)
            hooks_.putSetting(line, c_.definitionBoxes[static_cast<std::size_t>(line)]->text());
        hooks_.putSetting(DestinationLine, c_.ComboBox3.text());
    }
    showPresetButtons();
    c_.Panel3.hide();
    c_.Panel5.show();
    if (hooks_.settingsPanelClosed)
        hooks_.settingsPanelClosed();
    focusEntryField();
}

void PresetButtons::DefinitionBoxExit(ui::Edit& box) {
    if (!box.text().empty())
        box.setText(trimmed(box.text()));
}

void PresetButtons::focusEntryField() {
    if (hooks_.focusEntryField)
        hooks_.focusEntryField();
}

} // namespace lumitag::entry
