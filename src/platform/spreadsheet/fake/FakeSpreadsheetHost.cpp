#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include "platform/Encoding.h"
#include "platform/Text.h"
#include "platform/spreadsheet/fake/FakeRange.h"
#include "platform/spreadsheet/fake/FakeWorkbook.h"
#include "platform/spreadsheet/fake/FakeWorksheet.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace lumitag::platform {

namespace {

constexpr std::array<std::string_view, 52> kOperations{
    "Application.connect",
    "Application.quit",
    "Application.visible",
    "Application.setVisible",
    "Application.setScreenUpdating",
    "Application.addWorkbook",
    "Application.openWorkbook",
    "Application.activeWorkbook",
    "Application.activeSheet",
    "Application.activeCell",
    "Application.selectedRows",
    "Application.maximizeActiveWindow",
    "Application.disableKey",
    "Application.mainWindow",
    "Workbook.name",
    "Workbook.sheetCount",
    "Workbook.sheetNames",
    "Workbook.worksheet",
    "Workbook.close",
    "Worksheet.name",
    "Worksheet.setName",
    "Worksheet.activate",
    "Worksheet.cell",
    "Worksheet.allCells",
    "Worksheet.range",
    "Worksheet.rowHidden",
    "Worksheet.setRowHidden",
    "Worksheet.hiddenRows",
    "Worksheet.paste",
    "Worksheet.setPageMargins",
    "Range.value",
    "Range.setValue",
    "Range.values",
    "Range.formulas",
    "Range.setTexts",
    "Range.setValues",
    "Range.setValuesEvery",
    "Range.select",
    "Range.activate",
    "Range.insertShiftDown",
    "Range.setNumberFormatLocal",
    "Range.setHorizontalAlignment",
    "Range.setVerticalAlignment",
    "Range.setWrapText",
    "Range.setFontName",
    "Range.setFontSize",
    "Range.columnWidth",
    "Range.setColumnWidth",
    "Range.rowHeight",
    "Range.setRowHeight",
    "Range.entireRowHidden",
    "Range.setEntireRowHidden",
};

// The workbook name of a file path: its last component.
Text fileNameOf(const Text& path) {
    const std::size_t slash = path.find_last_of(U"/\\");
    return slash == Text::npos ? path : path.substr(slash + 1);
}

} // namespace

FakeSpreadsheetHost::FakeSpreadsheetHost(Clipboard* clipboard) : clipboard_(clipboard) {}

FakeSpreadsheetHost::~FakeSpreadsheetHost() = default;

std::span<const std::string_view> FakeSpreadsheetHost::operationNames() {
    return kOperations;
}

namespace {

void requireOperation(std::string_view operation) {
    if (std::find(kOperations.begin(), kOperations.end(), operation) == kOperations.end()) {
        throw std::invalid_argument("no spreadsheet operation named " + std::string(operation));
    }
}

} // namespace

void FakeSpreadsheetHost::failOperation(std::string_view operation) {
    requireOperation(operation);
    failingOperations_.emplace(operation);
}

void FakeSpreadsheetHost::failCall(std::string_view operation, int successes, CallFailure failure) {
    requireOperation(operation);
    scriptedCall_ = ScriptedCall{std::string(operation), successes, failure};
}

void FakeSpreadsheetHost::failOperationAfter(std::string_view operation, int successes) {
    failOperation(operation);
    failingOperations_.erase(failingOperations_.find(operation));
    operationsFailingLater_[std::string(operation)] = successes;
}

void FakeSpreadsheetHost::clearFailures() {
    busy_ = false;
    failNext_ = 0;
    failingOperations_.clear();
    operationsFailingLater_.clear();
    scriptedCall_.reset();
}

void FakeSpreadsheetHost::enter(std::string_view operation) {
    calls_.emplace_back(operation);
    if (onCall_) {
        onCall_(operation);
    }
    if (busy_) {
        throw SpreadsheetError("the spreadsheet is busy: " + std::string(operation));
    }
    if (failNext_ > 0) {
        --failNext_;
        throw SpreadsheetError("the spreadsheet is busy: " + std::string(operation));
    }
    refuseIfSwitched(operation);
    if (scriptedCall_ && scriptedCall_->operation == operation && scriptedCall_->successes-- == 0) {
        const CallFailure failure = scriptedCall_->failure;
        scriptedCall_.reset();
        if (failure == CallFailure::Dies) {
            userQuitsSpreadsheet();
            throw SpreadsheetError("the spreadsheet has gone: " + std::string(operation));
        }
        throw SpreadsheetError("the spreadsheet is busy: " + std::string(operation));
    }
    if (operation == "Application.connect") {
        return;
    }
    if (!running_) {
        throw SpreadsheetError("the spreadsheet has gone: " + std::string(operation));
    }
    if (!connected_) {
        throw SpreadsheetError("not connected to the spreadsheet: " + std::string(operation));
    }
}

