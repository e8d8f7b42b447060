#include "platform/spreadsheet/fake/FakeWorkbookContent.h"

#include "platform/Encoding.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace lumitag::platform {

namespace {

char32_t foldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z') {
        return c - U'A' + U'a';
    }
    if (c >= U'Ａ' && c <= U'Ｚ') {
        return c - U'Ａ' + U'ａ';
    }
    return c;
}

} // namespace

bool sameNameIgnoringCase(TextView a, TextView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) {
            return false;
        }
    }
    return true;
}

FakeWorkbookContent::FakeWorkbookContent(Text name, const std::vector<Text>& sheetNames)
    : name_(std::move(name)) {
    for (const Text& sheetName : sheetNames) {
        sheets_.push_back(std::make_shared<FakeSheetContent>(sheetName));
    }
    if (sheets_.empty()) {
        throw std::invalid_argument("a workbook has at least one sheet");
    }
}

FakeWorkbookContent::FakeWorkbookContent(const FakeWorkbookContent& other)
    : name_(other.name_), activeSheet_(other.activeSheet_) {
    for (const auto& sheet : other.sheets_) {
        sheets_.push_back(std::make_shared<FakeSheetContent>(*sheet));
    }
}

FakeWorkbookContent& FakeWorkbookContent::operator=(const FakeWorkbookContent& other) {
    if (this != &other) {
        FakeWorkbookContent copy(other);
        *this = std::move(copy);
    }
    return *this;
}

std::vector<Text> FakeWorkbookContent::sheetNames() const {
    std::vector<Text> names;
    for (const auto& sheet : sheets_) {
        names.push_back(sheet->name());
    }
    return names;
}

int FakeWorkbookContent::indexOf(TextView name) const {
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        if (sameNameIgnoringCase(sheets_[i]->name(), name)) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int FakeWorkbookContent::indexOf(const FakeSheetContent& sheet) const {
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        if (sheets_[i].get() == &sheet) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int FakeWorkbookContent::requireIndex(TextView name) const {
    const int index = indexOf(name);
    if (index == 0) {
        throw std::out_of_range("no sheet named " + toUtf8(name) + " in " + toUtf8(name_));
    }
    return index;
}

FakeSheetContent& FakeWorkbookContent::sheet(TextView name) {
    return *sharedSheet(requireIndex(name));
}

const FakeSheetContent& FakeWorkbookContent::sheet(TextView name) const {
    return *sharedSheet(requireIndex(name));
}

FakeSheetContent& FakeWorkbookContent::sheet(int index) {
    return *sharedSheet(index);
}

std::shared_ptr<FakeSheetContent> FakeWorkbookContent::sharedSheet(int index) const {
    if (index < 1 || index > sheetCount()) {
        throw std::out_of_range("no sheet " + std::to_string(index) + " in " + toUtf8(name_));
    }
    return sheets_[static_cast<std::size_t>(index - 1)];
}

void FakeWorkbookContent::setActiveSheetIndex(int index) {
    sharedSheet(index); // checks the index
    activeSheet_ = index;
}

} // namespace lumitag::platform
