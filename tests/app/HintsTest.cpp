// The hints of both main windows: the hint switch, the controls that always
// show theirs, the boxes that hint their own text and the blue window's hints
// that depend on the switch.
#include "ProgramFixture.h"

namespace lumitag::app::test {
namespace {

constexpr TextView ShowCaption = U"ヒント\r\n表示";
constexpr TextView HideCaption = U"ヒント\r\n消去";
constexpr ui::Color TextHintColor{220, 220, 248};

class Hints : public ProgramTest {
protected:
    Hints() { start(); }
    TForm2& w() { return orange(); }
    void toBlue() {
        driver.press("Shift+F1");
        ASSERT_TRUE(blue().visible());
    }
    // The hint on screen now, or "" for none.
    Text shownHint() {
        const std::optional<ui::HintState> hint = app.currentHint();
        return hint ? hint->text : Text{};
    }
};

TEST_F(Hints, TheOrangeSwitchTurnsTheWindowsHintsOnAndOff) {
    EXPECT_EQ(w().SpeedButton27.caption(), ShowCaption);
    driver.hover(w().Button8);
    EXPECT_EQ(shownHint(), U"");

    driver.click(w().SpeedButton27);
    EXPECT_EQ(w().SpeedButton27.caption(), HideCaption);
    EXPECT_TRUE(w().Edit3.focused()) << "the switch hands the focus back to the entry field";
    driver.hover(w().Button8);
    const std::optional<ui::HintState> hint = app.currentHint();
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text, w().Button8.hint());
    EXPECT_EQ(hint->pause, ui::Milliseconds{0}) << "at once";
    EXPECT_EQ(hint->hidePause, ui::Milliseconds{10000});
    EXPECT_EQ(hint->color, ui::colors::InfoBackground);

    driver.click(w().SpeedButton27);
    EXPECT_EQ(w().SpeedButton27.caption(), ShowCaption);
    driver.hover(w().Button8);
    EXPECT_EQ(shownHint(), U"");
}

TEST_F(Hints, TheBlueSwitchTurnsItsHintsAndTheWorkModeGroupsOnAndOff) {
    toBlue();
    TForm1& b = blue();
    EXPECT_EQ(b.SpeedButton27.caption(), ShowCaption);
    EXPECT_FALSE(b.RadioGroup1.showHintInEffect());
    driver.hover(b.Button2);
    EXPECT_EQ(shownHint(), U"");

    driver.click(b.SpeedButton27);
    EXPECT_EQ(b.SpeedButton27.caption(), HideCaption);
    EXPECT_TRUE(b.RadioGroup1.showHintInEffect());
    driver.hover(b.Button2);
    EXPECT_EQ(shownHint(), b.Button2.hint());
    EXPECT_FALSE(w().showHintInEffect()) << "each window has its own switch";

    driver.click(b.SpeedButton27);
    EXPECT_EQ(b.SpeedButton27.caption(), ShowCaption);
    EXPECT_FALSE(b.RadioGroup1.showHintInEffect());
}

TEST_F(Hints, TheOrangeModeSwitchSaysHowToCloseWhileHintsAreOff) {
    toBlue();
    driver.hover(blue().Panel4);
    EXPECT_EQ(shownHint(), U"ルミタグを閉じるにはオレンジモードで閉じます");
    driver.click(blue().SpeedButton27);
    driver.hover(blue().Panel4);
    EXPECT_EQ(shownHint(), U"オレンジモードに切替えます　(ショートカットShift+F1)");
}

TEST_F(Hints, SomeControlsShowTheirHintsWhateverTheSwitchSays) {
    ASSERT_FALSE(w().showHintInEffect());
    ASSERT_FALSE(blue().showHintInEffect());
    const ui::Control* always[] = {&w().editTools().RadioGroup1,
                                   &w().multiLineTools().TitleLabel,
                                   &w().CheckBox37,
                                   &w().Edit51,
                                   &w().Edit37,
                                   &w().Edit38,
                                   &blue().Edit51,
                                   &blue().CheckBox4,
                                   &blue().Edit35,
                                   &blue().Edit39};
    for (const ui::Control* control : always)
        EXPECT_TRUE(control->showHintInEffect()) << control->name();
    EXPECT_FALSE(w().Button8.showHintInEffect());
    EXPECT_FALSE(blue().Button2.showHintInEffect());
}

// 線番１, 線番２ and the A–Z boxes hint their whole text, hints on or off, in
// their own colour and for 3 seconds while the pointer is on them.
TEST_F(Hints, BoxesThatHintTheirOwnText) {
    const Text longText = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ-0123456789-長い線番";
    struct {
        ui::Edit& box;
        bool typed; // 線番 boxes are typed into; the A–Z boxes are read-only
    } boxes[] = {
        {w().Edit3, true}, {w().Edit6, true}, {*w().letterBoxes[0], false}, {*w().letterBoxes[25], false}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.box.name());
        if (b.typed) {
            driver.click(b.box);
            driver.type(longText);
        } else {
            b.box.setText(longText);
        }
        driver.hover(w().Button8); // the user comes back to the box to read it
        driver.hover(b.box);
        const std::optional<ui::HintState> hint = app.currentHint();
        ASSERT_TRUE(hint);
        EXPECT_EQ(hint->text, longText);
        EXPECT_EQ(hint->color, TextHintColor);
        EXPECT_EQ(hint->hidePause, ui::Milliseconds{3000});

        driver.hover(w().Button8);
        EXPECT_EQ(app.hintColor(), ui::colors::InfoBackground);
        EXPECT_EQ(app.hintHidePause(), ui::Milliseconds{10000});

        // An emptied box has nothing to hint and leaves the hint colour alone.
        b.box.setText({});
        driver.hover(b.box);
        EXPECT_EQ(shownHint(), U"");
        EXPECT_EQ(app.hintColor(), ui::colors::InfoBackground);
    }
}

TEST_F(Hints, LongHintsAndCaptionsBreakWhereTheyWereWritten) {
    const struct {
        const ui::Control& control;
        Text hint;
    } hints[] = {
        {w().CheckBox1,
         U"クリックするとテーブルのワーク長を変更できます\r\n（チェックをはずすと元のワーク長に戻ります）"},
        {w().CheckBox35, U"転送先に挿入します\r\n"
                         U"（グリッド内に個数が無いときは一列のみ、有る時は三列下方向にシフトします）"},
        {w().Edit10, U"ワーク長の設定（テキストボックスが表示\r\nされている間のみ設定が有効になります）"},
        {w().SpeedButton1, U"クリックすると連番１，２，３、線番１，２の文字列がテキストボックスA～Zに\r\n"
                           U"登録されます（同じ文字列が登録されているとコピーできません）"},
        {w().Edit14, U"列を指定します（ここにA(1)からCV(100)まで入力できます\r\n"
                     U"（エクセル側をクリック選択することもできます））"},
        {*w().letterButtons[0], U"クリックするかAlt+A～Zのキー操作でテキストボックスの\r\n"
                                U"文字列が線番１か線番２に入力されます"},
    };
    for (const auto& h : hints)
        EXPECT_EQ(h.control.hint(), h.hint) << h.control.name();
    EXPECT_EQ(w().Label39.caption(), U"マーカー本体の空きテーブルをパソコンからのデータ転送専用にします\r\n"
                                     U"（「Table 0」 はテーブル設定がそのまま各テーブルに転送されます）");
}

} // namespace
} // namespace lumitag::app::test
