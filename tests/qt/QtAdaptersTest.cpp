#include "ModalScript.h"
#include "qt/QtClipboard.h"
#include "qt/QtDialogs.h"
#include "qt/QtScreen.h"
#include "qt/UiFont.h"

#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace lumitag::qtfront {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::MessageKind;
using platform::MessageRequest;
using testing::ModalScript;

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttonsLeftToRight;
    QString defaultButton;
};

SeenBox inspect(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    EXPECT_NE(box, nullptr);
    SeenBox seen;
    if (box == nullptr) {
        return seen;
    }
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    const QList<QAbstractButton*> list = box->buttons();
    std::vector<QAbstractButton*> buttons(list.begin(), list.end());
    std::sort(buttons.begin(), buttons.end(), [box](QAbstractButton* a, QAbstractButton* b) {
        return a->mapTo(box, QPoint()).x() < b->mapTo(box, QPoint()).x();
    });
    for (QAbstractButton* button : buttons) {
        seen.buttonsLeftToRight << button->text();
    }
    if (box->defaultButton() != nullptr) {
        seen.defaultButton = box->defaultButton()->text();
    }
    return seen;
}

struct BoxCase {
    Buttons buttons;
    QStringList captions;
    Qt::Key key;
    Answer expected;
};

// Each box shows its buttons in order with the first as the default; Enter
// presses it, Esc presses キャンセル or the lone OK and does nothing on a
// Yes/No box (which a click then answers).
TEST(QtDialogs, MessageBoxButtonsDefaultAndKeys) {
    const QString yes = QStringLiteral("はい"), no = QStringLiteral("いいえ"),
                  cancel = QStringLiteral("キャンセル"), ok = QStringLiteral("OK");
    const std::vector<BoxCase> cases = {
        {Buttons::Ok, {ok}, Qt::Key_Return, Answer::Ok},
        {Buttons::Ok, {ok}, Qt::Key_Escape, Answer::Ok},
        {Buttons::OkCancel, {ok, cancel}, Qt::Key_Escape, Answer::Cancel},
        {Buttons::YesCancel, {yes, cancel}, Qt::Key_Return, Answer::Yes},
        {Buttons::YesCancel, {yes, cancel}, Qt::Key_Escape, Answer::Cancel},
        {Buttons::YesNo, {yes, no}, Qt::Key_Return, Answer::Yes},
        {Buttons::YesNoCancel, {yes, no, cancel}, Qt::Key_Escape, Answer::Cancel},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.captions.join(QLatin1Char(',')).toStdString() + " key " + std::to_string(c.key));
        QtDialogs dialogs(U"ルミタグ");
        SeenBox seen;
        ModalScript script;
        script.then([&](QWidget* modal) {
            seen = inspect(modal);
            QTest::keyClick(modal, c.key);
        });
        const Answer answer =
            dialogs.showMessage({MessageKind::Question, U"", U"一行目\r\n二行目", c.buttons});
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(seen.buttonsLeftToRight, c.captions);
        EXPECT_EQ(seen.defaultButton, c.captions.front());
        EXPECT_EQ(seen.title, QStringLiteral("ルミタグ"));
        EXPECT_EQ(seen.text, QStringLiteral("一行目\n二行目"));
        EXPECT_EQ(seen.icon, QMessageBox::Question);
    }
}

TEST(QtDialogs, EscapeLeavesYesNoBoxOpen) {
    QtDialogs dialogs;
    bool stillOpenAfterEscape = false;
    ModalScript script;
    script.then([&](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_Escape);
        stillOpenAfterEscape = modal->isVisible();
        for (QAbstractButton* button : qobject_cast<QMessageBox*>(modal)->buttons()) {
            if (button->text() == QStringLiteral("いいえ")) {
                button->click();
            }
        }
    });
    EXPECT_EQ(dialogs.showMessage({MessageKind::Warning, U"確認", U"消しますか？", Buttons::YesNo}),
              Answer::No);
    EXPECT_TRUE(stillOpenAfterEscape);
}

