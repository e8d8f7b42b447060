// Timing of one OK of the orange window that fills the whole list: three
// sequences of ten values expand into 1000 lines, written into the grid with
// their counts, tested for full-width characters and kept in the undo
// snapshot. Headless, every outside thing faked. Run by hand on a release build:
//   entry_window_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include "app/TForm2.h"
#include "hardening/FakedProgram.h"

#include <benchmark/benchmark.h>

namespace lumitag::entry {
namespace {

void OkExpandsThousandLinesIntoTheList(benchmark::State& state) {
    hardening::FakedProgram faked;
    faked.dialogs.setUnscriptedMessage(platform::FakeDialogs::UnscriptedMessage::LastButton);
    faked.start();
    app::TForm2& w = faked.orange();
    w.Edit9.setText(U"2");

    for (auto _ : state) {
        state.PauseTiming();
        w.list().clearAllRows();
        w.list().setNextFreeRow(1);
        w.list().setFullWidth(false);
        w.Edit1.setText(U"01");
        w.Edit2.setText(U"10");
        w.Edit3.setText(U"-");
        w.Edit4.setText(U"A");
        w.Edit5.setText(U"J");
        w.Edit6.setText(U"/");
        w.Edit7.setText(U"0");
        w.Edit8.setText(U"9");
        state.ResumeTiming();

        w.entryPanel().Button7Click();

        if (w.list().nextFreeRow() != 1001 || w.undo().memo().empty())
            state.SkipWithError("the entry did not fill the list");
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 1000);
}
BENCHMARK(OkExpandsThousandLinesIntoTheList)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lumitag::entry

BENCHMARK_MAIN();
