#include "qt/FrontEnd.h"

#include "ImageInk.h"
#include "platform/fake/FakeDialogs.h"
#include "qt/FormWindow.h"
#include "qt/UiFont.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/MenuItem.h"
#include "ui/Panel.h"
#include "ui/PopupMenu.h"
#include "ui/SpeedButton.h"
#include "ui/StringGrid.h"
#include "ui/Timer.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace lumitag::qtfront {
namespace {

using namespace std::chrono_literals;

constexpr ui::Color kOrange{221, 179, 79};
constexpr ui::Color kPanelBlue{0, 128, 255};
constexpr ui::Color kFocusedBox{182, 254, 236};
constexpr ui::Color kFullWidthBackground{255, 255, 202};

// A small window of the kind the program builds: every control kind the
// tests need, at fixed pixel bounds.
class TestForm : public ui::Form {
public:
    explicit TestForm(ui::Application& application) : ui::Form(application, "TestForm") {
        setCaption(U"ルミタグ テスト");
        setBounds({40, 30, 360, 300});
        setColor(kOrange);
        setKeyPreview(true);

        Panel1.setBounds({10, 10, 120, 60});
        Panel1.setColor(kPanelBlue);
        Label1.setBounds({140, 10, 100, 15});
        Edit1.setBounds({10, 90, 150, 23});
        Edit1.setColor(kFocusedBox);
        Edit1.setTabOrder(0);
        Edit2.setBounds({10, 120, 150, 23});
        Edit2.setTabOrder(1);
        Button1.setBounds({200, 90, 60, 25});
        CheckBox1.setBounds({200, 125, 100, 17});
        ComboBox1.setBounds({200, 150, 107, 20});
        ComboBox1.setStyle(ui::ComboStyle::DropDownList);
        ComboBox1.setItems({U"テーブル1", U"テーブル2", U"テーブル3"});
        Grid.setBounds({10, 180, 300, 100});
        Grid.setColCount(3);
        Grid.setRowCount(50);
        Grid.setColWidth(0, 30);
        Grid.setColWidth(1, 150);
        Grid.setDefaultRowHeight(18);
        Grid.setCell(1, 1, U"1-A");
        Grid.setPopupMenu(&Menu);
        SpeedButton1.setBounds({270, 90, 35, 30});
    }

    ui::Panel Panel1{*this, "Panel1"};
    ui::Label Label1{*this, "Label1", U"線番１"};
    ui::Edit Edit1{*this, "Edit1"};
    ui::Edit Edit2{*this, "Edit2"};
    ui::Button Button1{*this, "Button1", U"&OK"};
    ui::CheckBox CheckBox1{*this, "CheckBox1", U"長さ変更"};
    ui::ComboBox ComboBox1{*this, "ComboBox1"};
    ui::StringGrid Grid{*this, "StringGrid1"};
    ui::SpeedButton SpeedButton1{*this, "SpeedButton27", U"ヒント\r\n表示"};
    ui::PopupMenu Menu{*this, "PopupMenu2"};
    ui::MenuItem Undo{Menu, "N1", U"元に戻す(&U)", "Ctrl+Z"};
    ui::MenuItem Separator{Menu, "N2", U"-"};
    ui::MenuItem Delete{Menu, "N3", U"一行削除", "Del"};
    ui::Timer Timer1{*this, "Timer1"};
};

class FrontEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Timer1.stop();
        form.show();
        form.Edit1.setFocus();
        frontEnd = std::make_unique<FrontEnd>(app);
        window = frontEnd->windowOf(form);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    QImage grab() {
        frontEnd->afterInput();
        return window->grab().toImage();
    }

    void sendKey(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
        QKeyEvent event(type, key, modifiers, text);
        QApplication::sendEvent(window, &event);
    }

    platform::FakeDialogs dialogs;
    ui::Application app{dialogs};
    TestForm form{app};
    std::unique_ptr<FrontEnd> frontEnd;
    FormWindow* window = nullptr;
};

QColor pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}
QColor rgb(ui::Color c) {
    return QColor(c.r, c.g, c.b);
}

