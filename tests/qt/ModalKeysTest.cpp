// Keys typed while a real message box closes: they reach the window that has
// the focus next, on a real (offscreen) event loop with real boxes.
#include "ModalScript.h"
#include "qt/FormWindow.h"
#include "qt/FrontEnd.h"
#include "qt/QtDialogs.h"
#include "ui/Application.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace lumitag::qtfront {
namespace {

using platform::Buttons;
using platform::MessageKind;
using testing::ModalScript;

// A window with a count box whose Enter runs OK, and a save command on F8.
// The first OK asks something first, as an entry with a missing value does.
class KeysForm : public ui::Form {
public:
    explicit KeysForm(ui::Application& application) : ui::Form(application, "KeysForm") {
        setCaption(U"ルミタグ");
        setBounds({60, 40, 300, 120});
        setKeyPreview(true);
        Edit9.setBounds({10, 10, 50, 23});
        Edit9.onKeyDown = [this](ui::KeyEvent& event) {
            if (event.key != ui::Key::Enter) {
                return;
            }
            event.consume();
            ++oks;
            if (askOnNextOk) {
                askOnNextOk = false;
                this->application().showMessage(MessageKind::Question, U"", U"貼り付けますか？",
                                                Buttons::YesNo);
            }
        };
        CTK1.onClick = [this] { ++saves; };
    }

    ui::Edit Edit9{*this, "Edit9"};
    ui::PopupMenu Menu{*this, "PopupMenu2"};
    ui::MenuItem CTK1{Menu, "CTK1", U"CTK保存", "F8"};
    int oks = 0;
    int saves = 0;
    bool askOnNextOk = true;
};

// A key as the platform reports it: on the given window, or by default on
// whichever window has the focus now.
void typeKey(int key, QWindow* reportedOn = nullptr) {
    qt_handleKeyEvent(reportedOn, QEvent::KeyPress, key, Qt::NoModifier);
    qt_handleKeyEvent(reportedOn, QEvent::KeyRelease, key, Qt::NoModifier);
}

// Runs the event loop until the window has the platform's focus, or a second passes.
bool waitForFocus(QWindow* window) {
    const QDeadlineTimer deadline(1000);
    while (QGuiApplication::focusWindow() != window && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return QGuiApplication::focusWindow() == window;
}

// Closes a box that a failed step left open, so that a failing test ends.
class Rescue {
public:
    Rescue() {
        timer_.setSingleShot(true);
        timer_.setInterval(3000);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                used_ = true;
                box->done(QDialog::Rejected);
            }
        });
        timer_.start();
    }
    bool used() const { return used_; }

private:
    QTimer timer_;
    bool used_ = false;
};

// The moment, counted from the box's close, at which the next key is typed.
enum class Moment {
    // Typed quickly after the answer, so that the platform had queued it for
    // the box before the box closed (on X11 a second Enter does that).
    QueuedForTheBox,
    // The window has the focus back, the box's call has not returned yet.
    BeforeTheCallReturns,
    // The call has returned and the program waits for input again.
    AfterTheCallReturned,
};

struct Case {
    const char* name;
    Moment moment;
    int key;
    int oks;   // OK runs, the one that asked included
    int saves; // F8 runs
};

class ModalKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.Edit9.setFocus();
        frontEnd = std::make_unique<FrontEnd>(app);
        window = frontEnd->windowOf(form);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    QtDialogs dialogs{U"ルミタグ"};
    ui::Application app{dialogs};
    KeysForm form{app};
    std::unique_ptr<FrontEnd> frontEnd;
    FormWindow* window = nullptr;
};

