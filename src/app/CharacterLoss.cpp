#include "app/CharacterLoss.h"

#include "app/Messages.h"
#include "platform/Encoding.h"
#include "platform/Text.h"

#include <string>

namespace lumitag::app {

namespace {

constexpr std::size_t ListedLines = 10;

} // namespace

std::vector<LostCharacters> charactersLostInCp932(const std::vector<Text>& lines) {
    std::vector<LostCharacters> lost;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Text missing = platform::charactersChangedByCp932(lines[i]);
        if (!missing.empty())
            lost.push_back({i, std::move(missing)});
    }
    return lost;
}

Text characterLossQuestion(TextView what, const std::vector<LostCharacters>& lost,
                           const std::function<Text(std::size_t)>& lineName, TextView question) {
    Text text = U"次の文字は" + Text(what) + U"に保存できません(「?」に置き換わります)\r\n";
    for (std::size_t i = 0; i < lost.size() && i < ListedLines; ++i) {
        text += U"\r\n" + lineName(lost[i].line) + U":";
        for (const char32_t c : lost[i].characters) {
            text += U' ';
            text += c;
        }
    }
    if (lost.size() > ListedLines)
        text += U"\r\nほか" + numberText(lost.size() - ListedLines) + U"行";
    text += U"\r\n\r\n";
    text += question;
    return text;
}

bool confirmCharacterLoss(ui::Application& app, const std::vector<Text>& lines, TextView what,
                          const std::function<Text(std::size_t)>& lineName, TextView question) {
    const std::vector<LostCharacters> lost = charactersLostInCp932(lines);
    return lost.empty() || confirm(app, characterLossQuestion(what, lost, lineName, question));
}

Text lineNumberName(std::size_t number) {
    return numberText(number) + U"行目";
}

} // namespace lumitag::app
