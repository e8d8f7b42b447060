#include "qt/HintPresenter.h"

#include "qt/QtText.h"
#include "qt/UiFont.h"
#include "ui/Application.h"
#include "ui/Control.h"

#include <QCursor>
#include <QWidget>

namespace lumitag::qtfront {

HintPresenter::HintPresenter(ui::Application& application, WindowOf windowOf)
    : application_(application), windowOf_(std::move(windowOf)) {}

void HintPresenter::update() {
    const std::optional<ui::HintState> hint =
        application_.modal() ? std::nullopt : application_.currentHint();
    if (!hint) {
        hide();
        return;
    }
    if (hint->control != control_ || hint->text != text_) {
        hide();
        control_ = hint->control;
        text_ = hint->text;
    }
    // Once per visit: a hint that has shown (and perhaps timed out) stays so.
    const std::optional<ui::Milliseconds> due = application_.hintDue();
    if (!shown_ && due && *due <= application_.now()) {
        showNow();
    }
}

void HintPresenter::hide() {
    if (shown_) {
        tip_.hideTip();
    }
    shown_ = false;
    control_ = nullptr;
    text_.clear();
}

void HintPresenter::showNow() {
    const std::optional<ui::HintState> hint = application_.currentHint();
    if (!hint || hint->control != control_) {
        hide();
        return;
    }
    QWidget* window = windowOf_(*hint->control);
    shown_ = true; // once per visit, even for a control whose window is gone
    if (window == nullptr) {
        return;
    }
    const ui::Point position = hint->control->formPosition();
    const QRect control(window->mapToGlobal(QPoint(position.x, position.y)),
                        QSize(hint->control->width(), hint->control->height()));
    tip_.showTip(toDisplayLines(hint->text), toQColor(hint->color), control, QCursor::pos(),
                 static_cast<int>(hint->hidePause.count()));
}

} // namespace lumitag::qtfront
