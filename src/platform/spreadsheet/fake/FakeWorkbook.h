#pragma once

#include "platform/spreadsheet/Workbook.h"
#include "platform/spreadsheet/fake/FakeWorkbookContent.h"

#include <memory>

namespace lumitag::platform {

class FakeSpreadsheetHost;

// A handle on an open workbook of FakeSpreadsheetHost; fails once the
// workbook is closed. The host must outlive its handles.
class FakeWorkbook : public Workbook {
public:
    FakeWorkbook(FakeSpreadsheetHost& host, std::weak_ptr<FakeWorkbookContent> book);

    // For tests: the workbook this handle is on, nullptr once it has closed.
    // Not a host call.
    const FakeWorkbookContent* content() const { return book_.lock().get(); }

    Text name() override;
    int sheetCount() override;
    std::vector<Text> sheetNames() override;
    std::shared_ptr<Worksheet> worksheet(const Text& name) override;
    std::shared_ptr<Worksheet> worksheet(int index) override;
    void close() override;

private:
    std::shared_ptr<FakeWorkbookContent> book(std::string_view operation);

    FakeSpreadsheetHost& host_;
    std::weak_ptr<FakeWorkbookContent> book_;
};

} // namespace lumitag::platform
