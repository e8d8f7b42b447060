// A 1000-row, 4-column 複数列を一行 conversion on the in-memory spreadsheet:
// reading in blocks against reading cell by cell (the host's own cost is
// near nothing here; the figures show the engine's).
//
//   conversion_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "conversion/RunConversion.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lumitag;
using namespace lumitag::conversion;

struct Sheet {
    Sheet() {
        host.userStartsSpreadsheet();
        host.connect();
        host.userCreatesWorkbook(U"配線表.xlsx");
        sheet = host.activeSheet();
        for (int row = 1; row <= 1000; ++row)
            for (int column = 1; column <= 4; ++column)
                host.activeSheetContent().setValue({row, column}, U"線" + numberText(row * 10 + column));
        // Every row's four cells joined into its line: 4000 cells, 1000 lines.
        settings.settings[0].workMode = WorkMode::ColumnsOnOneLine;
        settings.settings[0].columns = {U"A", U"B", U"C", U"D"};
        settings.settings[0].startRow = U"1";
        settings.settings[0].endRow = U"1000";
        settings.settings[0].count = U"1";
    }
    platform::FakeSpreadsheetHost host;
    std::shared_ptr<platform::Worksheet> sheet;
    ConversionSettings settings;
};

void Convert(benchmark::State& state, CellReading reading) {
    Sheet sheet;
    for (auto _ : state) {
        sheet.host.clearCalls();
        const ConversionResult result =
            RunConversion(sheet.host, sheet.sheet, sheet.settings, ConversionKind::New, {}, reading);
        benchmark::DoNotOptimize(result.state.buffer.data());
    }
}

BENCHMARK_CAPTURE(Convert, Blocks, CellReading::Blocks)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, PerCell, CellReading::PerCell)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
