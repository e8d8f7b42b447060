#pragma once

#include "platform/Result.h"
#include "platform/WindowSystem.h"

#include <vector>

namespace lumitag::platform {

// A key or mouse event the user made anywhere on the desktop, also inside
// other programs' windows.
enum class InputEventKind {
    KeyDown,
    MouseMove,
    LeftButtonDown,
    LeftButtonUp,
    RightButtonDown,
    RightButtonUp,
};

// The keys the program acts on when they are pressed in another program.
enum class RecordedKey {
    Other,
    F1,
};

struct InputEvent {
    InputEventKind kind = InputEventKind::MouseMove;
    RecordedKey key = RecordedKey::Other; // KeyDown only
    ScreenPoint pointer;                  // where the pointer was, in screen coordinates

    bool operator==(const InputEvent&) const = default;
};

// Sees the user's key and mouse events on the whole desktop, so that the
// program can follow what happens while another program has the focus. The
// events are recorded as they happen (possibly on another thread) and handed
// to the user-interface thread by takeEvents().
//
// Where the desktop refuses such recording, install() fails with the reason
// and the program goes on without it.
class InputHook {
public:
    virtual ~InputHook() = default;

    // Starts recording; installing while installed does nothing.
    virtual Status install() = 0;
    // Stops recording and drops what was not taken yet.
    virtual void remove() = 0;
    virtual bool installed() const = 0;
    // The events recorded since the last call, oldest first.
    virtual std::vector<InputEvent> takeEvents() = 0;
};

} // namespace lumitag::platform
