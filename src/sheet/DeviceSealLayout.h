#pragma once

#include "sheet/WorkbookCommands.h"

namespace lumitag::platform {
class Worksheet;
}

namespace lumitag::sheet {

// The device seal sheet: 21 seal rows (the odd rows 3 to 43, numbered 21 down
// to 1 in column A) between narrow rows, under a header row of 18 mm, on
// margins that put the rows onto the seal card.
namespace device_seal {
inline constexpr double ColumnAMillimetres = 16;
inline constexpr double OtherColumnsCharacters = 12; // columns B to H
inline constexpr int LastColumn = 8;                 // H
inline constexpr double HeaderRowMillimetres = 18;
inline constexpr double SeparatorRowPoints = 12.5; // the even rows
inline constexpr double SealRowPoints = 24.75;     // the odd rows
inline constexpr int LastRow = 43;
inline constexpr TextView FontName = U"ＭＳ Ｐゴシック";
inline constexpr double FontSize = 10;
} // namespace device_seal

// Lays the sheet out; stops at the first refusal of the spreadsheet (which
// it throws), keeping what was set.
void layOutDeviceSealSheet(platform::Worksheet& sheet);

// エクセル　フォーマット > デバイスシール（IDEC） BNM-D1: a new workbook whose
// first sheet is laid out for the device seal sheet.
class DeviceSealWorkbook {
public:
    DeviceSealWorkbook(WorkbookControls controls, WorkbookCommands& workbooks, SpreadsheetLink& link,
                       std::function<bool()> listHasLines);

    void CreateDeviceSealWorkbook();

private:
    WorkbookControls c_;
    WorkbookCommands& workbooks_;
    SpreadsheetLink& link_;
    std::function<bool()> listHasLines_;
};

} // namespace lumitag::sheet
