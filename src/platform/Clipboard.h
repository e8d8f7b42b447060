#pragma once

#include "platform/Text.h"

namespace lumitag::platform {

// The system clipboard as text.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Empty text when the clipboard holds no text.
    virtual Text text() = 0;
    virtual void setText(const Text& text) = 0;
    virtual void clear() = 0;
};

} // namespace lumitag::platform
