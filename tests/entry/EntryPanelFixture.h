#pragma once

#include "app/ProgramFixture.h"

#include <string>
#include <vector>

namespace lumitag::entry::test {

// The orange window running with every outside thing faked, its entry panel
// driven from the keyboard and the mouse.
class EntryPanelTest : public app::test::ProgramTest {
protected:
    EntryPanelTest() { start(); }
    // Starts with these lines in the settings file.
    explicit EntryPanelTest(const std::vector<Text>& settings) {
        writeSettings(settings);
        start();
    }

    app::TForm2& w() { return orange(); }
    marking::MarkingList& list() { return orange().list(); }
    ui::Control* focused() { return w().activeControl(); }

    // Clicks into a box and types.
    void typeInto(ui::Edit& edit, TextView text) {
        driver.click(edit);
        driver.type(text);
    }
    // Column `col` of the list's lines.
    std::vector<Text> column(int col) {
        std::vector<Text> texts;
        for (int row = 1; row < list().nextFreeRow(); ++row)
            texts.push_back(list().cell(col, row));
        return texts;
    }
    // Lines "1", "2", … in rows first to last, found by the next refresh.
    void fillRows(int first, int last) {
        for (int row = first; row <= last; ++row) {
            const std::string number = std::to_string(row);
            list().setCell(1, row, Text(number.begin(), number.end()));
        }
        driver.advance(100);
    }
    static std::vector<Text> numbers(int first, int last, TextView suffix = {}) {
        std::vector<Text> texts;
        for (int n = first; n <= last; ++n) {
            const std::string digits = std::to_string(n);
            texts.push_back(Text(digits.begin(), digits.end()) + Text(suffix));
        }
        return texts;
    }
};

} // namespace lumitag::entry::test
