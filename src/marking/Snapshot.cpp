#include "marking/Snapshot.h"

#include "platform/Text.h"

#include <optional>
#include <string>

namespace lumitag::marking {

namespace {

constexpr char32_t Cr = U'\r';
constexpr char32_t Lf = U'\n';
constexpr char32_t Tab = U'\t';
constexpr TextView LineBreak = U"\r\n";

// A row number of up to nine digits; anything else is no row number.
std::optional<int> rowNumber(TextView text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const char32_t c : text) {
        if (c < U'0' || c > U'9')
            return std::nullopt;
        value = value * 10 + static_cast<int>(c - U'0');
    }
    return value;
}

} // namespace

Text makeSnapshot(int selectRow, const std::vector<RowFields>& rows) {
    Text text = numberText(selectRow);
    text += LineBreak;
    for (const RowFields& fields : rows) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0)
                text += Tab;
            text += fields[i];
        }
        text += LineBreak;
    }
    return text;
}

SnapshotParts splitSnapshot(TextView snapshot) {
    const std::size_t breakAt = snapshot.find(LineBreak);
    const TextView first = snapshot.substr(0, breakAt);
    SnapshotParts parts;
    // The snapshot is the program's own text, but a row number it cannot read
    // must not stop the restore: the first row is selected instead.
    parts.selectRow = rowNumber(first).value_or(1);
    if (breakAt != TextView::npos)
        parts.body = Text(snapshot.substr(breakAt + LineBreak.size()));
    return parts;
}

std::vector<RowFields> parseLines(TextView text) {
    std::vector<RowFields> rows;
    std::size_t start = 0;
    for (std::size_t cr = text.find(Cr); cr != TextView::npos; cr = text.find(Cr, start)) {
        const TextView line = text.substr(start, cr - start);
        RowFields fields;
        std::size_t from = 0;
        for (std::size_t tab = line.find(Tab); tab != TextView::npos; tab = line.find(Tab, from)) {
            fields.emplace_back(line.substr(from, tab - from));
            from = tab + 1;
        }
        fields.emplace_back(line.substr(from));
        rows.push_back(std::move(fields));
        start = cr + 1;
        if (start < text.size() && text[start] == Lf)
            ++start;
    }
    return rows;
}

bool holdsCarriageReturn(TextView text) {
    return text.find(Cr) != TextView::npos;
}

} // namespace lumitag::marking
