#include "qt/Adapters.h"

#include "qt/QtClipboard.h"
#include "qt/QtDialogs.h"
#include "qt/QtScreen.h"

namespace lumitag::qtfront {

std::unique_ptr<platform::Dialogs> makeDialogs(Text defaultCaption) {
    return std::make_unique<QtDialogs>(std::move(defaultCaption));
}

std::unique_ptr<platform::Clipboard> makeClipboard() {
    return std::make_unique<QtClipboard>();
}

std::unique_ptr<platform::Screen> makeScreen() {
    return std::make_unique<QtScreen>();
}

} // namespace lumitag::qtfront