TEST_F(FrontEndTest, RendersFormAtModelGeometryAndColours) {
    form.Edit1.setText(U"線番");
    const QImage image = grab();
    const QString path = QDir(QStringLiteral(QT_TESTCASE_BUILDDIR)).filePath(QStringLiteral("form.png"));
    ASSERT_TRUE(image.save(path));

    EXPECT_EQ(window->size(), QSize(360, 300));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ルミタグ テスト"));
    EXPECT_EQ(image.size(), QSize(360, 300));
    EXPECT_EQ(pixel(image, 350, 5), rgb(kOrange));       // form background
    EXPECT_EQ(pixel(image, 120, 60), rgb(kPanelBlue));   // inside the panel
    EXPECT_EQ(pixel(image, 150, 100), rgb(kFocusedBox)); // right part of the edit box, past its text
    EXPECT_NE(pixel(image, 5, 5), rgb(kPanelBlue));      // outside the panel's bounds

    // The edit box's text is drawn: dark pixels between its indent and 40 pixels in.
    int dark = 0;
    for (int x = 13; x < 50; ++x) {
        for (int y = 92; y < 111; ++y) {
            dark += pixel(image, x, y).lightness() < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 10);
}

// Accelerator marks are drawn only while Alt is held, and never as a literal "&".
TEST_F(FrontEndTest, AcceleratorUnderlineShowsWhileAltIsHeld) {
    form.Button1.setFocus();
    const QImage plain = grab();
    sendKey(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    const QImage withAlt = grab();
    sendKey(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    ASSERT_TRUE(
        withAlt.save(QDir(QStringLiteral(QT_TESTCASE_BUILDDIR)).filePath(QStringLiteral("form-alt.png"))));
    const QImage released = grab();

    const QRect caption(205, 95, 50, 15); // inside Button1, around "OK"
    EXPECT_NE(withAlt.copy(caption), plain.copy(caption));
    EXPECT_EQ(released.copy(caption), plain.copy(caption));
}

TEST_F(FrontEndTest, GridIsDrawnFromItsPaintRecord) {
    form.Grid.onDrawCell = [this](int col, int row, const ui::Rect& rect, ui::GridDrawState state) {
        if (row == 2 && col == 1 && !state.fixed) {
            form.Grid.canvas().brushColor = kFullWidthBackground;
            form.Grid.canvas().fillRect(rect);
        }
    };
    form.Grid.invalidate();
    const QImage image = grab();
    const auto cell = form.Grid.cellRect(1, 2);
    ASSERT_TRUE(cell.has_value());
    const QPoint inside(10 + cell->left + cell->width - 5, 180 + cell->top + cell->height / 2);
    EXPECT_EQ(pixel(image, inside.x(), inside.y()), rgb(kFullWidthBackground));
    // Only rows on screen were painted, however many rows the grid has.
    EXPECT_LT(form.Grid.paintRecord().size(), 3u * 8u);
}

// Spaces laid out for a narrower Windows face: the list's row number 1000 and
// its widest header in the 1BOX widths, and a table name in the table box.
// Each text is drawn whole (its last character shows: changing it changes the
// picture) and clear of the grid line or the box's arrow.
TEST_F(FrontEndTest, TextsTooWideForTheirSpaceAreDrawnSmallerAndWhole) {
    ui::Font listFont;
    listFont.size = 11; // 15 pixels
    form.Grid.setFont(listFont);
    form.Grid.setColWidth(0, 35);
    form.Grid.setColWidth(1, 205);
    form.ComboBox1.setItems({U"TUBE 32 (Table1)", U"TUBE 32 (Table7)"});

    auto render = [this](bool variant) {
        form.Grid.setCell(0, 1, variant ? U"1007" : U"1000");
        form.Grid.setCell(1, 0,
                          variant ? U"\u3000\u3000\u3000\u3000\u3000編\u3000集\u3000モ\u3000ー\u3000ト"
                                  : U"\u3000\u3000\u3000\u3000\u3000編\u3000集\u3000モ\u3000ー\u3000ド");
        form.ComboBox1.setItemIndex(variant ? 1 : 0);
        return grab();
    };
    const QImage image = render(false);
    const QImage variant = render(true);
    ASSERT_TRUE(image.save(QDir(QStringLiteral(QT_TESTCASE_BUILDDIR)).filePath(QStringLiteral("fit.png"))));

    // Inside the raised frame of a fixed cell.
    auto cellSpace = [this](int col, int row) {
        const auto cell = form.Grid.cellRect(col, row);
        EXPECT_TRUE(cell.has_value());
        return cell
                   ? QRect(10 + cell->left, 180 + cell->top, cell->width, cell->height).adjusted(1, 1, -1, -1)
                   : QRect();
    };
    struct Space {
        const char* what;
        QRect rect;
    };
    // The table box's text lies inside its border, left of its arrow.
    const std::vector<Space> spaces = {
        {"row number", cellSpace(0, 1)},
        {"header", cellSpace(1, 0)},
        {"table box", QRect(203, 153, 86, 14)},
    };
    for (const Space& space : spaces) {
        SCOPED_TRACE(space.what);
        EXPECT_NE(image.copy(space.rect), variant.copy(space.rect)) << "the last character is hidden";
        const int right = inkRight(image, space.rect);
        EXPECT_GT(right, space.rect.left()) << "nothing drawn";
        EXPECT_LT(right, space.rect.right()) << "the text runs into the edge";
    }
}

TEST_F(FrontEndTest, KeyEventsReachTheFocusedEditBox) {
    QTest::keyClick(window, Qt::Key_A, Qt::NoModifier);
    QTest::keyClick(window, Qt::Key_1, Qt::NoModifier);
    QTest::keyClick(window, Qt::Key_Minus, Qt::NoModifier);
    EXPECT_EQ(form.Edit1.text(), U"a1-");
    QTest::keyClick(window, Qt::Key_Backspace, Qt::NoModifier);
    QTest::keyClick(window, Qt::Key_Return, Qt::NoModifier); // inserts nothing
    EXPECT_EQ(form.Edit1.text(), U"a1");
    // Ctrl and Alt chords type nothing.
    QTest::keyClick(window, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(form.Edit1.text(), U"a1");
    // Tab moves the model's focus, not Qt's.
    QTest::keyClick(window, Qt::Key_Tab, Qt::NoModifier);
    EXPECT_TRUE(form.Edit2.focused());
}

TEST_F(FrontEndTest, KeysReachTheWindowWithTheirModifiers) {
    struct Seen {
        ui::Key key;
        ui::Modifiers modifiers;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> downs;
    std::vector<Seen> ups;
    form.onKeyDown = [&downs](ui::KeyEvent& event) {
        downs.push_back({event.key, event.modifiers});
        if (event.key == ui::Key::F1) {
            event.consume();
        }
    };
    form.onKeyUp = [&ups](ui::KeyEvent& event) { ups.push_back({event.key, event.modifiers}); };

    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        Seen expected;
    };
    const std::vector<Case> cases = {
        {Qt::Key_F1, Qt::ShiftModifier, {ui::Key::F1, ui::Modifiers::Shift}},
        {Qt::Key_F12, Qt::NoModifier, {ui::Key::F12, ui::Modifiers::None}},
        {Qt::Key_Y, Qt::ControlModifier, {ui::Key::Y, ui::Modifiers::Ctrl}},
        {Qt::Key_Escape, Qt::NoModifier, {ui::Key::Escape, ui::Modifiers::None}},
        {Qt::Key_Backtab, Qt::ShiftModifier, {ui::Key::Tab, ui::Modifiers::Shift}},
        {Qt::Key_5, Qt::KeypadModifier, {ui::Key::NumPad5, ui::Modifiers::None}},
        {Qt::Key_Delete,
         Qt::ControlModifier | Qt::ShiftModifier,
         {ui::Key::Delete, ui::Modifiers::Ctrl | ui::Modifiers::Shift}},
    };
    for (const Case& c : cases) {
        downs.clear();
        sendKey(QEvent::KeyPress, c.qtKey, c.modifiers);
        ASSERT_FALSE(downs.empty()) << c.qtKey;
        EXPECT_EQ(downs.back(), c.expected) << c.qtKey;
    }

    // Alt alone is a key: it goes down with Alt held and comes up with nothing held,
    // whatever modifiers the release event claims.
    downs.clear();
    ups.clear();
    sendKey(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_TRUE(app.isKeyDown(ui::Key::Alt));
    sendKey(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(downs, (std::vector<Seen>{{ui::Key::Alt, ui::Modifiers::Alt}}));
    EXPECT_EQ(ups, (std::vector<Seen>{{ui::Key::Alt, ui::Modifiers::None}}));
    EXPECT_FALSE(app.isKeyDown(ui::Key::Alt));

    // Alt held while a letter goes down, even when the letter's event omits it.
    downs.clear();
    sendKey(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    sendKey(QEvent::KeyPress, Qt::Key_O, Qt::NoModifier, QStringLiteral("o"));
    EXPECT_EQ(downs.back(), (Seen{ui::Key::O, ui::Modifiers::Alt}));
    sendKey(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_TRUE(form.Edit1.text().empty()); // Alt+O typed nothing
}

TEST_F(FrontEndTest, ShortcutOverrideIsTakenForTheModel) {
    QKeyEvent event(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier);
    event.ignore();
    QApplication::sendEvent(window, &event);
    EXPECT_TRUE(event.isAccepted());
}

TEST_F(FrontEndTest, InputMethodCommitReachesTheEditBox) {
    frontEnd->afterInput();
    EXPECT_TRUE(window->inputMethodAllowed());
    QInputMethodEvent composing(QStringLiteral("せんばん"), {});
    QApplication::sendEvent(window, &composing);
    EXPECT_EQ(window->preedit(), QStringLiteral("せんばん"));
    EXPECT_TRUE(form.Edit1.text().empty());

    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("線番"));
    QApplication::sendEvent(window, &commit);
    EXPECT_EQ(form.Edit1.text(), U"線番");
    EXPECT_TRUE(window->preedit().isEmpty());
}

TEST_F(FrontEndTest, InputMethodFollowsTheFocusedBoxsMode) {
    form.Edit2.setImeMode(ui::ImeMode::Disabled);
    form.Edit2.setFocus();
    frontEnd->afterInput();
    EXPECT_FALSE(window->inputMethodAllowed());
    form.Button1.setFocus();
    frontEnd->afterInput();
    EXPECT_FALSE(window->inputMethodAllowed());
    form.Edit1.setFocus();
    frontEnd->afterInput();
    EXPECT_TRUE(window->inputMethodAllowed());
}

TEST_F(FrontEndTest, MouseClicksReachControlsAtTheirBounds) {
    int clicks = 0;
    form.Button1.onClick = [&clicks] { ++clicks; };
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(230, 100));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(form.Button1.focused());

    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(205, 133));
    EXPECT_TRUE(form.CheckBox1.checked());

    // A click in an edit box puts the caret where the real font puts the characters.
    form.Edit2.setText(U"ABCDEF");
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(11, 131));
    EXPECT_TRUE(form.Edit2.focused());
    EXPECT_EQ(form.Edit2.caret(), 0);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(155, 131));
    EXPECT_EQ(form.Edit2.caret(), 6);
}

TEST_F(FrontEndTest, ComboListOpensAsItsOwnWindowAndChoosesAsTheUser) {
    int changes = 0;
    form.ComboBox1.onChange = [&changes] { ++changes; };
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(250, 160));
    ASSERT_TRUE(form.ComboBox1.droppedDown());
    DropDownList& list = frontEnd->dropDown();
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(list.width(), 107);

    QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, QPoint(20, 1 + list.itemHeight() + 3));
    EXPECT_EQ(form.ComboBox1.itemIndex(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(form.ComboBox1.droppedDown());
    EXPECT_FALSE(list.isVisible());

    // A list whose longest item is wider than the box is as wide as that item.
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(250, 160));
    form.ComboBox1.setItems({U"テーブル1", U"チューブ 3.2 白 長尺 (Table20)"});
    frontEnd->afterInput();
    ASSERT_TRUE(list.isVisible());
    const int longest = QFontMetrics(toQFont(form.ComboBox1.font()))
                            .horizontalAdvance(QStringLiteral("チューブ 3.2 白 長尺 (Table20)"));
    EXPECT_GT(longest, 107);
    EXPECT_GE(list.width(), longest + 4);
    form.ComboBox1.closeList();
    frontEnd->afterInput();
    form.ComboBox1.setItems({U"テーブル1", U"テーブル2", U"テーブル3"});

    // A press elsewhere closes an open list and goes no further.
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(250, 160));
    ASSERT_TRUE(list.isVisible());
    int clicks = 0;
    form.Button1.onClick = [&clicks] { ++clicks; };
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(230, 100));
    EXPECT_FALSE(form.ComboBox1.droppedDown());
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(clicks, 0);
}

