// Any text in a box that names a column, in the sheet window's column box
// and in the blue window's column, count and sequence column boxes: no rule
// crashes, and the rules agree with each other and with the columns they
// name.
// - A column box text the transfer takes names a column 1 to 100, and the
//   letters after it name the next column.
// - A text the blue window's column box takes resolves to that column; the
//   count column box takes all of it and more, the sequence column box all
//   of the count column's.
// - On letters and short numbers both windows judge a column box alike.
// - The settings boxes apply the column rule their mode gives them.
//
// Input: the box text as UTF-8.
#include "conversion/ColumnAddress.h"
#include "conversion/SettingRules.h"
#include "platform/Encoding.h"
#include "platform/spreadsheet/CellAddress.h"
#include "sheet/ColumnLetters.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace lumitag;
using conversion::ColumnBox;

bool all(TextView text, bool (*is)(char32_t)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), is);
}
bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
bool isCapital(char32_t c) {
    return c >= U'A' && c <= U'Z';
}

void check(bool holds) {
    if (!holds)
        std::abort();
}

// The column a column box names, when the transfer takes it.
int sheetColumnOf(TextView text) {
    if (all(text, isDigit)) {
        int column = 0;
        for (const char32_t c : text)
            column = column * 10 + static_cast<int>(c - U'0');
        return column;
    }
    return platform::programColumnNumber(text).value_or(0);
}

void checkSheetColumnBox(TextView text) {
    if (!sheet::isValidColumnBoxText(text) || text.empty())
        return;
    const int column = sheetColumnOf(text);
    check(column >= 1 && column <= platform::kLastProgramColumn);
    check(sheet::columnBoxLetters(column) == *platform::programColumnLetters(column));
    if (all(text, isCapital)) {
        const Text next = sheet::nextColumnBoxLetters(text);
        if (column == platform::kLastProgramColumn)
            check(next.empty());
        else
            check(platform::programColumnNumber(next) == column + 1);
    }
}

void checkBlueColumnBoxes(TextView text) {
    const bool column = conversion::isAcceptedColumnText(text, ColumnBox::Column);
    const bool count = conversion::isAcceptedColumnText(text, ColumnBox::CountColumn);
    const bool sequence = conversion::isAcceptedColumnText(text, ColumnBox::SequenceColumn);
    check(!column || count);
    check(!count || sequence);
    if (column) {
        const conversion::ResolvedColumn resolved = conversion::resolveColumn(text);
        check(resolved.kind == conversion::ResolvedColumn::Kind::Column);
        check(resolved.column >= 1 && resolved.column <= platform::kLastProgramColumn);
        check(platform::columnNumber(resolved.letters) == resolved.column);
    }
    if (all(text, isCapital) || (all(text, isDigit) && text.size() <= 3))
        check(column == sheet::isValidColumnBoxText(text));

    using conversion::SettingBox;
    using conversion::WorkMode;
    for (const WorkMode mode : {WorkMode::SingleColumn, WorkMode::ColumnsInTurn, WorkMode::ColumnsOnOneLine,
                                WorkMode::WireNumbers}) {
        for (const SettingBox box : {SettingBox::Column1, SettingBox::Column2, SettingBox::Column4})
            check(conversion::isAcceptedBoxText(box, mode, text) == (text.empty() || column));
        if (mode == WorkMode::ColumnsInTurn)
            check(conversion::isAcceptedBoxText(SettingBox::Column3, mode, text) == (text.empty() || column));
        if (mode == WorkMode::WireNumbers) {
            check(conversion::isAcceptedBoxText(SettingBox::Count, mode, text) == (text.empty() || count));
            check(conversion::isAcceptedBoxText(SettingBox::SequenceColumn, mode, text) ==
                  (text.empty() || sequence));
        }
    }
}

// The row rules: a row box the transfer takes is a row of the sheet; an end
// row the blue window takes never lies above its start row.
void checkRowBoxes(TextView text) {
    if (sheet::isValidRowBoxText(text) && !text.empty()) {
        check(all(text, isDigit) && text.front() != U'0');
        check(text.size() <= 7 && sheetColumnOf(text) <= platform::kMaxRow);
    }
    const TextView half = text.substr(0, text.size() / 2);
    const TextView rest = text.substr(text.size() / 2);
    if (conversion::judgeEndRow(half, rest) == conversion::EndRowVerdict::Accepted && !rest.empty() &&
        all(half, isDigit) && half.size() <= 9 && rest.size() <= 9 && half.front() != U'0')
        check(std::stoll(platform::toUtf8(rest)) >= std::stoll(platform::toUtf8(half)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Text text = platform::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    checkSheetColumnBox(text);
    checkBlueColumnBoxes(text);
    checkRowBoxes(text);
    (void)conversion::countTextFitsMode(text, conversion::WorkMode::WireNumbers);
    return 0;
}
