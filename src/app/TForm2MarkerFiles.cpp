// The orange window's marker files: the table file and the table box, the
// settings panel's table settings, and saving, marking and importing marker
// data files.
#include "app/CharacterLoss.h"
#include "app/MarkerFileTexts.h"
#include "app/Messages.h"
#include "app/ProgramFiles.h"
#include "app/SettingsLines.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "markerfile/DestinationRow.h"
#include "markerfile/TableFile.h"
#include "platform/Paths.h"
#include "ui/Application.h"

#include <string>

namespace lumitag::app {

using markerfile::BuildRefusal;
using markerfile::MarkerDataForm;
using markerfile::ParsedForm;
using marking::BoxMode;

namespace {

constexpr TextView MultiColumnMessage =
    U"このファイルはWindowsフォント用で、段改行が\r\n設定されていますのでインポートできません。";
constexpr TextView ImportLimitMessage = U"インポート出来るのは1000行までになります";
constexpr TextView WindowsFontImportLimitMessage = U"インポート出来るのは100行までになります";

void showFileFailure(ui::Application& app, TextView what, const std::filesystem::path& path) {
    showMessage(app, fileFailureMessage(what, path));
}

} // namespace

void TForm2::layOutMarkerControls() {
    ComboBox2.setDropDownCount(20);
    ComboBox2.onChange = [this] { SelectTable(); };
    ComboBox2.onDropDown = [this] { ComboBox2.setColor(ui::colors::Window); };
    ComboBox2.onCloseUp = [this] {
        colourTableBox();
        FocusEntryField();
    };
    // The table box never keeps the keyboard focus, except while the mouse is
    // over it, so that a click still opens it.
    ComboBox2.onEnter = [this] {
        if (tableBoxPassesFocus_)
            FocusEntryField();
    };
    ComboBox2.onMouseEnter = [this] { tableBoxPassesFocus_ = false; };
    ComboBox2.onMouseLeave = [this] { tableBoxPassesFocus_ = true; };

    // Settings panel: the destination and the marker software version.
    ComboBox3.onExit = [this] { ValidateDestination(); };
    Label65.setBounds({8, 110, 300, 13});
    Edit55.setBounds({8, 128, 60, 20});
    Edit55.setText(U"SP3P");
    Button1.setBounds({74, 126, 45, 24});
    Button1.onClick = [this] { SaveTableFile(); };

    Button18.setHint(U"CTKデータを保存します　(ショートカット F8)");
    Button4.setHint(U"CTKソフトを起動してマーキングします（すでに起動済みの時は終了してからクリック　ショート"
                    U"カット F10）");
    Button18.onClick = [this] { SaveMarkerData(); };
    Button4.onClick = [this] { MarkWithMarkerSoftware(); };
    CTK2.onClick = [this] { ImportMarkerData(); };

    layOutFeedCorrectionControls();
}

// --- The table file and the table box --------------------------------------------------

void TForm2::LoadTableFile() {
    if (!tableFilePresent_) {
        enterNoTableState();
        return;
    }
    const std::filesystem::path path = programFile(services_.programDirectory, TableFileName);
    platform::Result<markerfile::LoadedTableFile> loaded = markerfile::LoadTableFile(services_.files, path);
    if (!loaded) {
        // A table file that is there but cannot be read is worked around like
        // a missing one, and the user is told why the table is gone.
        showFileFailure(application(), U"テーブルファイルを読み込めませんでした", path);
        tableFilePresent_ = false;
        enterNoTableState();
        return;
    }
    tableStore_ = loaded.value().store;
    tableLineCount_ = loaded.value().tableLineCount;
    Edit55.setText(tableStore_.markerSoftwareVersion());
    ComboBox2.setItems(markerfile::tableBoxItems(loaded.value()));
    ComboBox2.setItemIndex(0);
    colourTableBox();
    rebuildFilledHeader();
    CheckBox37.setVisible(filledHeader_.offersFeedCorrection());
}

void TForm2::enterNoTableState() {
    for (ui::Control* control : {static_cast<ui::Control*>(&ComboBox2), static_cast<ui::Control*>(&CheckBox1),
                                 static_cast<ui::Control*>(&CheckBox37),
                                 static_cast<ui::Control*>(&ComboBox3), static_cast<ui::Control*>(&Label39),
                                 static_cast<ui::Control*>(&Label13), static_cast<ui::Control*>(&Edit37),
                                 static_cast<ui::Control*>(&Edit38), static_cast<ui::Control*>(&Label65),
                                 static_cast<ui::Control*>(&Edit55), static_cast<ui::Control*>(&Button1)})
        control->hide();
}

std::size_t TForm2::selectedTable() const {
    const int index = ComboBox2.itemIndex();
    return markerfile::selectedTableRow(
        index < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(index)));
}

