#pragma once

#include "batch/ConvertRequest.h"
#include "batch/Language.h"
#include "conversion/ConversionSettingsFile.h"

#include <functional>
#include <string>
#include <vector>

namespace lumitag::batch {

struct ConvertArguments {
    // Refused: the conversion settings file could not be used (exit 1).
    enum class Kind { Convert, Help, UsageError, Refused };
    Kind kind = Kind::Convert;
    ConvertRequest request;
    // For UsageError and Refused: what was wrong, one line.
    std::string error;
};

// What a conversion settings file brings: the saved settings, nothing (a file
// looked for beside the settings file that is not there), or why it cannot be used.
struct SettingsFromFile {
    std::optional<conversion::SavedConversion> saved;
    std::string refusal;
};
// Reads the request's conversionSettingsFile; `required` is false for the one
// looked for beside a settings file.
using ConversionSettingsReader = std::function<SettingsFromFile(const std::filesystem::path&, bool required)>;

// Reads the arguments after `convert`. Every box is held to the rules the
// blue window holds its boxes to when they are left (a column A to CV, a
// count 1 to 999, rows that do not begin with 0 …), so that a script is
// refused what the window would refuse; the rows may reach beyond the
// window's four digits, to the sheet's last row.
//
// --settings names the program folder's settings file (lumitagr.ini), and the
// conversion settings file beside it is used when there is one, or a
// conversion settings file (*.cnv) itself. Its settings are the start: each
// option given replaces what it names, and what the options leave out is
// judged by the conversion as the window judges its boxes.
ConvertArguments parseConvertArguments(const std::vector<std::string>& arguments, const Say& say,
                                       const ConversionSettingsReader& readConversionSettings = {});

// The text of --help: Japanese, then English.
std::string convertHelp();

} // namespace lumitag::batch
