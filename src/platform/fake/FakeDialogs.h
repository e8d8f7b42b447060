#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumitag::platform {

// Dialogs for tests: answers come from a script, every request is recorded.
//
// Message boxes and file dialogs have separate queues, so a test can script
// "Yes to the next box, then open this file" without caring about the order
// in which the code asks. When a queue is empty a message box gets the answer
// of its first (default) button, or of its last one (No / Cancel) when the
// policy says so, and a file dialog is cancelled.
class FakeDialogs : public Dialogs {
public:
    enum class RequestKind { Message, OpenFile, SaveFile };
    enum class UnscriptedMessage { FirstButton, LastButton };

    // One request as the code made it, with the answer the fake gave.
    struct Record {
        RequestKind kind = RequestKind::Message;
        MessageRequest message;         // RequestKind::Message
        FileDialogRequest file;         // RequestKind::OpenFile / SaveFile
        Answer answer = Answer::Ok;     // RequestKind::Message
        std::optional<Text> chosenPath; // file dialogs; nothing when cancelled
    };

    Answer showMessage(const MessageRequest& request) override;
    std::optional<Text> openFile(const FileDialogRequest& request) override;
    std::optional<Text> saveFile(const FileDialogRequest& request) override;

    // Script.
    void queueAnswer(Answer answer);
    void queueAnswers(std::initializer_list<Answer> answers);
    void queueFile(Text path); // the next file dialog returns this path
    void queueFileCancel();    // the next file dialog is cancelled
    void setUnscriptedMessage(UnscriptedMessage policy) { unscripted_ = policy; }
    std::size_t pendingAnswers() const { return answers_.size(); }
    std::size_t pendingFiles() const { return files_.size(); }
    // What the script still holds, in order ("answer Yes", "file /a.cta",
    // "file dialog cancelled"): answers no dialog took. A test ends with this
    // empty, or a box it meant to answer never came (ui::testing::Driver checks).
    std::vector<std::string> unusedScript() const;

    // Runs when a message box is shown, before it is answered: lets a test look
    // at the program's state while the box is open.
    void setOnMessage(std::function<void(const MessageRequest&)> callback) {
        onMessage_ = std::move(callback);
    }

    // Transcript.
    const std::vector<Record>& transcript() const { return transcript_; }
    std::vector<MessageRequest> messages() const;
    std::vector<Text> messageTexts() const;
    std::size_t messageCount() const;
    // The last message box; an empty request when there was none.
    MessageRequest lastMessage() const;
    // The last file dialog request; nothing when there was none.
    std::optional<Record> lastFileDialog() const;
    void clearTranscript() { transcript_.clear(); }

    // Scripted answers that did not fit the box they were given to (a Yes for
    // an OK box): the fake used the unscripted answer instead and noted it here.
    // Tests should expect this to stay empty.
    const std::vector<std::string>& scriptProblems() const { return problems_; }

    // Empties the script, the transcript and the problems.
    void clear();

private:
    Answer unscriptedAnswer(Buttons buttons) const;
    std::optional<Text> nextFile();

    std::deque<Answer> answers_;
    std::deque<std::optional<Text>> files_;
    UnscriptedMessage unscripted_ = UnscriptedMessage::FirstButton;
    std::function<void(const MessageRequest&)> onMessage_;
    std::vector<Record> transcript_;
    std::vector<std::string> problems_;
};

// The answers a box with these buttons can give, in the order they are shown.
std::vector<Answer> answersOf(Buttons buttons);
// "Yes", "No", "Ok", "Cancel": for test messages.
const char* answerName(Answer answer);

} // namespace lumitag::platform
