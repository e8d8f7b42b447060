#pragma once

#include "app/Services.h"
#include "app/SettingsStore.h"
#include "entry/marks/ListMarks.h"
#include "entry/marks/NumberingMarks.h"
#include "entry/panel/EntryPanel.h"
#include "entry/presets/PresetButtons.h"
#include "entry/store/LetterStore.h"
#include "markerfile/ConditionHeader.h"
#include "markerfile/MarkerData.h"
#include "markerfile/SharedMarkerState.h"
#include "markerfile/TableStore.h"
#include "marking/ListCommands.h"
#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "marking/ModeSwitch.h"
#include "sheet/SpreadsheetLink.h"
#include "tools/EditToolPanel.h"
#include "tools/MultiLineToolPanel.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/MenuItem.h"
#include "ui/Panel.h"
#include "ui/PopupMenu.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"
#include "ui/StringGrid.h"
#include "ui/Timer.h"

#include <array>
#include <memory>
#include <optional>

namespace lumitag::sheet {
class CellBoxes;
class DeviceSealWorkbook;
class SheetBox;
class SheetSynchroniser;
class TransferCommand;
class WindowCoupling;
class WorkbookCommands;
} // namespace lumitag::sheet

namespace lumitag::app {

class TForm1;
class TForm4;
class TForm5;

// The orange-mode window (オレンジモード): the entry panel, the marking list,
// marker files and the transfer to the spreadsheet. It owns the marking list
// and the settings store.
//
// Controls are declared at the window's design bounds; those whose
// behaviour belongs to later parts of the program are present and inert.
class TForm2 : public ui::Form {
public:
    static constexpr ui::Color OrangeColor{221, 179, 79};
    static constexpr int ClientWidth = 554;
    static constexpr int ClientHeight = 729;

    TForm2(ui::Application& application, Services services, sheet::SpreadsheetLink& link);
    ~TForm2() override;

    // The other windows, known once they all exist.
    void setWindows(TForm4& main, TForm1& blue, TForm5& columnSettings);

    // --- Top strip ----------------------------------------------------------------
    ui::ComboBox ComboBox2{*this, "ComboBox2"}; // table box
    ui::CheckBox CheckBox1{*this, "CheckBox1", U"長さ変更"};
    ui::Edit Edit10{*this, "Edit10"}; // work length
    ui::CheckBox CheckBox37{*this, "CheckBox37", U"送り補正"};
    ui::Edit Edit51{*this, "Edit51"}; // feed correction percentage
    ui::Label Label59{*this, "Label59", U"%"};
    ui::Edit Edit37{*this, "Edit37"};
    ui::Edit Edit38{*this, "Edit38"};
    ui::SpeedButton SpeedButton24{*this, "SpeedButton24", U"｜"};
    ui::SpeedButton SpeedButton22{*this, "SpeedButton22", U"【"};
    ui::SpeedButton SpeedButton23{*this, "SpeedButton23", U"】"};
    ui::Edit Edit16{*this, "Edit16"}; // numbering end value
    ui::CheckBox CheckBox36{*this, "CheckBox36", U"連番前優先"};

