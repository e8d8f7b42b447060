#pragma once

#include "marking/ListWindowControls.h"
#include "platform/Text.h"

#include <array>

namespace lumitag::ui {
struct KeyEvent;
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
    ui::MenuItem& N12;              // F5
    ui::MenuItem& N13;              // F6
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

    // Runs after the entry panel's install: the wire boxes keep the handlers
    // they have and get the numbering rules in front of them.
    void install();

    void SpeedButton22Click(); // 【
    void SpeedButton23Click(); // 】
    void SpeedButton24Click(); // |
    void N12Click();           // F5
    void N13Click();           // F6

    bool numberingFlag() const { return numberingFlag_; }
    void setNumberingFlag() { numberingFlag_ = true; }

private:
    void installWireBox(ui::Edit& box);
    void wireKeyPress(ui::Edit& box, char32_t& character);
    // True when the Enter key was handled here and must go no further.
    bool wireEnter(ui::Edit& box);
    void Edit16KeyPress(char32_t& character);
    void Edit16Enter();
    // True when the end value was refused and Edit16 keeps the focus.
    bool refuseEqualEndValue();

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
