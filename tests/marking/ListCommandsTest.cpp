#include "OrangeListTest.h"

namespace lumitag::marking::test {
namespace {

using Texts = std::vector<Text>;

constexpr TextView InsertQuestion =
    U"選択されているセル位置に挿入しますか？\r\n（\"いいえ\"を選択すると上書きされます）";

TEST_F(OrangeListTest, DeleteLastLineOnAnEmptyListOnlyFocusesTheEntryField) {
    driver.click(w().Button16);
    driver.expectNoMessage();
    EXPECT_TRUE(w().Edit3.focused());
    EXPECT_FALSE(w().N25.enabled());
}

TEST_F(OrangeListTest, DeleteAllAsksAndAnythingButYesKeepsTheList) {
    fill({U"A", U"B"});
    driver.answer(Answer::Cancel);
    driver.press("F12");
    driver.expectMessage(U"グリッド内の文字列を\r\nすべて削除しますか？", Buttons::YesCancel);
    EXPECT_EQ(lines(), (Texts{U"A", U"B"}));
    driver.answer(Answer::Yes);
    driver.press("F12");
    EXPECT_TRUE(list().empty());
    EXPECT_TRUE(w().N25.enabled());
    driver.press("Ctrl+Z");
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"A", U"B"}));
}

TEST_F(OrangeListTest, CutOfTheMiddleLineLeavesAnEmptyRowAndCopiesIt) {
    fill({U"A", U"B", U"C"});
    driver.rightClick(w().StringGrid1, 1, 2);
    driver.chooseMenuItem(w().Cut1);
    EXPECT_EQ(clipboard.text(), U"B\r\n");
    driver.advance(100);
    EXPECT_EQ(list().nextFreeRow(), 4);
    EXPECT_EQ(lines(), (Texts{U"A", U"", U"C"}));
    EXPECT_TRUE(w().N25.enabled());
}

TEST_F(OrangeListTest, CopyJoinsTheSelectedCellsByTabAndEndsEveryRowWithCrLf) {
    fill({U"A", U"B"});
    list().setCell(2, 1, U"3");
    list().select({1, 1, 2, 2});
    w().Copy1.setEnabled(true);
    w().Copy1.click();
    EXPECT_EQ(clipboard.text(), U"A\t3\r\nB\t\r\n");
}

