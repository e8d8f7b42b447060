#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumitag::platform {

// The environment a program this one starts gets: this program's own, with a
// UTF-8 character type added when it has none.
//
// File names are UTF-8 bytes wherever this program makes them. A program
// started in the C locale (LANG unset, as in a container, a service or a
// minimal install) reads and writes file names in ASCII and fails on every
// Japanese one, so the child gets LC_CTYPE=C.UTF-8 when LC_ALL, LC_CTYPE and
// LANG (in that order of precedence) name no installed UTF-8 locale. LC_ALL,
// which would override it, is then replaced by C.UTF-8 as well. A UTF-8
// locale the user chose is passed on untouched.
class ChildEnvironment {
public:
    // From a list of "NAME=value" entries ended by a null pointer (environ).
    explicit ChildEnvironment(const char* const* variables);
    // From this program's own environment.
    static ChildEnvironment current();

    ChildEnvironment(const ChildEnvironment& other) : variables_(other.variables_) { rebuildPointers(); }
    ChildEnvironment& operator=(const ChildEnvironment& other);

    // The entries, "NAME=value" each.
    const std::vector<std::string>& variables() const { return variables_; }
    // The value of a variable; empty when it is unset or empty.
    std::string_view value(std::string_view name) const;
    // The null-terminated array posix_spawn and execve take; valid while this
    // object lives unchanged.
    char* const* data() const { return pointers_.data(); }

    // Whether a locale name (as in LANG) names an installed locale whose
    // character type is UTF-8.
    static bool isUtf8Locale(std::string_view name);

    // Sets one variable for the child, replacing every entry of that name.
    void set(std::string_view name, std::string_view value);

private:
    void rebuildPointers();

    std::vector<std::string> variables_;
    std::vector<char*> pointers_;
};

} // namespace lumitag::platform
