// Timing of `lumitag convert` on a 10,000-row CSV wire list: reading,
// converting, composing and writing (to in-memory files). Run by hand:
//   batch_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "batch/ConvertCommand.h"
#include "platform/Encoding.h"
#include "platform/fake/FakeFileSystem.h"

#include <benchmark/benchmark.h>
#include <sstream>

namespace lumitag::batch {
namespace {

std::string wireList(int rows) {
    std::string csv = "No,線番,個数,連番\r\n";
    for (int row = 1; row <= rows; ++row)
        csv += std::to_string(row) + ",R-" + std::to_string(row) + "," + std::to_string(row % 5 + 1) + "," +
               std::to_string(row % 100) + "\r\n";
    return csv;
}

void ConvertCsv(benchmark::State& state, std::string bytes) {
    platform::FakeFileSystem files;
    files.setFile("/in/list.csv", platform::toUtf8(platform::fromUtf8(bytes)));
    const std::vector<std::string> arguments = {
        "--columns", "B",       "--count",      "C",  "--sequence-column", "D", "--rows",
        "2-10001",   "--quiet", "/in/list.csv", "-o", "/out/job.ctk"};
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        ConvertEnvironment environment{files, out, err, Say(Language::English), nullptr, {}};
        if (convertMain(arguments, environment) != kExitWritten)
            state.SkipWithError(err.str().c_str());
    }
}

void BM_Csv10000RowsUtf8(benchmark::State& state) {
    ConvertCsv(state, wireList(10000));
}
void BM_Csv10000RowsCp932(benchmark::State& state) {
    ConvertCsv(state, platform::toCp932(platform::fromUtf8(wireList(10000))));
}
BENCHMARK(BM_Csv10000RowsUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Csv10000RowsCp932)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lumitag::batch

BENCHMARK_MAIN();
