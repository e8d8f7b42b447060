#pragma once

#include "platform/Text.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace lumitag::ui {
class Application;
}

namespace lumitag::app {

// Files in the code page CP932 cannot hold every character the program's text
// can (𠮷, emoji, é): such a character would be written as "?". Before such a
// file is written the user is told which characters on which lines, and
// decides whether to write anyway.

// The characters of one line that do not survive CP932, each once.
struct LostCharacters {
    std::size_t line = 0; // index into the lines checked
    Text characters;
};

// Every line holding a character that does not survive CP932, in line order.
std::vector<LostCharacters> charactersLostInCp932(const std::vector<Text>& lines);

// The question naming the characters: `what` says what is being written
// ("CTKファイル"), `lineName` names a line by its index ("3行目"), `question`
// ends the box ("このままCTK保存しますか？"). At most ten lines are listed.
Text characterLossQuestion(TextView what, const std::vector<LostCharacters>& lost,
                           const std::function<Text(std::size_t)>& lineName, TextView question);

// True when the lines can be written: CP932 holds all their characters, or the
// user answered Yes to the question about those it cannot hold.
bool confirmCharacterLoss(ui::Application& app, const std::vector<Text>& lines, TextView what,
                          const std::function<Text(std::size_t)>& lineName, TextView question);

// "12行目" for a 1-based line number.
Text lineNumberName(std::size_t number);

} // namespace lumitag::app
