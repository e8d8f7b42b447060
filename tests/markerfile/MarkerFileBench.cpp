// Timings of the marker data file for a full list: building, encoding and
// writing a 1000-line file, and reading it back for the import.

#include "markerfile/MarkerData.h"
#include "markerfile/TableFile.h"
#include "platform/LocalFileSystem.h"
#include "platform/TemporaryFolder.h"

#include <benchmark/benchmark.h>
#include <string>

namespace lumitag::markerfile {
namespace {

Text asciiText(const std::string& ascii) {
    return Text(ascii.begin(), ascii.end());
}

ConditionHeader benchHeader() {
    TableStore store;
    for (std::size_t column = 0; column < tableColumnCount; ++column)
        store.setCell(0, column, asciiText(std::to_string(column)));
    store.setCell(0, tableColumn::tableName, U"TUBE 3.2");
    store.setCell(0, tableColumn::workMode, U"3");
    return RebuildFilledHeader(store, 0, 0);
}

MarkerDataSource fullList(FullWidth fullWidth) {
    MarkerDataSource source;
    source.fullWidth = fullWidth;
    const Text prefix = fullWidth == FullWidth::Yes ? U"盤" : U"X";
    for (int i = 1; i <= 1000; ++i) {
        const Text number = asciiText(std::to_string(i));
        source.lines.push_back({number, prefix + number + U"-A【" + number + U"】", U"2", number});
    }
    return source;
}

void BuildEncodeWrite(benchmark::State& state) {
    const FullWidth fullWidth = state.range(0) ? FullWidth::Yes : FullWidth::No;
    const ConditionHeader header = benchHeader();
    const MarkerDataSource source = fullList(fullWidth);
    platform::TemporaryFolder folder;
    platform::LocalFileSystem files;
    const std::filesystem::path path = folder / "lumitagr.cta";
    for (auto _ : state) {
        const BuiltMarkerData built = BuildMarkerData(header, source);
        if (!writeMarkerDataFile(files, path, built.data.lines).ok())
            state.SkipWithError("write failed");
    }
}

void BuildEncode(benchmark::State& state) {
    const FullWidth fullWidth = state.range(0) ? FullWidth::Yes : FullWidth::No;
    const ConditionHeader header = benchHeader();
    const MarkerDataSource source = fullList(fullWidth);
    for (auto _ : state) {
        const BuiltMarkerData built = BuildMarkerData(header, source);
        benchmark::DoNotOptimize(encodeMarkerData(built.data.lines));
    }
}

void ParseImport(benchmark::State& state) {
    const FullWidth fullWidth = state.range(0) ? FullWidth::Yes : FullWidth::No;
    const std::string bytes =
        encodeMarkerData(BuildMarkerData(benchHeader(), fullList(fullWidth)).data.lines);
    platform::TemporaryFolder folder;
    platform::LocalFileSystem files;
    const std::filesystem::path path = folder / "lumitagr.cta";
    if (!files.writeFileAtomically(path, bytes).ok())
        state.SkipWithError("write failed");
    for (auto _ : state) {
        platform::Result<std::string> read = files.readFile(path);
        const ParsedMarkerData parsed = parseMarkerDataFile(read.value());
        benchmark::DoNotOptimize(parsed.lines.data());
    }
}

void LoadTable(benchmark::State& state) {
    TableStore store;
    for (std::size_t row = 0; row < tableCount; ++row)
        for (std::size_t column = 0; column < tableColumnCount; ++column)
            store.setCell(row, column, asciiText(std::to_string(row * 100 + column)));
    const std::string bytes = encodeTableFile(store);
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadTableFile(bytes).tableLineCount);
}

// Argument 0: table font (ASCII list); 1: Windows font (full-width list).
BENCHMARK(BuildEncodeWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildEncode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseImport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadTable)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lumitag::markerfile

BENCHMARK_MAIN();
