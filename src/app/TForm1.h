#pragma once

#include "app/Services.h"
#include "conversion/BlueMarkerFile.h"
#include "conversion/ConversionSettings.h"
#include "conversion/ConversionState.h"
#include "markerfile/ConditionHeader.h"
#include "markerfile/TableStore.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/MenuItem.h"
#include "ui/Panel.h"
#include "ui/PopupMenu.h"
#include "ui/RadioGroup.h"
#include "ui/SpeedButton.h"
#include "ui/Timer.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace lumitag::conversion {
class ResultList;
}

namespace lumitag::sheet {
class SettingsFromSelection;
class SheetBox;
class SheetSynchroniser;
class WindowCoupling;
class WorkbookCommands;
} // namespace lumitag::sheet

namespace lumitag::app {

class TForm2;

// The blue-mode window (ブルーモード): conversion of spreadsheet ranges into
// marking lines. It sits at the right edge of the screen; only the program
// itself can close it.
//
// Its three settings describe blocks of cells of the connected sheet. The
// controls are declared at their places; the boxes' own rules (leave rules,
// focus chains, the conversion) come with the conversion.
class TForm1 : public ui::Form {
public:
    static constexpr int InitialWidth = 205;
    // The one-panel width after setting 2 or EPLAN is given up.
    static constexpr int NarrowWidth = 200;

    TForm1(ui::Application& application, Services services, sheet::SpreadsheetLink& link);
    ~TForm1() override;

    // The orange window, whose link state (menu items, watcher, closing tick)
    // the blue window's workbook commands share.
    void setOrangeWindow(TForm2& orange);
    // Joins the window coupling: its view of this window and F1 (TForm1Coupling.cpp).
    void wireCoupling(sheet::WindowCoupling& coupling);

    // --- Setting 1 ----------------------------------------------------------------------
    ui::Panel Panel1{*this, "Panel1"};
    ui::Label Panel1Title{Panel1, "Panel1Title", U"設定１"};
    ui::RadioGroup RadioGroup1{Panel1, "RadioGroup1", U"ワークモード"};
    ui::Label Label1{Panel1, "Label1"};
    ui::Edit Edit1{Panel1, "Edit1"}; // column 1
    ui::Label Label6{Panel1, "Label6"};
    ui::Edit Edit6{Panel1, "Edit6"}; // column 2
    ui::Label Label11{Panel1, "Label11"};
    ui::Edit Edit11{Panel1, "Edit11"}; // column 3 or a remark
    ui::Label Label16{Panel1, "Label16"};
    ui::Edit Edit16{Panel1, "Edit16"}; // column 4
    ui::Label StartRowLabel1{Panel1, "StartRowLabel1", U"行始め"};
    ui::Edit Edit21{Panel1, "Edit21"}; // start row
    ui::Label EndRowLabel1{Panel1, "EndRowLabel1", U"行終わり"};
    ui::Edit Edit26{Panel1, "Edit26"}; // end row
    ui::Label Label31{Panel1, "Label31"};
    ui::Edit Edit31{Panel1, "Edit31"}; // count, or the count column
    ui::Label Label36{Panel1, "Label36"};
    ui::Edit Edit36{Panel1, "Edit36"};    // sequence column
    ui::Edit Edit40{Panel1, "Edit40"};    // EPLAN head remark, in the sequence column's place
    ui::Label Label58{Panel1, "Label58"}; // visible rows + "行"
    ui::Label Label63{Panel1, "Label63"}; // EPLAN output count + "個"
    ui::SpeedButton SpeedButton3{Panel1, "SpeedButton3", U"全角検索"};
    ui::SpeedButton SpeedButton7{Panel1, "SpeedButton7", U"半角変換"};
    ui::ComboBox ComboBox4{Panel1, "ComboBox4"};
    ui::CheckBox CheckBox1{Panel1, "CheckBox1", U"設定２を使用"};

