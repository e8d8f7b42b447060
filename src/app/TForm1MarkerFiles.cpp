// The blue window's marker controls: its own table box and filled header, the
// work length and feed correction it shares with the orange window, and
// saving and marking the result of its conversions.
#include "app/CharacterLoss.h"
#include "app/MarkerFileTexts.h"
#include "app/Messages.h"
#include "app/ProgramFiles.h"
#include "app/SettingsLines.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "conversion/ResultList.h"
#include "markerfile/DestinationRow.h"
#include "markerfile/FeedCorrection.h"
#include "markerfile/TableFile.h"
#include "ui/Application.h"

namespace lumitag::app {

using markerfile::FeedCorrectionOutcome;

namespace {

constexpr ui::Color FocusedBoxColor = ui::colors::FocusedBox;

std::vector<ui::Control*> feedCorrectionControls(TForm1& w) {
    return {&w.Edit51, &w.Label20, &w.Label55, &w.Edit35, &w.Edit39};
}

} // namespace

void TForm1::layOutMarkerControls() {
    ComboBox2.setText(U"CTKテーブル");
    ComboBox2.setHint(U"CTKテーブルを選択できます");
    ComboBox2.setDropDownCount(20);
    ComboBox2.onChange = [this] { SelectTable(); };
    ComboBox2.onDropDown = [this] { ComboBox2.setColor(ui::colors::Window); };
    ComboBox2.onCloseUp = [this] {
        colourTableBox();
        focusConversionStart();
    };
    // As in the orange window the table box passes a keyboard focus on,
    // except while the mouse is over it, so that a click still opens it.
    ComboBox2.onEnter = [this] {
        if (tableBoxPassesFocus_)
            focusFirstSettingBox();
    };
    ComboBox2.onMouseEnter = [this] { tableBoxPassesFocus_ = false; };
    ComboBox2.onMouseLeave = [this] { tableBoxPassesFocus_ = true; };

    Button9.setHint(U"CTKデータを保存します　(ショートカット F8)");
    Button3.setHint(
        U"CTKソフトを起動してマーキングします（すでに起動済みの時は終了してからクリック　ショートカ"
        U"ット F10）");
    Button9.onClick = [this] { SaveMarkerData(); };
    Button3.onClick = [this] { MarkWithMarkerSoftware(); };
    Button9.hide();
    Button3.hide();

    Edit35.setHint(U"端子台の長さを入力（実測値）");
    Edit39.setHint(U"テストマーキングの記名板の長さを入力");
    Edit51.setHint(U"送り補正の数値％");
    // These show their hints whatever the window's hint switch says.
    for (ui::Control* control : std::initializer_list<ui::Control*>{&Edit51, &CheckBox4, &Edit35, &Edit39})
        control->setShowHint(true);
    Edit34.setMaxLength(5);
    Edit35.setMaxLength(4);
    Edit39.setMaxLength(4);
    Edit51.setMaxLength(5);
    for (ui::Edit* box : {&Edit34, &Edit35, &Edit39, &Edit51}) {
        box->setImeMode(ui::ImeMode::Disabled);
        box->onEnter = [box] { box->setColor(FocusedBoxColor); };
        box->onClick = [box] { box->selectAll(); };
    }
    Edit34.hide();
    for (ui::Control* control : feedCorrectionControls(*this))
        control->hide();
    CheckBox4.hide();

    CheckBox3.onClick = [this] { CheckBox3Click(); };
    Edit34.onKeyPress = acceptDecimal;
    Edit34.onKeyDown = [this](ui::KeyEvent& event) { Edit34KeyDown(event); };
    Edit34.onExit = [this] { Edit34Exit(); };
    CheckBox4.onClick = [this] { CheckBox4Click(); };
    Edit35.onKeyPress = acceptDigits;
    Edit35.onKeyDown = [this](ui::KeyEvent& event) { Edit35KeyDown(event); };
    Edit35.onExit = [this] { Edit35.setColor(ui::colors::Window); };
    Edit39.onKeyPress = acceptDigits;
    Edit39.onKeyDown = [this](ui::KeyEvent& event) { Edit39KeyDown(event); };
    Edit39.onExit = [this] {
        Edit39.setColor(ui::colors::Window);
        computeFeedCorrection();
    };
    Edit51.onKeyPress = acceptDecimal;
    Edit51.onKeyDown = [this](ui::KeyEvent& event) {
        if (event.key == ui::Key::Enter)
            focusControl(&CheckBox4);
    };
    Edit51.onExit = [this] { Edit51Exit(); };
    placeMarkerControls();
}

void TForm1::placeMarkerControls() {
    // Beside and under the table box, moving with it as the window widens: the
    // work length (tick and box) under the table box, the feed correction in
    // the column right of it (tick, the two lengths, the percentage last, under
    // the orange-mode switch). Inside a window of 200 pixels by the 738 of a
    // 768-pixel screen with a taskbar.
    const int column = ComboBox2.left() - 2;
    const int top = ComboBox2.top();
    CheckBox4.setBounds({column + 112, top, 75, 20});
    CheckBox3.setBounds({column + 2, top + 22, 64, 20});
    Edit34.setBounds({column + 68, top + 22, 41, 21});
    Edit35.setBounds({column + 112, top + 22, 28, 21});
    Edit39.setBounds({column + 142, top + 22, 28, 21});
    Label20.setBounds({column + 105, top + 73, 45, 13});
    Edit51.setBounds({column + 152, top + 70, 35, 21});
    Label55.setBounds({column + 189, top + 73, 10, 13});
}

// --- The table ------------------------------------------------------------------------------

void TForm1::loadTableFile() {
    const std::filesystem::path path = programFile(services_.programDirectory, TableFileName);
    platform::Result<markerfile::LoadedTableFile> loaded =
        services_.files.fileExists(path) ? markerfile::LoadTableFile(services_.files, path)
                                         : platform::Result<markerfile::LoadedTableFile>::failure("missing");
    if (!loaded) {
        // The orange window tells the user about a file it cannot read.
        tableFilePresent_ = false;
        ComboBox2.hide();
        CheckBox3.hide();
        return;
    }
    // Read exactly as the orange window reads it, so that both windows write
    // the same header for the same table.
    tableFilePresent_ = true;
    tableStore_ = loaded.value().store;
    ComboBox2.setItems(markerfile::tableBoxItems(loaded.value()));
    ComboBox2.setItemIndex(0);
    colourTableBox();
    rebuildFilledHeader();
    CheckBox3.setChecked(false);
    CheckBox4.setVisible(filledHeader_.offersFeedCorrection());
}

std::size_t TForm1::selectedTable() const {
    const int index = ComboBox2.itemIndex();
    return markerfile::selectedTableRow(
        index < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(index)));
}

