// Timing of `lumitag convert` on a 1,000-row .xlsx made through Calc, split
// into its parts: the command's own office starting, the workbook opening,
// the conversion with the file's composition, and the office ending; /0 on a
// fresh office profile each time, /1 on a copy of a prepared one (the
// command's usual case after its first run). A build target, run by hand:
//   batch_calc_bench --benchmark_repetitions=3
#include "CalcTestOffice.h"
#include "batch/BatchConversion.h"
#include "batch/office/OfficeWorkbookOpener.h"
#include "conversion/BlueMarkerFile.h"
#include "platform/Encoding.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace lumitag::batch {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_Xlsx1000Rows(benchmark::State& state) {
    platform::calc::testing::TestOffice maker;
    platform::SpreadsheetHost& host = maker.host();
    host.connect();
    host.setVisible(true);
    const auto sheet = host.addWorkbook()->worksheet(1);
    sheet->activate();
    for (int row = 1; row <= 1000; ++row) {
        sheet->cell(row, 1)->setValue(U"R-" + numberText(row));
        sheet->cell(row, 2)->setValue(numberText(row % 5 + 1));
    }
    const std::string path = maker.folder() + "/list.xlsx";
    dynamic_cast<platform::calc::CalcHost&>(host).saveActiveWorkbookAs(platform::fromUtf8(path));

    conversion::ConversionSettings settings;
    settings.settings[0].workMode = conversion::WorkMode::WireNumbers;
    settings.settings[0].columns[0] = U"A";
    settings.settings[0].count = U"B";
    settings.settings[0].startRow = U"1";
    settings.settings[0].endRow = U"1000";

    OfficeWorkbookOpener::Options options;
    if (state.range(0) == 1) {
        // One run that ends cleanly leaves the template.
        options.profileTemplate = maker.folder() + "/profile-template";
        (void)OfficeWorkbookOpener(options).open(path, std::nullopt);
    }
    double officeStart = 0, opening = 0, conversion = 0, ending = 0;
    for (auto _ : state) {
        auto opener = std::make_unique<OfficeWorkbookOpener>(options);
        WorkbookOpener::Opened opened = opener->open(path, std::nullopt);
        if (opened.kind != WorkbookOpener::Opened::Kind::Sheet) {
            state.SkipWithError(opened.reason.c_str());
            break;
        }
        officeStart += std::chrono::duration<double>(opened.officeStart).count();
        opening += std::chrono::duration<double>(opened.opening).count();
        const Clock::time_point converting = Clock::now();
        const BatchResult result = ConvertWithoutLimit(opened.sheet, settings);
        const auto built = conversion::BuildBlueSaveFile({}, result.lines, {});
        benchmark::DoNotOptimize(conversion::encodeBlueMarkerFile(built.file));
        conversion += secondsSince(converting);
        if (result.lines.size() != 1000)
            state.SkipWithError("not 1000 lines");
        // As the command does: the sheet goes before the office.
        opened.sheet.reset();
        const Clock::time_point end = Clock::now();
        opener.reset();
        ending += secondsSince(end);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["office_start_s"] = officeStart / n;
    state.counters["open_s"] = opening / n;
    state.counters["convert_s"] = conversion / n;
    state.counters["office_end_s"] = ending / n;
}
BENCHMARK(BM_Xlsx1000Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace lumitag::batch

BENCHMARK_MAIN();
