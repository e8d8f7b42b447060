#pragma once

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"

#include <memory>

namespace lumitag::qtfront {

// The real adapters of the platform interfaces that need Qt. They need a
// QApplication to exist while they are used.
std::unique_ptr<platform::Dialogs> makeDialogs(Text defaultCaption = {});
std::unique_ptr<platform::Clipboard> makeClipboard();
std::unique_ptr<platform::Screen> makeScreen();

} // namespace lumitag::qtfront