void TForm1::colourTableBox() {
    const int index = ComboBox2.itemIndex();
    if (index < 0)
        return;
    if (const auto colour = markerfile::tableBoxColour(static_cast<std::size_t>(index)))
        ComboBox2.setColor({colour->red, colour->green, colour->blue});
}

void TForm1::rebuildFilledHeader() {
    const std::size_t row = selectedTable();
    const TextView destination = settingsCopy_.size() > static_cast<std::size_t>(settingsLine::Destination)
                                     ? TextView(settingsCopy_[settingsLine::Destination])
                                     : TextView();
    filledHeader_ =
        markerfile::RebuildFilledHeader(tableStore_, row, markerfile::destinationRow(destination, row));
}

const Text& TForm1::tableCorrectionValue() const {
    return tableStore_.cell(selectedTable(), markerfile::tableColumn::feedCorrection);
}

void TForm1::SelectTable() {
    colourTableBox();
    rebuildFilledHeader();
    for (ui::Edit* box : {&Edit35, &Edit39, &Edit34}) {
        box->hide();
        box->clear();
    }
    markerfile::SharedMarkerState& shared = orange_->markerState();
    shared.terminalBlockLength.clear();
    shared.testPlateLength.clear();
    CheckBox3.setChecked(false);
    CheckBox4.setChecked(false);
    CheckBox4.setVisible(filledHeader_.offersFeedCorrection());
    focusConversionStart();
}

