#include "platform/linux/ChildEnvironment.h"

#include <langinfo.h>
#include <locale.h>
#include <string.h>

extern char** environ;

namespace lumitag::platform {

namespace {

constexpr std::string_view kUtf8Locale = "C.UTF-8";

bool hasName(std::string_view entry, std::string_view name) {
    return entry.size() > name.size() && entry.substr(0, name.size()) == name && entry[name.size()] == '=';
}

} // namespace

ChildEnvironment::ChildEnvironment(const char* const* variables) {
    for (const char* const* entry = variables; entry != nullptr && *entry != nullptr; ++entry) {
        variables_.emplace_back(*entry);
    }
    // The locale a C program ends up with: the first of these that is set and
    // not empty decides its character type.
    std::string_view decisive;
    for (const std::string_view name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        decisive = value(name);
        if (!decisive.empty()) {
            break;
        }
    }
    if (!isUtf8Locale(decisive)) {
        if (!value("LC_ALL").empty()) {
            set("LC_ALL", kUtf8Locale);
        }
        set("LC_CTYPE", kUtf8Locale);
    }
    rebuildPointers();
}

ChildEnvironment ChildEnvironment::current() {
    return ChildEnvironment(environ);
}

ChildEnvironment& ChildEnvironment::operator=(const ChildEnvironment& other) {
    if (this != &other) {
        variables_ = other.variables_;
        rebuildPointers();
    }
    return *this;
}

std::string_view ChildEnvironment::value(std::string_view name) const {
    // The C library's getenv() takes the first entry of a name; so do we.
    for (const std::string& entry : variables_) {
        if (hasName(entry, name)) {
            return std::string_view(entry).substr(name.size() + 1);
        }
    }
    return {};
}

bool ChildEnvironment::isUtf8Locale(std::string_view name) {
    if (name.empty()) {
        return false; // the C locale: ASCII
    }
    const std::string text(name);
    // Asks the C library rather than reading the name: "ja_JP.UTF-8" that is
    // not installed gives the C locale, "ja_JP" may well be UTF-8.
    const locale_t locale = newlocale(LC_CTYPE_MASK, text.c_str(), static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return false;
    }
    const bool utf8 = strcmp(nl_langinfo_l(CODESET, locale), "UTF-8") == 0;
    freelocale(locale);
    return utf8;
}

void ChildEnvironment::set(std::string_view name, std::string_view value) {
    // One entry of the name, in the place of the first: no later duplicate may say otherwise.
    std::vector<std::string> kept;
    kept.reserve(variables_.size() + 1);
    bool placed = false;
    for (std::string& entry : variables_) {
        if (!hasName(entry, name)) {
            kept.push_back(std::move(entry));
        } else if (!placed) {
            kept.push_back(std::string(name) + "=" + std::string(value));
            placed = true;
        }
    }
    if (!placed) {
        kept.push_back(std::string(name) + "=" + std::string(value));
    }
    variables_ = std::move(kept);
    rebuildPointers();
}

void ChildEnvironment::rebuildPointers() {
    pointers_.clear();
    pointers_.reserve(variables_.size() + 1);
    for (std::string& entry : variables_) {
        pointers_.push_back(entry.data());
    }
    pointers_.push_back(nullptr);
}

} // namespace lumitag::platform
