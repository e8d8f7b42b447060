#include "platform/spreadsheet/fake/FakeWorkbook.h"

#include "platform/Encoding.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"
#include "platform/spreadsheet/fake/FakeWorksheet.h"

#include <string>
#include <utility>

namespace lumitag::platform {

FakeWorkbook::FakeWorkbook(FakeSpreadsheetHost& host, std::weak_ptr<FakeWorkbookContent> book)
    : host_(host), book_(std::move(book)) {}

std::shared_ptr<FakeWorkbookContent> FakeWorkbook::book(std::string_view operation) {
    host_.enter(operation);
    std::shared_ptr<FakeWorkbookContent> book = book_.lock();
    if (!book) {
        throw SpreadsheetError("the workbook has been closed");
    }
    return book;
}

Text FakeWorkbook::name() {
    return book("Workbook.name")->name();
}

int FakeWorkbook::sheetCount() {
    return book("Workbook.sheetCount")->sheetCount();
}

std::vector<Text> FakeWorkbook::sheetNames() {
    return book("Workbook.sheetNames")->sheetNames();
}

std::shared_ptr<Worksheet> FakeWorkbook::worksheet(const Text& name) {
    const std::shared_ptr<FakeWorkbookContent> content = book("Workbook.worksheet");
    const int index = content->indexOf(name);
    if (index == 0) {
        throw SpreadsheetError("no sheet named " + toUtf8(name));
    }
    return std::make_shared<FakeWorksheet>(host_, content, content->sharedSheet(index));
}

std::shared_ptr<Worksheet> FakeWorkbook::worksheet(int index) {
    const std::shared_ptr<FakeWorkbookContent> content = book("Workbook.worksheet");
    if (index < 1 || index > content->sheetCount()) {
        throw SpreadsheetError("no sheet " + std::to_string(index));
    }
    return std::make_shared<FakeWorksheet>(host_, content, content->sharedSheet(index));
}

void FakeWorkbook::close() {
    const std::shared_ptr<FakeWorkbookContent> content = book("Workbook.close");
    host_.closedWorkbooks_.push_back(content->name());
    host_.closeBook(content);
}

} // namespace lumitag::platform
