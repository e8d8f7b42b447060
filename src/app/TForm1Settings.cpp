// The blue window's three settings: their controls' places and captions at
// creation, the panels side by side, the focus colour of the boxes, and
// going back to setting 1 alone.
#include "app/TForm1.h"
#include "sheet/CellBoxes.h"
#include "sheet/SettingFill.h"
#include "ui/Application.h"

#include <algorithm>
#include <initializer_list>

namespace lumitag::app {

namespace {

constexpr TextView ColumnHint = U"列を指定します（ここにA(1)からCV(100)まで入力できます)";

// Places inside a settings panel of 190 × 530, top to bottom in the order of
// the boxes.
constexpr ui::Rect PanelBounds{1, 30, 190, 530};
constexpr ui::Rect WorkModeBounds{4, 19, 182, 78};
// ソースDT and ターゲットDT stand between the work mode and the boxes.
constexpr ui::Rect EplanCaptionBounds{4, 97, 120, 14};
constexpr int FirstBoxTop = 112;
constexpr int BoxPitch = 23;
constexpr int LabelLeft = 4;
constexpr int LabelWidth = 106;
constexpr int BoxLeft = 112;
constexpr int BoxWidth = 74;
constexpr int BoxHeight = 21;
constexpr int LabelHeight = 16;
// The remark ticks stand right of the column 3 and 4 boxes.
constexpr int RemarkTickWidth = 16;
constexpr int RemarkBoxWidth = BoxWidth - RemarkTickWidth - 4;
constexpr int RowCountTop = FirstBoxTop + 8 * BoxPitch + 2;
constexpr int ReplacementTickTop = RowCountTop + 18;
constexpr int ReplacementTop = ReplacementTickTop + 22;
constexpr int ReplacementPitch = 22;
constexpr int OccurrenceLabelWidth = 120;
constexpr int OccurrenceBoxLeft = 126;
constexpr int OccurrenceBoxWidth = 22;
constexpr int FullWidthToolsTop = 488;
constexpr int UseNextSettingTop = 509;

// The most characters of each box: columns, rows, count; no limit for the
// column 3 box, which may hold a remark.
constexpr std::array<int, 8> BoxLengths{3, 3, 0, 3, 4, 4, 3, 3};

} // namespace

TForm1::SettingControls TForm1::setting(int index) {
    switch (index) {
    case 1:
        return {Panel1,
                RadioGroup1,
                {&Edit1, &Edit6, &Edit11, &Edit16, &Edit21, &Edit26, &Edit31, &Edit36},
                {&Label1, &Label6, &Label11, &Label16, &StartRowLabel1, &EndRowLabel1, &Label31, &Label36},
                Label58,
                {&SpeedButton3, &SpeedButton7, &ComboBox4}};
    case 2:
        return {Panel2,
                RadioGroup2,
                {&Edit2, &Edit7, &Edit12, &Edit17, &Edit22, &Edit27, &Edit32, &Edit37},
                {&Label2, &Label7, &Label12, &Label17, &StartRowLabel2, &EndRowLabel2, &Label32, &Label37},
                Label59,
                {&SpeedButton4, &SpeedButton8, &ComboBox5}};
    default:
        return {Panel3,
                RadioGroup3,
                {&Edit3, &Edit8, &Edit13, &Edit18, &Edit23, &Edit28, &Edit33, &Edit38},
                {&Label3, &Label8, &Label13, &Label18, &StartRowLabel3, &EndRowLabel3, &Label33, &Label38},
                Label60,
                {&SpeedButton5, &SpeedButton9, &ComboBox6}};
    }
}

TForm1::ReplacementLabels::ReplacementLabels(ui::Control& panel, const std::string& setting)
    : target1(panel, "ReplaceTargetLabel" + setting, U"置換前文字(列)"),
      occurrence1(panel, "OccurrenceLabel" + setting, U"対象文字(列)が複数時"),
      occurrenceSuffix1(panel, "OccurrenceSuffix" + setting, U"番目"),
      replacement1(panel, "ReplacementLabel" + setting, U"置換文字(列)"),
      target2(panel, "SecondTargetLabel" + setting, U"置換前文字(列)"),
      occurrence2(panel, "SecondOccurrenceLabel" + setting, U"対象文字(列)が複数時"),
      occurrenceSuffix2(panel, "SecondOccurrenceSuffix" + setting, U"番目"),
      replacement2(panel, "SecondReplacementLabel" + setting, U"置換文字(列)") {}

TForm1::ReplacementControls TForm1::replacement(int index) {
    switch (index) {
    case 1:
        return {
            CheckBox5, {&Edit42, &Edit4, &Edit43, &Edit10, &Edit14, &Edit15}, Label54, ReplacementLabels1};
    case 2:
        return {
            CheckBox6, {&Edit44, &Edit5, &Edit45, &Edit19, &Edit20, &Edit24}, Label56, ReplacementLabels2};
    default:
        return {
            CheckBox7, {&Edit46, &Edit9, &Edit47, &Edit25, &Edit29, &Edit30}, Label57, ReplacementLabels3};
    }
}

std::array<ui::CheckBox*, 2> TForm1::remarkTicks(int index) {
    switch (index) {
    case 1:
        return {&CheckBox8, &CheckBox9};
    case 2:
        return {&CheckBox10, &CheckBox11};
    default:
        return {&CheckBox12, &CheckBox13};
    }
}

void TForm1::layOutSettings() {
    // The replacement tick, then per pair: target, occurrence and
    // replacement, the two pairs parted by the caption. Hidden until ticked.
    const auto layOutReplacement = [](const ReplacementControls& r) {
        r.tick.setBounds({LabelLeft, ReplacementTickTop, 182, 20});
        ReplacementLabels& l = r.labels;
        const std::array<std::array<ui::Label*, 3>, 2> captions{{
            {&l.target1, &l.occurrence1, &l.replacement1},
            {&l.target2, &l.occurrence2, &l.replacement2},
        }};
        const std::array<ui::Label*, 2> suffixes{&l.occurrenceSuffix1, &l.occurrenceSuffix2};
        for (std::size_t pair = 0; pair < 2; ++pair) {
            const int top = ReplacementTop + static_cast<int>(pair) * (3 * ReplacementPitch + 18);
            for (std::size_t row = 0; row < 3; ++row) {
                const int rowTop = top + static_cast<int>(row) * ReplacementPitch;
                ui::Edit* box = r.boxes[pair * 3 + row];
                if (row == 1) {
                    captions[pair][row]->setBounds(
                        {LabelLeft, rowTop + 3, OccurrenceLabelWidth, LabelHeight});
                    box->setBounds({OccurrenceBoxLeft, rowTop, OccurrenceBoxWidth, BoxHeight - 1});
                    box->setMaxLength(1);
                    suffixes[pair]->setBounds(
                        {OccurrenceBoxLeft + OccurrenceBoxWidth + 4, rowTop + 3, 34, LabelHeight});
                } else {
                    captions[pair][row]->setBounds({LabelLeft, rowTop + 3, LabelWidth, LabelHeight});
                    box->setBounds({BoxLeft, rowTop, BoxWidth, BoxHeight - 1});
                }
            }
        }
        r.caption.setBounds({LabelLeft, ReplacementTop + 3 * ReplacementPitch, 182, LabelHeight});
    };
    for (int index = 1; index <= 3; ++index) {
        SettingControls s = setting(index);
        s.panel.setBounds(PanelBounds);
        s.panel.setParentColor(true);
        s.workMode.setBounds(WorkModeBounds);
        s.workMode.setItems({U"一列のみ連続", U"複数列を連続", U"複数列を一行", U"線番・記銘板等"});
        s.workMode.setItemIndex(sheet::workMode::WireNumbers);
        // Settings 2 and 3 follow setting 1's work mode.
        s.workMode.setEnabled(index == 1);
        for (std::size_t row = 0; row < s.boxes.size(); ++row) {
            const int top = FirstBoxTop + static_cast<int>(row) * BoxPitch;
            s.labels[row]->setBounds({LabelLeft, top + 3, LabelWidth, LabelHeight});
            s.boxes[row]->setBounds({BoxLeft, top, BoxWidth, BoxHeight});
            s.boxes[row]->setMaxLength(BoxLengths[row]);
        }
        s.rowCountLabel.setBounds({BoxLeft, RowCountTop, BoxWidth, LabelHeight});
        for (std::size_t column = 2; column <= 3; ++column) {
            ui::CheckBox* tick = remarkTicks(index)[column - 2];
            const ui::Rect box = s.boxes[column]->bounds();
            s.boxes[column]->setSize(RemarkBoxWidth, box.height);
            tick->setBounds({BoxLeft + RemarkBoxWidth + 4, box.top + 2, RemarkTickWidth, LabelHeight});
            tick->hide();
        }
        layOutReplacement(replacement(index));
        s.fullWidthTools[0]->setBounds({4, FullWidthToolsTop, 58, 22});
        s.fullWidthTools[1]->setBounds({64, FullWidthToolsTop, 58, 22});
        s.fullWidthTools[2]->setBounds({124, FullWidthToolsTop, 62, 20});
        for (ui::Control* tool : s.fullWidthTools)
            tool->hide();

        // 線番・記銘板等 at creation: one text column, the count column and
        // the sequence column; columns 2 to 4 are hidden.
        s.labels[0]->setCaption(U"線番列");
        s.labels[1]->setCaption(U"列二番目");
        s.labels[2]->setCaption(U"列三番目(未入力可)");
        s.labels[3]->setCaption(U"列四番目(未入力可)");
        s.labels[6]->setCaption(U"個数列");
        s.labels[7]->setCaption(U"連番列(未入力可)");
        for (std::size_t row = 1; row <= 3; ++row) {
            s.boxes[row]->hide();
            s.labels[row]->hide();
        }
    }
    // The titles stand above the work mode: a panel's own caption would
    // show in its middle, behind the boxes.
    for (ui::Label* title : {&Panel1Title, &Panel2Title, &Panel3Title})
        title->setBounds({LabelLeft, 2, 40, LabelHeight});
    Panel2.hide();
    Panel3.hide();

    for (ui::Edit* box : {&Edit1, &Edit6, &Edit16, &Edit36, &Edit31})
        box->setHint(Text(ColumnHint));
    Edit21.setHint(U"始行を入力します");
    Edit26.setHint(U"終行を入力します");
    SpeedButton3.setHint(U"指定列行内の全角文字を検索します");
    SpeedButton7.setHint(U"エクセル内指定列・行の全角文字を半角に変換します");

    CheckBox5.setHint(U"エクセルの指定列行の文字（列）を置換えて変換します");
    Edit42.setHint(U"指定列行内の対象文字（列）を入力します");
    Edit43.setHint(U"置換える文字（列）を入力します");
    Edit15.setHint(U"置換える文字（列）を入力します");
    Edit4.setHint(U"対象文字（列）が一行内に複数ある時に指定します");
    Edit10.setHint(U"指定列行内の対象文字（列）を入力します（上で置換えた文字（列）も対象にできます）");
    Edit14.setHint(
        U"対象文字（列）が一行内に複数ある時に指定します（上で置換えた文字（列）も対象にできます）");
    for (int index = 1; index <= 3; ++index)
        showReplacementFields(index, false);

    // The EPLAN head remark takes the sequence column's place and shows in EPLAN mode only.
    Edit40.setBounds(Edit36.bounds());
    Edit40.setImeMode(ui::ImeMode::Disabled);
    Edit40.hide();
    // The output count stands left of the row count it doubles.
    Label63.setBounds({LabelLeft, RowCountTop, LabelWidth, LabelHeight});
    Label63.hide();

    // EPLAN and the copy buttons stand on the title line.
    CheckBox14.setBounds({122, 0, 64, 18});
    CheckBox14.setEnabled(false);
    Label61.setBounds(EplanCaptionBounds);
    Label62.setBounds(EplanCaptionBounds);
    Label61.hide();
    Label62.hide();
    Button7.setBounds({96, 0, 90, 18});
    Button8.setBounds({96, 0, 90, 18});

    CheckBox1.setBounds({LabelLeft, UseNextSettingTop, 120, 20});
    CheckBox2.setBounds({LabelLeft, UseNextSettingTop, 120, 20});
}

// A box shows the focus colour while it has the focus. A box left in that
// colour when the user went over to the spreadsheet marks the setting that a
// selection there fills.
void TForm1::wireInputColours() {
    for (int index = 1; index <= 3; ++index) {
        // The settings' boxes give the colour back in their leave rules.
        for (ui::Edit* box : setting(index).boxes)
            box->onEnter = [box] { box->setColor(sheet::CellBoxes::FocusColor); };
        for (ui::Edit* box : replacement(index).boxes) {
            box->onEnter = [box] { box->setColor(sheet::CellBoxes::FocusColor); };
            box->onExit = [box] { box->setColor(ui::colors::Window); };
        }
    }
    wireSettingRules();
}

void TForm1::ArrangePanels(int shownSettings, int width) {
    // Left positions for 1, 2 and 3 panels side by side: setting 3 leftmost,
    // setting 1 rightmost, the common controls below setting 1.
    struct Arrangement {
        int windowWidth;
        int panel3;
        int panel2;
        int panel1;
        int leftButtons;  // SpeedButton1, Button3, Button9
        int rightButtons; // Button2, SpeedButton2, Button5, Button6, Panel4
        int hintButton;   // SpeedButton27
        int undoAdd;      // SpeedButton6
        int boxes;        // ComboBox1, ComboBox2, and the marker controls beside the table box
    };
    static constexpr std::array<Arrangement, 3> arrangements{{
        {0, 0, 0, 1, 15, 105, 8, 47, 2},
        {390, 0, 1, 191, 205, 295, 198, 237, 192},
        {580, 1, 191, 381, 395, 485, 388, 427, 382},
    }};
    const int shown = std::clamp(shownSettings, 1, 3);
    const Arrangement& a = arrangements[static_cast<std::size_t>(shown - 1)];
    const int windowWidth = shown == 1 ? width : a.windowWidth;
    // Measured from the screen's right edge plus 10; one panel keeps its left
    // edge whether the window is 205 or 200 wide.
    const int edge = services_.screen.screenRect().width + 10;
    setBounds({edge - (shown == 1 ? NarrowWidth : windowWidth), top(), windowWidth, height()});
    Panel3.setPosition(a.panel3, Panel3.top());
    Panel2.setPosition(a.panel2, Panel2.top());
    Panel1.setPosition(a.panel1, Panel1.top());
    for (ui::Control* control : std::initializer_list<ui::Control*>{&SpeedButton1, &Button3, &Button9})
        control->setPosition(a.leftButtons, control->top());
    for (ui::Control* control :
         std::initializer_list<ui::Control*>{&Button2, &SpeedButton2, &Button5, &Button6, &Panel4})
        control->setPosition(a.rightButtons, control->top());
    SpeedButton27.setPosition(a.hintButton, SpeedButton27.top());
    SpeedButton6.setPosition(a.undoAdd, SpeedButton6.top());
    ComboBox1.setPosition(a.boxes, ComboBox1.top());
    ComboBox2.setPosition(a.boxes, ComboBox2.top());
    placeMarkerControls();
}

void TForm1::collapseToSettingOne(int width) {
    // The use ticks answer the user's release only: unticking them here runs no rule.
    CheckBox1.setChecked(false);
    CheckBox2.setChecked(false);
    Panel2.hide();
    Panel3.hide();
    CheckBox6.setChecked(false);
    CheckBox7.setChecked(false);
    showReplacementFields(2, false);
    showReplacementFields(3, false);
    ArrangePanels(1, width);
}

void TForm1::hideFullWidthTools() {
    for (int index = 1; index <= 3; ++index)
        for (ui::Control* tool : setting(index).fullWidthTools)
            tool->hide();
}

void TForm1::emptyEveryTextBox() {
    std::vector<ui::Control*> pending(children().begin(), children().end());
    while (!pending.empty()) {
        ui::Control* control = pending.back();
        pending.pop_back();
        if (control->kind() == ui::ControlKind::Edit)
            static_cast<ui::Edit*>(control)->clear();
        pending.insert(pending.end(), control->children().begin(), control->children().end());
    }
}

void TForm1::focusFirstSettingBox() {
    focusControl(&Edit1);
    Edit1.selectAll();
}

} // namespace lumitag::app
