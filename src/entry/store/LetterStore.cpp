#include "entry/store/LetterStore.h"

#include "entry/panel/SequenceModeView.h"
#include "entry/panel/TextHint.h"
#include "platform/ProgramTitle.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/SpeedButton.h"

#include <algorithm>

namespace lumitag::entry {

namespace {

constexpr TextView CopyHint = U"クリックすると連番１，２，３、線番１，２の文字列がテキストボックスA～Zに\r\n"
                              U"登録されます（同じ文字列が登録されているとコピーできません）";
constexpr TextView ClearAllQuestion = U"テキストボックスA～Zの\r\n文字列を削除しますか？";

Text letterText(std::size_t index) {
    return Text(1, static_cast<char32_t>(U'A' + index));
}

} // namespace

LetterStore::LetterStore(LetterStoreControls controls, LetterStoreHooks hooks)
    : c_(controls), hooks_(std::move(hooks)) {}

void LetterStore::install() {
    for (std::size_t i = 0; i < LetterSlots::Count; ++i) {
        ui::SpeedButton& button = *c_.letterButtons[i];
        button.onClick = [this, i] { InsertEntry(i); };
        // A click always puts the entry back into 線番１ and the boxes beside it.
        button.onMouseDown = [this](const ui::MouseEvent&) { c_.form.focusControl(&c_.Edit3); };
        ui::Edit& box = *c_.letterBoxes[i];
        box.setTabStop(false);
        box.onClick = [this, i] {
            c_.form.focusControl(&c_.Edit3);
            c_.letterButtons[i]->click();
        };
        ignoreAltAndEnter(box);
        TextHint::install(box);
        box.setColor(BoxColor);
        ui::SpeedButton& clear = *c_.clearButtons[i];
        clear.setCaption(U"Clr");
        clear.setHint(U"左のテキストボックスをクリアし、右以降の文字列をシフトします");
        clear.onClick = [this, i] { DeleteEntry(i); };
        ui::CheckBox& pin = *c_.pinBoxes[i];
        pin.setHint(U"文字列を固定します");
        pin.hide();
        pin.onClick = [this, i] { PinChanged(i); };
    }
    c_.SpeedButton1.onClick = [this] { CopyEntry(); };
    c_.SpeedButton1.setHint(Text(CopyHint));
    c_.CheckBox8.onClick = [this] { ToggleHistoryMode(); };
    c_.Button30.onClick = [this] { ClearAll(); };
    c_.Button30.setHint(U"登録されている文字列をすべて削除します");
}

// --- The boxes as slots ------------------------------------------------------------------------

LetterSlots LetterStore::slots() const {
    LetterSlots slots;
    for (std::size_t i = 0; i < LetterSlots::Count; ++i)
        slots.texts[i] = c_.letterBoxes[i]->text();
    slots.pinned = pinned_;
    return slots;
}

void LetterStore::show(const LetterSlots& slots) {
    for (std::size_t i = 0; i < LetterSlots::Count; ++i) {
        c_.letterBoxes[i]->setText(slots.texts[i]);
        setPinBox(i, slots.pinned[i]);
    }
}

void LetterStore::setPinBox(std::size_t letter, bool ticked) {
    pinned_[letter] = ticked;
    ui::CheckBox& pin = *c_.pinBoxes[letter];
    settingPins_ = true;
    pin.setChecked(ticked);
    settingPins_ = false;
    pin.setCaption(ticked ? letterText(letter) : Text());
}

void LetterStore::refreshColours() {
    for (std::size_t i = 0; i < LetterSlots::Count; ++i)
        c_.letterBoxes[i]->setColor(pinned_[i] ? PinnedColor : BoxColor);
}

// --- Storing entries ----------------------------------------------------------------------------

EntryTexts LetterStore::entryTexts() const {
    return hooks_.entryTexts ? hooks_.entryTexts() : EntryTexts{};
}

void LetterStore::CopyEntry() {
    const EntryTexts texts = entryTexts();
    const StoredEntry entry = storedEntryOf(texts);
    if (!isStorable(entry))
        return; // a "[" in the wire texts: nothing at all
    if (!isBlank(texts)) {
        const Text text = formatStoredEntry(entry);
        LetterSlots store = slots();
        if (!store.holds(text)) {
            c_.CheckBox2.setChecked(false);
            store.pushTop(text);
            show(store);
        }
    }
    focusEntryField();
}

void LetterStore::RecordHistory() {
    const EntryTexts texts = entryTexts();
    const StoredEntry entry = storedEntryOf(texts);
    if (!isStorable(entry) || isBlank(texts))
        return;
    LetterSlots store = slots();
    if (store.record(formatStoredEntry(entry)))
        show(store);
}

// --- Putting entries back ------------------------------------------------------------------------

void LetterStore::InsertEntry(std::size_t letter) {
    pendingEntry_ = {};
    const Text& text = c_.letterBoxes[letter]->text();
    if (text.empty())
        return;
    const bool entryFocused = std::any_of(c_.entryBoxes.begin(), c_.entryBoxes.end(),
                                          [](const ui::Edit* box) { return box->focused(); });
    if (!entryFocused)
        return;
    pendingEntry_ = splitStoredEntry(text);
    ApplyEntry();
}

void LetterStore::ApplyEntry() {
    c_.Button8.click();
    for (std::size_t i = 0; i < c_.sequences.size(); ++i) {
        const Text& definition = pendingEntry_.definitions[i];
        if (definition.empty())
            continue; // the clear left the group empty and in range mode
        if (const std::optional<SequenceGroup> group = groupFromDefinition(definition))
            showSequenceGroup(c_.sequences[i], *group);
    }
    c_.Edit3.setText(pendingEntry_.wire1);
    c_.Edit6.setText(pendingEntry_.wire2);
    c_.form.focusControl(&c_.Edit3);
    c_.Edit3.selectAll();
}

// --- Removing and pinning ------------------------------------------------------------------------

void LetterStore::DeleteEntry(std::size_t letter) {
    LetterSlots store = slots();
    store.remove(letter);
    show(store);
    focusEntryField();
}

void LetterStore::PinChanged(std::size_t letter) {
    if (settingPins_)
        return;
    LetterSlots store = slots();
    if (c_.pinBoxes[letter]->checked()) {
        if (!store.pin(letter)) {
            setPinBox(letter, false); // an empty box has nothing to pin
            return;
        }
    } else if (pinned_[letter]) {
        store.remove(letter);
    } else {
        return;
    }
    show(store);
}

void LetterStore::ToggleHistoryMode() {
    const bool history = c_.CheckBox8.checked();
    c_.SpeedButton1.setEnabled(!history);
    c_.SpeedButton1.setHint(history ? Text() : Text(CopyHint));
    for (std::size_t i = 0; i < LetterSlots::Count; ++i) {
        c_.clearButtons[i]->setVisible(!history);
        c_.pinBoxes[i]->setVisible(history);
        // Leaving history mode keeps the pinned entries as ordinary ones:
        // nothing the user kept is lost.
        if (!history)
            setPinBox(i, false);
    }
    focusEntryField();
}

void LetterStore::ClearAll() {
    if (!c_.CheckBox2.checked() &&
        c_.form.application().showMessage(platform::MessageKind::Question, Text(ProgramTitle),
                                          Text(ClearAllQuestion),
                                          platform::Buttons::YesCancel) == platform::Answer::Yes) {
        LetterSlots empty;
        show(empty);
    }
    focusEntryField();
}

void LetterStore::focusEntryField() {
    if (hooks_.focusEntryField)
        hooks_.focusEntryField();
}

} // namespace lumitag::entry
