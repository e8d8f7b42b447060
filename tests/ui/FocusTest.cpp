#include "TestWindow.h"

namespace lumitag::ui::test {
namespace {

using Log = std::vector<std::string>;

class Focus : public UiTest {};

TEST_F(Focus, ShowingAWindowFocusesItsFirstTabStop) {
    EXPECT_EQ(app.focusedControl(), &form.Edit1);
}

TEST_F(Focus, ExitOfTheOldControlRunsBeforeEnterOfTheNew) {
    form.Edit1.onExit = note("exit 1");
    form.Edit2.onEnter = note("enter 2");
    EXPECT_TRUE(form.Edit2.setFocus());
    EXPECT_EQ(log, (Log{"exit 1", "enter 2"}));
    EXPECT_TRUE(form.Edit2.focused());
}

TEST_F(Focus, ExitHandlerPuttingTheFocusBackKeepsIt) {
    form.Edit1.onExit = [this] {
        log.push_back("exit 1");
        form.Edit1.setFocus(); // validation failed: stay
    };
    form.Edit2.onEnter = note("enter 2");
    EXPECT_FALSE(form.Edit2.setFocus());
    EXPECT_TRUE(form.Edit1.focused());
    EXPECT_EQ(log, (Log{"exit 1"}));
    driver.click(form.Edit2);
    EXPECT_TRUE(form.Edit1.focused()) << "a click is refused the same way";
}

TEST_F(Focus, ExitHandlerMovingTheFocusElsewhereWins) {
    form.Edit1.onExit = [this] { form.Edit3.setFocus(); };
    form.Edit2.onEnter = note("enter 2");
    form.Edit3.onEnter = note("enter 3");
    EXPECT_FALSE(form.Edit2.setFocus());
    EXPECT_TRUE(form.Edit3.focused());
    EXPECT_EQ(log, (Log{"enter 3"}));
}

TEST_F(Focus, ControlsThatCannotTakeTheFocusAreQuietlyRefused) {
    form.Edit1.onExit = note("exit");
    form.Edit2.hide();
    form.Edit3.setEnabled(false);
    form.Panel1.setVisible(true);
    EXPECT_FALSE(form.Edit2.setFocus());
    EXPECT_FALSE(form.Edit3.setFocus());
    EXPECT_FALSE(form.SpeedButton1.setFocus());
    EXPECT_FALSE(form.Label1.setFocus());
    form.Panel1.setEnabled(false);
    EXPECT_FALSE(form.Button1.setFocus()) << "a disabled parent disables its children";
    EXPECT_TRUE(log.empty()) << "a refused request runs no handler";
}

TEST_F(Focus, HidingTheFocusedControlDropsTheFocusWithoutHandlers) {
    form.Edit1.onExit = note("exit");
    form.Panel1.hide();
    EXPECT_EQ(app.focusedControl(), nullptr);
    EXPECT_TRUE(log.empty());
    driver.press(Key::A); // no focused control: nothing to crash on
    form.Panel1.show();
    EXPECT_TRUE(form.Edit2.setFocus());
}

TEST_F(Focus, ClickFocusesButASpeedButtonNeverTakesIt) {
    driver.click(form.Edit3);
    EXPECT_TRUE(form.Edit3.focused());
    int clicks = 0;
    form.SpeedButton1.onClick = [&] { ++clicks; };
    driver.click(form.SpeedButton1);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(form.Edit3.focused());
    driver.click(form.Label1);
    EXPECT_TRUE(form.Edit3.focused());
}

TEST_F(Focus, DestroyingTheFocusedControlIsSafe) {
    auto extra = std::make_unique<Edit>(form.Panel1, "extra");
    extra->setBounds({400, 70, 50, 20});
    extra->setFocus();
    driver.hover(*extra);
    extra.reset();
    EXPECT_EQ(app.focusedControl(), nullptr);
    EXPECT_EQ(app.hoveredControl(), nullptr);
    driver.press(Key::A);
}

// --- Windows ------------------------------------------------------------------------------

class Windows : public UiTest {};

TEST_F(Windows, ShowRunsTheShowHandlerAndFocusesTheActiveControl) {
    TestWindow second{app, "Second"};
    second.onShow = [&] {
        log.push_back("show");
        second.Edit3.setFocus();
    };
    second.onActivate = note("activate 2");
    form.onDeactivate = note("deactivate 1");
    second.show();
    EXPECT_EQ(log, (Log{"show", "deactivate 1", "activate 2"}));
    EXPECT_EQ(app.activeForm(), &second);
    EXPECT_EQ(app.focusedControl(), &second.Edit3);
    second.hide();
    EXPECT_EQ(app.activeForm(), &form);
    EXPECT_EQ(app.focusedControl(), &form.Edit1) << "each window keeps its own active control";
}

TEST_F(Windows, CloseQueryCanRefuse) {
    form.onCloseQuery = [](bool& canClose) { canClose = false; };
    EXPECT_EQ(form.close(), CloseResult::Refused);
    EXPECT_TRUE(form.visible());
    form.onCloseQuery = nullptr;
    form.onClose = note("close");
    EXPECT_EQ(form.close(), CloseResult::Closed);
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(log, (Log{"close"}));
    EXPECT_TRUE(app.terminated()) << "the first window is the main form";
}

TEST_F(Windows, AltF4AsksTheActiveWindowToClose) {
    form.onCloseQuery = [this](bool& canClose) {
        log.push_back(app.isKeyDown(Key::Alt) ? "query with Alt held" : "query");
        canClose = false;
    };
    driver.press("Alt+F4");
    EXPECT_EQ(log, (Log{"query with Alt held"}));
}

TEST_F(Windows, ApplicationEvents) {
    app.onDeactivate = note("deactivate");
    app.onActivate = note("activate");
    app.onMinimize = note("minimize");
    app.onRestore = note("restore");
    app.deactivate();
    app.deactivate();
    app.activate();
    app.minimize();
    app.restore();
    EXPECT_EQ(log, (Log{"deactivate", "activate", "minimize", "restore"}));
}

TEST_F(Windows, FileDialogsTellWhenTheyOpenAndClose) {
    app.onFileDialog = [this](bool shown) {
        log.push_back(shown ? (app.modal() ? "shown while modal" : "shown") : "closed");
    };
    dialogs.queueFile(U"/tmp/a.ctk");
    dialogs.queueFileCancel();
    EXPECT_TRUE(app.openFile({}).has_value());
    EXPECT_FALSE(app.saveFile({}).has_value());
    app.showMessage(platform::MessageKind::Information, U"ルミタグ", U"!", platform::Buttons::Ok);
    EXPECT_EQ(log, (Log{"shown", "closed", "shown", "closed"})) << "message boxes are no file dialogs";
}

TEST_F(Windows, PressOnAnInactiveWindowActivatesIt) {
    TestWindow second{app, "Second"};
    second.show();
    driver.click(form.Edit2);
    EXPECT_EQ(app.activeForm(), &form);
    EXPECT_TRUE(form.Edit2.focused());
}

} // namespace
} // namespace lumitag::ui::test