TEST_F(FrontEndTest, PopupMenuIsARealMenuWhoseCommandsGoToTheModel) {
    int deletes = 0;
    form.Delete.onClick = [&deletes] { ++deletes; };
    form.Undo.setEnabled(false);
    QTest::mouseClick(window, Qt::RightButton, Qt::NoModifier, QPoint(60, 220));
    ASSERT_TRUE(app.openMenu().has_value());
    QMenu& menu = frontEnd->menus().menu();
    ASSERT_TRUE(QTest::qWaitFor([&menu] { return menu.isVisible(); }, 2000));

    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("元に戻す(U)\tCtrl+Z"));
    EXPECT_FALSE(actions[0]->isEnabled());
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("一行削除\tDel"));
    EXPECT_TRUE(actions[0]->shortcut().isEmpty());

    actions[2]->trigger();
    EXPECT_EQ(deletes, 1);
    EXPECT_FALSE(app.openMenu().has_value());
    frontEnd->afterInput();
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(FrontEndTest, HintShowsAfterThePauseInTheHintColour) {
    form.SpeedButton1.setHint(U"ヒントを表示します");
    form.SpeedButton1.setShowHint(true);
    app.setHintPause(20ms);
    app.setHintHidePause(5000ms);
    app.setHintColor({255, 255, 128});
    QTest::mouseMove(window, QPoint(285, 100));
    EXPECT_TRUE(frontEnd->hints().pending());
    TipWindow& tip = frontEnd->hints().tip();
    ASSERT_TRUE(QTest::qWaitFor([&tip] { return tip.isVisible(); }, 2000));
    EXPECT_EQ(tip.text(), QStringLiteral("ヒントを表示します"));
    EXPECT_EQ(tip.palette().color(QPalette::Window), QColor(255, 255, 128));

    QTest::mouseMove(window, QPoint(300, 20)); // off the button
    EXPECT_TRUE(QTest::qWaitFor([this] { return frontEnd->hints().shownFor() == nullptr; }, 2000));
    EXPECT_FALSE(tip.isVisible());
}