    // --- Entry row ----------------------------------------------------------------
    ui::Label Label1{*this, "Label1", U"連番１"};
    ui::Label Label2{*this, "Label2", U"線番１"};
    ui::Label Label3{*this, "Label3", U"連番２"};
    ui::Label Label4{*this, "Label4", U"線番２"};
    ui::Label Label5{*this, "Label5", U"連番３"};
    ui::Label Label6{*this, "Label6", U"個数"};
    ui::Label Label56{*this, "Label56"};
    ui::Label Label57{*this, "Label57"};
    ui::CheckBox CheckBox3{*this, "CheckBox3"}; // fix boxes of the entry fields
    ui::CheckBox CheckBox4{*this, "CheckBox4"}; // 線番１ fixed
    ui::CheckBox CheckBox5{*this, "CheckBox5"};
    ui::CheckBox CheckBox6{*this, "CheckBox6"};
    ui::CheckBox CheckBox7{*this, "CheckBox7"};
    ui::Edit Edit1{*this, "Edit1"}; // 連番１ start
    ui::Label Tilde1{*this, "Tilde1", U"～"};
    ui::Label Label15{*this, "Label15", U"      "}; // pair-mode indicators of the sequences
    ui::Label Label16{*this, "Label16", U"      "};
    ui::Label Label17{*this, "Label17", U"      "};
    ui::Edit Edit11{*this, "Edit11"}; // 連番１ middle
    ui::Edit Edit2{*this, "Edit2"};   // 連番１ end
    ui::Edit Edit3{*this, "Edit3"};   // 線番１
    ui::Edit Edit4{*this, "Edit4"};   // 連番２ start
    ui::Label Tilde2{*this, "Tilde2", U"～"};
    ui::Edit Edit12{*this, "Edit12"};
    ui::Edit Edit5{*this, "Edit5"};
    ui::Edit Edit6{*this, "Edit6"}; // 線番２
    ui::Edit Edit7{*this, "Edit7"}; // 連番３ start
    ui::Label Tilde3{*this, "Tilde3", U"～"};
    ui::Edit Edit13{*this, "Edit13"};
    ui::Edit Edit8{*this, "Edit8"};
    ui::Edit Edit9{*this, "Edit9"}; // count
    ui::Edit Edit46{*this, "Edit46"};
    ui::Edit Edit49{*this, "Edit49"};

    // --- Right of the entry -----------------------------------------------------------
    ui::Button Button7{*this, "Button7", U"OK"};
    ui::Button Button9{*this, "Button9", U"取消"};
    ui::Button Button8{*this, "Button8", U"クリア"};
    ui::CheckBox CheckBox2{*this, "CheckBox2", U"設定"};

    // --- Preset strip -----------------------------------------------------------------
    ui::Panel Panel1{*this, "Panel1"};
    // Preset buttons in settings-line order: line i shows on presetButtons[i].
    std::array<std::unique_ptr<ui::SpeedButton>, 20> presetButtons;
    // The count buttons &1 … 1&0 for the counts 1 to 10.
    std::array<std::unique_ptr<ui::SpeedButton>, 10> countButtons;
    // Invisible buttons the presets and the A–Z store click.
    ui::SpeedButton SpeedButton26{*this, "SpeedButton26"}; // parses the pending preset definition
    ui::SpeedButton SpeedButton28{*this, "SpeedButton28"}; // applies the pending A–Z entry

    // --- Middle: A–Z store, settings panel, box mode, count column ------------------------
    ui::Panel Panel5{*this, "Panel5"};
    ui::SpeedButton SpeedButton1{Panel5, "SpeedButton1"};
    ui::CheckBox CheckBox8{Panel5, "CheckBox8", U"履歴モード"};
    std::array<std::unique_ptr<ui::SpeedButton>, 26> letterButtons; // SpeedButtonA … SpeedButtonZ
    std::array<std::unique_ptr<ui::Edit>, 26> letterBoxes;          // EditA … EditZ

    // Clr buttons SpeedButtonAC … SpeedButtonZC (copy mode), pin boxes CheckBox9 … CheckBox34 (history mode).
    std::array<std::unique_ptr<ui::SpeedButton>, 26> letterClearButtons;
    std::array<std::unique_ptr<ui::CheckBox>, 26> pinBoxes;
    ui::Button Button30{Panel5, "Button30", U"All Clear"};

