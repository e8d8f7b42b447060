// Any text as the column list or the row list of the column/row settings
// window: reading never crashes, every span it gives lies on the sheet the
// program addresses and runs forwards, and the list reads as its items read
// one by one (one bad item fails the whole list, the spans follow in order).
// A list written back from the spans reads as the same spans.
//
// Input: byte 0 picks the last row (a small sheet or the whole sheet) and
// which list is read; the rest is the list as UTF-8.
#include "platform/Encoding.h"
#include "platform/spreadsheet/CellAddress.h"
#include "sheet/ColumnRowLists.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using namespace lumitag;
using sheet::ListSpan;
using Spans = platform::Result<std::vector<ListSpan>>;

struct Grammar {
    bool columns = true;
    int lastRow = platform::kMaxRow;

    Spans parse(TextView list) const {
        return columns ? sheet::parseColumnList(list) : sheet::parseRowList(list, lastRow);
    }
    int last() const { return columns ? platform::kLastProgramColumn : lastRow; }
    Text name(int number) const {
        return columns ? *platform::programColumnLetters(number) : numberText(number);
    }
};

// The spans as a list again: a single name where a span is one column or
// row, otherwise its two ends (column ranges only reach Z, as only the first
// letter of an end counts).
Text written(const Grammar& grammar, const std::vector<ListSpan>& spans) {
    Text list;
    for (const ListSpan& span : spans) {
        if (!list.empty())
            list += U',';
        list += grammar.name(span.first);
        if (span.last != span.first)
            list += U':' + grammar.name(span.last);
    }
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    constexpr int lastRows[] = {platform::kMaxRow, 1, 9, 100, 65536};
    const Grammar grammar{(data[0] & 1) == 0, lastRows[(data[0] >> 1) % std::size(lastRows)]};
    const Text list = platform::fromUtf8(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

    const Spans whole = grammar.parse(list);
    if (whole) {
        for (const ListSpan& span : whole.value()) {
            if (span.first < 1 || span.first > span.last || span.last > grammar.last())
                std::abort();
            if (grammar.columns && span.first != span.last && span.last > 26)
                std::abort(); // a range counts the first letter of its ends alone
        }
    }

    // Item by item, split at every ",".
    std::vector<ListSpan> itemSpans;
    bool itemsRead = !list.empty();
    for (std::size_t start = 0; itemsRead;) {
        const std::size_t comma = list.find(U',', start);
        const TextView item = TextView(list).substr(start, comma == Text::npos ? Text::npos : comma - start);
        const Spans one = grammar.parse(item);
        if (!one) {
            itemsRead = false;
            break;
        }
        if (one.value().size() > 1)
            std::abort(); // an item holds no ","
        itemSpans.insert(itemSpans.end(), one.value().begin(), one.value().end());
        if (comma == Text::npos)
            break;
        start = comma + 1;
    }
    if (static_cast<bool>(whole) != itemsRead)
        std::abort();
    if (!whole)
        return 0;
    if (whole.value() != itemSpans)
        std::abort();

    if (!whole.value().empty()) {
        const Spans again = grammar.parse(written(grammar, whole.value()));
        if (!again || again.value() != whole.value())
            std::abort();
    }
    return 0;
}
