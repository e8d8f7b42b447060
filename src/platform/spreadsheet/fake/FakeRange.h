#pragma once

#include "platform/spreadsheet/Range.h"
#include "platform/spreadsheet/fake/FakeWorkbookContent.h"

#include <memory>
#include <string_view>

namespace lumitag::platform {

class FakeSpreadsheetHost;

// A handle on a rectangle of cells of FakeSpreadsheetHost; fails once its
// workbook is closed. The host must outlive its handles.
class FakeRange : public Range {
public:
    FakeRange(FakeSpreadsheetHost& host, std::weak_ptr<FakeWorkbookContent> book,
              std::weak_ptr<FakeSheetContent> sheet, CellArea area);

    CellArea area() const override { return area_; }
    Text value() override;
    void setValue(const Text& value) override;
    std::vector<std::vector<Text>> values() override;
    std::vector<std::vector<Text>> formulas() override;
    void setTexts(const std::vector<std::vector<Text>>& texts) override;
    void setValues(const std::vector<std::vector<Text>>& values) override;
    void setValuesEvery(int step, const std::vector<std::vector<Text>>& rows) override;
    void select() override;
    void activate() override;
    void insertShiftDown() override;
    void setNumberFormatLocal(const Text& format) override;
    void setHorizontalAlignment(HorizontalAlignment alignment) override;
    void setVerticalAlignment(VerticalAlignment alignment) override;
    void setWrapText(bool wrap) override;
    void setFontName(const Text& name) override;
    void setFontSize(double points) override;
    double columnWidth() override;
    void setColumnWidth(double characters) override;
    double rowHeight() override;
    void setRowHeight(double points) override;
    bool entireRowHidden() override;
    void setEntireRowHidden(bool hidden) override;

    // The sheet the range lies on, for Worksheet::paste(); fails once its
    // workbook is closed.
    std::shared_ptr<FakeSheetContent> sheetContent() const;

private:
    struct Target {
        std::shared_ptr<FakeWorkbookContent> book;
        std::shared_ptr<FakeSheetContent> sheet;
    };
    Target target(std::string_view operation);
    void format(std::string_view operation, const std::function<void(CellFormat&)>& change);

    FakeSpreadsheetHost& host_;
    std::weak_ptr<FakeWorkbookContent> book_;
    std::weak_ptr<FakeSheetContent> sheet_;
    CellArea area_;
};

} // namespace lumitag::platform
