// Time of one paint of the visible list, full-width recompute included.
#include "marking/MarkingList.h"
#include "platform/fake/FakeDialogs.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"
#include "ui/SpeedButton.h"
#include "ui/Timer.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lumitag;

void PaintVisibleList(benchmark::State& state) {
    platform::FakeDialogs dialogs;
    ui::Application app{dialogs};
    ui::Form form{app, "TForm2"};
    form.setBounds({0, 0, 554, 729});
    ui::StringGrid grid{form, "StringGrid1"};
    grid.setBounds({6, 365, 401, 324});
    ui::SpeedButton halfWidth{form, "SpeedButton51"};
    ui::Button cancel{form, "Button9"};
    ui::Timer timer{form, "Timer1"};
    ui::PopupMenu menu{form, "PopupMenu1"};
    ui::MenuItem n6{menu, "N6"}, n9{menu, "N9"}, n25{menu, "N25"}, n26{menu, "N26"}, del{menu, "Del1"},
        ins{menu, "Ins1"}, cut{menu, "Cut1"}, copy{menu, "Copy1"};
    marking::MarkingList list{{grid, timer, halfWidth, cancel, n25, n26, n6, n9, del, ins, cut, copy}, {}};
    // The worst case for the scan: 100 long half-width lines, none of them full width.
    for (int row = 1; row <= 1000; ++row) {
        list.setCell(1, row, U"【12】-ABCDEFGHIJKLMNOPQRSTUVWXYZ-0123456789");
        list.setCell(2, row, U"3");
    }
    list.updateNextFreeRow();
    form.show();
    app.idle();
    for (auto _ : state) {
        grid.invalidate();
        app.idle();
    }
}
BENCHMARK(PaintVisibleList)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