    ui::Panel Panel3{*this, "Panel3"};
    ui::Label Label13{Panel3, "Label13", U"テーブルデータ転送先設定"};
    ui::ComboBox ComboBox3{Panel3, "ComboBox3"};
    ui::Label Label39{Panel3, "Label39"};
    ui::Label Label14{Panel3, "Label14", U"個数同時入力ラベル設定"};
    ui::ComboBox ComboBox4{Panel3, "ComboBox4"};
    ui::ComboBox ComboBox5{Panel3, "ComboBox5"};
    ui::ComboBox ComboBox6{Panel3, "ComboBox6"};
    ui::Label Label65{Panel3, "Label65", U"ホットマーカー専用ソフトのバージョンを設定します"};
    ui::Edit Edit55{Panel3, "Edit55"}; // marker software version
    ui::Button Button1{Panel3, "Button1", U"設定"};
    ui::Label Label38{Panel3, "Label38"};
    // The preset definition boxes Edit17 … Edit36 and their labels 釦1 … 釦20, in settings-line order.
    std::array<std::unique_ptr<ui::Edit>, 20> definitionBoxes;
    std::array<std::unique_ptr<ui::Label>, 20> definitionLabels;

    ui::Panel Panel14{*this, "Panel14"};
    ui::RadioButton RadioButton16{Panel14, "RadioButton16", U"1BOX"};
    ui::RadioButton RadioButton17{Panel14, "RadioButton17", U"3BOX"};
    ui::RadioButton RadioButton18{Panel14, "RadioButton18", U"TEXT"};

    ui::Panel Panel13{*this, "Panel13"};
    ui::Label Label58{Panel13, "Label58"};
    ui::RadioButton RadioButton10{Panel13, "RadioButton10"};
    ui::RadioButton RadioButton11{Panel13, "RadioButton11"};
    ui::RadioButton RadioButton12{Panel13, "RadioButton12"};

    // --- The list and the panels beside it ---------------------------------------------------
    ui::StringGrid StringGrid1{*this, "StringGrid1"};
    ui::Panel Panel2{*this, "Panel2"}; // spreadsheet panel
    ui::SpeedButton SpeedButton29{Panel2, "SpeedButton29", U"新規作成"};
    ui::SpeedButton SpeedButton30{Panel2, "SpeedButton30", U"開く"};
    ui::SpeedButton SpeedButton25{Panel2, "SpeedButton25", U"閉じる"};
    ui::Button Button19{Panel2, "Button19", U"新規作成"}; // hidden: 新規作成 for code that clicks it
    ui::ComboBox ComboBox1{Panel2, "ComboBox1"};          // sheet box
    ui::Edit Edit14{Panel2, "Edit14"};                    // column box
    ui::Edit Edit15{Panel2, "Edit15"};                    // row box
    ui::Button Button21{Panel2, "Button21", U"転送"};
    ui::CheckBox CheckBox35{Panel2, "CheckBox35", U"挿入"};
    ui::CheckBox CheckBox39{Panel2, "CheckBox39", U"セル幅連動"};
    // The transfer's spacing: 連続, or one, two or three rows left free.
    ui::RadioButton RadioButton1{Panel2, "RadioButton1", U"連続"};
    ui::RadioButton RadioButton2{Panel2, "RadioButton2", U"1行置"};
    ui::RadioButton RadioButton3{Panel2, "RadioButton3", U"2行置"};
    ui::RadioButton RadioButton4{Panel2, "RadioButton4", U"3行置"};
    ui::Panel Panel8{*this, "Panel8"}; // edit tools
    ui::Panel Panel6{*this, "Panel6"}; // multi-line tools
    // The tool panels' 取消 buttons (replace, delete, insert; multi-line).
    ui::SpeedButton SpeedButton39{Panel8, "SpeedButton39", U"取消"};
    ui::SpeedButton SpeedButton35{Panel8, "SpeedButton35", U"取消"};
    ui::SpeedButton SpeedButton37{Panel8, "SpeedButton37", U"取消"};
    ui::SpeedButton SpeedButton33{Panel6, "SpeedButton33", U"取消"};

