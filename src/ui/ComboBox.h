#pragma once

#include "ui/Control.h"
#include "ui/EditableText.h"

#include <vector>

namespace lumitag::ui {

enum class ComboStyle { DropDown, DropDownList };

// A combo box: a list of items and, in the DropDown style, an editable text.
//
// Setting the index or the text in code does not run the change handler;
// only the user's choice or typing does.
class ComboBox : public Control {
public:
    ComboBox(Control& parent, std::string name);

    ControlKind kind() const override { return ControlKind::ComboBox; }
    FocusPolicy focusPolicy() const override { return FocusPolicy::TakesFocus; }

    ComboStyle style() const { return style_; }
    void setStyle(ComboStyle style);

    const std::vector<Text>& items() const { return items_; }
    void setItems(std::vector<Text> items);
    void addItem(const Text& item);

    // -1 when the text matches no chosen item.
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);
    const Text& text() const { return editor_.text(); }
    // Also chooses the first item equal to the text, or none.
    void setText(const Text& text);
    const EditableText& editor() const { return editor_; }
    void selectAll();

    int maxLength() const { return maxLength_; }
    void setMaxLength(int length);
    int dropDownCount() const { return dropDownCount_; }
    void setDropDownCount(int count) { assign(dropDownCount_, count); }

    // The list is open.
    bool droppedDown() const { return droppedDown_; }
    // The user opens or closes the list (drop-down and close-up events run).
    void openList();
    void closeList();
    // The user chose an item of the open list: the list closes, the text and
    // index follow, the click and change handlers run, then the close-up one.
    void choose(int index);

    // onClick runs when the user chooses an item (from the list or with the
    // arrow keys), before onChange.
    Handler<void()> onChange;
    Handler<void()> onDropDown;
    Handler<void()> onCloseUp;

protected:
    void defaultKeyDown(KeyEvent& event) override;
    void defaultChar(char32_t character) override;
    void defaultMouseDown(const MouseEvent& event) override;
    // A combo box's click is the choice of an item, never a press and release on it.
    void defaultMouseUp(const MouseEvent&, bool) override {}
    void focusLost() override;

private:
    void userChoose(int index);
    int findItem(const Text& text) const;

    ComboStyle style_ = ComboStyle::DropDown;
    std::vector<Text> items_;
    int itemIndex_ = -1;
    EditableText editor_;
    int maxLength_ = 0;
    int dropDownCount_ = 8;
    bool droppedDown_ = false;
};

} // namespace lumitag::ui