TEST_F(ModalKeysTest, KeyTypedWhileTheBoxClosesReachesTheWindowThatHasTheFocusNext) {
    const std::vector<Case> cases = {
        {"Enter queued for the box", Moment::QueuedForTheBox, Qt::Key_Return, 2, 0},
        {"F8 queued for the box", Moment::QueuedForTheBox, Qt::Key_F8, 1, 1},
        {"Enter before the call returns", Moment::BeforeTheCallReturns, Qt::Key_Return, 2, 0},
        {"F8 before the call returns", Moment::BeforeTheCallReturns, Qt::Key_F8, 1, 1},
        {"Enter after the call returned", Moment::AfterTheCallReturned, Qt::Key_Return, 2, 0},
        {"F8 after the call returned", Moment::AfterTheCallReturned, Qt::Key_F8, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.oks = 0;
        form.saves = 0;
        form.askOnNextOk = true;
        ASSERT_TRUE(waitForFocus(window->windowHandle()));

        Rescue rescue;
        ModalScript script;
        script.then([&](QWidget* box) {
            ASSERT_TRUE(waitForFocus(box->windowHandle()));
            typeKey(Qt::Key_Return); // answers the box: its first button is the default
            ASSERT_FALSE(box->isVisible());
            if (c.moment == Moment::QueuedForTheBox) {
                typeKey(c.key, box->windowHandle());
            } else if (c.moment == Moment::BeforeTheCallReturns) {
                ASSERT_TRUE(waitForFocus(window->windowHandle()));
                ASSERT_TRUE(app.modal());
                typeKey(c.key);
            }
        });
        typeKey(Qt::Key_Return); // OK, which asks first
        EXPECT_TRUE(script.finished());
        if (c.moment == Moment::AfterTheCallReturned) {
            ASSERT_TRUE(waitForFocus(window->windowHandle()));
            typeKey(c.key);
        }
        QCoreApplication::processEvents();
        EXPECT_FALSE(rescue.used());
        EXPECT_EQ(form.oks, c.oks);
        EXPECT_EQ(form.saves, c.saves);
    }
}

// What was typed ahead of a box that the waiting key itself opened is that
// box's input, as the box is then the window with the focus.
TEST_F(ModalKeysTest, KeysTypedAheadOfTheNextBoxGoToThatBox) {
    int asked = 0;
    // This case's own Enter handler in place of the form's.
    form.Edit9.onKeyDown.clear();
    form.Edit9.onKeyDown = [&](ui::KeyEvent& event) {
        if (event.key != ui::Key::Enter) {
            return;
        }
        event.consume();
        ++asked;
        if (asked <= 2) {
            app.showMessage(MessageKind::Information, U"", U"個数を入力してください", Buttons::Ok);
        }
    };
    Rescue rescue;
    ModalScript script;
    script.then([&](QWidget* box) {
        ASSERT_TRUE(waitForFocus(box->windowHandle()));
        // Three quick Enters, all queued for the first box: the first answers
        // it, the second runs OK again, which opens the second box, and the
        // third answers that.
        for (int i = 0; i < 3; ++i) {
            typeKey(Qt::Key_Return, box->windowHandle());
        }
    });
    typeKey(Qt::Key_Return);
    for (int i = 0; i < 20 && asked < 2; ++i) {
        QTest::qWait(10);
    }
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(rescue.used()); // the second box was answered by the key typed ahead
    EXPECT_FALSE(app.modal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Alt+O opens a box while Alt is held; Alt comes up while the box is open,
// so its release goes to the box. After the box the model has Alt up: no
// accelerator marks stay drawn, and the next Alt alone counts.
TEST_F(ModalKeysTest, ModifierReleasedWhileTheBoxWasOpenIsUpAfterIt) {
    form.onKeyDown = [this](ui::KeyEvent& event) {
        if (event.key == ui::Key::O && event.alt()) {
            event.consume();
            app.showMessage(MessageKind::Information, U"", U"設定を閉じてください", Buttons::Ok);
        }
    };
    Rescue rescue;
    ModalScript script;
    script.then([&](QWidget* box) {
        ASSERT_TRUE(waitForFocus(box->windowHandle()));
        qt_handleKeyEvent(nullptr, QEvent::KeyRelease, Qt::Key_O, Qt::AltModifier);
        qt_handleKeyEvent(nullptr, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        typeKey(Qt::Key_Return);
    });
    qt_handleKeyEvent(nullptr, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    qt_handleKeyEvent(nullptr, QEvent::KeyPress, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(rescue.used());
    EXPECT_FALSE(app.isKeyDown(ui::Key::Alt));
}

} // namespace
} // namespace lumitag::qtfront
