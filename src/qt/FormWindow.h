#pragma once

#include "ui/Geometry.h"

#include <QString>
#include <QWidget>
#include <optional>

namespace lumitag::ui {
class Form;
}

namespace lumitag::qtfront {

class FrontEnd;

// The real top-level window of one form of the model. It paints the form from
// the model and hands mouse, input-method, close and activation events to
// it; keys reach the model through the front end's application-wide filter.
// The window never changes the model's state on its own.
class FormWindow final : public QWidget {
    Q_OBJECT

public:
    FormWindow(FrontEnd& frontEnd, ui::Form& form);

    ui::Form& form() const { return form_; }

    // Lets the input method compose text here (only while the model's
    // focused box allows it).
    void setInputMethodAllowed(bool allowed);
    bool inputMethodAllowed() const { return testAttribute(Qt::WA_InputMethodEnabled); }
    const QString& preedit() const { return preedit_; }

    // Moves and sizes the window to the model's bounds (frame position and
    // client size) when they differ from what was applied last, so that the
    // window manager's own placement is not fought on every update.
    void applyBounds(const ui::Rect& bounds);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool usable() const;

    FrontEnd& frontEnd_;
    ui::Form& form_;
    QString preedit_;
    std::optional<ui::Rect> appliedBounds_;
};

} // namespace lumitag::qtfront
