#include "batch/Language.h"

#include <cstdlib>

namespace lumitag::batch {

Language languageOfEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("ja") ? Language::Japanese : Language::English;
        }
    }
    return Language::English;
}

} // namespace lumitag::batch