void TForm2::colourTableBox() {
    const int index = ComboBox2.itemIndex();
    if (index < 0)
        return;
    if (const auto colour = markerfile::tableBoxColour(static_cast<std::size_t>(index)))
        ComboBox2.setColor({colour->red, colour->green, colour->blue});
}

void TForm2::rebuildFilledHeader() {
    const std::size_t row = selectedTable();
    filledHeader_ = markerfile::RebuildFilledHeader(
        tableStore_, row, markerfile::destinationRow(settings_.get(settingsLine::Destination), row));
}

void TForm2::SelectTable() {
    colourTableBox();
    rebuildFilledHeader();

    // A new table starts without overrides: both check boxes' handlers put
    // the table's own work length and correction back.
    for (ui::Edit* box : {&Edit37, &Edit38, &Edit10}) {
        box->hide();
        box->clear();
    }
    markerState_.terminalBlockLength.clear();
    markerState_.testPlateLength.clear();
    CheckBox1.setChecked(false);
    CheckBox37.setChecked(false);

    CheckBox37.setVisible(filledHeader_.offersFeedCorrection());
    if (blue_ != nullptr)
        blue_->followOrangeTable(filledHeader_);
    FocusEntryField();
}

void TForm2::ValidateDestination() {
    if (markerfile::isValidDestination(ComboBox3.text()))
        return;
    ComboBox3.setText({});
    focusControl(&ComboBox3);
}

void TForm2::SaveTableFile() {
    // Without a table file read at start-up the store holds no tables: writing
    // it would replace a file that is there but could not be read.
    if (!tableFilePresent_)
        return;
    tableStore_.applyMarkerSoftwareVersion(Edit55.text());
    const std::filesystem::path path = programFile(services_.programDirectory, TableFileName);
    if (!markerfile::SaveTableFile(services_.files, path, tableStore_))
        showFileFailure(application(), U"テーブルファイルを書き込めませんでした", path);
}

// --- Save, mark and import ------------------------------------------------------------

Text TForm2::confirmationText(TextView question) const {
    Text text;
    if (list_.boxMode() == BoxMode::ThreeBox) {
        const Text& label = RadioButton12.checked()   ? ComboBox6.text()
                            : RadioButton11.checked() ? ComboBox5.text()
                                                      : ComboBox4.text();
        text += U"個数列:[ " + label + U" ]\r\n";
    }
    if (tableFilePresent_)
        return text + withTable(ComboBox2.text(), question);
    return text + Text(question);
}

std::optional<markerfile::MarkerData> TForm2::buildOutput(TextView refusalMessage, TextView lossQuestion) {
    markerfile::BuiltMarkerData built;
    {
        const ui::WaitCursor wait(application());
        applyChangedWorkLength();

        markerfile::MarkerDataSource source;
        const int columns = list_.contentColumns();
        for (int row = 1; row < list_.nextFreeRow(); ++row) {
            std::vector<Text> cells;
            for (int col = 0; col <= columns; ++col)
                cells.push_back(list_.cell(col, row));
            source.lines.push_back(std::move(cells));
        }
        source.boxMode = list_.boxMode() == BoxMode::ThreeBox ? markerfile::BoxMode::ThreeBox
                                                              : markerfile::BoxMode::OneBox;
        source.countColumn = RadioButton12.checked()   ? markerfile::CountColumn::Column4
                             : RadioButton11.checked() ? markerfile::CountColumn::Column3
                                                       : markerfile::CountColumn::Column2;
        source.fullWidth = list_.fullWidth() ? markerfile::FullWidth::Yes : markerfile::FullWidth::No;
        source.tableFile =
            tableFilePresent_ ? markerfile::TableFile::Present : markerfile::TableFile::Missing;
        built = markerfile::BuildMarkerData(filledHeader_, source);
    }
    if (built.refusal == BuildRefusal::WindowsFontWithoutTableFile)
        showMessage(application(), refusalMessage);
    if (!built.ok())
        return std::nullopt;
    // Lines after the header are the list's rows, numbered as the list shows them.
    const std::size_t headerLines = built.data.lines.size() - static_cast<std::size_t>(list_.lineCount()) - 1;
    const auto lineName = [headerLines](std::size_t index) -> Text {
        return index < headerLines ? Text(HeaderLinesName) : lineNumberName(index - headerLines + 1);
    };
    if (!confirmCharacterLoss(application(), built.data.lines, MarkerFileWhat, lineName, lossQuestion))
        return std::nullopt;
    // The last entry cannot be cancelled once it went out in the Windows font.
    if (built.data.form == MarkerDataForm::WindowsFont)
        Button9.hide();
    return std::move(built.data);
}

