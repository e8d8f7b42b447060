#pragma once

#include "platform/Clipboard.h"

namespace lumitag::qtfront {

// The system clipboard through QClipboard (the X11 CLIPBOARD selection).
class QtClipboard final : public platform::Clipboard {
public:
    Text text() override;
    void setText(const Text& text) override;
    void clear() override;
};

} // namespace lumitag::qtfront
