#pragma once

#include "platform/spreadsheet/Worksheet.h"

#include <memory>
#include <vector>

namespace lumitag::batch {

// A worksheet over the rows of a CSV or TSV file held in memory, so that the
// conversion reads a text file as it reads a sheet of a workbook. Row 1 is
// the file's first record; cells the file does not reach are empty; no row
// is hidden. Only reading is offered: anything that would change the sheet,
// or select, paste or format, fails as a spreadsheet refuses it.
class DelimitedSheet final : public platform::Worksheet, public std::enable_shared_from_this<DelimitedSheet> {
public:
    DelimitedSheet(Text name, std::vector<std::vector<Text>> rows);

    // The cell's text; empty outside the file's records.
    const Text& at(int row, int column) const;
    int rowCount() const { return static_cast<int>(rows_.size()); }

    Text name() override { return name_; }
    void setName(const Text& name) override;
    void activate() override {}
    std::shared_ptr<platform::Range> cell(int row, int column) override;
    std::shared_ptr<platform::Range> allCells() override;
    std::shared_ptr<platform::Range> range(TextView first, TextView last) override;
    std::shared_ptr<platform::Range> range(platform::CellRef first, platform::CellRef last) override;
    bool rowHidden(int row) override;
    void setRowHidden(int row, bool hidden) override;
    std::vector<platform::RowSpan> hiddenRows(int firstRow, int lastRow) override;
    void paste(const platform::Range& destination) override;
    void setPageMargins(const platform::PageMargins& margins) override;

private:
    Text name_;
    std::vector<std::vector<Text>> rows_;
};

} // namespace lumitag::batch