TEST_F(FrontEndTest, HintTipStaysOffItsControlAndAClickOnItReachesTheControlBelow) {
    form.Button1.setHint(U"グリッドに入力されます");
    form.Button1.setShowHint(true);
    app.setHintPause(0ms);
    app.setHintHidePause(5000ms);
    const QPoint pointer(230, 100); // on Button1, just above CheckBox1
    QCursor::setPos(window->mapToGlobal(pointer));
    QTest::mouseMove(window, pointer);
    TipWindow& tip = frontEnd->hints().tip();
    ASSERT_TRUE(QTest::qWaitFor([&tip] { return tip.isVisible(); }, 2000));
    const QRect button(window->mapToGlobal(QPoint(200, 90)), QSize(60, 25));
    EXPECT_FALSE(tip.geometry().intersects(button)) << "the tip covers the control it is for";

    // The tip lies over CheckBox1; a click on it ticks the box and closes the tip.
    const QRect checkBox(window->mapToGlobal(QPoint(200, 125)), QSize(100, 17));
    const QRect overlap = tip.geometry() & checkBox;
    ASSERT_FALSE(overlap.isEmpty());
    QTest::mouseClick(&tip, Qt::LeftButton, Qt::NoModifier, tip.mapFromGlobal(overlap.center()));
    EXPECT_FALSE(tip.isVisible());
    EXPECT_TRUE(form.CheckBox1.checked());
}

