#include "entry/marks/NumberingMarks.h"

#include "entry/SequenceGroup.h"
#include "entry/marks/MarkRules.h"
#include "marking/MarkingList.h"
#include "platform/ProgramTitle.h"
#include "ui/Application.h"
#include "ui/Edit.h"
#include "ui/Events.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/SpeedButton.h"

namespace lumitag::entry {

namespace {

constexpr TextView StartValueCharacters = U"1234567890ABCDEF【】";
constexpr TextView EndValueCharacters = U"1234567890ABCDEF";
constexpr TextView StartValueMessage = U"始値は数字・英大文字A～Fのみ入力できます";
constexpr TextView EndValueMessage = U"終値は数字・英大文字A～Fのみ入力できます";
constexpr TextView NumberingInListMessage =
    U"グリッド内に全角文字（全角英数字、漢字、ひらがな等）がある時、”ナンバーリング【】”は入力できません";
constexpr TextView NumberingInWireMessage =
    U"線番１か線番２に全角文字（全角英数字、漢字、ひらがな等）がある時、”ナンバーリング【】”は入力できません";
constexpr TextView CloseInListMessage =
    U"グリッド内に全角文字（漢字、ひらがな等）がある時、”ナンバーリング【】”は無効になります";
constexpr TextView MultiLineInListMessage =
    U"グリッド内に全角文字（全角英数字、漢字、ひらがな等）がある時、”多段改行｜”は入力できません";
constexpr TextView MultiLineInWireMessage =
    U"線番１か線番２に全角文字（全角英数字、漢字、ひらがな等）がある時、”多段改行｜”は入力できません";

constexpr std::size_t NotFound = Text::npos;

int at(std::size_t index) {
    return static_cast<int>(index);
}

bool holds(TextView text, char32_t c) {
    return text.find(c) != TextView::npos;
}

bool hasBothTexts(const marking::SequenceControls& s) {
    return !s.start.text().empty() && !s.end.text().empty();
}

// Puts a mark at the caret without touching a selection.
void insertAtCaret(ui::Edit& box, char32_t mark) {
    const int caret = box.selStart();
    Text text = box.text();
    text.insert(static_cast<std::size_t>(caret), 1, mark);
    box.setText(text);
    box.setSelStart(caret + 1);
}

} // namespace

NumberingMarks::NumberingMarks(NumberingMarkControls controls) : c_(controls) {}

void NumberingMarks::install() {
    c_.SpeedButton22.onClick = [this] { SpeedButton22Click(); };
    c_.SpeedButton22.setHint(
        U"ナンバーリング用記号入力（CTK仕様）始値をカッコしてください(ショートカット F6)");
    c_.SpeedButton23.onClick = [this] { SpeedButton23Click(); };
    c_.SpeedButton23.setHint(U"カッコを閉じないと終値は入力できません(ショートカット F6)");
    c_.SpeedButton24.onClick = [this] { SpeedButton24Click(); };
    c_.SpeedButton24.setHint(U"ワークの中で改行させる記号入力（CTK仕様ショートカット F5）");

    installWireBox(c_.Edit3);
    installWireBox(c_.Edit6);

    ui::Edit& end = c_.Edit16;
    end.setMaxLength(5);
    end.setImeMode(ui::ImeMode::Disabled);
    end.setHint(U"終値を入力（０～９，A～Fのキーのみ）");
    end.onKeyPress = [this](char32_t& character) { Edit16KeyPress(character); };
    end.onKeyDown = [this](ui::KeyEvent& event) {
        if (event.key == ui::Key::Enter && event.modifiers == ui::Modifiers::None) {
            event.consume();
            Edit16Enter();
        }
    };
}

void NumberingMarks::installWireBox(ui::Edit& box) {
    box.onKeyPress = [this, &box](char32_t& character) { wireKeyPress(box, character); };
    box.onChange = [&box] { box.setHint(box.text()); };
}

void NumberingMarks::Edit3Enter() {
    numberingFlag_ = false;
}

void NumberingMarks::Edit6Enter() {
    const Text& text = c_.Edit6.text();
    const std::size_t open = text.find(NumberingOpen);
    const std::size_t close = text.find(NumberingClose);
    const int caret = c_.Edit6.selStart();
    if (open != NotFound && close != NotFound && caret > at(open) && caret <= at(close))
        numberingFlag_ = true;
}

void NumberingMarks::WireBoxKeyDown(ui::Edit& box, ui::KeyEvent& event) {
    if (event.key == ui::Key::Enter && event.modifiers == ui::Modifiers::None && wireEnter(box))
        event.consume();
}

void NumberingMarks::WireBoxExit(ui::Edit& box) {
    // Leaving the box gives Japanese input back.
    box.setImeMode(ui::ImeMode::DontCare);
}

// --- Typing in 線番１ and 線番２ -------------------------------------------------------------

void NumberingMarks::wireKeyPress(ui::Edit& box, char32_t& character) {
    const Text& text = box.text();
    if (caretInsideNumbering(text, box.selStart())) {
        if (character == ui::chars::Backspace || character == ui::chars::Enter)
            return;
        if (!holds(StartValueCharacters, character)) {
            character = ui::chars::None;
            showMessage(StartValueMessage);
        }
        return;
    }
    if (!holds(text, NumberingOpen) && !holds(text, NumberingClose)) {
        numberingFlag_ = false;
        c_.Edit16.clear();
    }
}

bool NumberingMarks::wireEnter(ui::Edit& box) {
    const Text& text = box.text();
    const int caret = box.selStart();
    const std::size_t open = text.find(NumberingOpen);
    if (caretInsideNumbering(text, caret, 1)) {
        // At least two characters after "【": Enter closes the start value.
        if (!holds(text, NumberingClose))
            insertAtCaret(box, NumberingClose);
        focusEndValueBox();
        return true;
    }
    if (open != NotFound && !holds(text, NumberingClose) && caret == at(open) + 2) {
        numberingFlag_ = true;
        return true;
    }
    // While a numbering is being typed, Enter stays in the box.
    return numberingFlag_;
}

void NumberingMarks::focusEndValueBox() {
    ui::Edit& target = c_.list.boxMode() == marking::BoxMode::Text ? c_.Edit9 : c_.Edit16;
    c_.form.focusControl(&target);
}

// --- The end value box ---------------------------------------------------------------------

void NumberingMarks::Edit16KeyPress(char32_t& character) {
    if (character == ui::chars::Backspace || character == ui::chars::Enter ||
        holds(EndValueCharacters, character))
        return;
    character = ui::chars::None;
    showMessage(EndValueMessage);
}

void NumberingMarks::Edit16Enter() {
    if (c_.Edit16.text().empty())
        return;
    for (ui::Edit* box : {&c_.Edit3, &c_.Edit6}) {
        const std::size_t close = box->text().find(NumberingClose);
        if (close == NotFound)
            continue;
        c_.form.focusControl(box);
        // One character after the position of "】": past the character the
        // marker reads together with the bracket.
        box->setSelStart(std::min(at(close) + 2, at(box->text().size())));
        numberingFlag_ = false;
        return;
    }
}

bool NumberingMarks::refuseEqualEndValue() {
    const Text wires = c_.Edit3.text() + c_.Edit6.text();
    const std::size_t open = wires.find(NumberingOpen);
    const std::size_t close = wires.find(NumberingClose);
    if (open == NotFound || close == NotFound || close < open)
        return false;
    if (c_.Edit16.text() != wires.substr(open + 1, close - open - 1))
        return false;
    // A numbering that starts and ends on the same value counts nothing.
    c_.Edit16.clear();
    c_.form.focusControl(&c_.Edit16);
    return true;
}

// --- The mark buttons and their keys ---------------------------------------------------------

Text NumberingMarks::partText(const ui::Edit& box) const {
    if (box.focused() ? box.selStart() != 0 : !box.text().empty())
        return box.text();
    return {};
}

ui::Edit* NumberingMarks::focusedWireBox() const {
    if (c_.Edit3.focused())
        return &c_.Edit3;
    if (c_.Edit6.focused())
        return &c_.Edit6;
    return nullptr;
}

bool NumberingMarks::refuseFullWidthInList(TextView message) const {
    if (!c_.list.fullWidth())
        return false;
    showMessage(message);
    return true;
}

bool NumberingMarks::refuseFullWidthWire(const Text& parts, TextView message) const {
    if (focusedWireBox() == nullptr || parts.empty() || !hasCharacterAbove127(withoutFirstBrackets(parts)))
        return false;
    showMessage(message);
    return true;
}

void NumberingMarks::disableInputMethod(ui::Edit& box) {
    box.setImeMode(ui::ImeMode::Disabled);
}

void NumberingMarks::SpeedButton22Click() {
    if (refuseFullWidthInList(NumberingInListMessage))
        return;
    const Text parts = partText(c_.Edit3) + partText(c_.Edit6);
    if (refuseFullWidthWire(parts, NumberingInWireMessage))
        return;
    ui::Edit* box = focusedWireBox();
    if (holds(parts, NumberingOpen) || box == nullptr)
        return;
    box->setSelText(Text(1, NumberingOpen));
    numberingFlag_ = true;
    disableInputMethod(*box);
}

void NumberingMarks::SpeedButton23Click() {
    if (refuseFullWidthInList(CloseInListMessage))
        return;
    for (ui::Edit* box : {&c_.Edit3, &c_.Edit6}) {
        const Text& text = box->text();
        const std::size_t open = text.find(NumberingOpen);
        if (!box->focused() || open == NotFound || holds(text, NumberingClose) ||
            box->selStart() <= at(open) + 2)
            continue;
        insertAtCaret(*box, NumberingClose);
        c_.form.focusControl(&c_.Edit16);
        return;
    }
}

void NumberingMarks::SpeedButton24Click() {
    if (refuseFullWidthInList(MultiLineInListMessage))
        return;
    const marking::SequenceControls& first = c_.sequences[0];
    const marking::SequenceControls& second = c_.sequences[1];
    const Text secondTexts = hasBothTexts(second) ? second.start.text() + second.end.text() : Text();
    const Text parts = partText(c_.Edit3) + secondTexts + partText(c_.Edit6);
    if (refuseFullWidthWire(parts, MultiLineInWireMessage))
        return;
    ui::Edit* box = focusedWireBox();
    if (box == nullptr || caretInsideNumbering(box->text(), box->selStart()))
        return; // no mark inside a numbering
    const std::size_t mark = parts.find(MultiLineMark);
    if (mark != NotFound && parts.find(MultiLineMark, mark + 1) != NotFound)
        return;                 // at most two marks
    const int f = at(mark) + 1; // position of the first mark, counted from 1
    const int caret = box->selStart();
    const auto besideMark = [&](int index) { return mark != NotFound && (index == f - 1 || index == f); };

    if (box == &c_.Edit3) {
        if ((caret != 0 || hasBothTexts(first)) && !besideMark(caret)) {
            insertAtCaret(*box, MultiLineMark);
            disableInputMethod(*box);
        }
        return;
    }
    if (caret != 0 || !c_.Edit3.text().empty() || hasBothTexts(first) || hasBothTexts(second)) {
        const int before = at(c_.Edit3.text().size() + secondTexts.size());
        if (!besideMark(caret + before)) {
            insertAtCaret(*box, MultiLineMark);
            disableInputMethod(*box);
        }
    }
}

void NumberingMarks::N12Click() {
    if (!c_.Edit3.text().empty() || !c_.Edit6.text().empty())
        SpeedButton24Click();
}

void NumberingMarks::N13Click() {
    if (holds(c_.Edit3.text() + c_.Edit6.text(), NumberingOpen))
        SpeedButton23Click();
    else
        SpeedButton22Click();
}

void NumberingMarks::showMessage(TextView text) const {
    c_.form.application().showMessage(platform::MessageKind::Information, Text(ProgramTitle), Text(text),
                                      platform::Buttons::Ok);
}

} // namespace lumitag::entry
