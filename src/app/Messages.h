#pragma once

#include "platform/ProgramTitle.h"
#include "platform/Text.h"

namespace lumitag::ui {
class Application;
}

namespace lumitag::app {

// The application title: the caption of the program's own message boxes.
inline constexpr TextView ApplicationTitle = ProgramTitle;
inline constexpr TextView HostBusyMessage =
    U"エクセルが編集中です(またはエクセルシートがその他のウィンドウに隠れています)";
inline constexpr TextView CloseSettingsMessage = U"設定を閉じてください";

// An information box with OK.
void showMessage(ui::Application& app, TextView text);
// A box with the system's default caption, as shown before any window exists.
void showSystemMessage(ui::Application& app, TextView text);
// A confirmation with Yes and Cancel; true for Yes.
bool confirm(ui::Application& app, TextView text);
// The program's general error box.
void showError(ui::Application& app, TextView text);

} // namespace lumitag::app
