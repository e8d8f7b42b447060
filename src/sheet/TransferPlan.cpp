#include "sheet/TransferPlan.h"

#include <algorithm>

namespace lumitag::sheet {

namespace {

bool allDigits(TextView text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; });
}

// The number of a text of digits, or nothing once it exceeds `limit`.
std::optional<int> boundedNumber(TextView digits, int limit) {
    if (!allDigits(digits))
        return std::nullopt;
    long long number = 0;
    for (const char32_t c : digits) {
        number = number * 10 + (c - U'0');
        if (number > limit)
            return std::nullopt;
    }
    return static_cast<int>(number);
}

} // namespace

TransferPlan planTransfer(const std::vector<std::vector<Text>>& lines, platform::CellRef target,
                          TransferSpacing spacing, TransferOrder order) {
    TransferPlan plan;
    plan.step = static_cast<int>(spacing);
    std::size_t contentColumns = 1;
    for (const std::vector<Text>& line : lines) {
        contentColumns = std::max(contentColumns, line.size());
        if (!line.empty())
            plan.longestText = std::max(plan.longestText, static_cast<int>(line.front().size()));
        if (std::any_of(line.begin() + std::min<std::size_t>(1, line.size()), line.end(),
                        [](const Text& cell) { return !cell.empty(); }))
            plan.countsPresent = true;
    }
    const std::size_t blockColumns = plan.countsPresent ? contentColumns : 1;

    plan.lines.reserve(lines.size());
    auto take = [&](const std::vector<Text>& line) {
        std::vector<Text>& cells = plan.lines.emplace_back(blockColumns);
        std::copy_n(line.begin(), std::min(blockColumns, line.size()), cells.begin());
    };
    if (order == TransferOrder::Reverse)
        std::for_each(lines.rbegin(), lines.rend(), take);
    else
        std::for_each(lines.begin(), lines.end(), take);

    const int count = static_cast<int>(lines.size());
    plan.nextRow = target.row + plan.step * count;
    plan.block = {target, {plan.nextRow - 1, target.column + static_cast<int>(blockColumns) - 1}};
    return plan;
}

std::optional<int> transferColumn(TextView columnBox) {
    if (allDigits(columnBox)) {
        const std::optional<int> number = boundedNumber(columnBox, platform::kLastProgramColumn);
        if (number && *number >= 1)
            return number;
        return std::nullopt;
    }
    return platform::programColumnNumber(columnBox);
}

std::optional<int> transferRow(TextView rowBox) {
    const std::optional<int> row = boundedNumber(rowBox, platform::kMaxRow);
    if (row && *row >= 1)
        return row;
    return std::nullopt;
}

std::optional<double> linkedColumnWidth(int longestText, double width, bool numberingPresent) {
    if (numberingPresent)
        return longestText > width ? std::optional<double>(longestText) : std::nullopt;
    return longestText > width - 2 ? std::optional<double>(longestText + 2) : std::nullopt;
}

} // namespace lumitag::sheet
