// The orange window's A–Z string store: its clear buttons and pin boxes,
// and the wiring of its handlers.
#include "app/TForm2.h"

#include <string>

namespace lumitag::app {

void TForm2::layOutLetterStoreControls() {
    // Each slot: the letter button, the box, then the clear button (copy
    // mode) or the pin box (history mode) in the same place.
    for (std::size_t i = 0; i < 26; ++i) {
        const ui::Rect box = letterBoxes[i]->bounds();
        const std::string letter(1, static_cast<char>('A' + i));
        auto clear = std::make_unique<ui::SpeedButton>(Panel5, "SpeedButton" + letter + "C");
        clear->setBounds({box.left + box.width + 2, box.top, 30, box.height});
        auto pin = std::make_unique<ui::CheckBox>(Panel5, "CheckBox" + std::to_string(9 + i));
        pin->setBounds({box.left + box.width + 4, box.top + 2, 30, 17});
        letterClearButtons[i] = std::move(clear);
        pinBoxes[i] = std::move(pin);
    }
    CheckBox8.setBounds({372, 210, 100, 13});
    Button30.setBounds({372, 224, 66, 13});
    // A button 13 pixels high: its caption fits only a size below the window's.
    ui::Font small;
    small.size = 8;
    Button30.setFont(small);
}

void TForm2::wireLetterStore() {
    entry::LetterStoreControls controls{
        .form = *this,
        .sequences = sequenceControls(),
        .Edit3 = Edit3,
        .Edit6 = Edit6,
        .entryBoxes = entryBoxes(),
        .letterButtons = {},
        .letterBoxes = {},
        .clearButtons = {},
        .pinBoxes = {},
        .SpeedButton1 = SpeedButton1,
        .CheckBox8 = CheckBox8,
        .CheckBox2 = CheckBox2,
        .Button30 = Button30,
        .Button8 = Button8,
    };
    for (std::size_t i = 0; i < 26; ++i) {
        controls.letterButtons[i] = letterButtons[i].get();
        controls.letterBoxes[i] = letterBoxes[i].get();
        controls.clearButtons[i] = letterClearButtons[i].get();
        controls.pinBoxes[i] = pinBoxes[i].get();
    }
    letterStore_ = std::make_unique<entry::LetterStore>(
        controls, entry::LetterStoreHooks{.focusEntryField = [this] { FocusEntryField(); },
                                          .entryTexts = [this] { return entryPanel_.texts(); }});
    letterStore_->install();
    SpeedButton28.hide();
    SpeedButton28.onClick = [this] { letterStore_->ApplyEntry(); };
}

} // namespace lumitag::app