TEST_F(FrontEndTest, ModelClockRunsOnRealTime) {
    int ticks = 0;
    form.Timer1.setInterval(20ms);
    form.Timer1.onTimer = [&ticks] { ++ticks; };
    form.Timer1.start();
    EXPECT_TRUE(QTest::qWaitFor([&ticks] { return ticks >= 3; }, 2000));
    EXPECT_GT(app.now(), 40ms);
}

TEST_F(FrontEndTest, WakesOnlyWhenTheModelNextHasWork) {
    form.Button1.setFocus(); // no caret to blink
    frontEnd->afterInput();
    EXPECT_EQ(frontEnd->nextWake(), std::nullopt) << "nothing is due: it sleeps until input";

    // Timers started and stopped outside any input: the model tells the front end.
    form.Timer1.setInterval(100ms);
    form.Timer1.start();
    EXPECT_EQ(frontEnd->nextWake(), form.Timer1.due());
    {
        ui::Timer fast{form, "fast"};
        fast.setInterval(40ms);
        EXPECT_EQ(frontEnd->nextWake(), fast.due()) << "the earliest one";
        fast.stop();
        EXPECT_EQ(frontEnd->nextWake(), form.Timer1.due());
        fast.start();
    }
    EXPECT_EQ(frontEnd->nextWake(), form.Timer1.due()) << "a running timer went away";
    form.Timer1.stop();
    EXPECT_EQ(frontEnd->nextWake(), std::nullopt);

    // A box with a caret wakes for the caret's blink.
    form.Edit1.setFocus();
    frontEnd->afterInput();
    ASSERT_TRUE(frontEnd->nextWake().has_value());
    EXPECT_EQ(frontEnd->nextWake(), app.now() + ui::Application::CaretBlink);
}

