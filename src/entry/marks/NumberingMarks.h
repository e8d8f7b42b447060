#pragma once

#include "marking/EntryFieldControls.h"
#include "platform/Text.h"

#include <array>

namespace lumitag::ui {
class Edit;
class Form;
class SpeedButton;
struct KeyEvent;
} // namespace lumitag::ui
namespace lumitag::marking {
class MarkingList;
}

namespace lumitag::entry {

// The controls of the orange-mode window the entry-side marks read and write.
struct NumberingMarkControls {
    ui::Form& form;
    marking::MarkingList& list;
    std::array<marking::SequenceControls, 3> sequences;
    ui::Edit& Edit3;                // 線番１
    ui::Edit& Edit6;                // 線番２
    ui::Edit& Edit9;                // count (TEXT: the free text)
    ui::Edit& Edit16;               // numbering end value
    ui::SpeedButton& SpeedButton22; // 【
    ui::SpeedButton& SpeedButton23; // 】
    ui::SpeedButton& SpeedButton24; // |
};

// The numbering brackets 【】 and the multi-line mark | in the fixed texts
// 線番１ and 線番２, and the numbering end value box Edit16.
//
// The numbering flag is set while a numbering start value is being typed;
// Enter then stays in the wire box.
class NumberingMarks {
public:
    explicit NumberingMarks(NumberingMarkControls controls);
    NumberingMarks(const NumberingMarks&) = delete;
    NumberingMarks& operator=(const NumberingMarks&) = delete;

    // Installs the handlers that are the marks' alone: the mark buttons,
    // typing and hints in 線番１ and 線番２, typing and Enter in Edit16.
    // The wire boxes' enter, key-down and exit handlers and Edit16's exit are
    // shared with the entry panel; the window wires them with the duties below.
    void install();

    // 線番１ takes the focus: a numbering ends.
    void Edit3Enter();
    // 線番２ takes the focus with the caret between its brackets: a numbering resumes.
    void Edit6Enter();
    // Before the entry panel's key handling: Enter that stays in the wire box
    // (a numbering being typed) is consumed here.
    void WireBoxKeyDown(ui::Edit& box, ui::KeyEvent& event);
    // Before the entry panel's exit handling: Japanese input comes back.
    void WireBoxExit(ui::Edit& box);
    // Edit16 loses the focus: true when an end value equal to the start value
    // is refused; Edit16 then keeps the focus and nothing else may run.
    bool refuseEqualEndValue();

    void SpeedButton22Click(); // 【
    void SpeedButton23Click(); // 】
    void SpeedButton24Click(); // |
    // F5 and F6 (the window wires its shortcuts).
    void N12Click();
    void N13Click();

    bool numberingFlag() const { return numberingFlag_; }
    void setNumberingFlag() { numberingFlag_ = true; }

private:
    void installWireBox(ui::Edit& box);
    void wireKeyPress(ui::Edit& box, char32_t& character);
    // True when the Enter key was handled here and must go no further.
    bool wireEnter(ui::Edit& box);
    void Edit16KeyPress(char32_t& character);
    void Edit16Enter();

    // The box's text when it has the focus and its caret is not at the
    // start, or when it does not have the focus and is not empty.
    Text partText(const ui::Edit& box) const;
    ui::Edit* focusedWireBox() const;
    bool refuseFullWidthInList(TextView message) const;
    bool refuseFullWidthWire(const Text& parts, TextView message) const;
    void focusEndValueBox();
    void disableInputMethod(ui::Edit& box);
    void showMessage(TextView text) const;

    NumberingMarkControls c_;
    bool numberingFlag_ = false;
};

} // namespace lumitag::entry