void TForm1::followOrangeTable(const markerfile::ConditionHeader& orangeHeader) {
    CheckBox4.setVisible(orangeHeader.offersFeedCorrection());
    filledHeader_.setEntry(markerfile::headerEntry::tableFontHosei,
                           orangeHeader.entry(markerfile::headerEntry::tableFontHosei));
    filledHeader_.setEntry(markerfile::headerEntry::windowsFontHosei,
                           orangeHeader.entry(markerfile::headerEntry::windowsFontHosei));
}

void TForm1::refreshMarkerControls() {
    if (!ComboBox2.visible())
        return;
    colourTableBox();
    rebuildFilledHeader();
    markerfile::SharedMarkerState& shared = orange_->markerState();
    // The handlers below may clear parts of the shared state; what the orange
    // window left is what this window shows.
    const markerfile::SharedMarkerState carried = shared;

    if (!carried.customWorkLength.empty()) {
        CheckBox3.setChecked(true);
        Edit34.show();
        Edit34.setText(carried.customWorkLength);
        loadedWorkLength_ = carried.customWorkLength;
        filledHeader_.setWorkLength(carried.customWorkLength);
        shared.customWorkLength = carried.customWorkLength;
    } else {
        CheckBox3.setChecked(false);
    }

    CheckBox4.setVisible(filledHeader_.offersFeedCorrection());
    const bool lengthsSet = !carried.terminalBlockLength.empty() && !carried.testPlateLength.empty();
    if (carried.feedCorrectionOn && (lengthsSet || orange_->Edit51.visible())) {
        CheckBox4.setChecked(true);
        for (ui::Control* control : feedCorrectionControls(*this))
            control->show();
        Edit35.setText(carried.terminalBlockLength);
        Edit39.setText(carried.testPlateLength);
        shared.terminalBlockLength = carried.terminalBlockLength;
        shared.testPlateLength = carried.testPlateLength;
        shared.feedCorrectionOn = true;
        if (!carried.feedCorrectionPercentage.empty()) {
            Edit51.setText(carried.feedCorrectionPercentage);
            filledHeader_.setHosei(carried.feedCorrectionPercentage);
            shared.feedCorrectionPercentage = carried.feedCorrectionPercentage;
        }
    } else {
        CheckBox4.setChecked(false);
    }
}

// --- Work length ----------------------------------------------------------------------------

void TForm1::applyChangedWorkLength() {
    // An emptied box would write "WorkLength=" without a value: it counts as unchanged.
    if (Edit34.visible() && !Edit34.text().empty() && Edit34.text() != loadedWorkLength_)
        applyWorkLengthBox();
}

void TForm1::CheckBox3Click() {
    markerfile::SharedMarkerState& shared = orange_->markerState();
    if (CheckBox3.checked()) {
        Edit34.show();
        rememberedWorkLengthLine_ = filledHeader_.entry(markerfile::headerEntry::tableFontWorkLength);
        const std::size_t keyLength = WorkLengthKey.size();
        Edit34.setText(rememberedWorkLengthLine_.size() > keyLength
                           ? rememberedWorkLengthLine_.substr(keyLength)
                           : Text());
        loadedWorkLength_ = Edit34.text();
        focusControl(&Edit34);
        Edit34.selectAll();
        Edit34.setColor(FocusedBoxColor);
        return;
    }
    shared.customWorkLength.clear();
    rebuildFilledHeader();
    Edit34.hide();
}

bool TForm1::applyWorkLengthBox() {
    const Text text = Edit34.text();
    if (text.empty() || text == loadedWorkLength_)
        return false;
    filledHeader_.setWorkLength(text);
    orange_->markerState().customWorkLength = text;
    Edit34.setColor(ui::colors::Window);
    // A new work length invalidates a feed correction measured with the old one.
    CheckBox4.setChecked(false);
    return true;
}

void TForm1::Edit34KeyDown(ui::KeyEvent& event) {
    swallowAlt(event);
    if (event.key == ui::Key::Enter && Edit34.visible() && applyWorkLengthBox())
        focusControl(Button5.visible() ? static_cast<ui::Control*>(&Button5) : &Button2);
}

void TForm1::Edit34Exit() {
    Edit34.setColor(ui::colors::Window);
    if (!Edit34.visible())
        return;
    if (Edit34.text().empty())
        Edit34.setText(loadedWorkLength_);
    else
        applyWorkLengthBox();
}