TEST_F(FrontEndTest, WindowFollowsTheFormsVisibilityBoundsAndCursor) {
    form.setBounds({60, 50, 300, 200});
    frontEnd->afterInput();
    EXPECT_EQ(window->size(), QSize(300, 200));

    // The wait cursor shows during the handler that holds it, not only afterwards.
    std::optional<Qt::CursorShape> duringHandler;
    form.Button1.onClick = [this, &duringHandler] {
        ui::WaitCursor wait(app);
        const QCursor* cursor = QApplication::overrideCursor();
        duringHandler = cursor != nullptr ? std::optional(cursor->shape()) : std::nullopt;
    };
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(230, 100));
    EXPECT_EQ(duringHandler, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    form.hide();
    frontEnd->afterInput();
    EXPECT_FALSE(window->isVisible());
    form.show();
    frontEnd->afterInput();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FrontEndTest, WindowManagersMinimiseAndRestoreReachTheModelOnceEach) {
    int minimized = 0;
    int restored = 0;
    app.onMinimize = [&minimized] { ++minimized; };
    app.onRestore = [&restored] { ++restored; };

    // The window manager iconifies the window (its minimise button) and maps it again.
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(app.minimized());
    window->setWindowState(Qt::WindowMinimized | Qt::WindowActive);
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 0);
    window->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(app.minimized());
    window->setWindowState(Qt::WindowActive);
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1);
}

TEST_F(FrontEndTest, ModelsOwnMinimiseShowsOnTheWindowWithoutComingBack) {
    int minimized = 0;
    int restored = 0;
    app.onMinimize = [&minimized] { ++minimized; };
    app.onRestore = [&restored] { ++restored; };
    // The window's minimise command: the program minimises itself from a handler.
    form.Button1.onClick = [this] { app.minimize(); };
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(230, 100));
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(app.minimized());
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 0) << "the window's own state change is not taken for the user's restore";

    app.restore();
    frontEnd->afterInput();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1);
}

TEST_F(FrontEndTest, CloseQueryDecidesAndClosingTheMainFormEndsTheLoop) {
    bool allow = false;
    form.onCloseQuery = [&allow](bool& canClose) { canClose = allow; };
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(form.visible());

    allow = true;
    QTimer::singleShot(0, window, [this] { window->close(); });
    EXPECT_EQ(frontEnd->run(), 0);
    EXPECT_TRUE(app.terminated());
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace lumitag::qtfront
