#pragma once

#include "conversion/RunConversion.h"
#include "platform/Encoding.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumitag::conversion::testing {

// A setting in `mode` over rows `start` to `end` of the given column boxes.
inline ConversionSetting makeSetting(WorkMode mode, std::array<Text, 4> columns, Text start, Text end,
                                     Text count, Text sequenceColumn = {}) {
    ConversionSetting setting;
    setting.workMode = mode;
    setting.columns = std::move(columns);
    setting.startRow = std::move(start);
    setting.endRow = std::move(end);
    setting.count = std::move(count);
    setting.sequenceColumn = std::move(sequenceColumn);
    return setting;
}

inline ConversionSettings only(ConversionSetting setting) {
    ConversionSettings settings;
    settings.settings[0] = std::move(setting);
    return settings;
}

// The buffer's lines as the buffer holds them, TAB-joined, in UTF-8 for readable failures.
inline std::vector<std::string> linesOf(const ConversionState& state) {
    std::vector<std::string> lines;
    for (const ResultLine& line : state.buffer)
        lines.push_back(platform::toUtf8(line.joined()));
    return lines;
}

// A connected in-memory spreadsheet with one visible workbook.
class ConversionTest : public ::testing::Test {
protected:
    ConversionTest() {
        host.userStartsSpreadsheet();
        host.connect();
        host.userCreatesWorkbook(U"配線表.xlsx");
        sheet = host.activeSheet();
    }

    platform::FakeSheetContent& content() { return host.activeSheetContent(); }
    void put(TextView address, Text value) { content().setValue(address, std::move(value)); }
    void hide(int row) { content().setRowHidden(row, true); }

    // Runs the conversion reading in blocks and reading cell by cell, expects
    // both to agree, and returns the result.
    ConversionResult convert(const ConversionSettings& settings, ConversionKind kind = ConversionKind::New,
                             const ConversionState& before = {}) {
        const ConversionResult blocks =
            RunConversion(host, sheet, settings, kind, before, CellReading::Blocks);
        const ConversionResult cells =
            RunConversion(host, sheet, settings, kind, before, CellReading::PerCell);
        EXPECT_EQ(blocks.outcome, cells.outcome);
        EXPECT_EQ(platform::toUtf8(blocks.message), platform::toUtf8(cells.message));
        EXPECT_EQ(linesOf(blocks.state), linesOf(cells.state));
        EXPECT_EQ(blocks.state, cells.state);
        return blocks;
    }

    platform::FakeSpreadsheetHost host;
    std::shared_ptr<platform::Worksheet> sheet;
};

} // namespace lumitag::conversion::testing
