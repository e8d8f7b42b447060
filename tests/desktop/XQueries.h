#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

namespace lumitag::desktop {

// Questions to the X server the checks ask beside the program. Kept apart
// because Xlib's macros (None, Bool, Status) collide with other names.

// What the window manager draws around a client window (_NET_FRAME_EXTENTS),
// in pixels.
struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// Nothing without a window manager or for a window it does not frame.
std::optional<FrameExtents> frameExtents(std::uint64_t window);

// Whether a window manager announces itself on the display's root window,
// as every window manager that follows the extended hints does once it runs.
bool windowManagerRuns(const std::string& display);

// Notes the names of the pointer's shapes while it lives, as the X server
// shows them (the themed cursors are named: "left_ptr", "watch", …), from a
// thread and a connection of its own, so that it sees them also while the
// program's user-interface thread is busy.
class CursorWatch {
public:
    CursorWatch();
    ~CursorWatch();
    CursorWatch(const CursorWatch&) = delete;
    CursorWatch& operator=(const CursorWatch&) = delete;

    std::set<std::string> seen();

private:
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::set<std::string> seen_;
    std::thread thread_;
};

} // namespace lumitag::desktop