void TForm2::SaveMarkerData() {
    if (CheckBox2.checked()) {
        showMessage(application(), CloseSettingsMessage);
        return;
    }
    if (list_.lineCount() >= 1) {
        if (!confirm(application(), confirmationText(SaveQuestion)))
            return;
        const std::optional<markerfile::MarkerData> data = buildOutput(SaveRefusal, SaveLossQuestion);
        if (!data)
            return;
        // SaveDialog1 for files with a header, SaveDialog2 for headerless ones.
        platform::FileDialogRequest request;
        request.filter = Text(tableFilePresent_ ? HeaderFileFilter : HeaderlessFileFilter);
        request.defaultExtension = tableFilePresent_ ? U"cta" : U"ctk";
        request.promptOverwrite = true;
        if (const std::optional<Text> chosen = application().saveFile(request)) {
            const std::filesystem::path path = platform::pathFromText(*chosen);
            if (!markerfile::writeMarkerDataFile(services_.files, path, data->lines))
                showFileFailure(application(), U"ファイルを保存できませんでした", path);
        }
    }
    FocusEntryField();
}

void TForm2::MarkWithMarkerSoftware() {
    // The marker software may run under a compatibility layer whose window
    // class differs from the native one: the title alone identifies it.
    if (services_.windows.findTopLevelWindow(MarkerSoftwareTitle, {})) {
        showMessage(application(), CloseMarkerSoftwareMessage);
        return;
    }
    if (CheckBox2.checked()) {
        showMessage(application(), CloseSettingsMessage);
        return;
    }
    if (list_.lineCount() >= 1) {
        if (!confirm(application(), confirmationText(MarkQuestion))) {
            FocusEntryField();
            return;
        }
        const std::optional<markerfile::MarkerData> data = buildOutput(MarkRefusal, MarkLossQuestion);
        if (!data)
            return;
        const std::filesystem::path path = programFile(
            services_.programDirectory, tableFilePresent_ ? MarkFileWithHeader : MarkFileHeaderless);
        if (!markerfile::writeMarkerDataFile(services_.files, path, data->lines)) {
            showFileFailure(application(), U"マーキングファイルを書き込めませんでした", path);
            FocusEntryField();
            return;
        }
        Timer2.stop();
        // The marker software takes over; whether it started is not ours to check.
        (void)services_.shell.openFile(path, platform::WindowShow::Maximised);
    }
    FocusEntryField();
    CTK2.setEnabled(false);
}

void TForm2::ImportMarkerData() {
    // OpenDialog2, in the user's desktop folder.
    platform::FileDialogRequest request;
    request.filter = U"CTKPCMS　データファイル|*.ctk;*.cta";
    request.initialFolder = platform::textFromPath(services_.shell.desktopFolder());
    const std::optional<Text> chosen = application().openFile(request);
    if (!chosen)
        return;
    const std::filesystem::path path = platform::pathFromText(*chosen);
    const platform::Result<std::string> bytes = services_.files.readFile(path);
    if (!bytes) {
        showFileFailure(application(), U"ファイルを読み込めませんでした", path);
        return;
    }

    // The next paint writes the snapshot of the imported list; undo goes back
    // to the undo text the last change left.
    undo_.MarkSnapshotPending();
    N25.setEnabled(true);
    N26.setEnabled(false);

    const markerfile::ParsedMarkerData parsed = markerfile::parseMarkerDataFile(bytes.value());
    if (parsed.form == ParsedForm::WindowsFontMultiColumn) {
        showMessage(application(), MultiColumnMessage);
        return;
    }
    if (!parsed.accepted())
        return;
    const bool windowsFont = parsed.form == ParsedForm::WindowsFont;
    for (std::size_t i = 0; i < parsed.lines.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const markerfile::ImportedLine& line = parsed.lines[i];
        list_.setCell(0, row, numberText(i + 1));
        list_.setCell(1, row, line.markingText);
        list_.setCell(2, row, line.count);
        if (!windowsFont)
            list_.setCell(3, row, line.numbering);
        list_.setNextFreeRow(row + 1);
    }
    if (parsed.limitExceeded)
        showMessage(application(), windowsFont ? WindowsFontImportLimitMessage : ImportLimitMessage);
}

} // namespace lumitag::app
