#pragma once

#include "platform/Dialogs.h"

#include <QString>

namespace lumitag::qtfront {

// Real message boxes and file dialogs: application-modal, centred on the
// screen, with Japanese captions. The first button of a message box is the
// default (Enter presses it); Esc presses キャンセル when the box has one, OK
// on a box with OK alone, and nothing on a Yes/No box.
class QtDialogs final : public platform::Dialogs {
public:
    // defaultCaption is used for message boxes whose caption is empty; when it
    // is empty too, the application's display name is used.
    explicit QtDialogs(Text defaultCaption = {});

    platform::Answer showMessage(const platform::MessageRequest& request) override;
    std::optional<Text> openFile(const platform::FileDialogRequest& request) override;
    std::optional<Text> saveFile(const platform::FileDialogRequest& request) override;

    // The filter in the dialogs' "description|patterns|description|patterns"
    // form as a Qt name-filter list, e.g. "マーカーデータ (*.ctk);;すべて (*)".
    static QString toQtNameFilters(TextView filter);

private:
    enum class FileMode { Open, Save };
    std::optional<Text> runFileDialog(const platform::FileDialogRequest& request, FileMode mode);
    QString captionOr(TextView caption) const;

    Text defaultCaption_;
};

} // namespace lumitag::qtfront