void FakeSpreadsheetHost::refuseIfSwitched(std::string_view operation) {
    if (failingOperations_.contains(operation)) {
        throw SpreadsheetError("the spreadsheet refused " + std::string(operation));
    }
    if (const auto later = operationsFailingLater_.find(operation); later != operationsFailingLater_.end()) {
        if (later->second == 0) {
            throw SpreadsheetError("the spreadsheet refused " + std::string(operation));
        }
        --later->second;
    }
}

void FakeSpreadsheetHost::startInstance(bool visible) {
    running_ = true;
    connected_ = false;
    visible_ = visible;
    screenUpdating_ = true;
    newWorkbookNumber_ = 1;
    books_.clear();
}

// --- The host interface ---

void FakeSpreadsheetHost::connect() {
    enter("Application.connect");
    if (!running_) {
        startInstance(false);
    }
    connected_ = true;
}

void FakeSpreadsheetHost::quit() {
    enter("Application.quit");
    ++quitCount_;
    running_ = false;
    connected_ = false;
    visible_ = false;
    books_.clear();
}

bool FakeSpreadsheetHost::visible() {
    enter("Application.visible");
    return visible_;
}

void FakeSpreadsheetHost::setVisible(bool visible) {
    enter("Application.setVisible");
    visible_ = visible;
}

void FakeSpreadsheetHost::setScreenUpdating(bool updating) {
    enter("Application.setScreenUpdating");
    screenUpdating_ = updating;
}

std::shared_ptr<Workbook> FakeSpreadsheetHost::addWorkbook() {
    enter("Application.addWorkbook");
    // "Book1", "Book2" … as the spreadsheet numbers them, skipping names in use.
    Text name;
    do {
        name = U"Book" + numberText(newWorkbookNumber_++);
    } while (findBook(name));
    auto book = std::make_shared<FakeWorkbookContent>(std::move(name), std::vector<Text>{U"Sheet1"});
    books_.push_back(book);
    return std::make_shared<FakeWorkbook>(*this, book);
}

std::shared_ptr<Workbook> FakeSpreadsheetHost::openWorkbook(const Text& path) {
    enter("Application.openWorkbook");
    const auto file = files_.find(path);
    if (file == files_.end()) {
        throw SpreadsheetError("no such workbook file: " + toUtf8(path));
    }
    std::shared_ptr<FakeWorkbookContent> book = findBook(file->second.name());
    if (book) {
        activateBook(book);
    } else {
        book = std::make_shared<FakeWorkbookContent>(file->second);
        books_.push_back(book);
    }
    return std::make_shared<FakeWorkbook>(*this, book);
}

std::shared_ptr<Workbook> FakeSpreadsheetHost::activeWorkbook() {
    enter("Application.activeWorkbook");
    return std::make_shared<FakeWorkbook>(*this, requireActiveBook());
}

std::shared_ptr<Worksheet> FakeSpreadsheetHost::activeSheet() {
    enter("Application.activeSheet");
    const std::shared_ptr<FakeWorkbookContent> book = requireActiveBook();
    return std::make_shared<FakeWorksheet>(*this, book, book->sharedSheet(book->activeSheetIndex()));
}

CellRef FakeSpreadsheetHost::activeCell() {
    enter("Application.activeCell");
    return requireActiveBook()->activeSheet().activeCell();
}

SelectedRows FakeSpreadsheetHost::selectedRows() {
    enter("Application.selectedRows");
    const CellArea& selection = requireActiveBook()->activeSheet().selection();
    return SelectedRows{selection.first.row, selection.rowCount()};
}

void FakeSpreadsheetHost::maximizeActiveWindow() {
    enter("Application.maximizeActiveWindow");
    requireActiveBook(); // without a workbook there is no window to maximise
    ++maximizeCount_;
}

void FakeSpreadsheetHost::disableKey(const Text& key) {
    enter("Application.disableKey");
    disabledKeys_.push_back(key);
}

HostWindow FakeSpreadsheetHost::mainWindow() {
    enter("Application.mainWindow");
    return mainWindow_;
}

void FakeSpreadsheetHost::setEventHandlers(SpreadsheetEvents handlers) {
    handlers_ = std::move(handlers);
}

void FakeSpreadsheetHost::pumpEvents() {
    // Only the events queued so far: those the handlers raise wait for the next pump.
    for (std::size_t count = events_.size(); count > 0 && !events_.empty(); --count) {
        const Event event = events_.front();
        events_.pop_front();
        const std::function<void()>* handler = nullptr;
        switch (event) {
        case Event::SheetActivated:
            handler = &handlers_.sheetActivated;
            break;
        case Event::SelectionChanged:
            handler = &handlers_.selectionChanged;
            break;
        case Event::SheetChanged:
            handler = &handlers_.sheetChanged;
            break;
        }
        if (handler && *handler) {
            // A copy: the handler may replace the handlers while it runs.
            const std::function<void()> run = *handler;
            run();
        }
    }
}

// --- Workbooks ---

