#include "sheet/WorkbookCommands.h"

#include "platform/Paths.h"
#include "sheet/CellBoxes.h"
#include "sheet/SheetBox.h"
#include "sheet/SheetMessages.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/Panel.h"
#include "ui/Timer.h"

namespace lumitag::sheet {

WorkbookCommands::WorkbookCommands(WorkbookControls controls, SpreadsheetLink& link, platform::Shell& shell,
                                   WorkbookHooks hooks)
    : c_(controls), link_(link), shell_(shell), hooks_(std::move(hooks)) {}

int WorkbookCommands::windowWidth() const {
    return c_.window.width();
}

void WorkbookCommands::connect() {
    // Starting an office takes seconds: the wait cursor shows it. The link
    // waits for its background connect at most its bound, then fails the
    // command with the host busy message; the connect goes on meanwhile.
    ui::WaitCursor wait(c_.window.application());
    link_.connect();
    c_.eventPump.start();
}

void WorkbookCommands::fillCellBoxes() {
    if (c_.cellBoxes != nullptr)
        c_.cellBoxes->fill(link_.host().activeCell());
}

void WorkbookCommands::showAttachedWorkbook() {
    link_.dock(windowWidth());
    c_.sheetBox.fill();
    hooks_.bringToFront();
    fillCellBoxes();
}

void WorkbookCommands::NewWorkbook() {
    ui::Application& app = c_.window.application();
    showMessage(app, NewWorkbookNotice);
    try {
        connect();
        std::shared_ptr<platform::Workbook> workbook = link_.host().addWorkbook();
        std::shared_ptr<platform::Worksheet> first = workbook->worksheet(1);
        link_.connectWorkbook(std::move(workbook));
        link_.connectWorksheet(std::move(first));
        showAttachedWorkbook();
    } catch (const platform::SpreadsheetError&) {
        showMessage(app, HostBusyMessage);
        return;
    }
    if (hooks_.listHasLines())
        c_.gyak1.setEnabled(true);
    link_.setWorkbookAttached(true);
    c_.N21.setEnabled(true);
    c_.N24.setEnabled(true);
    hooks_.focusTarget();
}

void WorkbookCommands::OpenWorkbook() {
    ui::Application& app = c_.window.application();
    if (link_.visible()) {
        // A spreadsheet busy with a cell being edited answers nothing else either.
        try {
            (void)link_.host().activeCell();
        } catch (const platform::SpreadsheetError&) {
            showMessage(app, HostBusyMessage);
            return;
        }
    }
    platform::FileDialogRequest request; // OpenDialog1
    request.filter = Text(OpenFilter);
    request.initialFolder = platform::textFromPath(shell_.desktopFolder());
    if (const std::optional<Text> chosen = app.openFile(request))
        OpenWorkbookFile(*chosen);
    hooks_.startWatcher();
}

void WorkbookCommands::OpenWorkbookFile(const Text& path) {
    try {
        connect();
        ui::WaitCursor wait(c_.window.application());
        (void)link_.host().openWorkbook(path);
    } catch (const platform::SpreadsheetError&) {
        return; // nothing was opened
    }
    try {
        platform::SpreadsheetHost& host = link_.host();
        link_.connectWorkbook(host.activeWorkbook());
        const Text sheetName = host.activeSheet()->name();
        std::shared_ptr<platform::Worksheet> worksheet = link_.workbook()->worksheet(sheetName);
        worksheet->activate();
        link_.connectWorksheet(std::move(worksheet));
        showAttachedWorkbook();
    } catch (const platform::SpreadsheetError&) {
        return; // the watcher adopts the workbook once the spreadsheet answers
    }
    link_.setWorkbookAttached(true);
    c_.N21.setEnabled(true);
    c_.N24.setEnabled(true);
    hooks_.focusTarget();
}

void WorkbookCommands::CloseWorkbook() {
    if (hooks_.clearHandOver)
        hooks_.clearHandOver();
    if (link_.closing())
        return;
    ui::Application& app = c_.window.application();
    // While a connect has not ended the spreadsheet answers nothing, so the
    // question below would be skipped and the failing re-attach taken for
    // "no workbook is left": the attached workbook would be let go without a
    // word while it stays open in the spreadsheet. Nothing can be closed now.
    if (link_.connecting() && link_.workbookAttached()) {
        showMessage(app, HostBusyMessage);
        return;
    }
    link_.setClosing(true);
    // Whether the spreadsheet answered the visibility question at all.
    bool answered = true;
    bool visible = false;
    try {
        visible = link_.host().visible();
    } catch (const platform::SpreadsheetError&) {
        answered = false;
    }
    try {
        if (visible) {
            Text name;
            try {
                link_.connectWorkbook(link_.host().activeWorkbook());
                name = link_.workbook()->name();
            } catch (const platform::SpreadsheetError&) {
                // The question names no workbook then.
            }
            if (!confirm(app, closeQuestion(name))) {
                c_.Timer4.start(); // the guard ends with the tick as after a close
                return;
            }
            closeActiveWorkbook();
        }
        try {
            link_.connectWorkbook(link_.host().activeWorkbook());
        } catch (const platform::SpreadsheetError&) {
            if (answered) {
                detachLastWorkbook(true);
            } else {
                // A spreadsheet that answered neither question may have gone,
                // or may only be busy for a moment with the user's workbooks
                // still open: the workbook is let go, but the spreadsheet is
                // not told to quit, which would close those workbooks
                // unasked. The watcher attaches again once it answers.
                const bool attached = link_.workbookAttached();
                detachLastWorkbook(false);
                if (attached)
                    showMessage(app, HostBusyMessage);
            }
        }
    } catch (const platform::SpreadsheetError&) {
        showMessage(app, HostBusyMessage);
    }
    c_.Timer4.start();
}

// Each step on its own: what the spreadsheet refuses is skipped.
void WorkbookCommands::closeActiveWorkbook() {
    platform::SpreadsheetHost& host = link_.host();
    try {
        const Text sheetName = host.activeSheet()->name();
        if (link_.workbook())
            link_.connectWorksheet(link_.workbook()->worksheet(sheetName));
    } catch (const platform::SpreadsheetError&) {
    }
    try {
        link_.bringWindowToFront();
    } catch (const platform::SpreadsheetError&) {
    }
    link_.disconnectWorksheet();
    try {
        // No save choice: the spreadsheet asks about unsaved changes itself.
        if (link_.workbook())
            link_.workbook()->close();
    } catch (const platform::SpreadsheetError&) {
    }
    link_.disconnectWorkbook();
}

// No workbook is left: the spreadsheet application ends with the last one.
void WorkbookCommands::detachLastWorkbook(bool endSpreadsheet) {
    link_.setWorkbookAttached(false);
    c_.sheetBox.showPlaceholder();
    if (c_.cellBoxes != nullptr)
        c_.cellBoxes->clear();
    c_.N24.setEnabled(false);
    c_.gyak1.setEnabled(false);
    // Never connected: there is no application to end.
    if (endSpreadsheet && link_.connected()) {
        c_.eventPump.stop();
        link_.quit();
    }
    if (!endSpreadsheet) {
        link_.disconnectWorksheet();
        link_.disconnectWorkbook();
    }
    if (hooks_.afterLastWorkbookClosed)
        hooks_.afterLastWorkbookClosed();
}

void WorkbookCommands::Timer4Timer() {
    link_.setClosing(false);
    if (hooks_.afterClosing)
        hooks_.afterClosing();
    c_.Timer4.stop();
}

void WorkbookCommands::InitialiseLink() {
    try {
        // Only a spreadsheet this program connected to is asked: showing the
        // window never waits for an office to start or answer.
        const bool shown = link_.connectedAndVisible() && c_.window.visible();
        if (shown) {
            link_.attachActiveWorkbook();
            c_.N24.setEnabled(true);
            c_.Panel4.setColor(LinkedSwitchColor);
            try {
                if (!hooks_.spreadsheetOverlaps || !hooks_.spreadsheetOverlaps())
                    link_.host().maximizeActiveWindow();
            } catch (const platform::SpreadsheetError&) {
                // The workbook's window stays as it is.
            }
            link_.placeWindow(windowWidth());
            try {
                link_.host().setScreenUpdating(true);
                link_.host().setVisible(true);
            } catch (const platform::SpreadsheetError&) {
            }
            c_.sheetBox.fill();
            hooks_.bringToFront();
            fillCellBoxes();
        } else {
            c_.sheetBox.showPlaceholder();
            if (c_.cellBoxes != nullptr)
                c_.cellBoxes->clear();
        }
    } catch (const platform::SpreadsheetError&) {
        showSystemMessage(c_.window.application(), LinkErrorMessage);
    }
}

} // namespace lumitag::sheet
