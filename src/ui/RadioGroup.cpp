#include "ui/RadioGroup.h"

#include <algorithm>

namespace lumitag::ui {
namespace {
constexpr int captionHeight = 16; // the frame's caption line
constexpr int margin = 8;
} // namespace

RadioGroup::RadioGroup(Control& parent, std::string name, Text caption) : Control(parent, std::move(name)) {
    setCaption(caption);
    setParentColor(true);
    setTabStop(true);
}

void RadioGroup::setItems(std::vector<Text> items) {
    if (items_ == items)
        return;
    items_ = std::move(items);
    if (itemIndex_ >= static_cast<int>(items_.size()))
        itemIndex_ = -1;
    changed();
}

void RadioGroup::setItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        index = -1;
    if (assign(itemIndex_, index) && onClick)
        onClick();
}

void RadioGroup::setColumns(int columns) {
    assign(columns_, std::max(1, columns));
}

Rect RadioGroup::itemBounds(int index) const {
    const int count = static_cast<int>(items_.size());
    if (index < 0 || index >= count)
        return {};
    const int rows = (count + columns_ - 1) / columns_;
    const int columnWidth = (width() - margin) / columns_;
    const int rowHeight = std::max(1, (height() - captionHeight - 4) / std::max(1, rows));
    const int column = index / rows;
    const int row = index % rows;
    return {margin + column * columnWidth, captionHeight + row * rowHeight, columnWidth - margin, rowHeight};
}

int RadioGroup::itemAt(Point position) const {
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        if (itemBounds(i).contains(position))
            return i;
    }
    return -1;
}

void RadioGroup::defaultKeyDown(KeyEvent& event) {
    const int count = static_cast<int>(items_.size());
    if (count == 0)
        return;
    if (event.key == Key::Down || event.key == Key::Right) {
        setItemIndex(std::min(count - 1, itemIndex_ + 1));
        event.consume();
    } else if (event.key == Key::Up || event.key == Key::Left) {
        setItemIndex(std::max(0, itemIndex_ - 1));
        event.consume();
    }
}

void RadioGroup::defaultMouseUp(const MouseEvent& event, bool inside) {
    if (event.button != MouseButton::Left || !inside)
        return;
    const int item = itemAt(event.position);
    if (item >= 0)
        setItemIndex(item);
}

} // namespace lumitag::ui