TEST_F(OrangeListTest, PasteWritesLinesFromTheSelectedCell) {
    struct Case {
        const char* name;
        Text clipboard;
        Answer choice;
        std::vector<std::vector<Text>> rows5and6; // columns 1 to 3 of rows 5 and 6
    };
    const Case cases[] = {
        {"no line break, overwrite", U"X\tY", Answer::No, {{U"X\tY", U"", U""}, {U"6", U"", U""}}},
        {"no line break, insert", U"X", Answer::Yes, {{U"X", U"", U""}, {U"5", U"", U""}}},
        {"fields beyond column 3 dropped",
         U"a\tb\tc\td\r\ne\tf\tg\r\n",
         Answer::No,
         {{U"a", U"b", U"c"}, {U"e", U"f", U"g"}}},
        {"last line without CR dropped", U"a\r\nb", Answer::No, {{U"a", U"", U""}, {U"6", U"", U""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list().clearAllRows();
        list().setNextFreeRow(1);
        fillNumbered(1, 8);
        clipboard.setText(c.clipboard);
        list().selectCell(1, 5);
        driver.rightClick(w().StringGrid1, 1, 5);
        ASSERT_TRUE(w().Paste1.enabled());
        driver.answer(c.choice);
        driver.chooseMenuItem(w().Paste1);
        driver.expectMessage(InsertQuestion, Buttons::YesNo);
        for (int r = 0; r < 2; ++r)
            for (int col = 1; col <= 3; ++col)
                EXPECT_EQ(list().cell(col, 5 + r), c.rows5and6[r][col - 1])
                    << "row " << 5 + r << " col " << col;
        EXPECT_EQ(list().cell(0, 6), U"6");
        EXPECT_TRUE(w().N25.enabled());
    }
}

TEST_F(OrangeListTest, PasteIntoACellBeingEditedKeepsThePastedText) {
    for (const Answer choice : {Answer::No, Answer::Yes}) {
        SCOPED_TRACE(choice == Answer::No ? "overwrite" : "insert");
        list().clearAllRows();
        list().setNextFreeRow(1);
        fillNumbered(1, 3);
        if (!list().modes().edit)
            driver.press("F2");
        driver.doubleClick(w().StringGrid1, 1, 2);
        ASSERT_TRUE(w().StringGrid1.editorOpen());
        clipboard.setText(U"X");
        w().PopupMenu1.onPopup();
        driver.answer(choice);
        driver.press("Ctrl+V");
        // The editor closes as the focus leaves the list.
        driver.click(w().Edit3);
        EXPECT_FALSE(w().StringGrid1.editorOpen());
        EXPECT_EQ(list().cell(1, 2), U"X");
        EXPECT_EQ(list().cell(1, 3), choice == Answer::No ? U"3" : U"2");
    }
}

TEST_F(OrangeListTest, PasteBeyondRowThousandAsksAndCutsAtRowThousand) {
    fillNumbered(1, 999);
    clipboard.setText(U"x\t1\r\ny\t2\r\nz\t3\r\n");
    list().selectCell(1, 999);
    w().PopupMenu1.onPopup();

    driver.answers({Answer::No, Answer::No});
    w().Paste1.click();
    driver.expectMessage(U"貼り付ける文字列が3行あります。\r\n貼り付け後が1000行を超えた部分はカットされます"
                         U"。\r\nよろしいですか？",
                         Buttons::YesNo);
    EXPECT_EQ(list().lineText(999), U"999") << "No leaves the list untouched";

    driver.answers({Answer::No, Answer::Yes});
    w().Paste1.click();
    driver.advance(100);
    EXPECT_EQ(row(999), (Texts{U"999", U"x", U"1", U""}));
    EXPECT_EQ(row(1000), (Texts{U"1000", U"y", U"2", U""}));
    EXPECT_EQ(list().grid().rowCount(), 1001);

    driver.answers({Answer::Yes, Answer::Yes});
    list().selectCell(1, 998);
    w().Paste1.click();
    driver.expectMessage(
        U"グリッドに1000行あります。\r\n貼り付け後が1000行を超えた部分はカットされます。\r\nよろしいですか？",
        Buttons::YesNo);
    EXPECT_EQ(list().lineText(998), U"x");
    EXPECT_EQ(list().lineText(1000), U"z");
    EXPECT_EQ(list().grid().rowCount(), 1001);
}

TEST_F(OrangeListTest, PasteIntoAFullListAsksEvenForASingleCell) {
    fillNumbered(1, 1000);
    clipboard.setText(U"one cell");
    list().selectCell(1, 3);
    w().PopupMenu1.onPopup();
    driver.answers({Answer::Yes, Answer::No});
    w().Paste1.click();
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(list().lineText(1000), U"1000") << "no line pushed out without asking";
}

TEST_F(OrangeListTest, PasteIsOfferedOnlyForClipboardTextOutsideTheMarkModes) {
    fill({U"A"});
    driver.rightClick(w().StringGrid1, 1, 1);
    EXPECT_FALSE(w().Paste1.enabled());
    driver.press("Escape");
    clipboard.setText(U"x");
    driver.rightClick(w().StringGrid1, 1, 1);
    EXPECT_TRUE(w().Paste1.enabled());
    driver.press("Escape");
    w().N6.click();
    driver.rightClick(w().StringGrid1, 1, 1);
    EXPECT_FALSE(w().Paste1.enabled());
}

TEST_F(OrangeListTest, ReverseOrderMovesWholeLines) {
    fill({U"A", U"B", U"C"});
    list().setCell(2, 1, U"1");
    list().setCell(3, 3, U"F");
    w().gyak2.click();
    driver.advance(100);
    EXPECT_EQ(row(1), (Texts{U"1", U"C", U"", U"F"}));
    EXPECT_EQ(row(2), (Texts{U"2", U"B", U"", U""}));
    EXPECT_EQ(row(3), (Texts{U"3", U"A", U"1", U""}));
    EXPECT_EQ(list().nextFreeRow(), 4);
}

TEST_F(OrangeListTest, InsertRowsOpensEmptyRowsAndKeepsTheNumbers) {
    fill({U"A", U"B", U"C", U"D"});
    list().select({1, 3, 1, 4});
    w().Ins1.setEnabled(true);
    w().Ins1.click();
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"A", U"B", U"", U"", U"C", U"D"}));
    for (int r = 1; r <= 6; ++r) {
        const std::string number = std::to_string(r);
        EXPECT_EQ(list().cell(0, r), Text(number.begin(), number.end()));
    }
    EXPECT_EQ(list().grid().rowCount(), 1001);
}

TEST_F(OrangeListTest, InsertRowsThatWouldPushLinesPastRowThousandIsRefused) {
    fillNumbered(1, 999);
    list().select({1, 5, 1, 6});
    w().Ins1.setEnabled(true);
    w().Ins1.click();
    driver.expectMessage(U"行挿入すると1000行を超えます。\r\n（挿入できるのはあと1行です）");
    EXPECT_EQ(list().lineText(5), U"5");
    EXPECT_EQ(list().lineText(999), U"999");
    EXPECT_FALSE(w().N25.enabled());
}

