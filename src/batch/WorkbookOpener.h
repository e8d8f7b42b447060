#pragma once

#include "platform/Text.h"
#include "platform/spreadsheet/Worksheet.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace lumitag::batch {

// Opens a workbook file (.xlsx, .xls, .ods) through a spreadsheet
// application for one conversion. The sheet stays readable while the opener
// lives; the opener ends whatever it started.
class WorkbookOpener {
public:
    virtual ~WorkbookOpener() = default;

    struct Opened {
        enum class Kind { Sheet, NoSuchSheet, NotAWorkbook, OfficeFailed };
        Kind kind = Kind::Sheet;
        std::shared_ptr<platform::Worksheet> sheet;
        // What went wrong, for the message (developer's words).
        std::string reason;
        // How long the office took to come up, and to open the file.
        std::chrono::milliseconds officeStart{0};
        std::chrono::milliseconds opening{0};
    };

    // The named sheet, or the sheet that was active when the file was saved.
    virtual Opened open(const std::filesystem::path& file, const std::optional<Text>& sheet) = 0;
};

} // namespace lumitag::batch
