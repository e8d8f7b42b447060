// The blue window's conversions: new and add conversions started from the
// buttons, 追加取消, and the window and the marking list after each.
#include "app/Messages.h"
#include "app/ProgramFiles.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "conversion/ConversionMessages.h"
#include "conversion/ConversionSettingsFile.h"
#include "conversion/ResultList.h"
#include "conversion/RunConversion.h"
#include "ui/Application.h"

namespace lumitag::app {

using conversion::ConversionOutcome;

namespace {

constexpr TextView ConvertHint =
    U"エクセルの指定列行をCTKデータに変換します（１０００行（全角文字が含まれる場合は"
    U"１００行）まで変換できます ショートカット F9）";
constexpr TextView ConvertNewHint =
    U"前回変換したデータをクリアして新規に変換します（１０００行（全角文字が含まれる"
    U"場合は１００行）まで変換できます ショートカット F9）";
constexpr TextView ConvertAddHint =
    U"前回変換したデータに追加変換します（１０００行（全角文字が含まれる場合は１００行）まで変換できます）";
constexpr TextView ConvertAddHintWhileHintsOn =
    U"前回変換したデータに追加変換します（１０００行まで変換できます）";

// Keeps the settings of a finished conversion in the program folder, so that
// `lumitag convert --settings` can repeat it. The file is an aid for scripts:
// when it cannot be written the window goes on as if it had been, without a box.
void keepConversionSettings(Services& services, const std::shared_ptr<platform::Worksheet>& worksheet,
                            const conversion::ConversionSettings& settings) {
    conversion::SavedConversion saved{settings, {}};
    saved.settings.headerWorkMode.clear();
    if (worksheet) {
        try {
            saved.sheet = worksheet->name();
        } catch (const platform::SpreadsheetError&) {
            // The office went away after the conversion: the file names no sheet.
        }
    }
    (void)services.files.writeFileAtomically(
        programFile(services.programDirectory, ConversionSettingsFileName),
        conversion::writeConversionSettingsFile(saved));
}

} // namespace

void TForm1::wireConversion() {
    Button2.setHint(Text(ConvertHint));
    Button5.setHint(Text(ConvertNewHint));
    Button6.setHint(Text(ConvertAddHint));
    // CTK 変換 keeps the kind: before the first conversion and after every
    // finished one both mean a new conversion.
    Button2.onClick = [this] { runConversion(); };
    Button5.onClick = [this] { ConvertNew(); };
    Button6.onClick = [this] { ConvertAdd(); };
    SpeedButton6.onClick = [this] { UndoLastAdd(); };
    Button6.onMouseEnter = [this] { Button6MouseEnter(); };
}

void TForm1::ConvertNew() {
    nextConversion_ = NextConversion::New;
    runConversion();
}

void TForm1::ConvertAdd() {
    nextConversion_ = NextConversion::Add;
    runConversion();
}

void TForm1::runConversion() {
    const bool add = nextConversion_ == NextConversion::Add;
    conversion::ConversionSettings settings = conversionSettings();
    // Empty wire numbers become a space for the work modes 2 and 3 of the chosen table.
    settings.headerWorkMode = filledHeader_.entry(markerfile::headerEntry::tableFontWorkMode);

    conversion::ConversionResult result;
    {
        const ui::WaitCursor wait(application());
        try {
            result = conversion::RunConversion(
                link_.host(), link_.worksheet(), settings,
                add ? conversion::ConversionKind::Add : conversion::ConversionKind::New, conversionState_);
        } catch (const platform::SpreadsheetError&) {
            // The office went away before the first cell was read: as busy.
            result.outcome = ConversionOutcome::HostBusy;
            result.message = Text(HostBusyMessage);
            result.state = conversionState_;
        }
    }

    if (conversion::appliesStartState(result.outcome))
        applyStartState(!add);
    // A spreadsheet that failed part-way leaves everything as before.
    conversionState_ = std::move(result.state);
    if (!result.message.empty())
        showMessage(application(), result.message);
    if (result.outcome == ConversionOutcome::Completed)
        Button6.show();
    else if (result.outcome == ConversionOutcome::LimitReached)
        Button6.hide();
    if (conversion::finishes(result.outcome)) {
        keepConversionSettings(services_, link_.worksheet(), settings);
        finishConversion();
    }
}

void TForm1::applyStartState(bool newConversion) {
    if (newConversion) {
        resultList_->emptyForNewConversion();
        SpeedButton6.hide();
    }
    resultList_->scrollToTop();
    hideFullWidthTools();
    Button3.hide();
    Button9.hide();
}

void TForm1::finishConversion() {
    Button5.show();
    if (nextConversion_ == NextConversion::Add)
        SpeedButton6.show();
    nextConversion_ = NextConversion::New;
    Button3.show();
    Button9.show();
    Button2.hide();
    focusControl(&Button3);
    refreshFullWidthTools();
    resultList_->showConversion(conversionState_.buffer);
}

void TForm1::UndoLastAdd() {
    conversion::UndoLastAdd(conversionState_);
    resultList_->showAfterUndoOfAdd(conversionState_.buffer);
    SpeedButton6.hide();
}

void TForm1::Button6MouseEnter() {
    // The running total shows even while the window's hints are off.
    Button6.setHint(ownShowHint() ? Text(ConvertAddHintWhileHintsOn)
                                  : conversion::addConversionTotalHint(conversionState_.resultLineCount()));
    Button6.setShowHint(true);
}

void TForm1::focusConversionStart() {
    if (Edit1.text().empty()) {
        focusControl(&Edit1);
        return;
    }
    if (Button2.visible())
        focusControl(&Button2);
    if (Button5.visible())
        focusControl(&Button5);
}

} // namespace lumitag::app
