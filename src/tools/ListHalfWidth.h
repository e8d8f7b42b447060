#pragma once

#include <functional>

namespace lumitag::marking {
class ListUndo;
class MarkingList;
} // namespace lumitag::marking

namespace lumitag::tools {

// 半角変換 (SpeedButton51): maps columns 1 to 3 of every line to their
// half-width forms in one step that undo (元に戻す) takes back. The count and
// numbering columns of 3BOX (4 and 5) are left alone. Ends by focusing the
// entry field.
void ConvertListToHalfWidth(marking::MarkingList& list, marking::ListUndo& undo,
                            const std::function<void()>& focusEntryField);

} // namespace lumitag::tools
