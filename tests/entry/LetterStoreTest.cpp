// The A–Z string store: copying, history with pins, putting entries back.
#include "entry/EntryPanelFixture.h"

#include <string>

namespace lumitag::entry::test {
namespace {

class LetterStoreTest : public EntryPanelTest {
protected:
    ui::Edit& box(char letter) { return *w().letterBoxes[static_cast<std::size_t>(letter - 'A')]; }
    ui::CheckBox& pin(char letter) { return *w().pinBoxes[static_cast<std::size_t>(letter - 'A')]; }
    // The texts of the boxes from A on.
    std::vector<Text> texts(std::size_t count) {
        std::vector<Text> result;
        for (std::size_t i = 0; i < count; ++i)
            result.push_back(w().letterBoxes[i]->text());
        return result;
    }
    // Boxes A … Z holding "a" … "z".
    void fillBoxes() {
        for (std::size_t i = 0; i < 26; ++i)
            w().letterBoxes[i]->setText(Text(1, static_cast<char32_t>(U'a' + i)));
    }
    void historyMode() { driver.click(w().CheckBox8); }
};

TEST_F(LetterStoreTest, CopyStoresTheEntryOnceAtTheTop) {
    typeInto(w().Edit1, U"1");
    typeInto(w().Edit2, U"10");
    typeInto(w().Edit3, U"W");
    driver.click(w().SpeedButton1);
    EXPECT_EQ(box('A').text(), U"[1-10]W[][]");
    EXPECT_EQ(focused(), &w().Edit3);
    driver.click(w().SpeedButton1); // the same entry again: nothing
    EXPECT_EQ(texts(2), (std::vector<Text>{U"[1-10]W[][]", U""}));

    w().Edit6.setText(U"[X]"); // a "[" is never stored
    driver.click(w().SpeedButton1);
    EXPECT_EQ(box('B').text(), U"");

    fillBoxes();
    w().Edit6.setText(U"Q");
    driver.click(w().SpeedButton1); // the 27th entry drops Z
    EXPECT_EQ(box('A').text(), U"[1-10]W[]Q[]");
    EXPECT_EQ(box('B').text(), U"a");
    EXPECT_EQ(box('Z').text(), U"y");

    driver.click(*w().letterClearButtons[1]); // Clr of B
    EXPECT_EQ(texts(2), (std::vector<Text>{U"[1-10]W[]Q[]", U"b"}));
    EXPECT_EQ(box('Z').text(), U"");
}

TEST_F(LetterStoreTest, AnEntryComesBackIntoTheFields) {
    box('A').setText(U"[1-10]W[+ -]-X[R S T]");
    box('B').setText(U"[]V[][]");
    driver.click(w().Tilde2); // 連番２ in pair mode before
    driver.click(*w().letterButtons[0]);
    EXPECT_EQ(w().Edit1.text(), U"1");
    EXPECT_EQ(w().Edit2.text(), U"10");
    EXPECT_TRUE(w().Tilde1.visible());
    EXPECT_EQ(w().Edit3.text(), U"W");
    EXPECT_EQ(w().Edit4.text(), U"+");
    EXPECT_EQ(w().Edit5.text(), U"-");
    EXPECT_TRUE(w().Label16.visible());
    EXPECT_EQ(w().Edit6.text(), U"-X");
    EXPECT_EQ(w().Edit7.text(), U"R");
    EXPECT_EQ(w().Edit13.text(), U"S");
    EXPECT_EQ(w().Edit8.text(), U"T");
    EXPECT_EQ(focused(), &w().Edit3);
    EXPECT_EQ(w().Edit3.selText(), U"W");

    // Alt+B puts back an entry whose 連番２ is empty: the group returns to range mode.
    driver.press("Alt+B");
    EXPECT_EQ(w().Edit3.text(), U"V");
    EXPECT_EQ(w().Edit4.text(), U"");
    EXPECT_TRUE(w().Tilde2.visible());
    EXPECT_FALSE(w().Label16.visible());
    EXPECT_FALSE(w().Edit13.visible());

    // Not from the list, and not from an empty box.
    driver.click(w().StringGrid1, 1, 1);
    driver.press("Alt+A");
    EXPECT_EQ(w().Edit3.text(), U"V");
    driver.click(*w().letterButtons[5]);
    EXPECT_EQ(w().Edit3.text(), U"V");
}

TEST_F(LetterStoreTest, HistoryRecordsAfterThePinnedEntries) {
    fillBoxes();
    historyMode();
    EXPECT_FALSE(w().SpeedButton1.enabled());
    EXPECT_TRUE(pin('A').visible());
    EXPECT_FALSE(w().letterClearButtons[0]->visible());
    driver.click(pin('A'));
    driver.click(pin('B'));
    typeInto(w().Edit3, U"N");
    driver.click(w().Button7);
    EXPECT_EQ(texts(4), (std::vector<Text>{U"a", U"b", U"[]N[][]", U"c"}));
    EXPECT_EQ(box('Z').text(), U"y"); // the old Z is lost
    driver.advance(100);
    EXPECT_EQ(box('B').color(), LetterStore::PinnedColor);
    EXPECT_EQ(box('C').color(), LetterStore::BoxColor);

    // A "[" in the wire texts is not recorded.
    typeInto(w().Edit3, U"[1]");
    driver.click(w().Button7);
    EXPECT_EQ(box('C').text(), U"[]N[][]");
}

TEST_F(LetterStoreTest, PinningMovesUpAndUnpinningRemoves) {
    fillBoxes();
    historyMode();
    driver.click(pin('A'));
    driver.click(pin('E'));
    EXPECT_EQ(texts(6), (std::vector<Text>{U"a", U"e", U"b", U"c", U"d", U"f"}));
    EXPECT_TRUE(pin('B').checked());
    EXPECT_EQ(pin('B').caption(), U"B");
    EXPECT_FALSE(pin('E').checked());
    EXPECT_EQ(pin('E').caption(), U"");

    driver.click(pin('C')); // A, B, C pinned
    driver.click(pin('A')); // unpinning A removes its entry
    EXPECT_EQ(texts(3), (std::vector<Text>{U"e", U"b", U"c"}));
    EXPECT_TRUE(pin('A').checked());
    EXPECT_TRUE(pin('B').checked());
    EXPECT_FALSE(pin('C').checked());
    EXPECT_EQ(box('Z').text(), U"");

    w().letterBoxes[25]->clear();
    driver.click(pin('Z')); // an empty box has nothing to pin
    EXPECT_FALSE(pin('Z').checked());
}

TEST_F(LetterStoreTest, LeavingHistoryModeKeepsThePinnedEntries) {
    fillBoxes();
    historyMode();
    driver.click(pin('A'));
    historyMode();
    EXPECT_EQ(box('A').text(), U"a");
    EXPECT_FALSE(pin('A').checked());
    EXPECT_FALSE(pin('A').visible());
    EXPECT_TRUE(w().letterClearButtons[0]->visible());
    EXPECT_TRUE(w().SpeedButton1.enabled());
    driver.advance(100);
    EXPECT_EQ(box('A').color(), LetterStore::BoxColor);
}

TEST_F(LetterStoreTest, AllClearAsksFirst) {
    fillBoxes();
    driver.answer(platform::Answer::Cancel);
    driver.click(w().Button30);
    driver.expectMessage(U"テキストボックスA～Zの\r\n文字列を削除しますか？", platform::Buttons::YesCancel);
    EXPECT_EQ(box('A').text(), U"a");
    driver.answer(platform::Answer::Yes);
    driver.click(w().Button30);
    driver.clearMessages();
    EXPECT_EQ(box('A').text(), U"");
    EXPECT_EQ(box('Z').text(), U"");
    EXPECT_EQ(focused(), &w().Edit3);
}

} // namespace
} // namespace lumitag::entry::test
