#include "markerfile/ConditionHeader.h"

#include <optional>
#include <utility>

namespace lumitag::markerfile {

namespace {

struct TemplateEntry {
    TextView key;
    // The table column whose text completes the entry; none for a fixed line.
    std::optional<std::size_t> column;
};

// The marker software reads these keys literally, blanks included: "PitchY= "
// of the table-font header carries a blank the Windows-font one does not, and
// the Windows-font comment key ends in five blanks.
constexpr std::array<TemplateEntry, headerEntry::count> conditionTemplate{{
    // Table-font header.
    {U"[Condition]", std::nullopt},
    {U"FileType=1", std::nullopt},
    {U"FileMode=0", std::nullopt},
    {U"Version=2", std::nullopt},
    {U"FontFlag=0", std::nullopt},
    {U"TableNo=", tableColumn::tableNumber},
    {U"Comment=", tableColumn::tableName},
    {U"MojiSize=", 6},
    {U"WorkMode=", tableColumn::workMode},
    {U"WorkLength=", tableColumn::workLength},
    {U"PitchX=", 8},
    {U"FrontSpace=", 16},
    {U"BackSpace=", 17},
    {U"CutPosition=", 10},
    {U"PositionY=", 12},
    {U"VerticalMax=", 13},
    {U"CutType=", 22},
    {U"MarkWay=", 7},
    {U"PitchY= ", 9},
    {U"Hosei=", tableColumn::feedCorrection},
    {U"Numbering=", 15},
    {U"Density=", 18},
    {U"RepeatMode=", 19},
    {U"Label=", 20},
    {U"CutHosei=", 21},
    {U"SetCount=", 23},
    {U"VerticalPosition=0", std::nullopt},
    {U"HorizontalPosition=0", std::nullopt},
    {U"[MarkingData]", std::nullopt},
    // Windows-font header.
    {U"[Condition]", std::nullopt},
    {U"FileType=1", std::nullopt},
    {U"FileMode=0", std::nullopt},
    {U"Version=2", std::nullopt},
    {U"FontFlag=1", std::nullopt},
    {U"TableNo=", tableColumn::tableNumber},
    {U"Column=1", std::nullopt},
    {U"FontName=ＭＳ Ｐゴシック", std::nullopt},
    {U"FontSize=18", std::nullopt},
    {U"FontStyle=0", std::nullopt},
    {U"CutExpand=0", std::nullopt},
    {U"Comment=     ", tableColumn::tableName},
    {U"MojiSize=", 6},
    {U"WorkMode=", tableColumn::workMode},
    {U"WorkLength=", tableColumn::workLength},
    {U"PitchX=", 8},
    {U"FrontSpace=", 16},
    {U"BackSpace=", 17},
    {U"CutPosition=", 10},
    {U"PositionY=", 12},
    {U"VerticalMax=", 13},
    {U"CutType=", 22},
    {U"MarkWay=", 7},
    {U"PitchY=", 9},
    {U"Hosei=", tableColumn::feedCorrection},
    {U"Numbering=", 15},
    {U"Density=", 18},
    {U"RepeatMode=", 19},
    {U"Label=", 20},
    {U"CutHosei=", 21},
    {U"SetCount=", 23},
    {U"VerticalPosition=1", std::nullopt},
    {U"HorizontalPosition=0", std::nullopt},
    {U"[MarkingData]", std::nullopt},
}};

bool isTableNumberEntry(std::size_t index) {
    return index == headerEntry::tableFontTableNumber || index == headerEntry::windowsFontTableNumber;
}

} // namespace

TextView conditionHeaderKey(std::size_t index) {
    return index < headerEntry::count ? conditionTemplate[index].key : TextView();
}

ConditionHeader::ConditionHeader() {
    for (std::size_t i = 0; i < headerEntry::count; ++i)
        entries_[i] = Text(conditionTemplate[i].key);
}

const Text& ConditionHeader::entry(std::size_t index) const {
    static const Text none;
    return index < headerEntry::count ? entries_[index] : none;
}

void ConditionHeader::setEntry(std::size_t index, Text text) {
    if (index < headerEntry::count)
        entries_[index] = std::move(text);
}

void ConditionHeader::setValue(std::size_t index, TextView value) {
    if (index >= headerEntry::count)
        return;
    Text text(conditionTemplate[index].key);
    text += value;
    entries_[index] = std::move(text);
}

void ConditionHeader::setWorkLength(TextView value) {
    setValue(headerEntry::tableFontWorkLength, value);
    setValue(headerEntry::windowsFontWorkLength, value);
}

void ConditionHeader::setHosei(TextView value) {
    setValue(headerEntry::tableFontHosei, value);
    setValue(headerEntry::windowsFontHosei, value);
}

std::vector<Text> ConditionHeader::tableFontLines() const {
    const auto first = entries_.begin() + headerEntry::tableFontFirst;
    return std::vector<Text>(first, first + headerEntry::tableFontCount);
}

std::vector<Text> ConditionHeader::windowsFontLines() const {
    const auto first = entries_.begin() + headerEntry::windowsFontFirst;
    return std::vector<Text>(first, first + headerEntry::windowsFontCount);
}

bool ConditionHeader::offersFeedCorrection() const {
    const Text& workMode = entries_[headerEntry::tableFontWorkMode];
    return workMode == U"WorkMode=2" || workMode == U"WorkMode=3";
}

ConditionHeader RebuildFilledHeader(const TableStore& store, std::size_t valueRow,
                                    std::size_t tableNumberRow) {
    ConditionHeader header;
    for (std::size_t i = 0; i < headerEntry::count; ++i) {
        const std::optional<std::size_t> column = conditionTemplate[i].column;
        if (!column)
            continue;
        const std::size_t row = isTableNumberEntry(i) ? tableNumberRow : valueRow;
        header.setValue(i, store.cell(row, *column));
    }
    return header;
}

} // namespace lumitag::markerfile