    // --- Bottom right --------------------------------------------------------------------
    ui::Button Button16{*this, "Button16", U"一行削除"};
    ui::Button Button17{*this, "Button17", U"全行削除"};
    ui::Button Button4{*this, "Button4", U"マーキング"};
    ui::Button Button18{*this, "Button18", U"CTK 保存"};
    ui::Button Button5{*this, "Button5", U"閉じる"};
    ui::SpeedButton SpeedButton51{*this, "SpeedButton51", U"半角変換"};
    ui::SpeedButton SpeedButton27{*this, "SpeedButton27"};
    ui::Panel Panel4{*this, "Panel4"}; // the blue-mode switch

    // --- Window menu (PopupMenu2) and list menu (PopupMenu1) ----------------------------------
    ui::PopupMenu PopupMenu2{*this, "PopupMenu2"};
    ui::MenuItem N7{PopupMenu2, "N7", U"取消", "Esc"};
    ui::MenuItem N27{PopupMenu2, "N27", U"エクセル＜＞ルミタグ切替", "F1"};
    ui::MenuItem N20{PopupMenu2, "N20", U"ブルーモード切替", "Shift+F1"};
    ui::MenuItem N17{PopupMenu2, "N17", U"グリッド内編集", "F2"};
    ui::MenuItem N18{PopupMenu2, "N18", U"グリッド内多段改行・ナンバーリング", "F3"};
    ui::MenuItem N14{PopupMenu2, "N14", U"文字挿入モード", "F4"};
    ui::MenuItem N12{PopupMenu2, "N12", U"多段改行記号　　　｜", "F5"};
    ui::MenuItem N13{PopupMenu2, "N13", U"ナンバーリング記号　【】", "F6"};
    ui::MenuItem N11{PopupMenu2, "N11", U"ロック", "F7"};
    ui::MenuItem CTK1{PopupMenu2, "CTK1", U"CTK保存", "F8"};
    ui::MenuItem N15{PopupMenu2, "N15", U"転送", "F9"};
    ui::MenuItem N16{PopupMenu2, "N16", U"マーキング", "F10"};
    ui::MenuItem N8{PopupMenu2, "N8", U"クリア", "F11"};
    ui::MenuItem N10{PopupMenu2, "N10", U"全行削除", "F12"};

    ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};
    ui::MenuItem N25{PopupMenu1, "N25", U"元に戻す", "Ctrl+Z"};
    ui::MenuItem N26{PopupMenu1, "N26", U"やり直し", "Ctrl+Shift+Z"};
    ui::MenuItem PopupMenu1Line1{PopupMenu1, "PopupMenu1Line1", U"-"};
    ui::MenuItem N5{PopupMenu1, "N5", U"編集"};
    ui::MenuItem N6{PopupMenu1, "N6", U"多段改行記号　　　｜"};
    ui::MenuItem N9{PopupMenu1, "N9", U"ナンバーリング記号　【】"};
    ui::MenuItem PopupMenu1Line2{PopupMenu1, "PopupMenu1Line2", U"-"};
    ui::MenuItem N28{PopupMenu1, "N28", U"全行選択", "Ctrl+A"};
    ui::MenuItem Cut1{PopupMenu1, "Cut1", U"切り取り(&X)", "Ctrl+X"};
    ui::MenuItem Copy1{PopupMenu1, "Copy1", U"コピー(&C)", "Ctrl+C"};
    ui::MenuItem Paste1{PopupMenu1, "Paste1", U"貼り付け(&P)", "Ctrl+V"};
    ui::MenuItem Del1{PopupMenu1, "Del1", U"行削除"};
    ui::MenuItem Ins1{PopupMenu1, "Ins1", U"行挿入"};
    ui::MenuItem PopupMenu1Line3{PopupMenu1, "PopupMenu1Line3", U"-"};
    ui::MenuItem gyak2{PopupMenu1, "gyak2", U"逆順に並び替え"};
    ui::MenuItem N1{PopupMenu1, "N1", U"文字列挿入モード"};
    ui::MenuItem N2{PopupMenu1, "N2", U"文字列挿入モード解除"};
    ui::MenuItem PopupMenu1Line4{PopupMenu1, "PopupMenu1Line4", U"-"};
    ui::MenuItem CTK2{PopupMenu1, "CTK2", U"CTKマーキングデータ　インポート"};

