#include "platform/spreadsheet/SpreadsheetHost.h"

namespace lumitag::platform {

bool SpreadsheetHost::isVisible() noexcept {
    try {
        return visible();
    } catch (...) {
        // Whatever went wrong, the answer the callers need is "no spreadsheet".
        return false;
    }
}

} // namespace lumitag::platform