TEST_F(OrangeListTest, DeleteRowsClosesTheGapAndDeletingEveryRowLeavesRoomForAThousandLines) {
    fill({U"A", U"B", U"C", U"D"});
    list().select({2, 2, 2, 3});
    w().Del1.setEnabled(true);
    w().Del1.click();
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"A", U"D"}));
    EXPECT_EQ(list().cell(0, 2), U"2");

    fillNumbered(1, 1000);
    list().select({1, 1, 1, 1000});
    w().Del1.click();
    driver.advance(100);
    EXPECT_TRUE(list().empty());
    EXPECT_EQ(list().grid().rowCount(), 1001);
    EXPECT_EQ(list().cell(0, 1000), U"1000");
}

TEST_F(OrangeListTest, SelectAllInThreeBoxSelectsEveryContentColumnOfEveryLine) {
    driver.click(w().RadioButton17);
    fillNumbered(1, 7);
    driver.click(w().StringGrid1, 1, 1); // Ctrl takes the focus to the list
    driver.press("Ctrl+A");
    driver.advance(100);
    EXPECT_EQ(list().selection(), (ui::GridRect{1, 1, 5, 7}));
    EXPECT_TRUE(w().Cut1.enabled()) << "the follow-up keys ran the list's click rules";
    EXPECT_TRUE(w().Copy1.enabled());
}

TEST_F(OrangeListTest, CtrlInAnEntryFieldHandsTheListTheFocusForItsShortcuts) {
    fillNumbered(1, 4);
    driver.advance(100);
    w().FocusEntryField();
    ASSERT_TRUE(w().Edit3.focused());
    driver.press("Ctrl+A");
    driver.advance(100);
    EXPECT_TRUE(w().StringGrid1.focused());
    EXPECT_FALSE(w().Timer1.enabled()) << "the selection stops following the end";
    EXPECT_EQ(list().selection(), (ui::GridRect{1, 1, 3, 4}));
    EXPECT_TRUE(w().Edit3.text().empty()) << "the key never reached the entry field";
}

TEST_F(OrangeListTest, PeriodicRefreshOffersTheCommandsThatApply) {
    driver.advance(100);
    EXPECT_TRUE(w().Panel14.visible());
    EXPECT_FALSE(w().N28.enabled());
    EXPECT_FALSE(w().gyak2.enabled());
    EXPECT_TRUE(w().CTK2.enabled());
    EXPECT_FALSE(w().Button4.visible());
    driver.click(w().RadioButton17);
    driver.advance(100);
    EXPECT_FALSE(w().CTK2.enabled()) << "import only into a 1BOX list";

    fill({U"A"});
    EXPECT_FALSE(w().Panel14.visible());
    EXPECT_TRUE(w().N28.enabled());
    EXPECT_TRUE(w().gyak2.enabled());
    EXPECT_TRUE(w().N1.enabled());
    EXPECT_TRUE(w().N5.enabled());
    EXPECT_TRUE(w().N6.enabled());
    EXPECT_TRUE(w().Button4.visible());
    EXPECT_TRUE(w().Button18.visible());
    EXPECT_TRUE(w().Panel13.visible());
    EXPECT_EQ(w().RadioButton11.caption(), U"2.0");

    fill({U"漢字"});
    driver.advance(100);
    EXPECT_FALSE(w().N6.enabled());
    EXPECT_FALSE(w().N9.enabled());
}

TEST_F(OrangeListTest, ListMenuHasEveryItemInOrderWithItsShortcut) {
    std::vector<std::pair<Text, std::string>> items;
    for (const ui::MenuItem* item : w().PopupMenu1.items())
        items.emplace_back(item->caption(), item->shortcut().empty() ? "" : item->shortcut().toString());
    const std::vector<std::pair<Text, std::string>> expected{
        {U"元に戻す", "Ctrl+Z"},
        {U"やり直し", "Ctrl+Shift+Z"},
        {U"-", ""},
        {U"編集", ""},
        {U"多段改行記号　　　｜", ""},
        {U"ナンバーリング記号　【】", ""},
        {U"-", ""},
        {U"全行選択", "Ctrl+A"},
        {U"切り取り(&X)", "Ctrl+X"},
        {U"コピー(&C)", "Ctrl+C"},
        {U"貼り付け(&P)", "Ctrl+V"},
        {U"行削除", ""},
        {U"行挿入", ""},
        {U"-", ""},
        {U"逆順に並び替え", ""},
        {U"文字列挿入モード", ""},
        {U"文字列挿入モード解除", ""},
        {U"-", ""},
        {U"CTKマーキングデータ　インポート", ""},
    };
    EXPECT_EQ(items, expected);
}

TEST_F(OrangeListTest, WheelOverTheWindowScrollsTheListOneLine) {
    fillNumbered(1, 100);
    list().setTopRow(50);
    ASSERT_TRUE(w().Edit3.focused());
    driver.wheel(-1);
    EXPECT_EQ(list().topRow(), 51);
    driver.wheel(1);
    driver.wheel(1);
    EXPECT_EQ(list().topRow(), 49);
}

} // namespace
} // namespace lumitag::marking::test