    // The spreadsheet panel's menu (PopupMenu4).
    ui::PopupMenu PopupMenu4{*this, "PopupMenu4"};
    ui::MenuItem opop{PopupMenu4, "opop", U"開く"};
    ui::MenuItem gyak1{PopupMenu4, "gyak1", U"逆順で転送する"};
    ui::MenuItem N21{PopupMenu4, "N21", U"エクセル　フォーマット"};
    ui::MenuItem N24{PopupMenu4, "N24", U"列幅・行高さ・印刷補正の設定"};
    // The sheet layouts under エクセル　フォーマット.
    ui::PopupMenu N21Menu{*this, "N21Menu"};
    ui::MenuItem N22{N21Menu, "N22", U"デバイスシール（IDEC） BNM-D1"};

    // --- Timers ----------------------------------------------------------------------------
    ui::Timer Timer1{*this, "Timer1"}; // the selection follows the end of the list
    ui::Timer Timer2{*this, "Timer2"}; // watcher; re-shows this window after blue mode
    ui::Timer Timer3{*this, "Timer3"}; // sheet synchroniser
    ui::Timer Timer4{*this, "Timer4"}; // one tick after closing a workbook
    ui::Timer Timer5{*this, "Timer5"}; // periodic refresh
    ui::Timer Timer6{*this, "Timer6"}; // F1 pause
    // Delivers the spreadsheet's events while the link is connected.
    ui::Timer HostEventPump{*this, "HostEventPump"};
    // Delivers the input hook's events while the hook is installed.
    ui::Timer HookEventPump{*this, "HookEventPump"};

    // --- State other parts read --------------------------------------------------------------
    marking::MarkingList& list() { return list_; }
    marking::ListUndo& undo() { return undo_; }
    marking::ListCommands& listCommands() { return listCommands_; }
    marking::ModeSwitch& modeSwitch() { return modeSwitch_; }
    entry::EntryPanel& entryPanel() { return entryPanel_; }
    tools::EditToolPanel& editTools() { return editTools_; }
    tools::MultiLineToolPanel& multiLineTools() { return multiLineTools_; }
    entry::NumberingMarks& numberingMarks() { return *numberingMarks_; }
    entry::PresetButtons& presets() { return *presets_; }
    entry::LetterStore& letterStore() { return *letterStore_; }
    SettingsStore& settings() { return settings_; }
    bool tableFilePresent() const { return tableFilePresent_; }
    // Where F1 puts the pointer on this program's side and on the spreadsheet's.
    platform::ScreenPoint programPointer() const;
    platform::ScreenPoint spreadsheetPointer() const;
    // Work length and feed correction, shared with the blue window.
    markerfile::SharedMarkerState& markerState() { return markerState_; }
    const markerfile::ConditionHeader& filledHeader() const { return filledHeader_; }
    const markerfile::TableStore& tableStore() const { return tableStore_; }
    // The link to the spreadsheet, shared with the blue window.
    sheet::SpreadsheetLink& spreadsheetLink() { return link_; }
    sheet::WorkbookCommands& workbookCommands() { return *workbooks_; }
    sheet::SheetSynchroniser& sheetSynchroniser() { return *synchroniser_; }
    // The two programs sharing the screen; the blue window joins it too.
    sheet::WindowCoupling& coupling() { return *coupling_; }

