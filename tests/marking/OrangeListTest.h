#pragma once

#include "app/ProgramFixture.h"

#include <initializer_list>
#include <string>

namespace lumitag::marking::test {

using platform::Answer;
using platform::Buttons;

// The orange window running with every outside thing faked, and the list's
// undo, commands and modes as the user reaches them.
class OrangeListTest : public app::test::ProgramTest {
protected:
    OrangeListTest() { start(); }

    app::TForm2& w() { return orange(); }
    MarkingList& list() { return orange().list(); }
    ListUndo& undo() { return orange().undo(); }

    // Lines "text" with count "1" appended as an entry commits them: the last
    // entry record first, then the lines, the cancel button and the snapshot.
    void enter(std::initializer_list<Text> lines) {
        LastEntryRecord& record = undo().lastEntry();
        record = {};
        record.firstRow = list().nextFreeRow();
        record.fullWidthBefore = list().fullWidth();
        record.fields[LastEntryRecord::Edit3] = w().Edit3.text();
        record.fields[LastEntryRecord::Edit9] = w().Edit9.text();
        int row = list().nextFreeRow();
        for (const Text& line : lines) {
            list().setCell(1, row, line);
            list().setCell(2, row, U"1");
            ++row;
        }
        w().Edit3.clear();
        list().setNextFreeRow(row);
        w().Button9.show();
        undo().SnapshotAfterEntry();
        driver.advance(100);
    }
    // Lines put straight into the grid, found by the next refresh, with the
    // snapshot memo brought up to date as after any change.
    void fill(std::initializer_list<Text> lines) {
        int row = list().nextFreeRow();
        for (const Text& line : lines)
            list().setCell(1, row++, line);
        settle();
    }
    void fillNumbered(int first, int last) {
        for (int row = first; row <= last; ++row) {
            const std::string number = std::to_string(row);
            list().setCell(1, row, Text(number.begin(), number.end()));
        }
        settle();
    }
    void settle() {
        // The refresh finds the lines; the list follows its end and repaints.
        driver.advance(200);
        undo().WriteSnapshot(list().nextFreeRow());
    }
    std::vector<Text> lines() {
        std::vector<Text> texts;
        for (int row = 1; row < list().nextFreeRow(); ++row)
            texts.push_back(list().lineText(row));
        return texts;
    }
    std::vector<Text> row(int r) { return list().grid().rowCells(r); }
};

} // namespace lumitag::marking::test
