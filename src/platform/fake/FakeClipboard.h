#pragma once

#include "platform/Clipboard.h"

namespace lumitag::platform {

// A clipboard in memory. Counts writes so a test can tell "copied the same
// text again" from "did not copy".
class FakeClipboard : public Clipboard {
public:
    Text text() override { return text_; }
    void setText(const Text& text) override {
        text_ = text;
        ++writes_;
    }
    void clear() override {
        text_.clear();
        ++writes_;
    }

    int writeCount() const { return writes_; }

private:
    Text text_;
    int writes_ = 0;
};

} // namespace lumitag::platform
