#pragma once

#include <functional>

namespace lumitag::marking {

// What the list's undo, commands and modes ask of the rest of the window.
struct ListWindowHooks {
    // Focuses 線番２ when 線番１ is fixed, else 線番１, with the whole text selected.
    std::function<void()> focusEntryField;
    // Whether the spreadsheet application is visible; failures answer false.
    std::function<bool()> spreadsheetVisible;
};

} // namespace lumitag::marking
