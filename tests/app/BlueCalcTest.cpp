// The blue window against a real headless Calc: a wire list saved as .xlsx
// (data/wirelist.xlsx, made from data/wirelist.fods with
// `soffice --headless --convert-to xlsx`: Japanese text, numbers, two
// formulas, an empty cell and a hidden row 4) is opened in Calc, converted in
// each work mode from the window's buttons, and the saved file is compared
// byte for byte. One office serves all cases.
#include "CalcTestOffice.h"
#include "app/Program.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeInputHook.h"
#include "platform/fake/FakeProgramDirectory.h"
#include "platform/fake/FakeScreen.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeWindowSystem.h"
#include "sheet/ManualConnectWorker.h"
#include "ui/Application.h"
#include "ui/testing/Driver.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace lumitag::app {
namespace {

using platform::Answer;
using platform::calc::testing::TestOffice;

TestOffice* office = nullptr;

const std::filesystem::path TablePath = "/opt/lumitag/lumitagr.sp3";

Text text(std::string_view ascii) {
    return Text(ascii.begin(), ascii.end());
}

// The program on a 1366 x 768 desktop with every outside thing faked but the spreadsheet.
class BlueCalcTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen.setScreenRect({0, 0, 1366, 768});
        screen.setWorkArea({0, 0, 1366, 728});
        app.setClipboard(&clipboard);
        // Table 1 has work mode 3: the table-font files end with the trailer.
        files.setFile(TablePath,
                      platform::encodeCp932Lines(
                          {text("0,SP3P,0,1,TUBE,3,6,7,8,5,10,100,12,13,55,15,16,17,18,19,20,21,22,1")}));

        office->host().connect();
        office->host().setVisible(true);
        const std::filesystem::path workbook = std::filesystem::path(office->folder()) / "wirelist.xlsx";
        std::filesystem::copy_file(LUMITAG_APP_TEST_DATA "/wirelist.xlsx", workbook,
                                   std::filesystem::copy_options::overwrite_existing);
        book = office->host().openWorkbook(platform::textFromPath(workbook));

        ASSERT_EQ(program.start(), Program::Start::Running);
        app.idle();
        if (connectWorker.pending())
            connectWorker.complete();
        driver.press("Shift+F1");
        ASSERT_TRUE(blue().visible());
    }
    void TearDown() override {
        if (book)
            book->close();
    }

    TForm1& blue() { return *program.blueWindow(); }

    // Setting 1 over rows 2 to 6; the count box holds a count or the count column.
    void setting(int workMode, std::array<TextView, 4> columns, TextView count, TextView sequence = {}) {
        TForm1& b = blue();
        b.RadioGroup1.setItemIndex(workMode);
        ui::Edit* boxes[] = {&b.Edit1, &b.Edit6, &b.Edit11, &b.Edit16};
        for (std::size_t i = 0; i < 4; ++i)
            boxes[i]->setText(Text(columns[i]));
        b.Edit21.setText(U"2");
        b.Edit26.setText(U"6");
        b.Edit31.setText(Text(count));
        b.Edit36.setText(Text(sequence));
    }

    // Converts with the visible conversion button and saves to `path`.
    std::string convertAndSave(const Text& path) {
        TForm1& b = blue();
        driver.click(b.Button2.visible() ? b.Button2 : b.Button5);
        driver.answer(Answer::Yes);
        dialogs.queueFile(path);
        driver.press("F8");
        const std::optional<std::string> bytes = files.file(platform::pathFromText(path));
        return bytes ? *bytes : std::string("<nothing saved>");
    }

    std::string header(bool windowsFont) {
        const markerfile::ConditionHeader& h = blue().filledHeader();
        std::vector<Text> lines = windowsFont ? h.windowsFontLines() : h.tableFontLines();
        if (windowsFont)
            lines[11] = U"Comment=TUBE"; // the blanks of the key go when the file is written
        return platform::encodeCp932Lines(lines);
    }

    platform::FakeDialogs dialogs;
    platform::FakeClipboard clipboard;
    platform::FakeFileSystem files;
    platform::FakeScreen screen;
    platform::FakeWindowSystem windows;
    platform::FakeSingleInstance singleInstance;
    platform::FakeProgramDirectory programDirectory;
    platform::FakeShell shell;
    platform::FakeInputHook inputHook;
    sheet::ManualConnectWorker connectWorker;
    ui::Application app{dialogs};
    Program program{app,
                    {files, screen, windows, singleInstance, programDirectory, office->host(), clipboard,
                     shell, inputHook, connectWorker}};
    ui::testing::Driver driver{app, dialogs};
    std::shared_ptr<platform::Workbook> book;
};

TEST_F(BlueCalcTest, EachWorkModeSavesTheExpectedBytes) {
    const std::string eight(8, '\t');
    const struct {
        const char* name;
        int workMode;
        std::array<TextView, 4> columns;
        TextView count;
        TextView sequence;
        bool windowsFont;
        std::string data;
    } cases[] = {
        {"一列のみ連続: the hidden row left out, the empty cell kept",
         0,
         {U"A"},
         U"2",
         {},
         false,
         "-X1\t2\t\r\nW-2\t2\t\r\nW-4\t2\t\r\n\t2\t\r\n\r\n \t1\t"},
        {"複数列を連続: numbers as Calc shows them",
         1,
         {U"A", U"D"},
         U"1",
         {},
         false,
         "-X1\t1\t\r\n5\t1\t\r\nW-2\t1\t\r\n\t1\t\r\nW-4\t1\t\r\n12\t1\t\r\n\t1\t\r\n3\t1\t\r\n\r\n \t1\t"},
        {"複数列を一行: the formulas' values; Japanese text makes it a Windows-font file",
         2,
         {U"A", U"E", U"C"},
         U"1",
         {},
         true,
         "1\t-X1,10,制御盤" + eight + "\r\n1\tW-2,7,端子台 TB1" + eight + "\r\n1\tW-4,13" + eight +
             "\r\n1\t,ＰＬ" + eight + "\r\n\r\n1\t　" + eight},
        {"線番・記銘板等: count and numbering from columns, an empty wire number a space for work mode 3",
         3,
         {U"A"},
         U"B",
         U"E",
         false,
         "-X1\t2\t10\r\nW-2\t1\t7\r\nW-4\t3\t13\r\n \t1\t\r\n\r\n \t1\t"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setting(c.workMode, c.columns, c.count, c.sequence);
        const Text path = U"/home/user/out" + numberText(++n) + U".cta";
        const std::string saved = convertAndSave(path);
        const std::string expected = header(c.windowsFont) + platform::toCp932(platform::fromUtf8(c.data));
        EXPECT_EQ(platform::toUtf8(platform::fromCp932(saved)),
                  platform::toUtf8(platform::fromCp932(expected)));
        EXPECT_EQ(saved, expected) << "byte for byte";
    }
}

} // namespace
} // namespace lumitag::app

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!lumitag::platform::calc::testing::TestOffice::available()) {
        std::printf("LibreOffice Calc is not installed: skipped\n");
        return 77;
    }
    lumitag::platform::calc::testing::TestOffice theOffice;
    lumitag::app::office = &theOffice;
    const int result = RUN_ALL_TESTS();
    lumitag::app::office = nullptr;
    return result;
}
