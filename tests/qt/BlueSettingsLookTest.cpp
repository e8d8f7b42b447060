// The blue window's settings drawn by the real front end beside a workbook,
// in its three widths and in EPLAN mode, driven by real mouse clicks: every
// caption fits its label or check box, every shown control lies inside the
// window or its panel and no two shown controls there overlap. The
// pictures are written into the build folder for a person to look at.
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "hardening/FakedProgram.h"
#include "qt/FormWindow.h"
#include "qt/FrontEnd.h"
#include "qt/QtText.h"
#include "qt/UiFont.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace lumitag::qtfront {
namespace {

QString picturePath(const char* name) {
    return QDir(QStringLiteral(QT_TESTCASE_BUILDDIR)).filePath(QString::fromLatin1(name));
}

class BlueSettingsLook : public ::testing::Test {
protected:
    void SetUp() override {
        const platform::WindowId calc =
            faked.windows.addWindow(U"Calc", U"libreoffice-calc", {100, 100, 400, 300});
        faked.spreadsheet.setMainWindow({calc.value, U"libreoffice-calc", U"Calc"});
        faked.shell.setDesktopFolder("/home/user/Desktop");
        ASSERT_TRUE(faked.start());
        frontEnd = std::make_unique<FrontEnd>(faked.app);
        orangeWindow = frontEnd->windowOf(faked.orange());
        ASSERT_NE(orangeWindow, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(orangeWindow));

        // A workbook opened in the orange window, then blue mode.
        const Text path = U"/home/user/Desktop/wires.xlsx";
        faked.spreadsheet.addFile(path, {U"Sheet1"});
        faked.dialogs.queueFile(path);
        click(faked.orange().SpeedButton30);
        QTest::keyClick(orangeWindow, Qt::Key_F1, Qt::ShiftModifier);
        faked.app.advance(ui::Milliseconds{100});
        frontEnd->afterInput();
        ASSERT_TRUE(faked.blue().visible());
        blueWindow = frontEnd->windowOf(faked.blue());
        ASSERT_NE(blueWindow, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(blueWindow));
        // The table's controls as a table with feed correction and both ticks
        // ticked show them: the most the common block ever holds.
        app::TForm1& b = faked.blue();
        for (ui::Control* control : std::initializer_list<ui::Control*>{
                 &b.ComboBox2, &b.CheckBox3, &b.Edit34, &b.CheckBox4, &b.Edit35, &b.Edit39, &b.Label20,
                 &b.Edit51, &b.Label55, &b.Button9, &b.Button3})
            control->show();
    }

    // A left click in the middle of the control, through the front end.
    void click(const ui::Control& control, ui::Point offset = {-1, -1}) {
        FormWindow* window = frontEnd->windowOf(control.form());
        ASSERT_NE(window, nullptr);
        const ui::Point origin = control.formPosition();
        const QPoint point(origin.x + (offset.x < 0 ? control.width() / 2 : offset.x),
                           origin.y + (offset.y < 0 ? control.height() / 2 : offset.y));
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, point);
        frontEnd->afterInput();
    }
    void chooseWorkMode(int index) {
        const ui::Rect item = faked.blue().RadioGroup1.itemBounds(index);
        click(faked.blue().RadioGroup1, {item.left + 8, item.top + item.height / 2});
    }

    // Saves the picture and checks the shown controls of the window and of
    // each shown panel: inside their parent, apart, captions whole.
    void look(const char* picture) {
        frontEnd->afterInput();
        ASSERT_TRUE(blueWindow->grab().toImage().save(picturePath(picture)));
        app::TForm1& b = faked.blue();
        for (const ui::Control* parent :
             std::initializer_list<const ui::Control*>{&b, &b.Panel1, &b.Panel2, &b.Panel3}) {
            if (!parent->visible())
                continue;
            SCOPED_TRACE(parent->name());
            std::vector<const ui::Control*> shown;
            for (const ui::Control* control : parent->children())
                if (control->visible())
                    shown.push_back(control);
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const ui::Control& control = *shown[i];
                SCOPED_TRACE(control.name());
                const ui::Rect r = control.bounds();
                EXPECT_GE(r.left, 0);
                EXPECT_GE(r.top, 0);
                EXPECT_LE(r.left + r.width, parent->width());
                EXPECT_LE(r.top + r.height, parent->height());
                const bool captioned =
                    control.kind() == ui::ControlKind::Label || control.kind() == ui::ControlKind::CheckBox;
                if (captioned && !control.caption().empty()) {
                    // A check box's caption starts right of its box.
                    const int box = control.kind() == ui::ControlKind::CheckBox ? 17 : 0;
                    const QFontMetrics metrics(toQFont(control.font()));
                    EXPECT_LE(box + metrics.horizontalAdvance(toQString(control.caption())), control.width());
                }
                for (std::size_t j = i + 1; j < shown.size(); ++j) {
                    const ui::Rect o = shown[j]->bounds();
                    const bool overlap = r.left < o.left + o.width && o.left < r.left + r.width &&
                                         r.top < o.top + o.height && o.top < r.top + r.height;
                    EXPECT_FALSE(overlap) << "overlaps " << shown[j]->name();
                }
            }
        }
    }

    hardening::FakedProgram faked;
    std::unique_ptr<FrontEnd> frontEnd;
    FormWindow* orangeWindow = nullptr;
    FormWindow* blueWindow = nullptr;
};

TEST_F(BlueSettingsLook, OneTwoAndThreeSettingsWithTheirReplacementFields) {
    app::TForm1& b = faked.blue();
    EXPECT_EQ(b.width(), 205);
    look("blue-settings-1.png");

    chooseWorkMode(1);
    click(b.CheckBox1);
    ASSERT_TRUE(b.Panel2.visible());
    click(b.CheckBox5);
    ASSERT_TRUE(b.Edit42.visible());
    EXPECT_EQ(b.width(), 390);
    look("blue-settings-2.png");

    click(b.CheckBox2);
    ASSERT_TRUE(b.Panel3.visible());
    click(b.CheckBox7);
    EXPECT_EQ(b.width(), 580);
    look("blue-settings-3.png");
}

TEST_F(BlueSettingsLook, EplanMode) {
    app::TForm1& b = faked.blue();
    chooseWorkMode(2);
    ASSERT_TRUE(b.CheckBox14.enabled());
    click(b.CheckBox8);
    click(b.CheckBox14);
    ASSERT_TRUE(b.CheckBox14.checked());
    EXPECT_EQ(b.width(), 390);
    look("blue-settings-eplan.png");
}

} // namespace
} // namespace lumitag::qtfront
