#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

} // namespace lumitag::desktop
