#pragma once

#include "ui/Control.h"
#include "ui/EditableText.h"

namespace lumitag::ui {

// How the input method behaves while a box has the focus.
enum class ImeMode { DontCare, Disabled, Open, Closed };

// A one-line edit box.
//
// Setting the text in code runs the change handler (when the text differs).
// The maximum length limits what the user types and pastes, never text set in
// code. A read-only box takes the focus and shows a caret but inserts
// nothing. Enter and Esc never insert a character.
class Edit : public Control {
public:
    Edit(Control& parent, std::string name);

    ControlKind kind() const override { return ControlKind::Edit; }
    FocusPolicy focusPolicy() const override { return FocusPolicy::TakesFocus; }

    const Text& text() const { return editor_.text(); }
    void setText(const Text& text);
    void clear() { setText({}); }

    int caret() const { return editor_.caret(); }
    int selStart() const { return editor_.selStart(); }
    // Puts the caret at `start` with nothing selected.
    void setSelStart(int start);
    int selLength() const { return editor_.selLength(); }
    // Selects `length` characters from the current selection start.
    void setSelLength(int length);
    Text selText() const { return editor_.selectedText(); }
    // Replaces the selection as typing would (the maximum length does not apply).
    void setSelText(const Text& text);
    void selectAll();
    const EditableText& editor() const { return editor_; }

    // 0: no limit.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length);
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    ImeMode imeMode() const { return imeMode_; }
    void setImeMode(ImeMode mode);

    Handler<void()> onChange;

protected:
    void defaultKeyDown(KeyEvent& event) override;
    void defaultChar(char32_t character) override;
    void defaultMouseDown(const MouseEvent& event) override;
    void defaultMouseMove(const MouseEvent& event) override;
    void defaultDoubleClick(const MouseEvent& event) override;

private:
    // Applies an editing step and runs the change handler when the text changed.
    template <class Step> void edit(Step step);
    int positionAt(int x) const;

    EditableText editor_;
    int maxLength_ = 0;
    bool readOnly_ = false;
    ImeMode imeMode_ = ImeMode::DontCare;
};

} // namespace lumitag::ui
