#include "qt/QtDialogs.h"

#include "qt/QtText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <utility>
#include <vector>

namespace lumitag::qtfront {

using platform::Answer;
using platform::Buttons;
using platform::MessageKind;

namespace {

struct ButtonChoice {
    Answer answer;
    const char* caption;
};

std::vector<ButtonChoice> buttonsOf(Buttons buttons) {
    const ButtonChoice ok{Answer::Ok, "OK"};
    const ButtonChoice cancel{Answer::Cancel, "キャンセル"};
    const ButtonChoice yes{Answer::Yes, "はい"};
    const ButtonChoice no{Answer::No, "いいえ"};
    switch (buttons) {
    case Buttons::Ok:
        return {ok};
    case Buttons::OkCancel:
        return {ok, cancel};
    case Buttons::YesNo:
        return {yes, no};
    case Buttons::YesCancel:
        return {yes, cancel};
    case Buttons::YesNoCancel:
        return {yes, no, cancel};
    }
    return {ok};
}

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Question:
        return QMessageBox::Question;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// What a box answers when it is closed without a button (only possible where
// Esc or the close box has nothing to press): the most cautious choice.
Answer dismissedAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesCancel:
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

// A message box whose Esc and close box do nothing unless the box has a
// button they press, as keyboard users of Yes/No boxes expect.
class MessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

    void setDismissible(bool dismissible) { dismissible_ = dismissible; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!dismissible_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override {
        if (!dismissible_ && clickedButton() == nullptr) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool dismissible_ = true;
};

} // namespace

QtDialogs::QtDialogs(Text defaultCaption) : defaultCaption_(std::move(defaultCaption)) {}

QString QtDialogs::captionOr(TextView caption) const {
    if (!caption.empty()) {
        return toQString(caption);
    }
    if (!defaultCaption_.empty()) {
        return toQString(defaultCaption_);
    }
    return QApplication::applicationDisplayName();
}

Answer QtDialogs::showMessage(const platform::MessageRequest& request) {
    MessageBox box;
    box.setIcon(iconOf(request.kind));
    box.setWindowTitle(captionOr(request.caption));
    box.setText(toDisplayLines(request.text));
    box.setTextFormat(Qt::PlainText);

    // Every button in the same role keeps the order the buttons were added
    // in, whatever button order the desktop style prefers.
    const std::vector<ButtonChoice> choices = buttonsOf(request.buttons);
    std::vector<std::pair<QPushButton*, Answer>> buttons;
    QPushButton* escapeButton = nullptr;
    for (const ButtonChoice& choice : choices) {
        QPushButton* button = box.addButton(QString::fromUtf8(choice.caption), QMessageBox::ActionRole);
        buttons.emplace_back(button, choice.answer);
        if (choice.answer == Answer::Cancel || choices.size() == 1) {
            escapeButton = button;
        }
    }
    box.setDefaultButton(buttons.front().first);
    if (escapeButton != nullptr) {
        box.setEscapeButton(escapeButton);
    }
    box.setDismissible(escapeButton != nullptr);

    box.exec();
    for (const auto& [button, answer] : buttons) {
        if (box.clickedButton() == button) {
            return answer;
        }
    }
    return dismissedAnswer(request.buttons);
}

QString QtDialogs::toQtNameFilters(TextView filter) {
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            // "*.*" means every file on Windows, also those without a dot.
            const QString trimmed = pattern.trimmed();
            patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty()) {
            continue;
        }
        // Qt reads the patterns from the last parenthesised group of the
        // entry; a description that shows the patterns itself loses its copy
        // so that they are not shown twice.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open >= 0 &&
            description.indexOf(QLatin1Char('*'), open) > 0) {
            description = description.left(open).trimmed();
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<Text> QtDialogs::openFile(const platform::FileDialogRequest& request) {
    return runFileDialog(request, FileMode::Open);
}

std::optional<Text> QtDialogs::saveFile(const platform::FileDialogRequest& request) {
    return runFileDialog(request, FileMode::Save);
}

std::optional<Text> QtDialogs::runFileDialog(const platform::FileDialogRequest& request, FileMode mode) {
    // Qt's own dialog, so that every caption is Japanese whatever the desktop
    // and the installed translations; the overwrite question is ours for the
    // same reason.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setWindowTitle(request.title.empty()
                              ? QString::fromUtf8(mode == FileMode::Open ? "開く" : "名前を付けて保存")
                              : toQString(request.title));
    dialog.setAcceptMode(mode == FileMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == FileMode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setLabelText(QFileDialog::LookIn, QString::fromUtf8("ファイルの場所:"));
    dialog.setLabelText(QFileDialog::FileName, QString::fromUtf8("ファイル名:"));
    dialog.setLabelText(QFileDialog::FileType, QString::fromUtf8("ファイルの種類:"));
    dialog.setLabelText(QFileDialog::Accept, QString::fromUtf8(mode == FileMode::Open ? "開く" : "保存"));
    dialog.setLabelText(QFileDialog::Reject, QString::fromUtf8("キャンセル"));

    const QString filters = toQtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters.split(QStringLiteral(";;")));
    }
    if (!request.defaultExtension.empty()) {
        QString suffix = toQString(request.defaultExtension);
        while (suffix.startsWith(QLatin1Char('.'))) {
            suffix.remove(0, 1);
        }
        dialog.setDefaultSuffix(suffix);
    }
    if (!request.initialFolder.empty()) {
        dialog.setDirectory(toQString(request.initialFolder));
    }
    if (!request.fileName.empty()) {
        dialog.selectFile(toQString(request.fileName));
    }

    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString path = dialog.selectedFiles().constFirst();
        if (mode == FileMode::Save && request.promptOverwrite && QFileInfo::exists(path)) {
            platform::MessageRequest question;
            question.kind = MessageKind::Warning;
            question.caption = toText(dialog.windowTitle());
            question.text = toText(QFileInfo(path).fileName()) + U" は既に存在します。\r\n上書きしますか?";
            question.buttons = Buttons::YesNo;
            if (showMessage(question) != Answer::Yes) {
                continue; // back to the dialog to choose another name
            }
        }
        return toText(path);
    }
}

} // namespace lumitag::qtfront
