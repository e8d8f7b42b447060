#pragma once

#include "markerfile/TableStore.h"
#include "platform/Text.h"

#include <array>
#include <cstddef>
#include <vector>

namespace lumitag::markerfile {

// Entries of the condition header that callers address by index. The header
// has 63 entries: 0 to 28 are the table-font header, 29 to 62 the
// Windows-font header; each form repeats the keys with its own index.
namespace headerEntry {
inline constexpr std::size_t count = 63;
inline constexpr std::size_t tableFontFirst = 0;
inline constexpr std::size_t tableFontCount = 29;
inline constexpr std::size_t windowsFontFirst = 29;
inline constexpr std::size_t windowsFontCount = 34;

inline constexpr std::size_t tableFontTableNumber = 5;
inline constexpr std::size_t tableFontComment = 6;
inline constexpr std::size_t tableFontWorkMode = 8;
inline constexpr std::size_t tableFontWorkLength = 9;
inline constexpr std::size_t tableFontHosei = 19;
inline constexpr std::size_t windowsFontTableNumber = 34;
inline constexpr std::size_t windowsFontComment = 40;
inline constexpr std::size_t windowsFontWorkMode = 42;
inline constexpr std::size_t windowsFontWorkLength = 43;
inline constexpr std::size_t windowsFontHosei = 53;
} // namespace headerEntry

// The text of template entry `index` (0 to 62): a fixed line such as
// "[Condition]", or a key such as "WorkLength=" that the filled header
// completes with a value from the table file.
TextView conditionHeaderKey(std::size_t index);

// The condition header of one main window: the 63 template entries, the
// value entries completed from the selected table.
class ConditionHeader {
public:
    // The bare template: every entry holds its key without a value.
    ConditionHeader();

    const Text& entry(std::size_t index) const;
    // Replaces the whole text of an entry; an index beyond 62 is ignored.
    void setEntry(std::size_t index, Text text);
    // Sets an entry to its template key followed by the value.
    void setValue(std::size_t index, TextView value);

    // Entries 9 and 43: "WorkLength=" followed by the value.
    void setWorkLength(TextView value);
    // Entries 19 and 53: "Hosei=" followed by the value.
    void setHosei(TextView value);

    // The header lines of a table-font file (entries 0 to 28) and of a
    // Windows-font file (entries 29 to 62).
    std::vector<Text> tableFontLines() const;
    std::vector<Text> windowsFontLines() const;

    // True when entry 8 is "WorkMode=2" or "WorkMode=3", the work modes for
    // which the feed correction is offered.
    bool offersFeedCorrection() const;

    friend bool operator==(const ConditionHeader&, const ConditionHeader&) = default;

private:
    std::array<Text, headerEntry::count> entries_;
};

// The filled header: the template with entries 5 and 34 (the table number)
// completed from column 3 of row `tableNumberRow`, and the other value
// entries from row `valueRow`. The cell texts are appended unchanged.
ConditionHeader RebuildFilledHeader(const TableStore& store, std::size_t valueRow,
                                    std::size_t tableNumberRow);

} // namespace lumitag::markerfile