    // --- Setting 2 ----------------------------------------------------------------------
    ui::Panel Panel2{*this, "Panel2"};
    ui::Label Panel2Title{Panel2, "Panel2Title", U"設定２"};
    ui::RadioGroup RadioGroup2{Panel2, "RadioGroup2", U"ワークモード"};
    ui::Label Label2{Panel2, "Label2"};
    ui::Edit Edit2{Panel2, "Edit2"};
    ui::Label Label7{Panel2, "Label7"};
    ui::Edit Edit7{Panel2, "Edit7"};
    ui::Label Label12{Panel2, "Label12"};
    ui::Edit Edit12{Panel2, "Edit12"};
    ui::Label Label17{Panel2, "Label17"};
    ui::Edit Edit17{Panel2, "Edit17"};
    ui::Label StartRowLabel2{Panel2, "StartRowLabel2", U"行始め"};
    ui::Edit Edit22{Panel2, "Edit22"};
    ui::Label EndRowLabel2{Panel2, "EndRowLabel2", U"行終わり"};
    ui::Edit Edit27{Panel2, "Edit27"};
    ui::Label Label32{Panel2, "Label32"};
    ui::Edit Edit32{Panel2, "Edit32"};
    ui::Label Label37{Panel2, "Label37"};
    ui::Edit Edit37{Panel2, "Edit37"};
    ui::Label Label59{Panel2, "Label59"};
    ui::SpeedButton SpeedButton4{Panel2, "SpeedButton4", U"全角検索"};
    ui::SpeedButton SpeedButton8{Panel2, "SpeedButton8", U"半角変換"};
    ui::ComboBox ComboBox5{Panel2, "ComboBox5"};
    ui::CheckBox CheckBox2{Panel2, "CheckBox2", U"設定３を使用"};

    // --- Setting 3 ----------------------------------------------------------------------
    ui::Panel Panel3{*this, "Panel3"};
    ui::Label Panel3Title{Panel3, "Panel3Title", U"設定３"};
    ui::RadioGroup RadioGroup3{Panel3, "RadioGroup3", U"ワークモード"};
    ui::Label Label3{Panel3, "Label3"};
    ui::Edit Edit3{Panel3, "Edit3"};
    ui::Label Label8{Panel3, "Label8"};
    ui::Edit Edit8{Panel3, "Edit8"};
    ui::Label Label13{Panel3, "Label13"};
    ui::Edit Edit13{Panel3, "Edit13"};
    ui::Label Label18{Panel3, "Label18"};
    ui::Edit Edit18{Panel3, "Edit18"};
    ui::Label StartRowLabel3{Panel3, "StartRowLabel3", U"行始め"};
    ui::Edit Edit23{Panel3, "Edit23"};
    ui::Label EndRowLabel3{Panel3, "EndRowLabel3", U"行終わり"};
    ui::Edit Edit28{Panel3, "Edit28"};
    ui::Label Label33{Panel3, "Label33"};
    ui::Edit Edit33{Panel3, "Edit33"};
    ui::Label Label38{Panel3, "Label38"};
    ui::Edit Edit38{Panel3, "Edit38"};
    ui::Label Label60{Panel3, "Label60"};
    ui::SpeedButton SpeedButton5{Panel3, "SpeedButton5", U"全角検索"};
    ui::SpeedButton SpeedButton9{Panel3, "SpeedButton9", U"半角変換"};
    ui::ComboBox ComboBox6{Panel3, "ComboBox6"};

