#include "app/Messages.h"

#include "ui/Application.h"

namespace lumitag::app {

using platform::Buttons;
using platform::MessageKind;

void showMessage(ui::Application& app, TextView text) {
    app.showMessage(MessageKind::Information, Text(ApplicationTitle), Text(text), Buttons::Ok);
}

void showSystemMessage(ui::Application& app, TextView text) {
    app.showMessage(MessageKind::Information, Text(), Text(text), Buttons::Ok);
}

bool confirm(ui::Application& app, TextView text) {
    return app.showMessage(MessageKind::Question, Text(ApplicationTitle), Text(text), Buttons::YesCancel) ==
           platform::Answer::Yes;
}

void showError(ui::Application& app, TextView text) {
    app.showMessage(MessageKind::Error, Text(ApplicationTitle), Text(text), Buttons::Ok);
}

} // namespace lumitag::app