// --- Feed correction ------------------------------------------------------------------------

void TForm1::CheckBox4Click() {
    const bool on = CheckBox4.checked();
    for (ui::Control* control : feedCorrectionControls(*this))
        control->setVisible(on);
    markerfile::SharedMarkerState& shared = orange_->markerState();
    shared.feedCorrectionOn = on;
    if (on) {
        focusControl(&Edit35);
        if (shared.feedCorrectionPercentage.empty()) {
            Edit51.setText(markerfile::trimBlanks(tableCorrectionValue()));
            shared.feedCorrectionPercentage = Edit51.text();
        } else {
            Edit51.setText(shared.feedCorrectionPercentage);
        }
        return;
    }
    Edit35.clear();
    Edit39.clear();
    shared.terminalBlockLength.clear();
    shared.testPlateLength.clear();
    shared.feedCorrectionPercentage.clear();
    filledHeader_.setHosei(tableCorrectionValue());
}

void TForm1::Edit35KeyDown(ui::KeyEvent& event) {
    swallowAlt(event);
    const bool atEnd = Edit35.caret() == static_cast<int>(Edit35.text().size());
    if ((event.key == ui::Key::Enter || (event.key == ui::Key::Right && atEnd)) && !Edit35.text().empty()) {
        focusControl(&Edit39);
        Edit39.selectAll();
        event.consume();
    }
}

void TForm1::Edit39KeyDown(ui::KeyEvent& event) {
    swallowAlt(event);
    if (event.key == ui::Key::Left && Edit39.caret() == 0) {
        focusControl(&Edit35);
        Edit35.selectAll();
        event.consume();
    } else if (event.key == ui::Key::Enter && computeFeedCorrection()) {
        // The last shown of the conversion and marking buttons.
        for (ui::Button* button : {&Button2, &Button5, &Button3}) {
            if (button->visible())
                focusControl(button);
        }
    }
}

bool TForm1::computeFeedCorrection() {
    if (Edit35.text().empty() || Edit39.text().empty())
        return false;
    const Text& tableValue = tableCorrectionValue();
    const markerfile::FeedCorrection result =
        markerfile::computeFeedCorrection(Edit35.text(), Edit39.text(), tableValue);
    switch (result.outcome) {
    case FeedCorrectionOutcome::LengthsUnusable:
        Edit39.clear();
        return false;
    case FeedCorrectionOutcome::OutOfRange:
    case FeedCorrectionOutcome::NotANumber:
        showMessage(application(), result.outcome == FeedCorrectionOutcome::OutOfRange
                                       ? Text(FeedCorrectionOutOfRangeMessage)
                                       : tableCorrectionNotANumberMessage(tableValue));
        focusControl(&Edit39);
        Edit39.clear();
        return false;
    case FeedCorrectionOutcome::Accepted:
        break;
    }
    Edit51.setText(result.percentage);
    filledHeader_.setHosei(result.percentage);
    markerfile::SharedMarkerState& shared = orange_->markerState();
    shared.terminalBlockLength = Edit35.text();
    shared.testPlateLength = Edit39.text();
    shared.feedCorrectionPercentage = result.percentage;
    return true;
}

void TForm1::Edit51Exit() {
    Edit51.setColor(ui::colors::Window);
    markerfile::SharedMarkerState& shared = orange_->markerState();
    if (Edit51.text().empty())
        Edit51.setText(shared.feedCorrectionPercentage);
    if (Edit51.text().empty())
        return; // nothing typed and nothing applied before: nothing to check
    const Text typed = Edit51.text();
    const markerfile::FeedCorrection result = markerfile::checkTypedFeedCorrection(typed);
    if (result.outcome != FeedCorrectionOutcome::Accepted) {
        showMessage(application(), result.outcome == FeedCorrectionOutcome::OutOfRange
                                       ? Text(FeedCorrectionOutOfRangeMessage)
                                       : typedCorrectionNotANumberMessage(typed));
        focusControl(&Edit51);
        Edit51.setText(shared.feedCorrectionPercentage);
        return;
    }
    filledHeader_.setHosei(result.percentage);
    shared.feedCorrectionPercentage = result.percentage;
}

// --- Save and marking -------------------------------------------------------------------------

