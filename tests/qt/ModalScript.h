#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <exception>
#include <functional>
#include <gtest/gtest.h>

namespace lumitag::qtfront::testing {

// Answers the modal windows a call opens, in order, each with its own step,
// the way a person would: a timer looks for the next active modal window
// while the call's own modal loop runs.
class ModalScript {
public:
    using Step = std::function<void(QWidget* modal)>;

    ModalScript() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    void then(Step step) { steps_.push_back(std::move(step)); }
    bool finished() const { return steps_.empty(); }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_ || !modal->isVisible() || steps_.empty()) {
            return;
        }
        handled_ = modal;
        Step step = std::move(steps_.front());
        steps_.pop_front();
        try {
            step(modal);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "modal step threw: " << error.what();
            closeAfterFailure(modal);
        } catch (...) {
            ADD_FAILURE() << "modal step threw";
            closeAfterFailure(modal);
        }
    }

    // A failed step must not leave the test hanging in the modal loop.
    static void closeAfterFailure(QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->done(QDialog::Rejected);
        }
    }

    QTimer timer_;
    std::deque<Step> steps_;
    QPointer<QWidget> handled_;
};

} // namespace lumitag::qtfront::testing
