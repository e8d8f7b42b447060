#pragma once

#include "batch/ConvertRequest.h"
#include "batch/Language.h"

#include <string>
#include <vector>

namespace lumitag::batch {

struct ConvertArguments {
    enum class Kind { Convert, Help, UsageError };
    Kind kind = Kind::Convert;
    ConvertRequest request;
    // For UsageError: what was wrong, one line.
    std::string error;
};

// Reads the arguments after `convert`. Every box is held to the rules the
// blue window holds its boxes to when they are left (a column A to CV, a
// count 1 to 999, rows that do not begin with 0 …), so that a script is
// refused what the window would refuse; the rows may reach beyond the
// window's four digits, to the sheet's last row.
ConvertArguments parseConvertArguments(const std::vector<std::string>& arguments, const Say& say);

// The text of --help: Japanese, then English.
std::string convertHelp();

} // namespace lumitag::batch