    // --- Operations -------------------------------------------------------------------------
    // Focuses 線番２ when 線番１ is fixed, else 線番１, with the whole text selected.
    void FocusEntryField();
    void SwitchToBlueMode();
    // SpeedButton27: the window's hints on or off.
    void ToggleHints();
    // Makes the program's active window the desktop's foreground window.
    void BringToFront();
    // The box-mode radio buttons' handler: lays out the list and the entry panel.
    void ApplyBoxMode(marking::BoxMode mode);
    // System power notices 0–3 (suspend queries and their failures) stop the
    // timers, 6–8 (resume) start the watcher again.
    void PowerNotice(int code);
    // The program became the active application, was minimised or restored.
    void ApplicationActivate();
    void ApplicationMinimize();
    void ApplicationRestore();
    // The blue window has gone: the mode watcher shows this window at its
    // next tick, also when the watcher had been stopped.
    void awaitReturnFromBlueMode();
    // Button21 and Enter in the row box: the transfer of the list into the sheet.
    void Transfer();

    // --- Marker files (TForm2MarkerFiles.cpp, TForm2FeedCorrection.cpp) -----------------
    void SaveMarkerData();         // Button18, F8
    void MarkWithMarkerSoftware(); // Button4, F10
    void ImportMarkerData();       // CTK2
    void SelectTable();            // ComboBox2's change
    void ValidateDestination();    // ComboBox3 losing the focus
    void SaveTableFile();          // Button1 of the settings panel
    // Rebuilds the filled header from the selected table and the destination
    // of settings line 46 (start-up, the settings panel closing, return from blue mode).
    void rebuildFilledHeader();
    // Entries 9 and 43 become "WorkLength=" followed by the text.
    void ApplyWorkLength(TextView workLength);
    // Applies the work length box's text when it is shown and differs from
    // the loaded work length (save, mark and the switch to blue mode).
    void applyChangedWorkLength();
    // After blue mode: the filled header again carries the shared work length and feed correction.
    void takeOverSharedMarkerState();
    // Leaving blue mode: the feed-correction tick, lengths and percentage as the blue window left them.
    void takeOverBlueFeedCorrection();

private:
    void layOutControls();
    void layOutStores();
    void createWindow(); // the creation steps, in order
    void applySettings();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void Timer2Timer();
    // Shows this window again after blue mode; the last duty of each watcher tick.
    void ModeWatcherTick();
    // The list's undo, commands, modes and menus: the controls each part sees,
    // and their handlers (TForm2ListCommands.cpp).
    std::array<marking::SequenceControls, 3> sequenceControls();
    marking::EntryFieldControls entryFieldControls();
    marking::ListStateItems listStateItems();
    marking::UndoControls undoControls();
    marking::ModeSwitchControls modeSwitchControls();
    marking::ListCommandControls listCommandControls();
    void wireListCommands();
    // The entry panel: its controls and handlers, and the window's keys (TForm2EntryPanel.cpp).
    entry::EntryPanelControls entryPanelControls();
    void wireEntryPanel();
    // The bulk text tools of Panel8 and Panel6 and the half-width conversion (TForm2Tools.cpp).
    void wireTools();
    void RadioButtonBoxModeClick(marking::BoxMode mode);
    ui::RadioButton& boxModeButton(marking::BoxMode mode);
    // The marks (TForm2Marks.cpp), the presets and count buttons (TForm2Presets.cpp)
    // and the A–Z store (TForm2LetterStore.cpp).
    void wireMarks();
    void layOutPresetControls();
    void wirePresets();
    void closeSettingsPanel();
    void layOutLetterStoreControls();
    void wireLetterStore();
    std::array<ui::Edit*, 11> entryBoxes();
    // The spreadsheet link: the panel's controls and their handlers (TForm2Sheet.cpp).
    void layOutSheetControls();
    void wireSheetLink();
    // The window coupling with the spreadsheet, F1 and the input hook (TForm2Coupling.cpp).
    void wireCoupling();
    // The device seal workbook and the column/row settings window (TForm2DeviceSeals.cpp).
    void wireDeviceSeals();
    // Every keyboard shortcut of the window, and its hints (TForm2Shortcuts.cpp).
    void wireShortcuts();
    void wireHints();
    // The events with duties of several parts, each wired once (TForm2Events.cpp).
    void wireSharedEvents();
    // How writing the settings store went (Closing.cpp).
    struct SettingsSave {
        enum class Outcome {
            Written,
            KeptOffUnreadFile, // the file could not be read at start-up and stays as it is
            DeclinedByUser,    // the user kept characters CP932 cannot hold out of the file
            WriteFailed,
        } outcome;
        Text failure; // the error box's text when the write failed
    };
    SettingsSave saveSettingsForClose();
    SettingsSave writeSettings();
    // Saves the settings store, reporting a failed write in the general error
    // box; false when the store was not written.
    bool saveSettings();
    void closeSpreadsheet();
    marking::CountLabels countLabels() const;

