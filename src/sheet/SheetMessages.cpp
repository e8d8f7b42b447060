#include "sheet/SheetMessages.h"

#include "platform/ProgramTitle.h"
#include "ui/Application.h"

namespace lumitag::sheet {

using platform::Buttons;
using platform::MessageKind;

Text closeQuestion(TextView workbookName) {
    return U"エクセルブック ( " + Text(workbookName) + U" ) を閉じますか？";
}

Text renameQuestionOnLeaving(TextView oldName, TextView newName) {
    return U"シート名:[ " + Text(oldName) + U" ]を [ " + Text(newName) + U" ]に変更しますか？";
}

Text renameQuestionOnEnter(TextView oldName, TextView newName) {
    return U"シート名:[ " + Text(oldName) + U" ] を [ " + Text(newName) + U" ] に変更しますか？";
}

Text nameInUseMessage(TextView newName) {
    return U"シート名:[" + Text(newName) + U"] は使用されています";
}

Text renameRefusedMessage(TextView newName) {
    return U"シート名を [ " + Text(newName) + U" ] に変更できませんでした";
}

void showMessage(ui::Application& app, TextView text) {
    app.showMessage(MessageKind::Information, Text(ProgramTitle), Text(text), Buttons::Ok);
}

void showSystemMessage(ui::Application& app, TextView text) {
    app.showMessage(MessageKind::Information, Text(), Text(text), Buttons::Ok);
}

bool confirm(ui::Application& app, TextView text) {
    return app.showMessage(MessageKind::Question, Text(ProgramTitle), Text(text), Buttons::YesCancel) ==
           platform::Answer::Yes;
}

void showError(ui::Application& app, TextView text) {
    app.showMessage(MessageKind::Error, Text(ProgramTitle), Text(text), Buttons::Ok);
}

} // namespace lumitag::sheet
