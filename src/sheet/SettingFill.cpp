#include "sheet/SettingFill.h"

#include "sheet/ColumnLetters.h"

namespace lumitag::sheet {

SettingFillTexts settingFillTexts(const SheetSelection& selection, bool hasHeadRemark) {
    SettingFillTexts texts;
    texts.startColumn = columnBoxLetters(selection.activeColumn);
    texts.startRow = numberText(selection.firstRow);
    texts.endRow = numberText(selection.firstRow + selection.rowCount - 1);
    texts.nextColumn = nextColumnBoxLetters(texts.startColumn);
    texts.rowCountLabel = numberText(selection.visibleRowCount) + U"行";
    // An EPLAN conversion makes two lines of each row, and one for the head remark.
    texts.outputCountLabel = numberText(2 * selection.visibleRowCount + (hasHeadRemark ? 1 : 0)) + U"個";
    return texts;
}

} // namespace lumitag::sheet
