// The blue window's conversion over any block of cells with any settings:
// it never crashes, never holds more than 1000 lines, keeps the lines of
// before where it must, and reading the cells in blocks gives exactly what
// reading them one host call at a time gives (outcome, message and state).
//
// Input, read front to back (a missing byte reads as 0): the block's rows
// and columns, its cells (a byte picks a pool text, or with the top bit set
// takes the next bytes as a text of its own), the hidden rows, then the
// three settings, the ticks, the kind of conversion and the lines before it.
#include "conversion/RunConversion.h"
#include "platform/Encoding.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

namespace {

using namespace lumitag;
using namespace lumitag::conversion;

class Input {
public:
    explicit Input(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t byte() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
    bool bit() { return (byte() & 1) != 0; }
    // A text from the pool, or (top bit set) up to 15 bytes of the input as UTF-8.
    Text text(std::span<const TextView> pool) {
        const std::uint8_t choice = byte();
        if ((choice & 0x80) == 0)
            return Text(pool[choice % pool.size()]);
        const std::size_t length = std::min<std::size_t>(choice & 0x0f, bytes_.size() - at_);
        const std::string_view raw(reinterpret_cast<const char*>(bytes_.data() + at_), length);
        at_ += length;
        return platform::fromUtf8(raw);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

constexpr TextView cellTexts[] = {U"",     U"",   U" ",   U"W1",   U"-X2",    U"5",   U"12.5", U"線番",
                                  U"ＡＢ", U"-",  U"A:B", U"#N/A", U"ｱｲｳ",    U"1",   U"0",    U"WorkMode",
                                  U"a,b",  U"\t", U"X-1", U"盤-3", U"【Ａ】", U"999", U"C",    U"-"};
constexpr TextView columnTexts[] = {U"A",   U"B",   U"C",    U"D",  U"E",  U"H",    U"1",   U"2",  U"8",
                                    U"100", U"101", U"0",    U"-1", U"+2", U"AA",   U"CV",  U"CW", U"ZZ",
                                    U"a",   U"b",   U"予備", U"",   U"A1", U"ＡＢ", U"XFD", U"XFE"};
constexpr TextView rowTexts[] = {U"1",    U"2",  U"3",       U"5",       U"10", U"40", U"100",   U"999",
                                 U"1000", U"12", U"1048576", U"1048577", U"0",  U"-1", U"+1",    U"01",
                                 U"",     U"x",  U"1",       U"20",      U"7",  U"30", U"65536", U"4"};
constexpr TextView countTexts[] = {U"1", U"2", U"999", U"",   U"A",  U"C",
                                   U"H", U"0", U"3 ",  U"CW", U"-2", U"5"};
constexpr TextView occurrenceTexts[] = {U"", U"1", U"2", U"3", U"x", U"-1", U"0"};
constexpr TextView targetTexts[] = {U"-", U"W", U"1", U"", U"線", U"X", U",", U" "};
constexpr TextView replacementTexts[] = {U"+", U"", U"Ｗ", U"ab", U"-", U"線番"};
constexpr TextView remarkTexts[] = {U"", U"盤", U"-", U" "};
constexpr TextView headerTexts[] = {U"", U"WorkMode=2", U"WorkMode=3", U"WorkMode=1"};
constexpr int linesBefore[] = {0, 0, 1, 517, 998, 999, 1000};

ConversionSetting settingOf(Input& in) {
    ConversionSetting setting;
    setting.workMode = static_cast<WorkMode>(in.byte() % 4);
    for (Text& column : setting.columns)
        column = in.text(columnTexts);
    setting.startRow = in.text(rowTexts);
    setting.endRow = in.text(rowTexts);
    setting.count = in.text(countTexts);
    setting.sequenceColumn = in.text(columnTexts);
    const std::uint8_t ticks = in.byte();
    setting.column3IsRemark = (ticks & 1) != 0;
    setting.column4IsRemark = (ticks & 2) != 0;
    setting.replaces = (ticks & 4) != 0;
    for (Replacement* pair : {&setting.first, &setting.second}) {
        pair->target = in.text(targetTexts);
        pair->occurrence = in.text(occurrenceTexts);
        pair->text = in.text(replacementTexts);
    }
    return setting;
}

void check(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in({data, size});
    platform::FakeSpreadsheetHost host;
    host.userStartsSpreadsheet();
    host.connect();
    host.userCreatesWorkbook(U"配線表.xlsx");
    platform::FakeSheetContent& content = host.activeSheetContent();

    const int rows = 1 + in.byte() % 40;
    const int columns = 1 + in.byte() % 10;
    for (int row = 1; row <= rows; ++row)
        for (int column = 1; column <= columns; ++column)
            content.setValue({row, column}, in.text(cellTexts));
    for (int row = 1; row <= rows; ++row)
        if ((in.byte() & 3) == 0)
            content.setRowHidden(row, true);
    // A long hidden stretch further down, as whole sheets have them.
    if (in.bit())
        for (int row = 41; row <= 2000; ++row)
            content.setRowHidden(row, true);

    ConversionSettings settings;
    for (ConversionSetting& setting : settings.settings)
        setting = settingOf(in);
    const std::uint8_t ticks = in.byte();
    settings.useSetting2 = (ticks & 1) != 0;
    settings.useSetting3 = (ticks & 2) != 0;
    settings.eplan = (ticks & 4) != 0;
    const ConversionKind kind = (ticks & 8) != 0 ? ConversionKind::Add : ConversionKind::New;
    settings.headRemark = in.text(remarkTexts);
    settings.headerWorkMode = in.text(headerTexts);
    ConversionState before;
    before.buffer.assign(static_cast<std::size_t>(linesBefore[in.byte() % std::size(linesBefore)]),
                         ResultLine{U"old", U"1", U""});
    before.addUndoMark = static_cast<int>(before.buffer.size() / 2);

    const std::shared_ptr<platform::Worksheet> sheet = host.activeSheet();
    const ConversionResult blocks = RunConversion(host, sheet, settings, kind, before, CellReading::Blocks);
    const ConversionResult cells = RunConversion(host, sheet, settings, kind, before, CellReading::PerCell);

    check(blocks.outcome == cells.outcome);
    check(blocks.message == cells.message);
    check(blocks.state == cells.state);
    check(blocks.state.resultLineCount() <= kMaxResultLines);
    if (!appliesStartState(blocks.outcome))
        check(blocks.state == before);
    if (kind == ConversionKind::Add && appliesStartState(blocks.outcome)) {
        check(blocks.state.resultLineCount() >= before.resultLineCount());
        check(std::equal(before.buffer.begin(), before.buffer.end(), blocks.state.buffer.begin()));
    }
    return 0;
}
