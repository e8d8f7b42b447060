#pragma once

#include "platform/InputHook.h"

#include <iosfwd>
#include <memory>
#include <string>

namespace lumitag::platform {

// The input hook of an X11 desktop: the RECORD extension reports every key
// press, pointer motion and press or release of the left and right button
// the server handles, whichever window they go to. The events are read on a
// second display connection by a thread of their own and queued for
// takeEvents() on the user-interface thread. The queue keeps the newest
// MaxQueuedEvents; older ones are dropped when nobody takes them.
//
// Where the desktop refuses (no X display, a Wayland session without X11, a
// server without RECORD), install() fails with the reason, and the first
// such failure is also written as one line to the diagnostics stream: the
// program goes on without the hook and says why once.
class X11InputRecorder final : public InputHook {
public:
    static constexpr std::size_t MaxQueuedEvents = 4096;

    // Records on $DISPLAY.
    X11InputRecorder();
    // Records on the named display (":1"); diagnostics go to the given stream.
    X11InputRecorder(std::string displayName, std::ostream& diagnostics);
    ~X11InputRecorder() override;
    X11InputRecorder(const X11InputRecorder&) = delete;
    X11InputRecorder& operator=(const X11InputRecorder&) = delete;

    Status install() override;
    void remove() override;
    bool installed() const override;
    std::vector<InputEvent> takeEvents() override;

private:
    class Recording;
    Status start();

    std::string displayName_;
    bool fromEnvironment_ = false;
    std::ostream& diagnostics_;
    bool refusalReported_ = false;
    std::unique_ptr<Recording> recording_;
};

} // namespace lumitag::platform
