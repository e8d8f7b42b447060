#pragma once

#include "app/ProgramFixture.h"
#include "sheet/SheetMessages.h"
#include "sheet/SpreadsheetLink.h"

#include <initializer_list>

namespace lumitag::sheet::test {

using platform::Answer;

// The program started on the in-memory spreadsheet, whose window the fake
// desktop knows. Nothing is connected until a workbook command runs.
class SheetLinkTest : public app::test::ProgramTest {
protected:
    static constexpr TextView DesktopFolder = U"/home/user/Desktop";

    SheetLinkTest() {
        spreadsheetWindow = windows.addWindow(U"Calc", U"libreoffice-calc", {100, 100, 400, 300});
        spreadsheet.setMainWindow({spreadsheetWindow.value, U"libreoffice-calc", U"Calc"});
        shell.setDesktopFolder("/home/user/Desktop");
        start();
    }

    app::TForm2& w() { return orange(); }
    SpreadsheetLink& link() { return orange().spreadsheetLink(); }

    // 新規作成, its notice answered.
    void newWorkbook() { driver.click(w().SpeedButton29); }
    // 開く with a workbook file of these sheets picked in the dialog.
    void openWorkbook(const Text& fileName, std::initializer_list<Text> sheets) {
        const Text path = Text(DesktopFolder) + U"/" + fileName;
        spreadsheet.addFile(path, sheets);
        dialogs.queueFile(path);
        driver.click(w().SpeedButton30);
    }
    // Puts the focus into a box and replaces its text by typing.
    void retype(ui::Control& box, TextView text) {
        driver.click(box);
        driver.press("End");
        driver.press("Shift+Home");
        driver.type(text);
    }

    platform::WindowId spreadsheetWindow;
};

} // namespace lumitag::sheet::test
