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
// Its three settings describe blocks of cells of the connected sheet: their
// layout in TForm1Settings.cpp, the modes and ticks in TForm1PanelModes.cpp,
// typing, leaving and the range shown in the sheet in TForm1PanelInput.cpp.
class TForm1 : public ui::Form {
public:
    static constexpr int InitialWidth = 205;
    // The one-panel width after setting 2 or EPLAN is given up.
    static constexpr int NarrowWidth = 200;
    // Panel4's hint while hints are off: the program closes from the orange window.
    static constexpr TextView CloseFromOrangeHint = U"ルミタグを閉じるにはオレンジモードで閉じます";

    TForm1(ui::Application& application, Services services, sheet::SpreadsheetLink& link);
    ~TForm1() override;

    // The orange window, whose link state (menu items, watcher, closing tick)
    // the blue window's workbook commands share.
    void setOrangeWindow(TForm2& orange);
    // Joins the window coupling: its view of this window and F1 (TForm1Coupling.cpp).
    void wireCoupling(sheet::WindowCoupling& coupling);

    // The captions beside one setting's two replacement pairs.
    struct ReplacementLabels {
        ReplacementLabels(ui::Control& panel, const std::string& setting);
        ui::Label target1;           // 置換前文字(列)
        ui::Label occurrence1;       // 対象文字(列)が複数時
        ui::Label occurrenceSuffix1; // 番目
        ui::Label replacement1;      // 置換文字(列)
        ui::Label target2;
        ui::Label occurrence2;
        ui::Label occurrenceSuffix2;
        ui::Label replacement2;
    };

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
    ui::CheckBox CheckBox8{Panel1, "CheckBox8"}; // column 3 holds a remark (複数列を一行)
    ui::CheckBox CheckBox9{Panel1, "CheckBox9"}; // column 4 holds a remark
    ui::CheckBox CheckBox5{Panel1, "CheckBox5", U"文字(列)の置換をする"};
    ui::Edit Edit42{Panel1, "Edit42"}; // first target text
    ui::Edit Edit4{Panel1, "Edit4"};   // its occurrence, 1 to 5
    ui::Edit Edit43{Panel1, "Edit43"}; // first replacement text
    ui::Label Label54{Panel1, "Label54", U"↓ 同時に2カ所置換時入力 ↓"};
    ui::Edit Edit10{Panel1, "Edit10"}; // second target text
    ui::Edit Edit14{Panel1, "Edit14"};
    ui::Edit Edit15{Panel1, "Edit15"};
    ReplacementLabels ReplacementLabels1{Panel1, "1"};
    ui::CheckBox CheckBox14{Panel1, "CheckBox14", U"EPLAN"};
    ui::Label Label61{Panel1, "Label61", U"ソースDT"};

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
    ui::CheckBox CheckBox10{Panel2, "CheckBox10"};
    ui::CheckBox CheckBox11{Panel2, "CheckBox11"};
    ui::CheckBox CheckBox6{Panel2, "CheckBox6", U"文字(列)の置換をする"};
    ui::Edit Edit44{Panel2, "Edit44"};
    ui::Edit Edit5{Panel2, "Edit5"};
    ui::Edit Edit45{Panel2, "Edit45"};
    ui::Label Label56{Panel2, "Label56", U"↓ 同時に2カ所置換時入力 ↓"};
    ui::Edit Edit19{Panel2, "Edit19"};
    ui::Edit Edit20{Panel2, "Edit20"};
    ui::Edit Edit24{Panel2, "Edit24"};
    ReplacementLabels ReplacementLabels2{Panel2, "2"};
    ui::Button Button7{Panel2, "Button7", U"設定1をコピー"};
    ui::Label Label62{Panel2, "Label62", U"ターゲットDT"};

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
    ui::CheckBox CheckBox12{Panel3, "CheckBox12"};
    ui::CheckBox CheckBox13{Panel3, "CheckBox13"};
    ui::CheckBox CheckBox7{Panel3, "CheckBox7", U"文字(列)の置換をする"};
    ui::Edit Edit46{Panel3, "Edit46"};
    ui::Edit Edit9{Panel3, "Edit9"};
    ui::Edit Edit47{Panel3, "Edit47"};
    ui::Label Label57{Panel3, "Label57", U"↓ 同時に2カ所置換時入力 ↓"};
    ui::Edit Edit25{Panel3, "Edit25"};
    ui::Edit Edit29{Panel3, "Edit29"};
    ui::Edit Edit30{Panel3, "Edit30"};
    ReplacementLabels ReplacementLabels3{Panel3, "3"};
    ui::Button Button8{Panel3, "Button8", U"設定2をコピー"};

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
    // SpeedButton27: the window's hints on or off, the work-mode group's with them.
    void ToggleHints();
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

    // --- The settings' rules (TForm1Panel*.cpp) -----------------------------------------
    // Work mode of setting 1, and settings 2 and 3 following it.
    void RadioGroup1Click();
    void RadioGroup2Click();
    void RadioGroup3Click();
    // Selects the setting's rows in the sheet and counts the visible ones
    // (setting 1 to 3).
    void ShowRangeInSheet(int settingIndex);
    void Button7Click();
    void Button8Click();

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
    // One setting's replacement tick, its six boxes (first target, occurrence,
    // replacement, then the second triple) and their captions.
    struct ReplacementControls {
        ui::CheckBox& tick;
        std::array<ui::Edit*, 6> boxes;
        ui::Label& caption;
        ReplacementLabels& labels;
    };
    ReplacementControls replacement(int index);
    // The remark ticks of column 3 and column 4.
    std::array<ui::CheckBox*, 2> remarkTicks(int index);

    // The settings' rules (TForm1PanelModes.cpp, TForm1PanelInput.cpp).
    void wireSettingRules();
    void wireModeRules();
    void wireInputRules();
    void showWorkModeBoxes(int index, int mode);
    void followSettingOne(int index);
    void showRemarkCaption(int index, std::size_t column);
    void showReplacementFields(int index, bool shown);
    void CheckBox1MouseUp(bool wasChecked);
    void CheckBox2MouseUp(bool wasChecked);
    void CheckBox14MouseUp(bool wasChecked);
    void replacementTickMouseUp(int index);
    void copySetting(int from, int to);
    // The spreadsheet window on the area left of this window at its new
    // width, and this program in front again.
    void placeSpreadsheet();
    void settingKeyDown(int index, std::size_t box, ui::KeyEvent& event);
    void settingKeyPress(int index, std::size_t box, char32_t& character);
    void settingBoxExit(int index, std::size_t box);
    void selectColumnInSheet(int index, std::size_t column);
    // The visible boxes of a setting in the order Enter and the arrows walk them.
    std::vector<ui::Edit*> focusChain(int index);
    void focusAfterSetting(int index);

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
    // Every keyboard shortcut of the window, its key releases and its hints (TForm1Shortcuts.cpp).
    void wireShortcuts();
    void wireHints();
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
    // The work-length and feed-correction controls, beside the table box.
    void placeMarkerControls();
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