std::shared_ptr<FakeWorkbookContent> FakeSpreadsheetHost::requireActiveBook() {
    if (books_.empty()) {
        throw SpreadsheetError("no workbook is open");
    }
    return books_.back();
}

std::shared_ptr<FakeWorkbookContent> FakeSpreadsheetHost::findBook(TextView name) const {
    for (const auto& book : books_) {
        if (sameNameIgnoringCase(book->name(), name)) {
            return book;
        }
    }
    return nullptr;
}

void FakeSpreadsheetHost::activateBook(const std::shared_ptr<FakeWorkbookContent>& book) {
    const auto found = std::find(books_.begin(), books_.end(), book);
    if (found != books_.end()) {
        books_.erase(found);
        books_.push_back(book);
    }
}

void FakeSpreadsheetHost::closeBook(const std::shared_ptr<FakeWorkbookContent>& book) {
    // The workbook active before it becomes active again.
    std::erase(books_, book);
}

bool FakeSpreadsheetHost::isActiveSheet(const FakeWorkbookContent& book,
                                        const FakeSheetContent& sheet) const {
    return !books_.empty() && books_.back().get() == &book && book.indexOf(sheet) == book.activeSheetIndex();
}

// --- The user's side ---

void FakeSpreadsheetHost::userStartsSpreadsheet() {
    startInstance(true);
}

void FakeSpreadsheetHost::userQuitsSpreadsheet() {
    running_ = false;
    connected_ = false;
    visible_ = false;
    books_.clear();
}

void FakeSpreadsheetHost::userSetsVisible(bool visible) {
    visible_ = visible;
}

FakeWorkbookContent& FakeSpreadsheetHost::userCreatesWorkbook(Text name,
                                                              const std::vector<Text>& sheetNames) {
    if (!running_) {
        throw std::logic_error("the spreadsheet is not running");
    }
    if (findBook(name)) {
        throw std::invalid_argument("a workbook of that name is already open: " + toUtf8(name));
    }
    books_.push_back(std::make_shared<FakeWorkbookContent>(std::move(name), sheetNames));
    return *books_.back();
}

void FakeSpreadsheetHost::userActivatesWorkbook(TextView name) {
    const std::shared_ptr<FakeWorkbookContent> book = findBook(name);
    if (!book) {
        throw std::out_of_range("no open workbook named " + toUtf8(name));
    }
    activateBook(book);
}

void FakeSpreadsheetHost::userClosesWorkbook(TextView name) {
    const std::shared_ptr<FakeWorkbookContent> book = findBook(name);
    if (!book) {
        throw std::out_of_range("no open workbook named " + toUtf8(name));
    }
    closeBook(book);
}

void FakeSpreadsheetHost::userActivatesSheet(TextView sheetName) {
    if (books_.empty()) {
        throw std::out_of_range("no workbook is open");
    }
    FakeWorkbookContent& book = *books_.back();
    const int index = book.indexOf(sheetName);
    if (index == 0) {
        throw std::out_of_range("no sheet named " + toUtf8(sheetName));
    }
    if (index != book.activeSheetIndex()) {
        book.setActiveSheetIndex(index);
        raise(Event::SheetActivated);
    }
}

void FakeSpreadsheetHost::userSelects(TextView address) {
    userSelects(address, address);
}

void FakeSpreadsheetHost::userSelects(TextView first, TextView last) {
    FakeSheetContent& sheet = activeSheetContent();
    const CellRef anchor = requireCellAddress(first);
    const CellArea area = areaBetween(anchor, requireCellAddress(last));
    if (sheet.selection() != area || sheet.activeCell() != anchor) {
        sheet.setSelection(area, anchor);
        raise(Event::SelectionChanged);
    }
}

void FakeSpreadsheetHost::userEdits(TextView address, Text value) {
    activeSheetContent().setValue(address, std::move(value));
    raise(Event::SheetChanged);
}

FakeWorkbookContent& FakeSpreadsheetHost::addFile(const Text& path, const std::vector<Text>& sheetNames) {
    files_.insert_or_assign(path, FakeWorkbookContent(fileNameOf(path), sheetNames));
    return files_.at(path);
}

// --- Content ---

std::vector<Text> FakeSpreadsheetHost::openWorkbookNames() const {
    std::vector<Text> names;
    for (const auto& book : books_) {
        names.push_back(book->name());
    }
    return names;
}

FakeWorkbookContent& FakeSpreadsheetHost::workbook(TextView name) {
    const std::shared_ptr<FakeWorkbookContent> book = findBook(name);
    if (!book) {
        throw std::out_of_range("no open workbook named " + toUtf8(name));
    }
    return *book;
}

FakeSheetContent& FakeSpreadsheetHost::sheet(TextView workbookName, TextView sheetName) {
    return workbook(workbookName).sheet(sheetName);
}

FakeSheetContent& FakeSpreadsheetHost::activeSheetContent() {
    if (books_.empty()) {
        throw std::out_of_range("no workbook is open");
    }
    return books_.back()->activeSheet();
}

} // namespace lumitag::platform