TEST(QtDialogs, EmptyCaptionFallsBackToApplicationName) {
    QtDialogs dialogs;
    SeenBox seen;
    ModalScript script;
    script.then([&](QWidget* modal) {
        seen = inspect(modal);
        QTest::keyClick(modal, Qt::Key_Return);
    });
    dialogs.showMessage({MessageKind::Error, U"", U"エラー", Buttons::Ok});
    EXPECT_EQ(seen.title, QApplication::applicationDisplayName());
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(QtDialogs, ConvertsWindowsFilterToQtNameFilters) {
    EXPECT_EQ(QtDialogs::toQtNameFilters(U"マーカーデータ (*.ctk)|*.ctk|すべて (*.*)|*.*"),
              QStringLiteral("マーカーデータ (*.ctk);;すべて (*)"));
    EXPECT_EQ(QtDialogs::toQtNameFilters(U"エクセル|*.xls;*.xlsx"),
              QStringLiteral("エクセル (*.xls *.xlsx)"));
    EXPECT_EQ(QtDialogs::toQtNameFilters(U"テキスト (タブ区切り)|*.txt"),
              QStringLiteral("テキスト (タブ区切り) (*.txt)"));
    EXPECT_EQ(QtDialogs::toQtNameFilters(U""), QString());
    EXPECT_EQ(QtDialogs::toQtNameFilters(U"説明だけ"), QString());
}

TEST(QtDialogs, SaveAppendsDefaultExtensionAndAsksBeforeOverwriting) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile existing(dir.filePath(QStringLiteral("data.ctk")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    platform::FileDialogRequest request;
    request.title = U"CTK 保存";
    request.filter = U"マーカーデータ (*.ctk)|*.ctk";
    request.defaultExtension = U"ctk";
    request.initialFolder = dir.path().toStdU32String();
    request.fileName = U"data";
    request.promptOverwrite = true;

    QtDialogs dialogs;
    QString question;
    QString acceptCaption;
    ModalScript script;
    script.then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        acceptCaption = dialog->labelText(QFileDialog::Accept);
        static_cast<QDialog*>(dialog)->accept(); // the 保存 button
    });
    script.then([&](QWidget* modal) {
        question = inspect(modal).text;
        QTest::keyClick(modal, Qt::Key_Return); // はい
    });
    const std::optional<Text> path = dialogs.saveFile(request);
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(QString::fromStdU32String(*path), dir.filePath(QStringLiteral("data.ctk")));
    EXPECT_EQ(acceptCaption, QStringLiteral("保存"));
    EXPECT_EQ(question, QStringLiteral("data.ctk は既に存在します。\n上書きしますか?"));
    EXPECT_TRUE(script.finished());
}

TEST(QtDialogs, CancelledOpenReturnsNothing) {
    QtDialogs dialogs;
    ModalScript script;
    script.then([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(dialogs.openFile({U"開く", U"すべて (*.*)|*.*", U"", U"", U"", false}).has_value());
}

TEST(QtClipboard, RoundTripsJapaneseTextAndClears) {
    QtClipboard clipboard;
    clipboard.setText(U"線番\t1-A\r\n");
    EXPECT_EQ(clipboard.text(), U"線番\t1-A\r\n");
    clipboard.clear();
    EXPECT_EQ(clipboard.text(), U"");
}

TEST(QtScreen, ReportsPrimaryScreenAndWorkArea) {
    QtScreen screen;
    const platform::ScreenRect rect = screen.screenRect();
    const platform::ScreenRect work = screen.workArea();
    EXPECT_GT(rect.width, 0);
    EXPECT_GT(rect.height, 0);
    EXPECT_GE(work.left, rect.left);
    EXPECT_LE(work.bottom(), rect.bottom());
}

TEST(UiFont, ProportionalJapaneseGothicIsAvailable) {
    ASSERT_TRUE(ensureUiFontLoaded());
    const QFontInfo info(uiFont(12));
    EXPECT_EQ(info.family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(info.pixelSize(), 12);
}

} // namespace
} // namespace lumitag::qtfront
