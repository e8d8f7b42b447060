#pragma once

#include <string>
#include <string_view>

namespace lumitag::batch {

// The language of the command's messages on standard error: Japanese where
// the user's locale is Japanese, English elsewhere.
enum class Language { Japanese, English };

// From LC_ALL, LC_MESSAGES and LANG, the first one set (as the C library
// picks them): Japanese for a locale that begins with "ja".
Language languageOfEnvironment();

// Picks the message of the language: say("…", "…").
class Say {
public:
    explicit Say(Language language) : language_(language) {}
    Language language() const { return language_; }
    std::string operator()(std::string_view japanese, std::string_view english) const {
        return std::string(language_ == Language::Japanese ? japanese : english);
    }

private:
    Language language_;
};

} // namespace lumitag::batch
