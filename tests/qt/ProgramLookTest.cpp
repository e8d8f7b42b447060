// The main windows of the whole program, drawn by the real front end on the
// offscreen platform with every outside thing faked: the places where texts
// laid out for a narrower face used to be clipped. The pictures are written
// into the build folder for a person to look at.
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TForm5.h"
#include "hardening/FakedProgram.h"
#include "platform/Encoding.h"
#include "qt/DropDownList.h"
#include "qt/FormWindow.h"
#include "qt/FrontEnd.h"
#include "qt/QtText.h"
#include "qt/UiFont.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>

// After the program's headers: Qt's keyword macros (slots) would break them.
#include "ImageInk.h"

namespace lumitag::qtfront {
namespace {

// A line of the marker's table file with a table number and a (quoted) name.
Text tableLine(int number, TextView name) {
    const std::string digits = std::to_string(number);
    return U"0,SP3P,0," + Text(digits.begin(), digits.end()) + U",\"" + Text(name) +
           U"\",1,6,7,8,5,10,100,12,13,30,15,16,17,18,19,20,21,22,1";
}

QString picturePath(const char* name) {
    return QDir(QStringLiteral(QT_TESTCASE_BUILDDIR)).filePath(QString::fromLatin1(name));
}

// Every shown label on the panels is wide enough for its caption.
void expectLabelsWhole(std::initializer_list<const ui::Control*> panels) {
    for (const ui::Control* panel : panels) {
        for (const ui::Control* control : panel->children()) {
            if (control->kind() != ui::ControlKind::Label || !control->visible() ||
                control->caption().empty())
                continue;
            SCOPED_TRACE(control->name());
            const QFontMetrics metrics(toQFont(control->font()));
            EXPECT_LE(metrics.horizontalAdvance(toQString(control->caption())), control->width());
        }
    }
}

class ProgramLook : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path folder = faked.programDirectory.directory().value();
        faked.files.setFile(
            folder / "lumitagr.sp3",
            platform::encodeCp932Lines({tableLine(1, U"TUBE 32"), tableLine(2, U"TUBE 32"),
                                        tableLine(3, U"LABEL 9"), tableLine(12, U"チューブ 3.2 白")}));
        ASSERT_TRUE(faked.start());
        frontEnd = std::make_unique<FrontEnd>(faked.app);
        window = frontEnd->windowOf(faked.orange());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // Three sequences of ten values, the count 2, and Enter in the count box.
    void fillTheList() {
        app::TForm2& w = faked.orange();
        w.Edit1.setText(U"01");
        w.Edit2.setText(U"10");
        w.Edit3.setText(U"-");
        w.Edit4.setText(U"A");
        w.Edit5.setText(U"J");
        w.Edit6.setText(U"/");
        w.Edit7.setText(U"0");
        w.Edit8.setText(U"9");
        w.Edit9.setText(U"2");
        w.Edit9.setFocus();
        QTest::keyClick(window, Qt::Key_Return);
    }

    QImage grab() {
        frontEnd->afterInput();
        return window->grab().toImage();
    }

    // A cell of the list inside its frame, in window coordinates.
    QRect cellInside(int col, int row) {
        const ui::StringGrid& grid = faked.orange().StringGrid1;
        const auto cell = grid.cellRect(col, row);
        EXPECT_TRUE(cell.has_value());
        const ui::Point origin = grid.formPosition();
        return cell ? QRect(origin.x + cell->left, origin.y + cell->top, cell->width, cell->height)
                          .adjusted(1, 1, -1, -1)
                    : QRect();
    }

    hardening::FakedProgram faked;
    std::unique_ptr<FrontEnd> frontEnd;
    FormWindow* window = nullptr;
};

TEST_F(ProgramLook, ThousandLinesInEditModeShowRowNumberHeaderAndTableWhole) {
    app::TForm2& w = faked.orange();
    fillTheList();
    ASSERT_EQ(w.list().nextFreeRow(), 1001);
    w.StringGrid1.setTopRow(1000 - w.StringGrid1.visibleRowCount() + 1);
    QTest::keyClick(window, Qt::Key_F2); // edit mode
    const QImage image = grab();
    ASSERT_TRUE(image.save(picturePath("program-1box-edit-1000.png")));

    ASSERT_EQ(w.StringGrid1.cell(0, 1000), U"1000");
    ASSERT_NE(w.StringGrid1.cell(1, 0).find(U"編"), Text::npos);
    ASSERT_EQ(w.ComboBox2.text(), U"TUBE 32 (Table1)");
    const ui::Point box = w.ComboBox2.formPosition();
    struct Space {
        const char* what;
        QRect rect;
    };
    const Space spaces[] = {
        {"row number 1000", cellInside(0, 1000)},
        {"edit-mode header", cellInside(1, 0)},
        // Inside the box's border, left of its arrow.
        {"table box", QRect(box.x + 3, box.y + 3, w.ComboBox2.width() - 3 - 18, w.ComboBox2.height() - 6)},
    };
    for (const Space& space : spaces) {
        SCOPED_TRACE(space.what);
        const int right = inkRight(image, space.rect);
        EXPECT_GT(right, space.rect.left()) << "nothing drawn";
        EXPECT_LT(right, space.rect.right()) << "the text runs into the edge";
    }
}

TEST_F(ProgramLook, TableListShowsEveryNameWhole) {
    app::TForm2& w = faked.orange();
    const ui::Point box = w.ComboBox2.formPosition();
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier,
                      QPoint(box.x + w.ComboBox2.width() - 8, box.y + w.ComboBox2.height() / 2));
    ASSERT_TRUE(w.ComboBox2.droppedDown());
    frontEnd->afterInput();
    DropDownList& list = frontEnd->dropDown();
    ASSERT_TRUE(list.isVisible());
    ASSERT_TRUE(list.grab().toImage().save(picturePath("program-table-list.png")));
    ASSERT_TRUE(grab().save(picturePath("program-table-box.png")));
    const QFontMetrics metrics(toQFont(w.ComboBox2.font()));
    for (const Text& item : w.ComboBox2.items()) {
        EXPECT_LE(metrics.horizontalAdvance(toQString(item)) + 4, list.width() - 2);
    }
}

TEST_F(ProgramLook, BlueWindowShowsEverySettingsCaptionWhole) {
    app::TForm1& b = faked.blue();
    QTest::keyClick(window, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(b.visible());
    b.Panel2.show();
    b.Panel3.show();
    b.ArrangePanels(3, 580);
    frontEnd->afterInput();
    FormWindow* blueWindow = frontEnd->windowOf(b);
    ASSERT_NE(blueWindow, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(blueWindow));
    ASSERT_TRUE(blueWindow->grab().toImage().save(picturePath("program-blue-three-settings.png")));

    expectLabelsWhole({&b.Panel1, &b.Panel2, &b.Panel3});
}

TEST_F(ProgramLook, ColumnRowSettingsShowEveryLabelWhole) {
    app::TForm5& settings = *faked.program.columnSettingsWindow();
    settings.show();
    frontEnd->afterInput();
    FormWindow* settingsWindow = frontEnd->windowOf(settings);
    ASSERT_NE(settingsWindow, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(settingsWindow));
    ASSERT_TRUE(settingsWindow->grab().toImage().save(picturePath("program-column-row-settings.png")));

    expectLabelsWhole({&settings.Panel1, &settings.Panel2, &settings.Panel3});
}

} // namespace
} // namespace lumitag::qtfront
