// The blue window's settings as created, and its panels side by side.
#include "ProgramFixture.h"
#include "sheet/SettingFill.h"

namespace lumitag::app::test {
namespace {

class BlueWindow : public ProgramTest {
protected:
    BlueWindow() { start(); }
    TForm1& b() { return blue(); }
};

TEST_F(BlueWindow, SettingsStartInWireNumberModeWithSettingOneAlone) {
    for (ui::RadioGroup* group : {&b().RadioGroup1, &b().RadioGroup2, &b().RadioGroup3}) {
        EXPECT_EQ(group->items(),
                  (std::vector<Text>{U"一列のみ連続", U"複数列を連続", U"複数列を一行", U"線番・記銘板等"}));
        EXPECT_EQ(group->itemIndex(), sheet::workMode::WireNumbers);
        EXPECT_EQ(group->caption(), U"ワークモード");
    }
    EXPECT_TRUE(b().RadioGroup1.enabled());
    EXPECT_FALSE(b().RadioGroup2.enabled()) << "settings 2 and 3 follow setting 1";
    EXPECT_FALSE(b().RadioGroup3.enabled());
    EXPECT_TRUE(b().Panel1.visible());
    EXPECT_FALSE(b().Panel2.visible());
    EXPECT_FALSE(b().Panel3.visible());

    // One text column, the count column and the sequence column.
    EXPECT_EQ(b().Label1.caption(), U"線番列");
    EXPECT_EQ(b().Label31.caption(), U"個数列");
    EXPECT_EQ(b().Label32.caption(), U"個数列");
    EXPECT_EQ(b().Label36.caption(), U"連番列(未入力可)");
    for (ui::Control* hidden : std::initializer_list<ui::Control*>{
             &b().Edit6, &b().Edit11, &b().Edit16, &b().Label6, &b().Label11, &b().Label16, &b().Edit40,
             &b().Label63, &b().SpeedButton3, &b().SpeedButton7, &b().ComboBox4})
        EXPECT_FALSE(hidden->visible()) << hidden->name();
    EXPECT_TRUE(b().Edit36.visible());
    EXPECT_EQ(b().Edit1.hint(), U"列を指定します（ここにA(1)からCV(100)まで入力できます)");
    EXPECT_EQ(b().Edit31.hint(), b().Edit1.hint());
    EXPECT_EQ(b().Edit21.hint(), U"始行を入力します");
    EXPECT_EQ(b().Edit26.hint(), U"終行を入力します");
    EXPECT_EQ(b().Edit1.maxLength(), 3);
    EXPECT_EQ(b().Edit11.maxLength(), 0) << "column 3 may hold a remark";
    EXPECT_EQ(b().Edit21.maxLength(), 4);
    EXPECT_EQ(b().CheckBox1.caption(), U"設定２を使用");
    EXPECT_EQ(b().SpeedButton1.caption(), U"エクセル開く");
    EXPECT_EQ(b().SpeedButton2.caption(), U"エクセル閉じる");
    EXPECT_EQ(b().Panel1.bounds(), (ui::Rect{1, 30, 190, 530}));
}

TEST_F(BlueWindow, PanelsStandSideBySideWithSettingOneRightmost) {
    // W is the screen width plus 10.
    const int edge = 1366 + 10;
    const struct {
        int shown;
        int width;
        int left;
        int panel3;
        int panel2;
        int panel1;
        int openButton;
        int closeButton;
        int hintButton;
        int sheetBox;
    } cases[] = {
        {1, 205, edge - 200, 1, 1, 1, 15, 105, 8, 2},
        {1, 200, edge - 200, 1, 1, 1, 15, 105, 8, 2},
        {2, 390, edge - 390, 1, 1, 191, 205, 295, 198, 192},
        {3, 580, edge - 580, 1, 191, 381, 395, 485, 388, 382},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        b().ArrangePanels(c.shown, c.width);
        EXPECT_EQ(b().width(), c.width);
        EXPECT_EQ(b().left(), c.left);
        if (c.shown == 3) {
            EXPECT_EQ(b().Panel3.left(), c.panel3);
        }
        if (c.shown >= 2) {
            EXPECT_EQ(b().Panel2.left(), c.panel2);
        }
        EXPECT_EQ(b().Panel1.left(), c.panel1);
        EXPECT_EQ(b().SpeedButton1.left(), c.openButton);
        EXPECT_EQ(b().SpeedButton2.left(), c.closeButton);
        EXPECT_EQ(b().Panel4.left(), c.closeButton);
        EXPECT_EQ(b().SpeedButton27.left(), c.hintButton);
        EXPECT_EQ(b().ComboBox1.left(), c.sheetBox);
        EXPECT_EQ(b().ComboBox2.left(), c.sheetBox);
    }
}

} // namespace
} // namespace lumitag::app::test
