// The test driver's check that every scripted answer was taken.
#include "TestWindow.h"

#include <gtest/gtest-spi.h>

namespace lumitag::ui::test {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::MessageKind;

TEST_F(UiTest, AScriptedAnswerNoBoxTookFailsTheTestWhenTheDriverEnds) {
    const auto oneBoxOfTwo = [&] {
        testing::Driver scripted{app, dialogs};
        scripted.answers({Answer::Yes, Answer::Cancel});
        dialogs.queueFile(U"/home/user/a.cta");
        EXPECT_EQ(app.showMessage(MessageKind::Question, U"ルミタグ", U"?", Buttons::YesCancel), Answer::Yes);
    };
    EXPECT_NONFATAL_FAILURE(oneBoxOfTwo(),
                            "2 scripted answer(s) no dialog took:\n  answer Cancel\n  file /home/user/a.cta");
    dialogs.clear();

    const auto yesToAnOkBox = [&] {
        testing::Driver scripted{app, dialogs};
        scripted.answer(Answer::Yes);
        app.showMessage(MessageKind::Information, U"ルミタグ", U"!", Buttons::Ok);
    };
    EXPECT_NONFATAL_FAILURE(yesToAnOkBox(), "scripted answer Yes does not fit the box");
    dialogs.clear();

    // Everything taken: nothing to report, also for a file dialog's cancel.
    {
        testing::Driver scripted{app, dialogs};
        scripted.answer(Answer::Yes);
        dialogs.queueFileCancel();
        app.showMessage(MessageKind::Question, U"ルミタグ", U"?", Buttons::YesCancel);
        EXPECT_FALSE(app.openFile({}).has_value());
    }
}

TEST_F(UiTest, RandomPlayMayLeaveItsScript) {
    {
        testing::Driver monkey{app, dialogs, testing::Driver::UnusedScript::Allowed};
        monkey.answer(Answer::No);
    }
    EXPECT_EQ(dialogs.unusedScript(), (std::vector<std::string>{"answer No"}));
    dialogs.clear();
}

} // namespace
} // namespace lumitag::ui::test