    // Marker files, table, work length and feed correction.
    void layOutMarkerControls();
    void layOutFeedCorrectionControls();
    void LoadTableFile();
    void enterNoTableState();
    std::size_t selectedTable() const;
    void colourTableBox();
    void focusEntryFieldKeepingSelection();
    // Nothing when refused, or when the user declined to write characters CP932 cannot hold.
    std::optional<markerfile::MarkerData> buildOutput(TextView refusalMessage, TextView lossQuestion);
    Text confirmationText(TextView question) const;
    void CheckBox1Click();
    void Edit10Exit();
    void Edit10KeyDown(ui::KeyEvent& event);
    bool applyWorkLengthBox();
    void CheckBox37Click();
    void Edit37KeyDown(ui::KeyEvent& event);
    void Edit38KeyDown(ui::KeyEvent& event);
    bool computeFeedCorrection();
    void Edit51Exit();
    void countLabelChange(int index);

    markerfile::TableStore tableStore_;
    std::size_t tableLineCount_ = 0;
    markerfile::ConditionHeader filledHeader_;
    markerfile::SharedMarkerState markerState_;
    Text rememberedWorkLengthLine_;
    Text loadedWorkLength_;
    bool tableBoxPassesFocus_ = true;

    Services services_;
    TForm4* main_ = nullptr;
    TForm1* blue_ = nullptr;
    TForm5* columnSettings_ = nullptr;
    SettingsStore settings_;
    marking::MarkingList list_;
    marking::ListUndo undo_;
    marking::ModeSwitch modeSwitch_;
    marking::ListCommands listCommands_;
    entry::EntryPanel entryPanel_;
    tools::EditToolPanel editTools_{Panel8, SpeedButton39, SpeedButton35, SpeedButton37, list_, undo_};
    tools::MultiLineToolPanel multiLineTools_{Panel6, SpeedButton33, list_, undo_};
    std::unique_ptr<entry::NumberingMarks> numberingMarks_;
    std::unique_ptr<entry::ListMarks> listMarks_;
    std::unique_ptr<entry::PresetButtons> presets_;
    std::unique_ptr<entry::LetterStore> letterStore_;
    bool tableFilePresent_ = false;
    bool blueWasShowing_ = false;  // the mode watcher's memory
    sheet::SpreadsheetLink& link_; // shared with the blue window
    std::unique_ptr<sheet::SheetBox> sheetBox_;
    std::unique_ptr<sheet::CellBoxes> cellBoxes_;
    std::unique_ptr<sheet::WorkbookCommands> workbooks_;
    std::unique_ptr<sheet::SheetSynchroniser> synchroniser_;
    std::unique_ptr<sheet::TransferCommand> transfer_;
    std::unique_ptr<sheet::WindowCoupling> coupling_;
    std::unique_ptr<sheet::DeviceSealWorkbook> deviceSeals_;
};

} // namespace lumitag::app
