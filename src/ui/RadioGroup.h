#pragma once

#include "ui/Control.h"

#include <vector>

namespace lumitag::ui {

// A framed group of radio items, one of which is chosen. Choosing an item, by
// the user or by setting the index in code, runs the click handler when the
// index changes.
class RadioGroup : public Control {
public:
    RadioGroup(Control& parent, std::string name, Text caption = {});

    ControlKind kind() const override { return ControlKind::RadioGroup; }
    FocusPolicy focusPolicy() const override { return FocusPolicy::TakesFocus; }

    const std::vector<Text>& items() const { return items_; }
    void setItems(std::vector<Text> items);
    // -1 when no item is chosen.
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);
    int columns() const { return columns_; }
    void setColumns(int columns);

    // Where item `index` lies, in the group's own coordinates.
    Rect itemBounds(int index) const;
    // The item under a point in the group's coordinates, or -1.
    int itemAt(Point position) const;

protected:
    void defaultKeyDown(KeyEvent& event) override;
    void defaultMouseUp(const MouseEvent& event, bool inside) override;

private:
    std::vector<Text> items_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

} // namespace lumitag::ui
