#pragma once

#include "platform/Text.h"
#include "platform/spreadsheet/fake/FakeSheetContent.h"

#include <memory>
#include <vector>

namespace lumitag::platform {

// The sheets of one workbook of the fake spreadsheet, in workbook order, and
// which of them is active. Copies are deep: a registered file is copied into
// each workbook opened from it. Accessors never fail; an unknown sheet is a
// mistake in the test and throws std::out_of_range.
class FakeWorkbookContent {
public:
    // A workbook with sheets of these names, the first one active.
    FakeWorkbookContent(Text name, const std::vector<Text>& sheetNames);
    FakeWorkbookContent(const FakeWorkbookContent& other);
    FakeWorkbookContent& operator=(const FakeWorkbookContent& other);
    FakeWorkbookContent(FakeWorkbookContent&&) noexcept = default;
    FakeWorkbookContent& operator=(FakeWorkbookContent&&) noexcept = default;
    ~FakeWorkbookContent() = default;

    const Text& name() const { return name_; }
    int sheetCount() const { return static_cast<int>(sheets_.size()); }
    std::vector<Text> sheetNames() const;

    // Sheets by name (letter case ignored, as the spreadsheet does) or by
    // position counting from 1.
    FakeSheetContent& sheet(TextView name);
    FakeSheetContent& sheet(int index);
    const FakeSheetContent& sheet(TextView name) const;
    // The position of the named sheet counting from 1, 0 when there is none.
    int indexOf(TextView name) const;
    // The sheet as the fake's handles hold it.
    std::shared_ptr<FakeSheetContent> sharedSheet(int index) const;
    int indexOf(const FakeSheetContent& sheet) const;

    int activeSheetIndex() const { return activeSheet_; }
    FakeSheetContent& activeSheet() { return sheet(activeSheet_); }
    void setActiveSheetIndex(int index);

private:
    int requireIndex(TextView name) const;

    Text name_;
    std::vector<std::shared_ptr<FakeSheetContent>> sheets_;
    int activeSheet_ = 1;
};

// Sheet and workbook names compare without letter case (ASCII and full-width
// Latin letters).
bool sameNameIgnoringCase(TextView a, TextView b);

} // namespace lumitag::platform
