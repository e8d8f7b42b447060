#include "platform/linux/ChildEnvironment.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumitag::platform {
namespace {

ChildEnvironment from(const std::vector<std::string>& variables) {
    std::vector<const char*> pointers;
    for (const std::string& variable : variables) {
        pointers.push_back(variable.c_str());
    }
    pointers.push_back(nullptr);
    return ChildEnvironment(pointers.data());
}

TEST(ChildEnvironment, GivesAUtf8CharacterTypeOnlyWhenTheEnvironmentHasNone) {
    const struct {
        std::vector<std::string> given;
        std::vector<std::string> passed;
    } cases[] = {
        // No locale at all (a container, a service): the C locale, ASCII.
        {{"PATH=/bin", "HOME=/root"}, {"PATH=/bin", "HOME=/root", "LC_CTYPE=C.UTF-8"}},
        {{"LANG=C"}, {"LANG=C", "LC_CTYPE=C.UTF-8"}},
        {{"LANG=POSIX"}, {"LANG=POSIX", "LC_CTYPE=C.UTF-8"}},
        {{"LANG="}, {"LANG=", "LC_CTYPE=C.UTF-8"}},
        // A locale that is not installed leaves the program in the C locale.
        {{"LANG=xx_XX.UTF-8"}, {"LANG=xx_XX.UTF-8", "LC_CTYPE=C.UTF-8"}},
        // UTF-8 already: passed on as it is.
        {{"LANG=C.UTF-8"}, {"LANG=C.UTF-8"}},
        {{"LANG=C.utf8"}, {"LANG=C.utf8"}},
        {{"LC_CTYPE=C.UTF-8", "LANG=C"}, {"LC_CTYPE=C.UTF-8", "LANG=C"}},
        {{"LC_ALL=C.UTF-8", "LC_CTYPE=C"}, {"LC_ALL=C.UTF-8", "LC_CTYPE=C"}},
        {{"LC_ALL=", "LANG=C.UTF-8"}, {"LC_ALL=", "LANG=C.UTF-8"}}, // empty counts as unset
        // A setting of higher precedence decides, in the place it has.
        {{"LANG=C.UTF-8", "LC_CTYPE=C"}, {"LANG=C.UTF-8", "LC_CTYPE=C.UTF-8"}},
        {{"LC_ALL=C", "LANG=C.UTF-8"}, {"LC_ALL=C.UTF-8", "LANG=C.UTF-8", "LC_CTYPE=C.UTF-8"}},
        // A duplicate entry cannot bring the old value back.
        {{"LC_CTYPE=C", "X=1", "LC_CTYPE=POSIX"}, {"LC_CTYPE=C.UTF-8", "X=1"}},
    };
    for (const auto& c : cases) {
        const ChildEnvironment environment = from(c.given);
        EXPECT_EQ(environment.variables(), c.passed) << ::testing::PrintToString(c.given);
    }
}

TEST(ChildEnvironment, HandsOutANullTerminatedCopyThatOutlivesItsSource) {
    std::vector<std::string> given = {"A=1", "LANG=C"};
    ChildEnvironment environment = from(given);
    given.clear();
    const ChildEnvironment copy = environment;
    environment = from({"B=2"});
    for (const ChildEnvironment* e : {&copy, static_cast<const ChildEnvironment*>(&environment)}) {
        std::size_t count = 0;
        for (char* const* entry = e->data(); *entry != nullptr; ++entry) {
            EXPECT_EQ(*entry, e->variables()[count]);
            ++count;
        }
        EXPECT_EQ(count, e->variables().size());
    }
    EXPECT_EQ(copy.value("A"), "1");
    EXPECT_EQ(copy.value("LC_CTYPE"), "C.UTF-8");
    EXPECT_EQ(copy.value("LC"), "");
    EXPECT_EQ(ChildEnvironment(nullptr).variables(), std::vector<std::string>{"LC_CTYPE=C.UTF-8"});
}

} // namespace
} // namespace lumitag::platform
