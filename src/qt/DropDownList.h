#pragma once

#include <QWidget>

namespace lumitag::ui {
class ComboBox;
}

namespace lumitag::qtfront {

class FrontEnd;

// The open list of a combo box: a frameless window below the box that never
// takes the focus (keys stay with the model's focused combo box). Clicking an
// item is the user's choice in the model.
class DropDownList final : public QWidget {
    Q_OBJECT

public:
    explicit DropDownList(FrontEnd& frontEnd);

    ui::ComboBox* combo() const { return combo_; }
    // Shows the list of `combo` at `globalTopLeft`, or updates it.
    void showFor(ui::ComboBox& combo, QPoint globalTopLeft);
    void close();

    int itemHeight() const;
    // The box's width, or more when its longest item needs it.
    int listWidth() const;
    int topIndex() const { return top_; }
    // The item at a point in the list's coordinates, or -1.
    int itemAt(QPoint position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int itemCount() const;
    int visibleCount() const;
    void keepChoiceVisible();

    FrontEnd& frontEnd_;
    ui::ComboBox* combo_ = nullptr;
    int top_ = 0;
    int hovered_ = -1;
    int shownIndex_ = -2;
};

} // namespace lumitag::qtfront
