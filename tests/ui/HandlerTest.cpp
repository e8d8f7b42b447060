#include "ui/Handler.h"

#include "ui/Events.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumitag::ui::test {
namespace {

TEST(Handler, ASecondHandlerIsRefusedAndTheFirstKeepsRunning) {
    std::vector<std::string> log;
    Handler<void()> onClick;
    EXPECT_FALSE(onClick);
    onClick = [&] { log.push_back("first"); };
    EXPECT_THROW(
        onClick = [&] { log.push_back("second"); }, std::logic_error);
    ASSERT_TRUE(onClick);
    onClick();
    EXPECT_EQ(log, (std::vector<std::string>{"first"}));
}

TEST(Handler, OnlyAnExplicitClearMakesRoomForAnother) {
    std::vector<std::string> log;
    Handler<void()> onClick;
    onClick = [&] { log.push_back("first"); };
    onClick.clear();
    EXPECT_FALSE(onClick);
    onClick = [&] { log.push_back("second"); };
    onClick = nullptr; // the same as clear()
    EXPECT_FALSE(onClick);
    onClick = [&] { log.push_back("third"); };
    onClick();
    EXPECT_EQ(log, (std::vector<std::string>{"third"}));

    // An empty function is no handler: setting one is refused, not taken as a clear.
    EXPECT_THROW(onClick.set(Handler<void()>::Function{}), std::logic_error);
    EXPECT_TRUE(onClick);
}

TEST(Handler, ArgumentsPassByReferenceSoThatAHandlerCanConsumeOrDrop) {
    Handler<void(KeyEvent&)> onKeyDown;
    onKeyDown = [](KeyEvent& event) { event.consume(); };
    KeyEvent event{Key::Enter, Modifiers::None};
    onKeyDown(event);
    EXPECT_TRUE(event.consumed());

    Handler<void(char32_t&)> onKeyPress;
    onKeyPress = [](char32_t& character) { character = chars::None; };
    char32_t character = U'a';
    onKeyPress(character);
    EXPECT_EQ(character, chars::None);
}

} // namespace
} // namespace lumitag::ui::test
