#include "qt/HintPresenter.h"

#include "qt/QtText.h"
#include "qt/UiFont.h"
#include "ui/Application.h"
#include "ui/Control.h"

#include <QCursor>
#include <QPalette>
#include <QToolTip>
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
        QToolTip::hideText();
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
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, toQColor(hint->color));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
    QToolTip::setFont(uiFont(12));
    QWidget* window = windowOf_(*hint->control);
    QToolTip::showText(QCursor::pos() + QPoint(0, 20), toDisplayLines(hint->text), window, QRect(),
                       static_cast<int>(hint->hidePause.count()));
    shown_ = true;
}

} // namespace lumitag::qtfront