Text TForm1::confirmationText(TextView question) const {
    // The blue window writes the 1BOX layout only: no count column to name.
    return ComboBox2.visible() ? withTable(ComboBox2.text(), question) : Text(question);
}

std::optional<conversion::BlueMarkerFile> TForm1::acceptOutput(conversion::BuiltBlueMarkerFile built,
                                                               TextView refusal, TextView lossQuestion) {
    if (!built.ok()) {
        showMessage(application(), refusal);
        return std::nullopt;
    }
    // A Windows-font file holds at most 100 lines: no more lines are added to it.
    if (built.file.form == markerfile::MarkerDataForm::WindowsFont)
        Button6.hide();
    const std::size_t headerLines =
        built.file.form == markerfile::MarkerDataForm::WindowsFont ? markerfile::headerEntry::windowsFontCount
        : built.file.form == markerfile::MarkerDataForm::TableFont ? markerfile::headerEntry::tableFontCount
                                                                   : 0;
    const auto lineName = [headerLines](std::size_t index) -> Text {
        return index < headerLines ? Text(HeaderLinesName) : lineNumberName(index - headerLines + 1);
    };
    if (!confirmCharacterLoss(application(), built.file.lines, MarkerFileWhat, lineName, lossQuestion))
        return std::nullopt;
    return std::move(built.file);
}

void TForm1::SaveMarkerData() {
    if (!confirm(application(), confirmationText(SaveQuestion)))
        return;
    conversion::BuiltBlueMarkerFile built;
    {
        const ui::WaitCursor wait(application());
        applyChangedWorkLength();
        built = conversion::BuildBlueSaveFile(
            filledHeader_, conversionState_.buffer,
            {conversionState_.resultFullWidth ? markerfile::FullWidth::Yes : markerfile::FullWidth::No,
             ComboBox2.visible() ? markerfile::TableFile::Present : markerfile::TableFile::Missing});
    }
    const std::optional<conversion::BlueMarkerFile> file =
        acceptOutput(std::move(built), SaveRefusal, SaveLossQuestion);
    if (!file)
        return;
    platform::FileDialogRequest request;
    request.filter = Text(ComboBox2.visible() ? HeaderFileFilter : HeaderlessFileFilter);
    request.defaultExtension = ComboBox2.visible() ? U"cta" : U"ctk";
    request.promptOverwrite = true;
    if (const std::optional<Text> chosen = application().saveFile(request)) {
        const std::filesystem::path path = platform::pathFromText(*chosen);
        if (!conversion::writeBlueMarkerFile(services_.files, path, *file))
            showMessage(application(), fileFailureMessage(U"ファイルを保存できませんでした", path));
    }
}

void TForm1::MarkWithMarkerSoftware() {
    if (services_.windows.findTopLevelWindow(MarkerSoftwareTitle, {})) {
        showMessage(application(), CloseMarkerSoftwareMessage);
        return;
    }
    if (!confirm(application(), confirmationText(MarkQuestion)))
        return;
    conversion::BuiltBlueMarkerFile built;
    {
        const ui::WaitCursor wait(application());
        applyChangedWorkLength();
        // Exactly the converted rows, as they stand in the list now.
        built = conversion::BuildBlueMarkingFile(
            filledHeader_, resultList_->rows(conversionState_.resultLineCount()),
            {conversionState_.resultFullWidth ? markerfile::FullWidth::Yes : markerfile::FullWidth::No,
             ComboBox2.visible() ? markerfile::TableFile::Present : markerfile::TableFile::Missing});
    }
    const std::optional<conversion::BlueMarkerFile> file =
        acceptOutput(std::move(built), MarkRefusal, MarkLossQuestion);
    if (!file)
        return;
    const std::filesystem::path path = programFile(
        services_.programDirectory, ComboBox2.visible() ? MarkFileWithHeader : MarkFileHeaderless);
    if (!conversion::writeBlueMarkerFile(services_.files, path, *file)) {
        showMessage(application(), fileFailureMessage(U"マーキングファイルを書き込めませんでした", path));
        return;
    }
    // The marker software takes over; whether it started is not ours to check.
    (void)services_.shell.openFile(path, platform::WindowShow::Maximised);
    Timer1.stop();
}

} // namespace lumitag::app
