// Switching between the orange and the blue window, the mode watcher that
// re-shows the orange window, and bringing the program to the foreground.
#include "app/Messages.h"
#include "app/SettingsLines.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "sheet/WindowCoupling.h"
#include "ui/Application.h"

namespace lumitag::app {

using marking::BoxMode;

namespace {

constexpr TextView OverwriteQuestion = U"ブルーモードの変換結果がグリッドに表示されます\r\n"
                                       U"（現在のグリッド内のデータに上書きされます）\r\nよろしいですか？";
constexpr TextView DeleteQuestion = U"ブルーモードの変換結果がグリッドに表示されます\r\n"
                                    U"（現在のグリッド内のデータが削除されます）\r\nよろしいですか？";

// Maximises the spreadsheet's active window when the spreadsheet is on
// screen; false (after the busy message) when the spreadsheet refuses.
bool maximizeVisibleSpreadsheet(ui::Application& app, platform::SpreadsheetHost& host) {
    if (!host.isVisible())
        return true;
    try {
        host.maximizeActiveWindow();
        return true;
    } catch (const platform::SpreadsheetError&) {
        showMessage(app, HostBusyMessage);
        return false;
    }
}

} // namespace

void TForm2::SwitchToBlueMode() {
    const BoxMode mode = list_.boxMode();
    if (mode == BoxMode::Text)
        return;
    const bool hasLines = !list_.empty();
    if (hasLines && mode == BoxMode::OneBox && !confirm(application(), OverwriteQuestion))
        return;
    if (hasLines && mode == BoxMode::ThreeBox && !confirm(application(), DeleteQuestion))
        return;
    if (mode == BoxMode::ThreeBox) {
        // The conversion writes 1BOX lines: a 3BOX list is emptied first.
        if (hasLines) {
            for (int row = 1; row <= list_.nextFreeRow(); ++row)
                list_.clearRow(row);
            list_.updateNextFreeRow();
        }
        RadioButton16.setChecked(true);
    }
    if (CheckBox2.checked()) {
        showMessage(application(), CloseSettingsMessage);
        return;
    }
    if (!maximizeVisibleSpreadsheet(application(), link_.host()))
        return;
    if (ComboBox2.visible()) {
        // The work length and the feed correction reach the blue window
        // through the shared marker state.
        applyChangedWorkLength();
        blue_->ComboBox2.setItemIndex(ComboBox2.itemIndex());
        std::vector<Text>& copy = blue_->settingsCopy();
        if (copy.size() > static_cast<std::size_t>(settingsLine::Destination))
            copy[settingsLine::Destination] = ComboBox3.text();
    }
    Button9.hide();
    Timer1.stop();
    Timer5.stop();
    hide();
    blue_->show();
    BringToFront();
}

void TForm1::SwitchToOrangeMode() {
    if (!maximizeVisibleSpreadsheet(application(), link_.host()))
        return;
    if (ComboBox2.visible()) {
        applyChangedWorkLength();
        orange_->takeOverBlueFeedCorrection();
    }
    orange_->Timer1.start();
    orange_->Timer5.start();
    hide();
    orange_->awaitReturnFromBlueMode();
}

void TForm2::takeOverBlueFeedCorrection() {
    // The check box's handlers clear what they switch off: the state the
    // blue window left is put back after them.
    const markerfile::SharedMarkerState carried = markerState_;
    CheckBox37.setChecked(carried.feedCorrectionOn);
    if (carried.feedCorrectionOn) {
        Edit37.setText(carried.terminalBlockLength);
        Edit38.setText(carried.testPlateLength);
        Edit51.setText(carried.feedCorrectionPercentage);
        markerState_ = carried;
    }
}

void TForm2::awaitReturnFromBlueMode() {
    // The watcher may have stopped in blue mode (a spreadsheet failure) or
    // before it (marking): without it no window would be left on screen.
    blueWasShowing_ = true;
    coupling_->startWatcher();
}

void TForm2::ModeWatcherTick() {
    // After the blue window has gone, the orange one comes back.
    const bool blueShowing = blue_ != nullptr && blue_->visible();
    if (blueWasShowing_ && !visible() && !blueShowing) {
        show();
        BringToFront();
        if (blue_->ComboBox2.itemIndex() >= 0)
            ComboBox2.setItemIndex(blue_->ComboBox2.itemIndex());
        if (ComboBox2.visible()) {
            // The work length box opens when the blue window left a work length.
            CheckBox1.setChecked(!markerState_.customWorkLength.empty());
            takeOverSharedMarkerState();
            CheckBox37.setVisible(filledHeader_.offersFeedCorrection());
        }
        FocusEntryField();
    }
    blueWasShowing_ = !visible() && blueShowing;
}

void TForm2::BringToFront() {
    ui::Form* active = application().activeForm();
    if (active == nullptr)
        return;
    platform::WindowSystem& windows = services_.windows;
    const std::optional<platform::WindowId> own = windows.findTopLevelWindow(active->caption(), {});
    const std::optional<platform::WindowId> foreground = windows.foregroundWindow();
    if (!own || !foreground || *foreground == *own)
        return;
    // A window the user has just minimised stays so: the window manager may
    // have minimised it a moment before the front end tells the model, and
    // activating it now would bring it straight back.
    if (windows.windowMinimised(*own).value_or(false))
        return;
    (void)windows.bringToForeground(*own);
}

} // namespace lumitag::app
