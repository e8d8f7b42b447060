// The orange window's marker adjustments: the work length box, the feed
// correction computed from measured lengths or typed as a percentage, and the
// labels of the three count columns of 3BOX.
#include "app/MarkerFileTexts.h"
#include "app/Messages.h"
#include "app/TForm2.h"
#include "markerfile/FeedCorrection.h"
#include "marking/BoxMode.h"
#include "ui/Application.h"

namespace lumitag::app {

using markerfile::FeedCorrectionOutcome;

namespace {

constexpr ui::Color FocusedBoxColor = ui::colors::FocusedBox;
constexpr TextView FeedCorrectionHint =
    U"送り補正の前にテストマーキングしてください（’I’をTBの数＋１でマーキング）";

} // namespace

void TForm2::layOutFeedCorrectionControls() {
    CheckBox37.setSize(63, CheckBox37.height());
    CheckBox37.setHint(Text(FeedCorrectionHint));
    Edit37.setHint(U"端子台の長さを入力（両端の実測値）");
    Edit38.setHint(U"テストマーキングの記銘板の長さを入力");
    Edit51.setHint(U"送り補正の数値％");
    Edit10.setMaxLength(5);
    Edit37.setMaxLength(4);
    Edit38.setMaxLength(4);
    Edit51.setMaxLength(5);
    for (ui::Edit* box : {&Edit10, &Edit37, &Edit38, &Edit51}) {
        box->setImeMode(ui::ImeMode::Disabled);
        box->onEnter = [box] { box->setColor(FocusedBoxColor); };
    }
    // A click selects the whole text (Edit38 shares the percentage box's click handler).
    for (ui::Edit* box : {&Edit10, &Edit37, &Edit38})
        box->onClick = [box] { box->selectAll(); };

    CheckBox1.onClick = [this] { CheckBox1Click(); };
    Edit10.onKeyPress = acceptDecimal;
    Edit10.onKeyDown = [this](ui::KeyEvent& event) { Edit10KeyDown(event); };
    Edit10.onExit = [this] { Edit10Exit(); };

    CheckBox37.onClick = [this] { CheckBox37Click(); };
    Edit37.onKeyPress = acceptDigits;
    Edit37.onKeyDown = [this](ui::KeyEvent& event) { Edit37KeyDown(event); };
    Edit37.onExit = [this] { Edit37.setColor(ui::colors::Window); };
    Edit38.onKeyPress = acceptDigits;
    Edit38.onKeyDown = [this](ui::KeyEvent& event) { Edit38KeyDown(event); };
    Edit38.onExit = [this] {
        Edit38.setColor(ui::colors::Window);
        computeFeedCorrection();
    };
    Edit51.onKeyPress = acceptDecimal;
    Edit51.onKeyDown = [this](ui::KeyEvent& event) {
        if (event.key == ui::Key::Enter)
            FocusEntryField();
    };
    Edit51.onExit = [this] { Edit51Exit(); };

    ComboBox4.onChange = [this] { countLabelChange(0); };
    ComboBox5.onChange = [this] { countLabelChange(1); };
    ComboBox6.onChange = [this] { countLabelChange(2); };
    for (ui::ComboBox* combo : {&ComboBox4, &ComboBox5, &ComboBox6})
        combo->setMaxLength(4);
}

void TForm2::focusEntryFieldKeepingSelection() {
    focusControl(CheckBox4.checked() ? &Edit6 : &Edit3);
}

// --- Work length ------------------------------------------------------------------------

void TForm2::ApplyWorkLength(TextView workLength) {
    filledHeader_.setWorkLength(workLength);
}

void TForm2::applyChangedWorkLength() {
    // An emptied box would write "WorkLength=" without a value: it counts as unchanged.
    if (Edit10.visible() && !Edit10.text().empty() && Edit10.text() != loadedWorkLength_)
        ApplyWorkLength(Edit10.text());
}

void TForm2::CheckBox1Click() {
    if (CheckBox1.checked()) {
        Edit10.show();
        rememberedWorkLengthLine_ = filledHeader_.entry(markerfile::headerEntry::tableFontWorkLength);
        const std::size_t keyLength = WorkLengthKey.size();
        Edit10.setText(rememberedWorkLengthLine_.size() > keyLength
                           ? rememberedWorkLengthLine_.substr(keyLength)
                           : Text());
        loadedWorkLength_ = Edit10.text();
        focusControl(&Edit10);
        Edit10.selectAll();
        Edit10.setColor(FocusedBoxColor);
        return;
    }
    markerState_.customWorkLength.clear();
    rebuildFilledHeader();
    Edit10.hide();
}

bool TForm2::applyWorkLengthBox() {
    const Text text = Edit10.text();
    if (text.empty() || text == loadedWorkLength_)
        return false;
    ApplyWorkLength(text);
    markerState_.customWorkLength = text;
    Edit10.setColor(ui::colors::Window);
    // A new work length invalidates a feed correction measured with the old one.
    CheckBox37.setChecked(false);
    return true;
}

void TForm2::Edit10KeyDown(ui::KeyEvent& event) {
    swallowAlt(event);
    if (event.key == ui::Key::Enter && Edit10.visible() && applyWorkLengthBox())
        FocusEntryField();
}

void TForm2::Edit10Exit() {
    Edit10.setColor(ui::colors::Window);
    if (!Edit10.visible())
        return;
    if (Edit10.text().empty())
        Edit10.setText(loadedWorkLength_);
    else
        applyWorkLengthBox();
}

// --- Feed correction ------------------------------------------------------------------------

void TForm2::CheckBox37Click() {
    const bool on = CheckBox37.checked();
    for (ui::Control* control : {static_cast<ui::Control*>(&Edit37), static_cast<ui::Control*>(&Edit51),
                                 static_cast<ui::Control*>(&Edit38), static_cast<ui::Control*>(&Label59)})
        control->setVisible(on);
    markerState_.feedCorrectionOn = on;
    const Text& tableValue = tableStore_.cell(selectedTable(), markerfile::tableColumn::feedCorrection);
    if (on) {
        CheckBox37.setCaption(U"%");
        CheckBox37.setSize(50, CheckBox37.height());
        CheckBox37.setHint({});
        focusControl(&Edit37);
        if (markerState_.feedCorrectionPercentage.empty()) {
            Edit51.setText(markerfile::trimBlanks(tableValue));
            markerState_.feedCorrectionPercentage = Edit51.text();
        } else {
            Edit51.setText(markerState_.feedCorrectionPercentage);
        }
        return;
    }
    CheckBox37.setCaption(U"送り補正");
    CheckBox37.setSize(63, CheckBox37.height());
    CheckBox37.setHint(Text(FeedCorrectionHint));
    Edit37.clear();
    Edit38.clear();
    markerState_.terminalBlockLength.clear();
    markerState_.testPlateLength.clear();
    markerState_.feedCorrectionPercentage.clear();
    filledHeader_.setHosei(tableValue);
}

void TForm2::Edit37KeyDown(ui::KeyEvent& event) {
    swallowAlt(event);
    const bool atEnd = Edit37.caret() == static_cast<int>(Edit37.text().size());
    if ((event.key == ui::Key::Enter || (event.key == ui::Key::Right && atEnd)) && !Edit37.text().empty()) {
        focusControl(&Edit38);
        Edit38.selectAll();
        event.consume();
    }
}

void TForm2::Edit38KeyDown(ui::KeyEvent& event) {
    swallowAlt(event);
    if (event.key == ui::Key::Left && Edit38.caret() == 0) {
        focusControl(&Edit37);
        Edit37.selectAll();
        event.consume();
    } else if (event.key == ui::Key::Enter) {
        if (computeFeedCorrection())
            focusEntryFieldKeepingSelection();
    }
}

bool TForm2::computeFeedCorrection() {
    if (Edit37.text().empty() || Edit38.text().empty())
        return false;
    const Text& tableValue = tableStore_.cell(selectedTable(), markerfile::tableColumn::feedCorrection);
    const markerfile::FeedCorrection result =
        markerfile::computeFeedCorrection(Edit37.text(), Edit38.text(), tableValue);
    switch (result.outcome) {
    case FeedCorrectionOutcome::LengthsUnusable:
        Edit38.clear();
        return false;
    case FeedCorrectionOutcome::OutOfRange:
    case FeedCorrectionOutcome::NotANumber:
        showMessage(application(), result.outcome == FeedCorrectionOutcome::OutOfRange
                                       ? Text(FeedCorrectionOutOfRangeMessage)
                                       : tableCorrectionNotANumberMessage(tableValue));
        focusControl(&Edit38);
        Edit38.clear();
        return false;
    case FeedCorrectionOutcome::Accepted:
        break;
    }
    Edit51.setText(result.percentage);
    filledHeader_.setHosei(result.percentage);
    markerState_.terminalBlockLength = Edit37.text();
    markerState_.testPlateLength = Edit38.text();
    markerState_.feedCorrectionPercentage = result.percentage;
    return true;
}

void TForm2::Edit51Exit() {
    Edit51.setColor(ui::colors::Window);
    if (Edit51.text().empty())
        Edit51.setText(markerState_.feedCorrectionPercentage);
    if (Edit51.text().empty())
        return; // nothing typed and nothing applied before: nothing to check
    const Text typed = Edit51.text();
    const markerfile::FeedCorrection result = markerfile::checkTypedFeedCorrection(typed);
    if (result.outcome != FeedCorrectionOutcome::Accepted) {
        showMessage(application(), result.outcome == FeedCorrectionOutcome::OutOfRange
                                       ? Text(FeedCorrectionOutOfRangeMessage)
                                       : typedCorrectionNotANumberMessage(typed));
        focusControl(&Edit51);
        Edit51.setText(markerState_.feedCorrectionPercentage);
        return;
    }
    filledHeader_.setHosei(result.percentage);
    markerState_.feedCorrectionPercentage = result.percentage;
}

void TForm2::takeOverSharedMarkerState() {
    rebuildFilledHeader();
    colourTableBox();
    if (!markerState_.customWorkLength.empty()) {
        ApplyWorkLength(markerState_.customWorkLength);
        if (Edit10.visible())
            Edit10.setText(markerState_.customWorkLength);
    }
    if (markerState_.feedCorrectionOn && !markerState_.feedCorrectionPercentage.empty())
        filledHeader_.setHosei(markerState_.feedCorrectionPercentage);
}

// --- Count labels of 3BOX ------------------------------------------------------------------

void TForm2::countLabelChange(int index) {
    if (list_.boxMode() != marking::BoxMode::ThreeBox)
        return;
    ui::ComboBox* combos[] = {&ComboBox4, &ComboBox5, &ComboBox6};
    ui::Label* labels[] = {&Label6, &Label56, &Label57};
    ui::RadioButton* buttons[] = {&RadioButton10, &RadioButton11, &RadioButton12};
    const Text& text = combos[index]->text();
    ui::Label& label = *labels[index];
    label.setCaption(text);
    const int length = static_cast<int>(text.size());
    if (length >= 1 && length <= 4)
        label.setPosition(marking::countLabelLeft(index, length), label.top());
    StringGrid1.setCell(2 + index, 0, U" " + text);
    buttons[index]->setCaption(text);
}

} // namespace lumitag::app
