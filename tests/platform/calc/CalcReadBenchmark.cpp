// Reading 1000 rows × 4 columns from a real headless Calc: one call per cell
// against one bulk read of the block.
//
//   calc_read_benchmark --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "CalcTestOffice.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

using namespace lumitag;
using namespace lumitag::platform;

constexpr int kRows = 1000;
constexpr int kColumns = 4;

calc::testing::TestOffice* office = nullptr;
std::shared_ptr<Worksheet> sheet;

void fillSheet() {
    office->host().connect();
    office->host().addWorkbook();
    sheet = office->host().activeSheet();
    for (int row = 1; row <= kRows; ++row) {
        const std::u32string number(std::u32string(U"線") + static_cast<char32_t>(U'0' + row % 10));
        sheet->cell(row, 1)->setValue(number);
        sheet->range(CellRef{row, 2}, CellRef{row, kColumns})->setValue(U"【" + number + U"】");
    }
}

void PerCellReads(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t characters = 0;
        for (int row = 1; row <= kRows; ++row) {
            for (int column = 1; column <= kColumns; ++column) {
                characters += sheet->cell(row, column)->value().size();
            }
        }
        benchmark::DoNotOptimize(characters);
    }
}

void BulkRead(benchmark::State& state) {
    for (auto _ : state) {
        const auto values = sheet->range(CellRef{1, 1}, CellRef{kRows, kColumns})->values();
        benchmark::DoNotOptimize(values.data());
    }
}

BENCHMARK(PerCellReads)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BulkRead)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!calc::testing::TestOffice::available()) {
        std::printf("LibreOffice Calc is not installed\n");
        return 0;
    }
    calc::testing::TestOffice theOffice;
    office = &theOffice;
    fillSheet();
    benchmark::RunSpecifiedBenchmarks();
    sheet.reset();
    office = nullptr;
    return 0;
}
