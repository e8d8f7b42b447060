#pragma once

#include <QLabel>
#include <QPointer>
#include <QRect>
#include <QTimer>

namespace lumitag::qtfront {

// Where a tip of `tipSize` goes for the pointer at `pointer` over a control
// at `control` (global coordinates) on a screen whose usable area is
// `screen`. The tip starts at the pointer's column and goes below the control
// when it fits there, else above it, so that it covers neither the control
// pointed at nor, near the bottom of the screen, the controls right below it.
// Only when neither side has room does it take the side with more room and
// keep inside the screen.
QRect placeTip(QSize tipSize, QRect control, QPoint pointer, QRect screen);

// A hint shown beside the control it belongs to. It never takes the focus and
// lets clicks through: the desktop delivers them to the window below it, and
// a press that still reaches the tip closes it and goes on to the widget
// under the pointer, so a click meant for a control is never lost on a tip.
class TipWindow final : public QLabel {
    Q_OBJECT

public:
    TipWindow();

    // Shows `text` for `control` (global rectangle) until `stay` ends, in the
    // background colour `color`.
    void showTip(const QString& text, QColor color, QRect control, QPoint pointer, int stayMs);
    void hideTip();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Passes a mouse event on to the widget under its global position,
    // keeping one target from press to release.
    void forward(QMouseEvent* event);

    QTimer stay_;
    QPointer<QWidget> target_;
};

} // namespace lumitag::qtfront