    // --- Below the settings --------------------------------------------------------------
    ui::ComboBox ComboBox1{*this, "ComboBox1"}; // sheet box
    ui::SpeedButton SpeedButton1{*this, "SpeedButton1", U"エクセル開く"};
    ui::SpeedButton SpeedButton2{*this, "SpeedButton2", U"エクセル閉じる"};
    ui::ComboBox ComboBox2{*this, "ComboBox2"}; // table box
    ui::Button Button2{*this, "Button2", U"CTK 変換"};
    ui::Button Button5{*this, "Button5", U"新規 変換"}; // in Button2's place after a conversion
    ui::Button Button6{*this, "Button6", U"追加 変換"};
    ui::SpeedButton SpeedButton6{*this, "SpeedButton6", U"追加取消"};
    ui::Button Button9{*this, "Button9", U"CTK 保存"};
    ui::Button Button3{*this, "Button3", U"マーキング"};
    ui::CheckBox CheckBox3{*this, "CheckBox3", U"長さ変更"};
    ui::Edit Edit34{*this, "Edit34"}; // work length
    ui::CheckBox CheckBox4{*this, "CheckBox4", U"送り補正"};
    ui::Edit Edit35{*this, "Edit35"}; // terminal-block length (measured)
    ui::Edit Edit39{*this, "Edit39"}; // test-plate length
    ui::SpeedButton SpeedButton27{*this, "SpeedButton27"};
    ui::Panel Panel4{*this, "Panel4"}; // the orange-mode switch

    ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};
    ui::MenuItem N3{PopupMenu1, "N3", U"エクセル＜＞ルミタグ切替", "F1"};
    ui::MenuItem N1{PopupMenu1, "N1", U"オレンジモード切替", "Shift+F1"};
    ui::MenuItem CTK1{PopupMenu1, "CTK1", U"CTK保存", "F8"};
    ui::MenuItem CTK2{PopupMenu1, "CTK2", U"CTK変換（新規）", "F9"};
    ui::MenuItem N2{PopupMenu1, "N2", U"マーキング", "F10"};

    ui::Timer Timer1{*this, "Timer1"}; // sheet synchroniser of this window

    // The blue window's read-only copy of the settings (loaded when the table file exists).
    std::vector<Text>& settingsCopy() { return settingsCopy_; }
    void loadSettingsCopy(const std::vector<Text>& lines) { settingsCopy_ = lines; }

    void SwitchToOrangeMode();
    // Closes the window on the program's behalf (closing the program).
    void closeByProgram();

    // The panels side by side for 1, 2 or 3 shown settings: the window's
    // width and left edge and the places of the common controls below them.
    void ArrangePanels(int shownSettings, int width);
    // The link's events reach this synchroniser (Program.cpp wires them).
    sheet::SheetSynchroniser& sheetSynchroniser() { return *synchroniser_; }
    sheet::WorkbookCommands& workbookCommands() { return *workbooks_; }

    // The settings as the conversion reads them from the panels (TForm1ConversionSettings.cpp).
    conversion::ConversionSettings conversionSettings();
    // The state the conversions keep between runs: the result buffer, the
    // add-undo mark and the full-width findings.
    const conversion::ConversionState& conversionState() const { return conversionState_; }
    // Shows each setting's full-width tools when its lines of the latest
    // conversion held full-width text, and hides them otherwise.
    void refreshFullWidthTools();

    // --- Full-width tools (TForm1FullWidth.cpp) ------------------------------------------
    // For setting 1, 2 or 3: 全角検索 (SpeedButton3-5), 半角変換 (SpeedButton7-9)
    // and the choice of a result in ComboBox4-6.
    void FindFullWidthCells(int index);
    void ConvertSheetToHalfWidth(int index);
    void SelectFoundCell(int index);
    // The kept state as the full-width tools change it.
    conversion::ConversionState& conversionState() { return conversionState_; }

    // --- Conversion, save and marking (TForm1Conversion.cpp, TForm1MarkerFiles.cpp) ---------
    ui::Edit Edit51{*this, "Edit51"}; // feed-correction percentage
    ui::Label Label20{*this, "Label20", U"送り補正"};
    ui::Label Label55{*this, "Label55", U"%"};

    // 新規 変換 / CTK 変換 and 追加 変換; 追加取消 takes the last add back.
    void ConvertNew();
    void ConvertAdd();
    void UndoLastAdd();
    void SaveMarkerData();         // Button9, F8
    void MarkWithMarkerSoftware(); // Button3, F10
    void SelectTable();            // ComboBox2's change
    // The blue window's own table and header, read from the table file at creation.
    bool tableFilePresent() const { return tableFilePresent_; }
    const markerfile::TableStore& tableStore() const { return tableStore_; }
    const markerfile::ConditionHeader& filledHeader() const { return filledHeader_; }
    // The orange window chose a table: the feed correction is offered as
    // there, and its correction value reaches this window's header.
    void followOrangeTable(const markerfile::ConditionHeader& orangeHeader);
    // Applies the work length box's text when it is shown and differs from
    // the loaded work length (save, mark and the switch to orange mode).
    void applyChangedWorkLength();

private:
    // The controls of one setting, for the rules that treat all three alike.
    struct SettingControls {
        ui::Panel& panel;
        ui::RadioGroup& workMode;
        // Column 1 to 4, start row, end row, count, sequence column.
        std::array<ui::Edit*, 8> boxes;
        std::array<ui::Label*, 8> labels;
        ui::Label& rowCountLabel;
        std::array<ui::Control*, 3> fullWidthTools;
    };
    SettingControls setting(int index);

