// 転送 of 1000 3BOX lines into a real headless Calc: the program's transfer
// (one bulk write of the block plus its formatting), continuous and with a row
// between the lines (1行置), against writing the same block cell by cell.
//
//   sheet_transfer_calc_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "sheet/OfficeProgram.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>

namespace {

using namespace lumitag;
using platform::CellRef;

constexpr int LineCount = 1000;

sheet::OfficeProgram* program = nullptr;

std::vector<std::vector<Text>> threeBoxLines() {
    std::vector<std::vector<Text>> lines;
    for (int i = 1; i <= LineCount; ++i)
        lines.push_back({U"線番-" + numberText(i), numberText(i % 7 + 1), i % 3 == 0 ? U"2" : U"", U"",
                         i % 10 == 0 ? U"【" + numberText(i) + U"】" : U""});
    return lines;
}

bool prepare() {
    if (program->program.start() != app::Program::Start::Running)
        return false;
    app::TForm2& w = program->orange();
    program->driver.idle();
    program->driver.click(w.RadioButton17); // 3BOX
    const auto lines = threeBoxLines();
    for (std::size_t row = 0; row < lines.size(); ++row)
        for (std::size_t col = 0; col < lines[row].size(); ++col)
            w.list().setCell(static_cast<int>(col) + 1, static_cast<int>(row) + 1, lines[row][col]);
    w.list().updateNextFreeRow();
    program->driver.idle();
    program->driver.click(w.SpeedButton29);
    return program->link().workbookAttached();
}

// Button21 as a person clicks it with the spacing given, overwriting the same
// rows from B1 each time.
void transferFromB1(benchmark::State& state, ui::RadioButton& spacing, TextView nextRow) {
    app::TForm2& w = program->orange();
    w.CheckBox35.setChecked(false);
    program->driver.click(spacing);
    const platform::calc::CalcHost::CallTime before = sheet::office->host().callTime();
    for (auto _ : state) {
        w.Edit14.setText(U"B");
        w.Edit15.setText(U"1");
        program->dialogs.queueAnswer(platform::Answer::Yes);
        program->dialogs.clearTranscript();
        w.Button21.click();
        if (w.Edit15.text() != nextRow || program->dialogs.messageCount() != 1)
            state.SkipWithError("the transfer did not complete");
    }
    // The part of each transfer spent waiting for the office, and its calls.
    const platform::calc::CalcHost::CallTime after = sheet::office->host().callTime();
    state.counters["host_ms"] =
        benchmark::Counter(std::chrono::duration<double, std::milli>(after.waited - before.waited).count(),
                           benchmark::Counter::kAvgIterations);
    state.counters["host_calls"] = benchmark::Counter(static_cast<double>(after.calls - before.calls),
                                                      benchmark::Counter::kAvgIterations);
}

// 連続: B1:F1000.
void Transfer(benchmark::State& state) {
    transferFromB1(state, program->orange().RadioButton1, U"1001");
}

// 1行置: the lines into rows 1, 3, … 1999 of B:F.
void SpacedTransfer(benchmark::State& state) {
    transferFromB1(state, program->orange().RadioButton2, U"2001");
}

// The block write alone.
void BulkWrite(benchmark::State& state) {
    const auto lines = threeBoxLines();
    const std::shared_ptr<platform::Worksheet> sheet = program->link().worksheet();
    for (auto _ : state)
        sheet->range(CellRef{1, 2}, CellRef{LineCount, 6})->setValues(lines);
}

// What one call per cell costs for the same block.
void PerCellWrites(benchmark::State& state) {
    const auto lines = threeBoxLines();
    const std::shared_ptr<platform::Worksheet> sheet = program->link().worksheet();
    for (auto _ : state) {
        for (int row = 0; row < LineCount; ++row)
            for (int col = 0; col < 5; ++col)
                sheet->cell(row + 1, col + 2)
                    ->setValue(lines[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]);
    }
}

// The transfer's other host calls one by one, on the same block B1:F1000 with
// the marking texts in B and the 【】 column in F: what each adds to Transfer.
enum class Part { Select, TextFormat, Alignment, Widths, Activate };

void TransferPart(benchmark::State& state, Part part) {
    const std::shared_ptr<platform::Worksheet> sheet = program->link().worksheet();
    const CellRef first{1, 2};
    const CellRef last{LineCount, 6};
    for (auto _ : state) {
        switch (part) {
        case Part::Select:
            sheet->cell(first.row, first.column)->select();
            break;
        case Part::TextFormat:
            sheet->range(first, CellRef{last.row, first.column})->setNumberFormatLocal(U"@");
            sheet->range(CellRef{first.row, last.column}, last)->setNumberFormatLocal(U"@");
            break;
        case Part::Alignment:
            sheet->range(first, last)->setHorizontalAlignment(platform::HorizontalAlignment::Center);
            break;
        case Part::Widths: {
            sheet->range(CellRef{first.row, first.column + 1}, last)->setColumnWidth(4);
            const std::shared_ptr<platform::Range> cell = sheet->cell(first.row, first.column);
            cell->setColumnWidth(cell->columnWidth());
            break;
        }
        case Part::Activate:
            sheet->cell(LineCount + 1, first.column)->activate();
            break;
        }
    }
}

BENCHMARK(Transfer)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TransferPart, Select, Part::Select)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TransferPart, TextFormat, Part::TextFormat)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TransferPart, Alignment, Part::Alignment)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TransferPart, Widths, Part::Widths)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TransferPart, Activate, Part::Activate)->Unit(benchmark::kMillisecond);
BENCHMARK(SpacedTransfer)->Unit(benchmark::kMillisecond);
BENCHMARK(BulkWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(PerCellWrites)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!platform::calc::testing::TestOffice::available()) {
        std::printf("LibreOffice Calc is not installed\n");
        return 0;
    }
    platform::calc::testing::TestOffice theOffice;
    sheet::office = &theOffice;
    {
        sheet::OfficeProgram theProgram(theOffice.host());
        program = &theProgram;
        if (!prepare()) {
            std::printf("no workbook could be attached\n");
            return 1;
        }
        benchmark::RunSpecifiedBenchmarks();
        program = nullptr;
    }
    sheet::office = nullptr;
    return 0;
}
