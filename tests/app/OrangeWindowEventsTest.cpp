// The orange window's events that carry duties of several parts.
#include "app/ProgramFixture.h"
#include "entry/store/LetterStore.h"

namespace lumitag::app::test {
namespace {

class OrangeWindowEvents : public ProgramTest {
protected:
    OrangeWindowEvents() { start(); }
    TForm2& w() { return orange(); }
};

TEST_F(OrangeWindowEvents, TheRefreshTimerColoursThePinnedBoxesAndRefreshesTheList) {
    ui::Edit& boxA = *w().letterBoxes[0];
    boxA.setText(U"a");
    driver.click(w().CheckBox8); // history mode
    driver.click(*w().pinBoxes[0]);
    ASSERT_TRUE(w().pinBoxes[0]->checked());

    // A line put into the list behind the refresh's back, and colours and
    // buttons out of date: one tick of Timer5 brings both parts back.
    w().list().setCell(1, 1, U"W1");
    w().list().setCell(2, 1, U"1");
    boxA.setColor(ui::colors::Window);
    w().Button4.hide();
    w().Button18.hide();
    driver.advance(100);
    EXPECT_EQ(boxA.color(), entry::LetterStore::PinnedColor) << "the A–Z store's duty ran";
    EXPECT_EQ(w().list().nextFreeRow(), 2) << "the list's duty ran";
    EXPECT_TRUE(w().Button4.visible());
    EXPECT_TRUE(w().Button18.visible());
    EXPECT_TRUE(w().N28.enabled());
}

} // namespace
} // namespace lumitag::app::test
