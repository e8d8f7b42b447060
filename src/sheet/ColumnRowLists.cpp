#include "sheet/ColumnRowLists.h"

#include "platform/Encoding.h"
#include "platform/spreadsheet/CellAddress.h"

#include <optional>

namespace lumitag::sheet {

namespace {

using Spans = platform::Result<std::vector<ListSpan>>;

std::vector<TextView> split(TextView text, char32_t separator) {
    std::vector<TextView> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == TextView::npos ? TextView::npos : end - start));
        if (end == TextView::npos)
            return parts;
        start = end + 1;
    }
}

bool isCapitalLetter(char32_t c) {
    return c >= U'A' && c <= U'Z';
}

// A column the program addresses, written in capitals: "A" to "CV".
std::optional<int> columnOf(TextView name) {
    for (const char32_t c : name)
        if (!isCapitalLetter(c))
            return std::nullopt;
    return platform::programColumnNumber(name);
}

// A row number in plain ASCII digits without a leading zero, 1 to lastRow.
std::optional<int> rowOf(TextView name, int lastRow) {
    if (name.empty() || name.front() == U'0' || name.size() > 9)
        return std::nullopt;
    int row = 0;
    for (const char32_t c : name) {
        if (c < U'0' || c > U'9')
            return std::nullopt;
        row = row * 10 + static_cast<int>(c - U'0');
    }
    if (row > lastRow)
        return std::nullopt;
    return row;
}

Spans badItem(TextView item, const char* what) {
    return Spans::failure(std::string(what) + ": \"" + platform::toUtf8(item) + "\"");
}

// Walks the items; `single` reads a lone item, `end` a range's end.
template <class Single, class End> Spans parseList(TextView list, Single single, End end) {
    if (list.empty())
        return Spans::failure("the list is empty");
    std::vector<ListSpan> spans;
    for (const TextView item : split(list, U',')) {
        if (item.empty())
            return badItem(item, "an empty item");
        const std::vector<TextView> ends = split(item, U':');
        if (ends.size() == 1) {
            const std::optional<int> number = single(item);
            if (!number)
                return badItem(item, "not a name the sheet has");
            spans.push_back({*number, *number});
            continue;
        }
        if (ends.size() != 2)
            return badItem(item, "a range has two ends");
        const std::optional<int> first = end(ends[0]);
        const std::optional<int> last = end(ends[1]);
        if (!first || !last)
            return badItem(item, "a range end the sheet does not have");
        if (*first <= *last)
            spans.push_back({*first, *last});
    }
    return Spans::success(std::move(spans));
}

} // namespace

Spans parseColumnList(TextView list) {
    // A range end is a whole column name that must exist; only its first
    // letter counts for the range.
    const auto rangeEnd = [](TextView name) -> std::optional<int> {
        if (!columnOf(name))
            return std::nullopt;
        return static_cast<int>(name.front() - U'A') + 1;
    };
    return parseList(list, columnOf, rangeEnd);
}

Spans parseRowList(TextView list, int lastRow) {
    const auto row = [lastRow](TextView name) { return rowOf(name, lastRow); };
    return parseList(list, row, row);
}

} // namespace lumitag::sheet
