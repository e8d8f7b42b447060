#pragma once

#include <stdexcept>
#include <string>

namespace lumitag::platform {

// The one way a spreadsheet operation fails: the spreadsheet is busy (a cell is
// being edited, one of its dialogs is open), has gone away, or refused the
// request (a duplicate sheet name, an address it cannot use). The reason is for
// developers; callers show their own message or stop silently.
class SpreadsheetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace lumitag::platform
