#pragma once

#include "platform/Text.h"

#include <optional>

namespace lumitag::platform {

enum class MessageKind { Information, Question, Warning, Error };

// The buttons of a message box, in the order they are shown; the first is the default.
enum class Buttons { Ok, OkCancel, YesNo, YesCancel, YesNoCancel };

enum class Answer { Ok, Cancel, Yes, No };

struct MessageRequest {
    MessageKind kind = MessageKind::Information;
    Text caption; // empty: the system's default caption
    Text text;    // "\r\n" breaks lines
    Buttons buttons = Buttons::Ok;
};

struct FileDialogRequest {
    Text title;
    Text filter;           // "マーカーデータ (*.ctk)|*.ctk|すべて (*.*)|*.*"
    Text defaultExtension; // "ctk", appended when the user types a name without one
    Text initialFolder;
    Text fileName;
    bool promptOverwrite = false; // save dialogs only
};

// Modal message boxes and file dialogs, centred on the screen. Calls are
// synchronous: they return when the user has answered.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer showMessage(const MessageRequest& request) = 0;
    // The chosen path (UTF-8 path text as code points), or nothing when cancelled.
    virtual std::optional<Text> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<Text> saveFile(const FileDialogRequest& request) = 0;
};

} // namespace lumitag::platform
