#include "platform/fake/FakeDialogs.h"

#include "platform/Encoding.h"

#include <algorithm>

namespace lumitag::platform {

const char* answerName(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return "Ok";
    case Answer::Cancel:
        return "Cancel";
    case Answer::Yes:
        return "Yes";
    case Answer::No:
        return "No";
    }
    return "?";
}

std::vector<Answer> answersOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return {Answer::Ok};
    case Buttons::OkCancel:
        return {Answer::Ok, Answer::Cancel};
    case Buttons::YesNo:
        return {Answer::Yes, Answer::No};
    case Buttons::YesCancel:
        return {Answer::Yes, Answer::Cancel};
    case Buttons::YesNoCancel:
        return {Answer::Yes, Answer::No, Answer::Cancel};
    }
    return {Answer::Ok};
}

Answer FakeDialogs::showMessage(const MessageRequest& request) {
    if (onMessage_)
        onMessage_(request);

    Answer answer = unscriptedAnswer(request.buttons);
    if (!answers_.empty()) {
        const Answer scripted = answers_.front();
        answers_.pop_front();
        const std::vector<Answer> possible = answersOf(request.buttons);
        if (std::find(possible.begin(), possible.end(), scripted) != possible.end())
            answer = scripted;
        else
            problems_.push_back(std::string("scripted answer ") + answerName(scripted) +
                                " does not fit the box; answered " + answerName(answer));
    }

    Record record;
    record.kind = RequestKind::Message;
    record.message = request;
    record.answer = answer;
    transcript_.push_back(std::move(record));
    return answer;
}

std::optional<Text> FakeDialogs::openFile(const FileDialogRequest& request) {
    Record record;
    record.kind = RequestKind::OpenFile;
    record.file = request;
    record.chosenPath = nextFile();
    transcript_.push_back(record);
    return record.chosenPath;
}

std::optional<Text> FakeDialogs::saveFile(const FileDialogRequest& request) {
    Record record;
    record.kind = RequestKind::SaveFile;
    record.file = request;
    record.chosenPath = nextFile();
    transcript_.push_back(record);
    return record.chosenPath;
}

void FakeDialogs::queueAnswer(Answer answer) {
    answers_.push_back(answer);
}

void FakeDialogs::queueAnswers(std::initializer_list<Answer> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

void FakeDialogs::queueFile(Text path) {
    files_.emplace_back(std::move(path));
}

void FakeDialogs::queueFileCancel() {
    files_.emplace_back(std::nullopt);
}

std::vector<std::string> FakeDialogs::unusedScript() const {
    std::vector<std::string> unused;
    for (const Answer answer : answers_)
        unused.push_back(std::string("answer ") + answerName(answer));
    for (const std::optional<Text>& file : files_)
        unused.push_back(file ? "file " + toUtf8(*file) : std::string("file dialog cancelled"));
    return unused;
}

std::vector<MessageRequest> FakeDialogs::messages() const {
    std::vector<MessageRequest> result;
    for (const Record& record : transcript_)
        if (record.kind == RequestKind::Message)
            result.push_back(record.message);
    return result;
}

std::vector<Text> FakeDialogs::messageTexts() const {
    std::vector<Text> result;
    for (const Record& record : transcript_)
        if (record.kind == RequestKind::Message)
            result.push_back(record.message.text);
    return result;
}

std::size_t FakeDialogs::messageCount() const {
    return static_cast<std::size_t>(
        std::count_if(transcript_.begin(), transcript_.end(),
                      [](const Record& r) { return r.kind == RequestKind::Message; }));
}

MessageRequest FakeDialogs::lastMessage() const {
    for (auto it = transcript_.rbegin(); it != transcript_.rend(); ++it)
        if (it->kind == RequestKind::Message)
            return it->message;
    return {};
}

std::optional<FakeDialogs::Record> FakeDialogs::lastFileDialog() const {
    for (auto it = transcript_.rbegin(); it != transcript_.rend(); ++it)
        if (it->kind != RequestKind::Message)
            return *it;
    return std::nullopt;
}

void FakeDialogs::clear() {
    answers_.clear();
    files_.clear();
    transcript_.clear();
    problems_.clear();
}

Answer FakeDialogs::unscriptedAnswer(Buttons buttons) const {
    const std::vector<Answer> possible = answersOf(buttons);
    return unscripted_ == UnscriptedMessage::FirstButton ? possible.front() : possible.back();
}

std::optional<Text> FakeDialogs::nextFile() {
    if (files_.empty())
        return std::nullopt;
    std::optional<Text> path = std::move(files_.front());
    files_.pop_front();
    return path;
}

} // namespace lumitag::platform
