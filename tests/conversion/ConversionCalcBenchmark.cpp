// A 1000-row, 4-column 複数列を一行 conversion from a real headless Calc, end
// to end (busy test, hidden rows, cells, lines): reading in blocks against
// one host call per cell and per row.
//
//   conversion_calc_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "CalcTestOffice.h"
#include "conversion/RunConversion.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace lumitag;
using namespace lumitag::conversion;

platform::calc::testing::TestOffice* office = nullptr;
std::shared_ptr<platform::Worksheet> sheet;
ConversionSettings settings;

void fillSheet() {
    office->host().connect();
    office->host().setVisible(true);
    office->host().addWorkbook();
    sheet = office->host().activeSheet();
    for (int row = 1; row <= 1000; ++row) {
        const Text wire = U"線" + numberText(row);
        sheet->cell(row, 1)->setValue(wire);
        sheet->range(platform::CellRef{row, 2}, platform::CellRef{row, 4})->setValue(U"【" + wire + U"】");
    }
    for (const int row : {17, 18, 600})
        sheet->setRowHidden(row, true);
    ConversionSetting& setting = settings.settings[0];
    setting.workMode = WorkMode::ColumnsOnOneLine;
    setting.columns = {U"A", U"B", U"C", U"D"};
    setting.startRow = U"1";
    setting.endRow = U"1000";
    setting.count = U"1";
}

void Convert(benchmark::State& state, CellReading reading) {
    for (auto _ : state) {
        const ConversionResult result =
            RunConversion(office->host(), sheet, settings, ConversionKind::New, {}, reading);
        if (result.state.resultLineCount() != 997) {
            state.SkipWithError("the conversion did not give its 997 lines");
        }
        benchmark::DoNotOptimize(result.state.buffer.data());
    }
}

// The parts of the block reading on their own.
void HiddenRowsQuery(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(sheet->hiddenRows(1, 1000).size());
    }
}

// What the one query replaces: Rows(row).Hidden asked row by row.
void RowHiddenRowByRow(benchmark::State& state) {
    for (auto _ : state) {
        int hidden = 0;
        for (int row = 1; row <= 1000; ++row)
            hidden += sheet->rowHidden(row) ? 1 : 0;
        benchmark::DoNotOptimize(hidden);
    }
}

void ReadFourColumns(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            sheet->range(platform::CellRef{1, 1}, platform::CellRef{1000, 4})->values().size());
    }
}

void BusyTest(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(office->host().isVisible());
        benchmark::DoNotOptimize(office->host().activeCell());
    }
}

BENCHMARK(HiddenRowsQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(RowHiddenRowByRow)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ReadFourColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BusyTest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, Blocks, CellReading::Blocks)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, PerCell, CellReading::PerCell)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!platform::calc::testing::TestOffice::available()) {
        std::printf("LibreOffice Calc is not installed\n");
        return 0;
    }
    platform::calc::testing::TestOffice theOffice;
    office = &theOffice;
    fillSheet();
    benchmark::RunSpecifiedBenchmarks();
    sheet.reset();
    office = nullptr;
    return 0;
}
