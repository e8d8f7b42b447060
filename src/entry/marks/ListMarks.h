#pragma once

#include "ui/Events.h"

namespace lumitag::ui {
class Button;
class MenuItem;
class StringGrid;
} // namespace lumitag::ui
namespace lumitag::marking {
class ListUndo;
class MarkingList;
} // namespace lumitag::marking

namespace lumitag::entry {

struct ListMarkControls {
    marking::MarkingList& list;
    marking::ListUndo& undo;
    ui::Button& Button9; // 取消 of the last entry
    ui::MenuItem& N5;    // 編集
    ui::MenuItem& N6;    // multi-line mark mode
    ui::MenuItem& N9;    // numbering mark mode
};

// Clicks into the marking list in the two mark modes: a left click on a
// marking text opens the cell editor with the caret at the clicked character
// and inserts or removes a multi-line mark or a numbering bracket there. A
// completed numbering continues with its count and end value.
class ListMarks {
public:
    explicit ListMarks(ListMarkControls controls);
    ListMarks(const ListMarks&) = delete;
    ListMarks& operator=(const ListMarks&) = delete;

    // Installs the list's exit handler. The list's mouse press, key down and
    // key press are shared with the list's own handlers; the window wires
    // them with the duties below.
    void install();

    // After the list's mouse press.
    void StringGrid1MarkClick(const ui::MouseEvent& event);
    // Before the list's key down; consumes the keys the mark modes take.
    void StringGrid1MarkKeyDown(ui::KeyEvent& event);
    // After the list's key press, for a character the list did not drop.
    void StringGrid1MarkKeyPress(char32_t& character);
    // The list loses the focus: numbering mark mode ends.
    void StringGrid1Exit();

private:
    // Where a numbering row's count step stands.
    enum class CountStep { None, Count, EndValue };

    void numberingClicked(int row);
    void startCountStep(int row);
    void abandonCountStep();
    void commitCell();
    int numberingColumn() const;
    ui::StringGrid& grid() const;

    ListMarkControls c_;
    int numberingRow_ = 0;
    CountStep countStep_ = CountStep::None;
};

} // namespace lumitag::entry
