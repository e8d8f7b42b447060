#pragma once

#include "platform/ProgramTitle.h"
#include "platform/Text.h"
#include "sheet/SheetMessages.h"

namespace lumitag::app {

// The application title: the caption of the program's own message boxes.
inline constexpr TextView ApplicationTitle = ProgramTitle;
inline constexpr TextView HostBusyMessage = sheet::HostBusyMessage;
inline constexpr TextView CloseSettingsMessage = U"設定を閉じてください";
// The captions of the hint switch SpeedButton27 of both main windows: what a
// click will do.
inline constexpr TextView ShowHintsCaption = U"ヒント\r\n表示";
inline constexpr TextView HideHintsCaption = U"ヒント\r\n消去";

// An information box with OK; a box with the system's default caption, as
// shown before any window exists; a confirmation with Yes and Cancel (true
// for Yes); the program's general error box.
using sheet::confirm;
using sheet::showError;
using sheet::showMessage;
using sheet::showSystemMessage;

} // namespace lumitag::app
