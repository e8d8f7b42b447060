#include "entry/panel/EntryPanel.h"

#include "entry/EntryCheck.h"
#include "entry/Expansion.h"
#include "marking/FullWidth.h"
#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "platform/ProgramTitle.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Timer.h"

#include <algorithm>

namespace lumitag::entry {

namespace {

using marking::LastEntryRecord;
using marking::MarkingList;

constexpr TextView ListFullMessage = U"マーキングデータが１０００行入力されています";
constexpr TextView ListBecameFullMessage = U"マーキングデータが1000行になりました";

// Scrolling while lines are written: the list shows about 14 rows, and the top
// row never goes past the one that shows row 1000 at the bottom.
constexpr int AppendScrollMargin = 13;
constexpr int InsertScrollMargin = 14;
constexpr int LastTopRow = 986;

bool holds(const Text& text, char32_t c) {
    return text.find(c) != Text::npos;
}

} // namespace

EntryPanel::EntryPanel(EntryPanelControls controls, EntryPanelHooks hooks)
    : c_(controls), hooks_(std::move(hooks)) {}

// --- Set-up ----------------------------------------------------------------------------

void EntryPanel::install() {
    for (std::size_t i = 0; i < c_.sequences.size(); ++i)
        installSequence(i);
    installCount(c_.Edit9, false);
    installCount(c_.Edit46, true);
    installCount(c_.Edit49, true);

    c_.CheckBox4.onClick = [this] { CheckBox4Click(); };
    c_.CheckBox4.setHint(U"チェックで線番１の文字を固定（線番２と同時に固定できません ショートカット F7）");
    c_.CheckBox6.onClick = [this] { CheckBox6Click(); };
    c_.CheckBox6.setHint(U"チェックで線番２の文字を固定（線番１と同時に固定できません ショートカット F7）");
    c_.Edit6.onClick = [this] { Edit6Click(); };

    c_.Button7.onClick = [this] { Button7Click(); };
    c_.Button7.setHint(
        U"各連番、線番いずれかに文字がありクリックするとグリッドに入力されます（個数は空白でもOK）");
    c_.Button8.onClick = [this] { Button8Click(); };
    c_.Button8.setHint(U"各連番、線番テキストボックスをクリアします（ショートカット F11）");
    c_.CheckBox36.onClick = [this] { CheckBox36Click(); };
}

void EntryPanel::installSequence(std::size_t index) {
    static constexpr TextView fixHints[] = {
        U"チェックで連番１の文字を固定(ショートカット F7)",
        U"チェックで連番２の文字を固定(ショートカット F7)",
        U"チェックで連番３の文字を固定(ショートカット F7)",
    };
    const marking::SequenceControls& s = c_.sequences[index];
    const struct {
        ui::Edit& edit;
        SequenceBox box;
    } boxes[] = {{s.start, SequenceBox::Start}, {s.middle, SequenceBox::Middle}, {s.end, SequenceBox::End}};
    for (const auto& b : boxes) {
        ui::Edit& edit = b.edit;
        const SequenceBox box = b.box;
        edit.setMaxLength(3);
        edit.setImeMode(ui::ImeMode::Disabled);
        edit.onKeyPress = [this, index, box](char32_t& character) {
            if (!acceptsCharacter(sequenceMode(index), box, character))
                character = ui::chars::None;
        };
        edit.onKeyDown = [this, &edit](ui::KeyEvent& event) { fieldKeyDown(edit, event); };
        if (box == SequenceBox::Middle) {
            edit.onExit = [this, &edit] { colourOnExit(edit); };
        } else {
            edit.onExit = [this, index, &edit] { SequenceBoxExit(index, edit); };
            edit.onChange = [this] { updateOrderBox(); };
        }
    }
    s.start.setHint(U"ココには連続（間が～の時）される始値を入力（１０進3桁、１６進は２桁まで、アルファベット"
                    U"の場合は１桁）");
    for (ui::Label* indicator : {&s.tilde, &s.blank}) {
        indicator->onClick = [this, index] { CycleSequenceMode(index); };
        indicator->setHint(
            U"ココをクリックすると連番モードが変わります（’～’の時だけ始値と終値の間が連続されます）");
    }
    s.fix.onClick = [this, index] { SequenceFixClick(index); };
    s.fix.setHint(Text(fixHints[index]));
}

void EntryPanel::installCount(ui::Edit& edit, bool secondOrThird) {
    if (secondOrThird) {
        edit.setMaxLength(2);
        edit.setImeMode(ui::ImeMode::Disabled);
    }
    edit.onKeyPress = [this, secondOrThird](char32_t& character) {
        // The count box takes any text in TEXT box mode, where it holds the free text.
        const bool numbers = secondOrThird || c_.list.boxMode() != marking::BoxMode::Text;
        if (numbers && character != ui::chars::Backspace && !isAsciiDigit(character))
            character = ui::chars::None;
    };
    edit.onKeyDown = [this, &edit](ui::KeyEvent& event) { fieldKeyDown(edit, event); };
    edit.onExit = [this, &edit] { colourOnExit(edit); };
}

// --- Colours and state ------------------------------------------------------------------

bool EntryPanel::isFixed(const ui::Edit& edit) const {
    if (&edit == &c_.Edit3)
        return c_.CheckBox4.checked();
    if (&edit == &c_.Edit6)
        return c_.CheckBox6.checked();
    const std::optional<std::size_t> sequence = sequenceOf(&edit);
    return sequence && c_.sequences[*sequence].fix.checked();
}

void EntryPanel::colourOnEnter(ui::Edit& edit) {
    // A fixed field keeps its colour while it has the focus.
    if (!isFixed(edit))
        edit.setColor(FocusColor);
}

void EntryPanel::colourOnExit(ui::Edit& edit) {
    if (!isFixed(edit))
        edit.setColor(ui::colors::Window);
}

SequenceMode EntryPanel::sequenceMode(std::size_t sequence) const {
    // The indicator shown is the mode: other commands (undo, presets, the
    // A–Z store) set a mode by showing its indicator.
    const marking::SequenceControls& s = c_.sequences[sequence];
    if (s.middle.visible())
        return SequenceMode::ThreeValues;
    if (s.blank.visible())
        return SequenceMode::Pair;
    return SequenceMode::Range;
}

EntryTexts EntryPanel::texts() const {
    EntryTexts texts;
    for (std::size_t i = 0; i < c_.sequences.size(); ++i) {
        const marking::SequenceControls& s = c_.sequences[i];
        texts.sequences[i] = {sequenceMode(i), s.start.text(), s.middle.text(), s.end.text()};
    }
    texts.fixedText1 = c_.Edit3.text();
    texts.fixedText2 = c_.Edit6.text();
    // The order box counts only while it is shown.
    texts.order = c_.CheckBox36.visible() && c_.CheckBox36.checked() ? LineOrder::FirstSequenceFastest
                                                                     : LineOrder::LastSequenceFastest;
    return texts;
}

std::optional<std::size_t> EntryPanel::sequenceOf(const ui::Control* control) const {
    for (std::size_t i = 0; i < c_.sequences.size(); ++i) {
        const marking::SequenceControls& s = c_.sequences[i];
        if (control == &s.start || control == &s.middle || control == &s.end)
            return i;
    }
    return std::nullopt;
}

void EntryPanel::updateOrderBox() {
    c_.CheckBox36.setVisible(offersOrderChoice(texts().sequences));
}

void EntryPanel::SequenceBoxExit(std::size_t sequence, ui::Edit& edit) {
    if (sequenceMode(sequence) == SequenceMode::Range && !isValidRangeText(edit.text())) {
        // No message: the box is emptied and keeps the focus.
        edit.clear();
        c_.form.focusControl(&edit);
        return;
    }
    colourOnExit(edit);
}

// --- Sequence modes -----------------------------------------------------------------------

void EntryPanel::CycleSequenceMode(std::size_t sequence) {
    const marking::SequenceControls& s = c_.sequences[sequence];
    if (s.fix.checked())
        return;
    switch (sequenceMode(sequence)) {
    case SequenceMode::Range:
        s.tilde.hide();
        s.blank.show();
        break;
    case SequenceMode::Pair:
        s.blank.hide();
        s.middle.show();
        break;
    case SequenceMode::ThreeValues:
        s.middle.clear();
        s.middle.hide();
        s.tilde.show();
        focusAndSelect(s.start);
        break;
    }
}

void EntryPanel::CheckBox36Click() {
    c_.form.focusControl(&c_.Button7);
}

// --- Keys -----------------------------------------------------------------------------------

void EntryPanel::FormKeyDown(ui::KeyEvent& event) {
    if (event.key == ui::Key::Alt) {
        event.consume();
        if (altDown_)
            return; // held down: once until released
        altDown_ = true;
        const ui::Control* focused = c_.form.activeControl();
        if (focused == &c_.list.grid())
            return; // the list swallows Alt
        if (const std::optional<std::size_t> sequence = sequenceOf(focused)) {
            altModeStep_ = sequence;
            return;
        }
        focusEntryField();
        if (!c_.list.modes().stringInsert)
            c_.list.followTimer().start();
        return;
    }
    // Alt held with another key is a chord (a count or A–Z button): no mode step.
    altModeStep_.reset();
    if (event.key == ui::Key::Tab && !event.ctrl() && !event.alt()) {
        // The window keeps Tab to itself: it moves only along the entry ring.
        event.consume();
        tabKey();
    }
}

void EntryPanel::FormKeyUp(ui::KeyEvent& event) {
    if (event.key == ui::Key::Alt) {
        altDown_ = false;
        if (altModeStep_) {
            const std::size_t sequence = *altModeStep_;
            altModeStep_.reset();
            const marking::SequenceControls& s = c_.sequences[sequence];
            if (s.middle.focused())
                focusAndSelect(s.start);
            CycleSequenceMode(sequence);
        }
    }
    event.consume();
}

void EntryPanel::tabKey() {
    ui::Edit* const order[] = {&c_.Edit3, &c_.sequences[0].start, &c_.sequences[1].start,
                               &c_.Edit6, &c_.sequences[2].start, &c_.Edit9};
    const ui::Control* focused = c_.form.activeControl();
    const auto* at = std::find(std::begin(order), std::end(order), focused);
    if (at == std::end(order))
        return;
    const std::size_t next = (static_cast<std::size_t>(at - std::begin(order)) + 1) % std::size(order);
    focusAndSelect(*order[next]);
}

void EntryPanel::fieldKeyDown(ui::Edit& edit, ui::KeyEvent& event) {
    if (event.key == ui::Key::Enter) {
        event.consume();
        EnterKey(edit);
        return;
    }
    if (arrowKey(edit, event))
        event.consume();
}

std::vector<EntryPanel::RingField> EntryPanel::ring() const {
    std::vector<RingField> fields;
    for (std::size_t i = 0; i < c_.sequences.size(); ++i) {
        const marking::SequenceControls& s = c_.sequences[i];
        fields.push_back({&s.start, false});
        if (s.middle.visible())
            fields.push_back({&s.middle, true});
        fields.push_back({&s.end, false});
        if (i == 0)
            fields.push_back({&c_.Edit3, false});
        if (i == 1)
            fields.push_back({&c_.Edit6, false});
    }
    fields.push_back({&c_.Edit9, false});
    if (c_.list.boxMode() == marking::BoxMode::ThreeBox) {
        fields.push_back({&c_.Edit46, false});
        fields.push_back({&c_.Edit49, false});
    }
    return fields;
}

bool EntryPanel::arrowKey(ui::Edit& edit, ui::KeyEvent& event) {
    // Every key press in a field remembers where the caret stood.
    const bool caretStayed = lastKeyField_ == &edit && edit.selStart() == lastKeyCaret_;
    lastKeyField_ = &edit;
    lastKeyCaret_ = edit.selStart();
    if (event.modifiers != ui::Modifiers::None)
        return false;
    const bool left = event.key == ui::Key::Left;
    if (!left && event.key != ui::Key::Right)
        return false;

    if (!left && caretStayed)
        edit.setSelStart(static_cast<int>(edit.text().size()));
    const bool atEdge = left ? edit.selStart() == 0 : edit.selStart() == static_cast<int>(edit.text().size());
    if (!atEdge)
        return false;

    const std::vector<RingField> fields = ring();
    const auto at =
        std::find_if(fields.begin(), fields.end(), [&edit](const RingField& f) { return f.edit == &edit; });
    if (at == fields.end())
        return false;
    const std::size_t index = static_cast<std::size_t>(at - fields.begin());
    const std::size_t target =
        left ? (index + fields.size() - 1) % fields.size() : (index + 1) % fields.size();
    ui::Edit& next = *fields[target].edit;
    if (at->middle) {
        // Leaving a middle box leaves the target's text unselected.
        c_.form.focusControl(&next);
    } else {
        focusAndSelect(next);
    }
    return true;
}

void EntryPanel::EnterKey(ui::Edit& edit) {
    if (&edit == &c_.Edit9 || &edit == &c_.Edit46 || &edit == &c_.Edit49) {
        Button7Click();
        return;
    }
    if (ui::Edit* target = enterTarget(edit))
        focusAndSelect(*target);
}

ui::Edit* EntryPanel::enterTarget(ui::Edit& edit) {
    ui::Edit* const afterEnd[] = {&c_.Edit3, &c_.Edit6, &c_.Edit9};
    if (const std::optional<std::size_t> sequence = sequenceOf(&edit)) {
        const marking::SequenceControls& s = c_.sequences[*sequence];
        const SequenceMode mode = sequenceMode(*sequence);
        if (&edit == &s.start) {
            if (s.start.text().empty())
                return nullptr;
            if (mode == SequenceMode::ThreeValues && s.middle.text().empty())
                return &s.middle;
            return &s.end;
        }
        if (&edit == &s.middle) {
            if (s.middle.text().empty())
                return nullptr;
            return s.end.text().empty() ? &s.end : &c_.Edit9;
        }
        return isComplete(texts().sequences[*sequence]) ? afterEnd[*sequence] : nullptr;
    }
    // While a numbering 【…】 is being typed the numbering marks keep Enter in the box.
    if (!hasSomethingToEnter(texts()))
        return nullptr;
    if (&edit == &c_.Edit3 && c_.list.boxMode() == marking::BoxMode::ThreeBox) {
        const bool noCounts = c_.Edit9.text().empty() && c_.Edit46.text().empty() && c_.Edit49.text().empty();
        if (!c_.Edit9.text().empty() || noCounts)
            return &c_.Edit9;
        return !c_.Edit46.text().empty() ? &c_.Edit46 : &c_.Edit49;
    }
    return &c_.Edit9;
}

void EntryPanel::focusAndSelect(ui::Edit& edit) {
    c_.form.focusControl(&edit);
    edit.selectAll();
}

void EntryPanel::focusEntryField() {
    if (hooks_.focusEntryField)
        hooks_.focusEntryField();
}

// --- Fix boxes ------------------------------------------------------------------------------

void EntryPanel::untickRefused(ui::CheckBox& box) {
    // The box unticks itself without the effects of an untick, which would
    // empty the boxes the user was about to fix.
    refusingTick_ = true;
    box.setChecked(false);
    refusingTick_ = false;
    focusEntryField();
}

void EntryPanel::SequenceFixClick(std::size_t sequence) {
    if (refusingTick_)
        return;
    const marking::SequenceControls& s = c_.sequences[sequence];
    const bool fixed = s.fix.checked();
    if (fixed && !hasBothEnds(texts().sequences[sequence])) {
        untickRefused(s.fix);
        return;
    }
    for (ui::Edit* edit : {&s.start, &s.end, &s.middle}) {
        edit->setReadOnly(fixed);
        if (!fixed)
            edit->clear();
        edit->setColor(fixed ? FixedColor : ui::colors::Window);
    }
    focusEntryField();
}

bool EntryPanel::fixWireText(ui::CheckBox& box, ui::Edit& edit, const ui::CheckBox& other) {
    // 線番１ and 線番２ are never fixed together, and never empty.
    if (edit.text().empty() || other.checked()) {
        untickRefused(box);
        return false;
    }
    edit.setReadOnly(true);
    edit.setColor(FixedColor);
    return true;
}

void EntryPanel::CheckBox4Click() {
    if (refusingTick_)
        return;
    if (c_.CheckBox4.checked()) {
        if (fixWireText(c_.CheckBox4, c_.Edit3, c_.CheckBox6))
            focusAndSelect(c_.Edit6);
        return;
    }
    c_.Edit3.setReadOnly(false);
    c_.Edit3.setColor(FocusColor);
    focusAndSelect(c_.Edit3);
}

void EntryPanel::CheckBox6Click() {
    if (refusingTick_)
        return;
    if (c_.CheckBox6.checked()) {
        if (fixWireText(c_.CheckBox6, c_.Edit6, c_.CheckBox4))
            focusAndSelect(c_.Edit3);
        return;
    }
    c_.Edit6.setReadOnly(false);
    if (!c_.CheckBox4.checked()) {
        c_.Edit6.clear();
        c_.Edit6.setColor(ui::colors::Window);
    }
    focusAndSelect(c_.CheckBox4.checked() ? c_.Edit6 : c_.Edit3);
}

void EntryPanel::Edit6Click() {
    if (c_.CheckBox6.checked())
        focusAndSelect(c_.Edit3);
}

// --- OK -------------------------------------------------------------------------------------

void EntryPanel::Button7Click() {
    MarkingList& list = c_.list;
    const int insertion = insertionRow();
    c_.CheckBox2.setChecked(false);
    writeLastEntryRecord(insertion);

    const EntryCheck check = checkEntry(texts());
    applyEmptied(check.emptied);
    if (check.verdict == EntryVerdict::NothingToEnter) {
        finish();
        return;
    }
    if (check.verdict == EntryVerdict::StartEqualsEnd) {
        focusAndSelect(c_.sequences[check.stoppedSequence].end);
        return;
    }
    if (c_.CheckBox8.checked() && hooks_.recordHistory)
        hooks_.recordHistory();

    if (insertion > 0) {
        // Rows inserted since the last refresh count too.
        list.updateNextFreeRow();
    }
    if (list.nextFreeRow() > MarkingList::LastRow) {
        list.grid().application().showMessage(platform::MessageKind::Information, Text(ProgramTitle),
                                              Text(ListFullMessage), platform::Buttons::Ok);
        return;
    }
    c_.undo.lastEntry().firstRow = list.nextFreeRow();
    c_.Timer5.stop(); // the refresh must not recompute the next free row under the loop
    expand(check.entry, insertion);
    cleanUp();
    finish();
}

int EntryPanel::insertionRow() const {
    const MarkingList& list = c_.list;
    // In string insert mode a stopped follow timer means the user chose a row.
    if (list.modes().stringInsert && !list.followTimer().enabled() &&
        list.selection().top < list.nextFreeRow())
        return list.selection().top;
    return 0;
}

void EntryPanel::writeLastEntryRecord(int insertion) {
    LastEntryRecord& record = c_.undo.lastEntry();
    record = {};
    record.firstRow = c_.list.nextFreeRow();
    record.insertionRow = insertion;
    record.endRow = insertion;
    record.fullWidthBefore = c_.list.fullWidth();
    const ui::Edit* const fields[] = {&c_.sequences[0].start,
                                      &c_.sequences[0].end,
                                      &c_.Edit3,
                                      &c_.sequences[1].start,
                                      &c_.sequences[1].end,
                                      &c_.Edit6,
                                      &c_.sequences[2].start,
                                      &c_.sequences[2].end,
                                      &c_.Edit9,
                                      &c_.Edit16,
                                      &c_.Edit46,
                                      &c_.Edit49};
    static_assert(std::size(fields) == LastEntryRecord::FieldCount);
    for (std::size_t i = 0; i < std::size(fields); ++i)
        record.fields[i] = fields[i]->text();
    for (std::size_t i = 0; i < c_.sequences.size(); ++i) {
        record.sequenceModes[i] = sequenceMode(i);
        if (record.sequenceModes[i] == SequenceMode::ThreeValues)
            record.middleTexts[i] = c_.sequences[i].middle.text();
        else if (hooks_.pendingDefinition)
            record.middleTexts[i] = hooks_.pendingDefinition(i);
    }
    if (!c_.CheckBox36.visible())
        record.orderBox = LastEntryRecord::OrderBox::Hidden;
    else if (c_.CheckBox36.checked())
        record.orderBox = LastEntryRecord::OrderBox::Ticked;
    else
        record.orderBox = LastEntryRecord::OrderBox::Shown;
}

void EntryPanel::applyEmptied(const std::array<bool, 3>& emptied) {
    for (std::size_t i = 0; i < emptied.size(); ++i) {
        if (!emptied[i])
            continue;
        const marking::SequenceControls& s = c_.sequences[i];
        s.start.clear();
        s.middle.clear();
        s.end.clear();
    }
}

void EntryPanel::expand(const EntryTexts& entry, int insertion) {
    MarkingList& list = c_.list;
    ui::StringGrid& grid = list.grid();
    const Expansion expansion(entry);
    // In string insert mode the list stops at 1000 lines as it does when
    // appending: no line is pushed past row 1000 and none is lost.
    int lines = list.lineCount();
    int row = insertion;
    for (std::uint64_t i = 0; i < expansion.lineCount(); ++i) {
        const Text text = expansion.line(i);
        if (!list.fullWidth() && marking::isFullWidth(text))
            list.setFullWidth(true);
        if (insertion == 0) {
            const int r = list.nextFreeRow();
            writeLine(r, text);
            list.setNextFreeRow(r + 1);
            const int n = list.nextFreeRow();
            if (n > AppendScrollMargin && list.topRow() + 12 < n && list.topRow() < LastTopRow)
                list.setTopRow(n - AppendScrollMargin);
            if (list.topRow() > n)
                list.setTopRow(n - 1);
        } else {
            grid.setRowCount(grid.rowCount() + 1);
            list.shiftRowsDown(row, 1);
            c_.Button9.hide();
            writeLine(row, text);
            ++row;
            list.selectCell(1, row);
            c_.undo.lastEntry().endRow = row;
            if (row > InsertScrollMargin && list.topRow() + 12 < row && list.topRow() < LastTopRow)
                list.setTopRow(row - InsertScrollMargin);
        }
        ++lines;
        if (lines >= MarkingList::LastRow) {
            list.grid().application().showMessage(platform::MessageKind::Information, Text(ProgramTitle),
                                                  Text(ListBecameFullMessage), platform::Buttons::Ok);
            break;
        }
    }
    if (insertion > 0) {
        // The inserted lines pushed the last line down; the snapshot that
        // follows must hold it.
        list.updateNextFreeRow();
    }
}

void EntryPanel::writeLine(int row, const Text& text) {
    MarkingList& list = c_.list;
    list.setCell(1, row, text);
    list.setCell(2, row, c_.Edit9.text());
    switch (list.boxMode()) {
    case marking::BoxMode::OneBox:
        list.setCell(3, row, c_.Edit16.text());
        break;
    case marking::BoxMode::ThreeBox:
        list.setCell(3, row, c_.Edit46.text());
        list.setCell(4, row, c_.Edit49.text());
        list.setCell(5, row, c_.Edit16.text());
        break;
    case marking::BoxMode::Text:
        break;
    }
}

void EntryPanel::cleanUp() {
    c_.Edit16.clear();
    if (c_.list.boxMode() == marking::BoxMode::ThreeBox) {
        if (!c_.Edit9.text().empty()) {
            c_.Edit46.clear();
            c_.Edit49.clear();
        }
        if (!c_.Edit46.text().empty())
            c_.Edit49.clear();
    }
    int fixedSequences = 0;
    for (std::size_t i = 0; i < c_.sequences.size(); ++i) {
        const marking::SequenceControls& s = c_.sequences[i];
        if (s.fix.checked()) {
            ++fixedSequences;
            continue;
        }
        s.start.clear();
        s.end.clear();
        s.middle.clear();
        if (hooks_.forgetPendingDefinition)
            hooks_.forgetPendingDefinition(i);
    }
    if (fixedSequences < 2)
        c_.CheckBox36.hide();
    if (!c_.CheckBox4.checked() && !c_.CheckBox6.checked())
        c_.Edit6.clear();
    c_.Button9.show();
    c_.Timer5.start();
    c_.undo.SnapshotAfterEntry();
}

void EntryPanel::finish() {
    const Text wires = c_.Edit3.text() + c_.Edit6.text();
    if (holds(wires, U'【') && holds(wires, U'】') && hooks_.numberingEntered)
        hooks_.numberingEntered();
    focusEntryField();
    if (!c_.list.modes().stringInsert)
        c_.list.followTimer().start();
}

// --- Clear ----------------------------------------------------------------------------------

void EntryPanel::Button8Click() {
    for (std::size_t i = 0; i < c_.sequences.size(); ++i) {
        const marking::SequenceControls& s = c_.sequences[i];
        s.start.clear();
        s.end.clear();
        s.middle.clear();
        s.middle.hide();
        s.tilde.show();
        s.blank.hide();
        if (hooks_.forgetPendingDefinition)
            hooks_.forgetPendingDefinition(i);
    }
    c_.Edit3.clear();
    c_.Edit6.clear();
    for (ui::Edit* count : {&c_.Edit46, &c_.Edit49})
        if (count->visible())
            count->clear();
    for (ui::CheckBox* fix :
         {&c_.sequences[0].fix, &c_.CheckBox4, &c_.sequences[1].fix, &c_.CheckBox6, &c_.sequences[2].fix})
        fix->setChecked(false);
    focusAndSelect(c_.Edit3);
}

} // namespace lumitag::entry
