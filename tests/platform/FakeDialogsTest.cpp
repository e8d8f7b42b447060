#include "platform/fake/FakeDialogs.h"

#include <gtest/gtest.h>

namespace lumitag::platform {
namespace {

MessageRequest box(Text text, Buttons buttons) {
    MessageRequest request;
    request.kind = MessageKind::Question;
    request.caption = U"確認";
    request.text = std::move(text);
    request.buttons = buttons;
    return request;
}

TEST(FakeDialogs, UnscriptedBoxGetsItsFirstButtonOrItsLastWhenAsked) {
    FakeDialogs dialogs;
    EXPECT_EQ(dialogs.showMessage(box(U"a", Buttons::Ok)), Answer::Ok);
    EXPECT_EQ(dialogs.showMessage(box(U"b", Buttons::YesNoCancel)), Answer::Yes);
    EXPECT_EQ(dialogs.showMessage(box(U"c", Buttons::OkCancel)), Answer::Ok);

    dialogs.setUnscriptedMessage(FakeDialogs::UnscriptedMessage::LastButton);
    EXPECT_EQ(dialogs.showMessage(box(U"d", Buttons::YesNo)), Answer::No);
    EXPECT_EQ(dialogs.showMessage(box(U"e", Buttons::YesNoCancel)), Answer::Cancel);
    EXPECT_EQ(dialogs.showMessage(box(U"f", Buttons::Ok)), Answer::Ok);
}

TEST(FakeDialogs, ScriptedAnswersAreUsedInOrderThenTheDefaultReturns) {
    FakeDialogs dialogs;
    dialogs.queueAnswers({Answer::No, Answer::Cancel});
    EXPECT_EQ(dialogs.showMessage(box(U"1", Buttons::YesNo)), Answer::No);
    EXPECT_EQ(dialogs.showMessage(box(U"2", Buttons::YesNoCancel)), Answer::Cancel);
    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
    EXPECT_EQ(dialogs.showMessage(box(U"3", Buttons::YesNo)), Answer::Yes);
    EXPECT_TRUE(dialogs.scriptProblems().empty());
}

TEST(FakeDialogs, AnswerThatTheBoxCannotGiveIsReportedNotReturned) {
    FakeDialogs dialogs;
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_EQ(dialogs.showMessage(box(U"only OK", Buttons::Ok)), Answer::Ok);
    ASSERT_EQ(dialogs.scriptProblems().size(), 1u);
    EXPECT_NE(dialogs.scriptProblems()[0].find("Yes"), std::string::npos);
}

TEST(FakeDialogs, FileDialogsTakePathsOrCancelsAndAreCancelledWhenUnscripted) {
    FakeDialogs dialogs;
    dialogs.queueFile(U"/tmp/a.ctk");
    dialogs.queueFileCancel();

    FileDialogRequest open;
    open.title = U"開く";
    open.filter = U"マーカーデータ (*.ctk)|*.ctk";
    EXPECT_EQ(dialogs.openFile(open), Text(U"/tmp/a.ctk"));
    EXPECT_EQ(dialogs.saveFile(FileDialogRequest{}), std::nullopt);
    EXPECT_EQ(dialogs.openFile(open), std::nullopt);

    // Message answers and file answers do not consume each other's queue.
    dialogs.queueFile(U"/tmp/b.ctk");
    dialogs.queueAnswer(Answer::No);
    EXPECT_EQ(dialogs.showMessage(box(U"?", Buttons::YesNo)), Answer::No);
    EXPECT_EQ(dialogs.saveFile(FileDialogRequest{}), Text(U"/tmp/b.ctk"));

    const auto last = dialogs.lastFileDialog();
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->kind, FakeDialogs::RequestKind::SaveFile);
    EXPECT_EQ(last->chosenPath, Text(U"/tmp/b.ctk"));
}

TEST(FakeDialogs, TranscriptKeepsEveryRequestWithItsAnswer) {
    FakeDialogs dialogs;
    EXPECT_EQ(dialogs.lastMessage().text, Text());
    EXPECT_FALSE(dialogs.lastFileDialog().has_value());

    Text seenWhileOpen;
    dialogs.setOnMessage([&](const MessageRequest& request) { seenWhileOpen = request.text; });
    dialogs.queueAnswer(Answer::No);
    dialogs.showMessage(box(U"上書きしますか？\r\nはい", Buttons::YesNo));
    FileDialogRequest open;
    open.title = U"開く";
    dialogs.openFile(open);
    dialogs.showMessage(box(U"完了", Buttons::Ok));

    EXPECT_EQ(seenWhileOpen, U"完了");
    ASSERT_EQ(dialogs.transcript().size(), 3u);
    const auto& first = dialogs.transcript()[0];
    EXPECT_EQ(first.kind, FakeDialogs::RequestKind::Message);
    EXPECT_EQ(first.message.kind, MessageKind::Question);
    EXPECT_EQ(first.message.caption, U"確認");
    EXPECT_EQ(first.message.buttons, Buttons::YesNo);
    EXPECT_EQ(first.answer, Answer::No);
    EXPECT_EQ(dialogs.transcript()[1].kind, FakeDialogs::RequestKind::OpenFile);
    EXPECT_EQ(dialogs.transcript()[1].file.title, U"開く");

    EXPECT_EQ(dialogs.messageTexts(), (std::vector<Text>{U"上書きしますか？\r\nはい", U"完了"}));
    EXPECT_EQ(dialogs.messageCount(), 2u);
    EXPECT_EQ(dialogs.lastMessage().text, U"完了");

    dialogs.clearTranscript();
    EXPECT_TRUE(dialogs.transcript().empty());
    EXPECT_EQ(dialogs.messageCount(), 0u);
}

TEST(FakeDialogs, ClearDropsTheScriptToo) {
    FakeDialogs dialogs;
    dialogs.queueAnswer(Answer::No);
    dialogs.queueFile(U"x");
    dialogs.clear();
    EXPECT_EQ(dialogs.showMessage(box(U"?", Buttons::YesNo)), Answer::Yes);
    EXPECT_EQ(dialogs.openFile({}), std::nullopt);
}

} // namespace
} // namespace lumitag::platform
