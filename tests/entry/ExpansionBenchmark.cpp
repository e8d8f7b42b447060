// Timing of one entry that fills the whole list: three sequences of ten values
// each expand into 1000 marking lines, written with their count and numbering
// cells into rows that stand in for the list. Run by hand:
//   entry_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include "entry/EntryCheck.h"
#include "entry/Expansion.h"

#include <array>
#include <benchmark/benchmark.h>
#include <vector>

namespace lumitag::entry {
namespace {

void OkExpandsThousandLines(benchmark::State& state) {
    EntryTexts panel;
    panel.sequences = {SequenceGroup{SequenceMode::Range, U"01", {}, U"10"},
                       SequenceGroup{SequenceMode::Range, U"A", {}, U"J"},
                       SequenceGroup{SequenceMode::Range, U"0", {}, U"9"}};
    panel.fixedText1 = U"-";
    panel.fixedText2 = U"/";
    const Text count = U"2";
    const Text numberingEnd;

    // The 1000 rows of a 1BOX list: marking text, count, numbering end value.
    std::vector<std::array<Text, 3>> rows(1000);
    for (auto _ : state) {
        const EntryCheck check = checkEntry(panel);
        const Expansion expansion(check.entry);
        std::size_t nextFreeRow = 0;
        for (std::uint64_t i = 0; i < expansion.lineCount() && nextFreeRow < rows.size(); ++i)
            rows[nextFreeRow++] = {expansion.line(i), count, numberingEnd};
        benchmark::DoNotOptimize(rows.data());
        benchmark::ClobberMemory();
        if (nextFreeRow != 1000)
            state.SkipWithError("the expansion did not fill the list");
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 1000);
}
BENCHMARK(OkExpandsThousandLines)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lumitag::entry

BENCHMARK_MAIN();
