// The orange-mode window: its controls at their design bounds, its creation
#include "platform/Text.h"
// steps and what happens each time it is shown.
#include "app/Messages.h"
#include "app/ProgramFiles.h"
#include "app/SettingsLines.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "sheet/CellBoxes.h"
#include "sheet/DeviceSealLayout.h"
#include "sheet/SheetBox.h"
#include "sheet/SheetSynchroniser.h"
#include "sheet/TransferCommand.h"
#include "sheet/WindowCoupling.h"
#include "sheet/WorkbookCommands.h"
#include "ui/Application.h"

#include <string>

namespace lumitag::app {

namespace {

constexpr int EntryTop = 48;
constexpr int EntryHeight = 23;
constexpr int SmallBoxWidth = 30;
constexpr int WireBoxWidth = 80;
constexpr ui::Color PanelColor = TForm2::OrangeColor;

// The preset button of each settings line 0 to 19: lines alternate between the
// upper row (SpeedButton2 …) and the lower row (SpeedButton12 …).
std::string presetButtonName(int line) {
    const int number = line % 2 == 0 ? 2 + line / 2 : 12 + line / 2;
    return "SpeedButton" + std::to_string(number);
}

Text letter(int index) {
    return Text(1, static_cast<char32_t>(U'A' + index));
}

Text tableName(int number) {
    return U"Table " + numberText(number);
}

} // namespace

TForm2::TForm2(ui::Application& application, Services services, sheet::SpreadsheetLink& link)
    : Form(application, "TForm2"), services_(services),
      settings_(services.files, programFile(services.programDirectory, SettingsFileName)),
      list_(marking::ListControls{StringGrid1, Timer1, SpeedButton51, Button9, N25, N26, N6, N9, Del1, Ins1,
                                  Cut1, Copy1},
            {}, marking::SharedGridEvents::WiredByWindow),
      undo_(undoControls(), {[this] { FocusEntryField(); }, {}}),
      modeSwitch_(modeSwitchControls(), {[this] { FocusEntryField(); }, {}}, undo_),
      listCommands_(listCommandControls(),
                    {[this] { FocusEntryField(); }, [this] { return link_.connectedAndVisible(); }}, undo_),
      entryPanel_(entryPanelControls(), {}), link_(link) {
    layOutControls();
    layOutStores();
    layOutMarkerControls();
    wireListCommands();
    wireEntryPanel();
    wireTools();
    wireMarks();
    layOutPresetControls();
    wirePresets();
    layOutLetterStoreControls();
    wireLetterStore();
    layOutSheetControls();
    wireSheetLink();
    wireCoupling();
    wireDeviceSeals();
    wireShortcuts();
    wireHints();
    wireSharedEvents();
    createWindow();
}

TForm2::~TForm2() = default;

void TForm2::setWindows(TForm4& main, TForm1& blue, TForm5& columnSettings) {
    main_ = &main;
    blue_ = &blue;
    columnSettings_ = &columnSettings;
    blue.wireCoupling(*coupling_);
    if (!tableFilePresent_)
        blue.ComboBox2.hide();
}

void TForm2::layOutControls() {
    setCaption(U"ルミタグ Ver3.50");
    setColor(OrangeColor);
    setKeyPreview(true);
    setPopupMenu(&PopupMenu2);
    setShowHint(false); // hints are off until the hint switch turns them on

    // Top strip.
    ComboBox2.setBounds({8, 5, 107, 20});
    ComboBox2.setStyle(ui::ComboStyle::DropDownList);
    ComboBox2.setHint(U"CTKテーブルを選択できます");
    CheckBox1.setBounds({121, 6, 64, 17});
    CheckBox1.setHint(U"クリックするとテーブルのワーク長を変更できます\r\n"
                      U"（チェックをはずすと元のワーク長に戻ります）");
    Edit10.setBounds({187, 4, 35, 20});
    Edit10.setHint(U"ワーク長の設定（テキストボックスが表示\r\nされている間のみ設定が有効になります）");
    Edit10.hide();
    CheckBox37.setBounds({227, 6, 64, 17});
    CheckBox37.hide();
    Edit51.setBounds({243, 4, 35, 20});
    Edit51.hide();
    Label59.setBounds({282, 9, 10, 12});
    Label59.hide();
    Edit37.setBounds({292, 4, 35, 20});
    Edit37.hide();
    Edit38.setBounds({328, 4, 35, 20});
    Edit38.hide();
    SpeedButton24.setBounds({368, 5, 15, 20});
    SpeedButton22.setBounds({386, 5, 15, 20});
    SpeedButton23.setBounds({404, 5, 15, 20});
    Edit16.setBounds({422, 4, 35, 20});
    CheckBox36.setBounds({464, 6, 84, 17});
    CheckBox36.hide();

    // Entry row: labels, fix boxes and the sequence and wire boxes.
    const struct {
        ui::Label& label;
        int left;
    } labels[] = {{Label1, 35}, {Label2, 125}, {Label3, 217}, {Label4, 308}, {Label5, 399}, {Label6, 479}};
    for (const auto& l : labels)
        l.label.setBounds({l.left, 31, 40, 13});
    Label56.setBounds({500, 31, 30, 13});
    Label56.hide();
    Label57.setBounds({526, 31, 30, 13});
    Label57.hide();
    const struct {
        ui::CheckBox& box;
        int left;
    } fixBoxes[] = {{CheckBox3, 81}, {CheckBox4, 166}, {CheckBox5, 263}, {CheckBox6, 349}, {CheckBox7, 445}};
    for (const auto& f : fixBoxes)
        f.box.setBounds({f.left, 30, 15, 17});
    const struct {
        ui::Control& control;
        int left;
        int width;
    } entries[] = {{Edit1, 4, SmallBoxWidth},
                   {Edit2, 66, SmallBoxWidth},
                   {Edit3, 101, WireBoxWidth},
                   {Edit4, 186, SmallBoxWidth},
                   {Edit5, 248, SmallBoxWidth},
                   {Edit6, 283, WireBoxWidth},
                   {Edit7, 368, SmallBoxWidth},
                   {Edit8, 430, SmallBoxWidth},
                   {Edit9, 465, 50},
                   {Edit46, 492, 25},
                   {Edit49, 518, 25},
                   {Edit11, 35, SmallBoxWidth},
                   {Edit12, 217, SmallBoxWidth},
                   {Edit13, 399, SmallBoxWidth}};
    for (const auto& e : entries)
        e.control.setBounds({e.left, EntryTop, e.width, EntryHeight});
    for (ui::Edit* hidden : {&Edit46, &Edit49, &Edit11, &Edit12, &Edit13})
        hidden->hide();
    Tilde1.setBounds({44, 52, 20, 13});
    Tilde2.setBounds({226, 52, 20, 13});
    Tilde3.setBounds({408, 52, 20, 13});
    Label15.setBounds({36, 52, 28, 13});
    Label16.setBounds({218, 52, 28, 13});
    Label17.setBounds({400, 52, 28, 13});
    for (ui::Label* blank : {&Label15, &Label16, &Label17})
        blank->hide();

    // Right of the entry.
    Button7.setBounds({494, 80, 45, 25});
    Button9.setBounds({494, 109, 45, 25});
    Button9.setHint(U"グリッドに入力された文字列を取り消すことができます(ショートカット Esc )");
    Button9.hide();
    Button8.setBounds({494, 138, 45, 25});
    CheckBox2.setBounds({494, 171, 50, 17});

    // List and the panels beside it.
    StringGrid1.setBounds({6, 365, 401, 324});
    StringGrid1.setPopupMenu(&PopupMenu1);
    ui::Font listFont;
    listFont.size = 11; // a character height of 15 pixels
    StringGrid1.setFont(listFont);
    for (ui::Panel* panel : {&Panel2, &Panel8, &Panel6})
        panel->setBounds({406, 366, 140, 199});
    Panel8.hide();
    Panel6.hide();
    CheckBox35.setBounds({8, 118, 124, 17});
    CheckBox35.setHint(U"転送先に挿入します\r\n"
                       U"（グリッド内に個数が無いときは一列のみ、有る時は三列下方向にシフトします）");
    CheckBox39.setBounds({8, 140, 124, 17});
    CheckBox39.setHint(U"エクセル転送時にセル幅を文字列に合わせる事ができます");
    Button21.setBounds({8, 164, 60, 25});

    // Bottom right.
    Button16.setBounds({413, 569, 60, 25});
    Button17.setBounds({413, 599, 60, 25});
    // The marking and save buttons show once the list holds lines.
    Button4.setBounds({477, 569, 60, 25});
    Button4.hide();
    Button18.setBounds({477, 599, 60, 25});
    Button18.hide();
    Button5.setBounds({477, 629, 60, 25});
    Button5.setHint(U"ルミタグを閉じます（エクセルにデータを転送した時はエクセルを保存してください）");
    SpeedButton51.setBounds({413, 629, 60, 25});
    SpeedButton51.hide();
    SpeedButton27.setBounds({416, 659, 35, 30});
    SpeedButton27.setHint(U"マウスカーソルを各ポイントに移動するとヒントが表示されます");
    Panel4.setBounds({462, 659, 75, 23});
    Panel4.setCaption(U"ブルーモード");
    Panel4.setColor(ui::colors::SkyBlue);
    Panel4.setHint(U"ブルーモードに切替えます　(ショートカットShift+F1)");

    // Panels take the window's colour, except the blue-mode switch.
    for (ui::Panel* panel : {&Panel1, &Panel5, &Panel3, &Panel14, &Panel13, &Panel2, &Panel8, &Panel6})
        panel->setParentColor(true);

    // Middle: box mode and count column.
    Panel14.setBounds({482, 275, 64, 91});
    Panel14.setHint(U"3BOXは同時に3種類の線番個数を入力できます");
    RadioButton16.setBounds({6, 8, 54, 17});
    RadioButton17.setBounds({6, 36, 54, 17});
    RadioButton18.setBounds({6, 64, 54, 17});
    Panel13.setBounds({482, 275, 64, 91});
    Panel13.setCaption(U"マーキング ");
    Panel13.hide();
    Label58.setBounds({2, 2, 60, 26});
    RadioButton10.setBounds({6, 32, 54, 17});
    RadioButton11.setBounds({6, 50, 54, 17});
    RadioButton12.setBounds({6, 68, 54, 17});
    RadioButton10.setChecked(true);

    // The list menu's items start disabled: the periodic refresh and the
    // list's own rules offer them once they apply.
    for (ui::MenuItem* item :
         {&N25, &N26, &N5, &N6, &N9, &N28, &Cut1, &Copy1, &Paste1, &Del1, &Ins1, &gyak2, &N1, &N2})
        item->setEnabled(false);

    // Timers and their intervals; the watcher starts when the window shows.
    Timer2.setInterval(ui::Milliseconds{100});
    Timer2.stop();
    Timer3.setInterval(ui::Milliseconds{1});
    Timer3.stop();
    Timer4.setInterval(ui::Milliseconds{100});
    Timer4.stop();
    Timer5.setInterval(ui::Milliseconds{100});
    Timer6.setInterval(ui::Milliseconds{1500});
    Timer6.stop();

    onShow = [this] { FormShow(); };
    onCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    onClose = [this] { FormClose(); };
    Timer2.onTimer = [this] { Timer2Timer(); };
    Panel4.onClick = [this] { SwitchToBlueMode(); };
    Button5.onClick = [this] { close(); };
    RadioButton16.onClick = [this] { RadioButtonBoxModeClick(marking::BoxMode::OneBox); };
    RadioButton17.onClick = [this] { RadioButtonBoxModeClick(marking::BoxMode::ThreeBox); };
    RadioButton18.onClick = [this] { RadioButtonBoxModeClick(marking::BoxMode::Text); };
}

void TForm2::layOutStores() {
    // Preset strip: ten columns, the upper row for even settings lines.
    Panel1.setBounds({4, 75, 478, 53});
    for (int line = 0; line < 20; ++line) {
        auto button = std::make_unique<ui::SpeedButton>(Panel1, presetButtonName(line));
        button->setBounds({2 + 47 * (line / 2), line % 2 == 0 ? 2 : 27, 45, 24});
        presetButtons[static_cast<std::size_t>(line)] = std::move(button);
    }

    // A–Z store: three columns of nine slots; the last slot holds the tools.
    Panel5.setBounds({4, 128, 478, 238});
    for (int i = 0; i < 26; ++i) {
        const int left = 4 + 158 * (i / 9);
        const int top = 4 + 26 * (i % 9);
        auto button =
            std::make_unique<ui::SpeedButton>(Panel5, "SpeedButton" + std::string(1, char('A' + i)));
        button->setCaption(U"&" + letter(i));
        button->setBounds({left, top, 20, 21});
        button->setHint(U"クリックするかAlt+A～Zのキー操作でテキストボックスの\r\n"
                        U"文字列が線番１か線番２に入力されます");
        auto box = std::make_unique<ui::Edit>(Panel5, "Edit" + std::string(1, char('A' + i)));
        box->setBounds({left + 22, top, 98, 21});
        box->setReadOnly(true);
        letterButtons[static_cast<std::size_t>(i)] = std::move(button);
        letterBoxes[static_cast<std::size_t>(i)] = std::move(box);
    }
    SpeedButton1.setBounds({320, 210, 48, 27});
    SpeedButton1.setHint(U"クリックすると連番１，２，３、線番１，２の文字列がテキストボックスA～Zに\r\n"
                         U"登録されます（同じ文字列が登録されているとコピーできません）");
    CheckBox8.setBounds({374, 210, 96, 17});
    CheckBox8.setHint(U"ココにチェックをつけると線番履歴が残ります");

    // Settings panel (shown by the setting switch instead of the A–Z store).
    Panel3.setBounds({4, 128, 478, 238});
    Panel3.hide();
    Label13.setBounds({8, 8, 200, 13});
    ComboBox3.setBounds({8, 26, 100, 20});
    std::vector<Text> tables;
    for (int number = 0; number <= 20; ++number)
        tables.push_back(tableName(number));
    ComboBox3.setItems(tables);
    ComboBox3.setText(U"Table 0");
    Label39.setBounds({114, 22, 360, 30});
    Label14.setBounds({8, 60, 200, 13});
    const std::vector<Text> sizes{U"1.25", U"2.0", U"3.5", U"5.5", U"8.0"};
    const struct {
        ui::ComboBox& box;
        int left;
        Text text;
    } counts[] = {{ComboBox4, 8, U"1.25"}, {ComboBox5, 70, U"2.0"}, {ComboBox6, 132, U"5.5"}};
    for (const auto& c : counts) {
        c.box.setBounds({c.left, 78, 55, 20});
        c.box.setItems(sizes);
        c.box.setText(c.text);
    }
}

void TForm2::createWindow() {
    ui::Application& app = application();
    // Shared state starts fresh: the list is empty, no mode is on; the
    // clipboard is emptied.
    services_.clipboard.clear();

    // Placement: at the right edge of the screen, at the top.
    const platform::ScreenRect screen = services_.screen.screenRect();
    setBounds({screen.right() - ClientWidth, screen.top, ClientWidth, ClientHeight});
    // Hints show at once and stay ten seconds.
    app.setHintPause(ui::Milliseconds{0});
    app.setHintHidePause(ui::Milliseconds{10000});

    // The list starts in 1BOX; choosing it lays out the entry panel too.
    tableFilePresent_ = services_.files.fileExists(programFile(services_.programDirectory, TableFileName));
    RadioButton16.setChecked(true);

    // Texts with line breaks.
    SpeedButton1.setCaption(U"線番\r\nコピー");
    SpeedButton27.setCaption(Text(ShowHintsCaption));
    Label58.setCaption(U"マーキング\r\n　個 数 列");
    Label39.setCaption(U"マーカー本体の空きテーブルをパソコンからのデータ転送専用にします\r\n"
                       U"（「Table 0」 はテーブル設定がそのまま各テーブルに転送されます）");
    Edit14.setHint(U"列を指定します（ここにA(1)からCV(100)まで入力できます\r\n"
                   U"（エクセル側をクリック選択することもできます））");

    settings_.load();
    applySettings();

    LoadTableFile();

    (void)platform::setCapsLock(services_.windows, true);
}

void TForm2::applySettings() {
    presets_->showPresetButtons();
    for (int i = 0; i < 26; ++i)
        letterBoxes[static_cast<std::size_t>(i)]->setText(settings_.get(settingsLine::FirstLetter + i));
    if (!settings_.get(settingsLine::Destination).empty())
        ComboBox3.setText(settings_.get(settingsLine::Destination));
}

void TForm2::FormShow() {
    workbooks_->InitialiseLink();
    if (settings_.get(settingsLine::HistoryMode) == U"CHECK8")
        CheckBox8.setChecked(true);
    if (settings_.get(settingsLine::InsertMode) == U"CHECK35")
        CheckBox35.setChecked(true);

    const ui::Point corner = Panel4.formPosition();
    (void)services_.windows.movePointer({left() + corner.x + 30, top() + corner.y + 10});
    coupling_->setPointerPositions({left() + 10, 380}, {left() - 10, 380});

    FocusEntryField();
    if (!Timer2.enabled())
        Timer2.start();
    BringToFront();
}

void TForm2::FocusEntryField() {
    ui::Edit& field = CheckBox4.checked() ? Edit6 : Edit3;
    focusControl(&field);
    field.selectAll();
}

marking::CountLabels TForm2::countLabels() const {
    return {ComboBox4.text(), ComboBox5.text(), ComboBox6.text()};
}

} // namespace lumitag::app