    // Layout and creation state of the settings (TForm1Settings.cpp).
    void layOutSettings();
    void wireInputColours();
    // Back to setting 1 alone: settings 2 and 3 unticked and hidden.
    void collapseToSettingOne(int width);
    void hideFullWidthTools();
    // Every edit box of the window emptied.
    void emptyEveryTextBox();
    // Focus Edit1 with its whole text selected.
    void focusFirstSettingBox();

    // The spreadsheet link (TForm1Sheet.cpp).
    void wireSheetLink();
    void wireWorkbookCommands(TForm2& orange);
    void showLink();
    // After the last workbook was closed from this window.
    void resetAfterLastWorkbook();
    void hideFullWidthResults();

    void FormShow();
    void FormCloseQuery(bool& canClose);

    Services services_;
    sheet::SpreadsheetLink& link_; // shared with the orange window
    TForm2* orange_ = nullptr;
    std::vector<Text> settingsCopy_;
    bool closingByProgram_ = false;
    std::unique_ptr<sheet::SheetBox> sheetBox_;
    std::unique_ptr<sheet::SettingsFromSelection> settingsFill_;
    std::unique_ptr<sheet::SheetSynchroniser> synchroniser_;
    std::unique_ptr<sheet::WorkbookCommands> workbooks_;
    conversion::ConversionState conversionState_;

    // --- Full-width tools (TForm1FullWidth.cpp) ------------------------------------------
    void wireFullWidthTools();
    ui::ComboBox& fullWidthResults(int index);
    conversion::WorkMode settingWorkMode(int index);
    // The setting's lines of the latest conversion, in the result buffer and
    // in the marking list, mapped to half-width text.
    void convertSettingLinesToHalfWidth(int index);

    // --- Conversion, save and marking (TForm1Conversion.cpp, TForm1MarkerFiles.cpp) ---------
    // How the next conversion starts: 0 before the first, 1 new, 2 add.
    enum class NextConversion { First, New, Add };
    void wireConversion();
    void runConversion();
    void applyStartState(bool newConversion);
    void finishConversion();
    void Button6MouseEnter();
    // The focus where the next conversion starts: the conversion button when
    // setting 1 has a column, else Edit1.
    void focusConversionStart();

    void layOutMarkerControls();
    void loadTableFile();
    std::size_t selectedTable() const;
    void colourTableBox();
    void rebuildFilledHeader();
    // On every showing: the table, work length and feed correction as the orange window left them.
    void refreshMarkerControls();
    Text confirmationText(TextView question) const;
    // The file to write, unless refused or declined over characters CP932 cannot hold.
    std::optional<conversion::BlueMarkerFile> acceptOutput(conversion::BuiltBlueMarkerFile built,
                                                           TextView refusal, TextView lossQuestion);
    void CheckBox3Click();
    void Edit34KeyDown(ui::KeyEvent& event);
    void Edit34Exit();
    bool applyWorkLengthBox();
    void CheckBox4Click();
    void placeFeedCorrectionBoxes();
    void Edit35KeyDown(ui::KeyEvent& event);
    void Edit39KeyDown(ui::KeyEvent& event);
    bool computeFeedCorrection();
    void Edit51Exit();
    const Text& tableCorrectionValue() const;

    NextConversion nextConversion_ = NextConversion::First;
    std::unique_ptr<conversion::ResultList> resultList_;
    markerfile::TableStore tableStore_;
    markerfile::ConditionHeader filledHeader_;
    bool tableFilePresent_ = false;
    Text rememberedWorkLengthLine_;
    Text loadedWorkLength_;
    bool tableBoxPassesFocus_ = true;
};

} // namespace lumitag::app
