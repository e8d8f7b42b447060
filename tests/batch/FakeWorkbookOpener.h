#pragma once

#include "batch/WorkbookOpener.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

namespace lumitag::batch::test {

// A workbook opener over the in-memory spreadsheet's active workbook, for the
// workbook path (hidden rows, several sheets) without an office; or one that
// fails as the test wants.
class FakeWorkbookOpener final : public WorkbookOpener {
public:
    explicit FakeWorkbookOpener(platform::FakeSpreadsheetHost& host,
                                Opened::Kind failure = Opened::Kind::Sheet)
        : host_(host), failure_(failure) {}
    Opened open(const std::filesystem::path&, const std::optional<Text>& sheet) override {
        Opened opened;
        opened.kind = failure_;
        if (failure_ != Opened::Kind::Sheet) {
            opened.reason = "as the test wants";
            return opened;
        }
        try {
            opened.sheet = sheet ? host_.activeWorkbook()->worksheet(*sheet) : host_.activeSheet();
        } catch (const platform::SpreadsheetError&) {
            opened.kind = Opened::Kind::NoSuchSheet;
        }
        return opened;
    }

private:
    platform::FakeSpreadsheetHost& host_;
    Opened::Kind failure_;
};

} // namespace lumitag::batch::test
