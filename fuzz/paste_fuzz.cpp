// Any clipboard text pasted into the orange window's list, at any cell, over
// a list of any length in any box mode, with any answers to the paste's
// questions: nothing crashes, the list keeps to its 1000 lines and its 1001
// grid rows, and the next free row is the one the cells give.
//
// Input: byte 0 the lines already in the list (times 4), byte 1 the box mode
// and the two answers, bytes 2-4 the selected cell, the rest the clipboard
// text as UTF-8.
#include "hardening/FakedProgram.h"
#include "marking/MarkingList.h"
#include "platform/Encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace lumitag;
using marking::MarkingList;

constexpr std::size_t SetupBytes = 5;

platform::Answer answerOf(unsigned bits) {
    constexpr platform::Answer answers[] = {platform::Answer::Yes, platform::Answer::No,
                                            platform::Answer::Cancel, platform::Answer::Yes};
    return answers[bits & 3U];
}

// The row after the last row with content in columns 1 to 3.
int nextFreeRowOfCells(const MarkingList& list) {
    for (int row = MarkingList::LastRow; row >= 1; --row) {
        for (int col = 1; col <= 3; ++col) {
            if (!list.cell(col, row).empty())
                return row + 1;
        }
    }
    return 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < SetupBytes)
        return 0;
    hardening::FakedProgram program;
    if (!program.start())
        std::abort();
    app::TForm2& window = program.orange();
    MarkingList& list = window.list();

    switch (data[1] % 3) {
    case 1:
        window.RadioButton17.setChecked(true);
        break;
    case 2:
        window.RadioButton18.setChecked(true);
        break;
    default:
        break;
    }
    const int existing = std::min(static_cast<int>(data[0]) * 4, MarkingList::LastRow);
    for (int row = 1; row <= existing; ++row) {
        list.setCell(1, row, U"L" + Text(1, static_cast<char32_t>(U'0' + row % 10)));
        list.setCell(2, row, U"1");
    }
    list.updateNextFreeRow();

    const int col = 1 + data[2] % list.contentColumns();
    const int row = 1 + ((data[3] << 8) | data[4]) % MarkingList::LastRow;
    list.selectCell(col, row);
    program.dialogs.queueAnswers({answerOf(data[1] >> 2), answerOf(data[1] >> 4)});
    program.clipboard.setText(platform::fromUtf8(
        std::string_view(reinterpret_cast<const char*>(data + SetupBytes), size - SetupBytes)));

    window.listCommands().Paste1Click();
    program.app.idle();
    program.app.advance(ui::Milliseconds{100}); // the periodic refresh
    program.app.idle();

    if (list.grid().rowCount() != MarkingList::RowCount)
        std::abort();
    if (list.nextFreeRow() < 1 || list.nextFreeRow() > MarkingList::RowCount)
        std::abort();
    if (list.nextFreeRow() != nextFreeRowOfCells(list))
        std::abort();
    return 0;
}
