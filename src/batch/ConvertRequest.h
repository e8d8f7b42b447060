#pragma once

#include "conversion/ConversionSettings.h"
#include "platform/Text.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumitag::batch {

// What one `lumitag convert` is asked to do, read from its command line.
struct ConvertRequest {
    std::filesystem::path input;
    // The sheet of a workbook; the sheet active when it was saved when not given.
    std::optional<Text> sheet;
    // The sheet the window converted, from its conversion settings file: used
    // for a workbook when --sheet is not given; a text file has one sheet only.
    std::optional<Text> sheetOfSettingsFile;
    // The marker data file; beside the input, named after it, when not given.
    std::optional<std::filesystem::path> output;

    // The blue window's settings, as its boxes would hold them.
    conversion::ConversionSettings settings;

    // The program folder's settings file (its transfer destination) and,
    // beside it, the table file.
    std::optional<std::filesystem::path> settingsFile;
    // The blue window's conversion settings file, which the options override;
    // given itself by --settings, or found beside the settings file.
    std::optional<std::filesystem::path> conversionSettingsFile;
    std::optional<std::filesystem::path> tableFile;
    // The table by name, by its table box item ("名前 (Table3)") or by its
    // place in the file (1 to 20); the first table when not given.
    std::optional<Text> tableName;
    std::optional<Text> workLength;
    // The feed correction: a percentage, or the two measured lengths.
    std::optional<Text> feedCorrection;
    std::optional<Text> terminalBlockLength;
    std::optional<Text> testPlateLength;

    bool noSplit = false;
    bool allowLoss = false;
    bool dryRun = false;
    bool quiet = false;
    // The office's soffice.bin, for another installation than the one built against.
    std::optional<std::string> officeProgram;
};

} // namespace lumitag::batch
