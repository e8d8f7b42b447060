#pragma once

#include "platform/WindowSystem.h"

#include <vector>

namespace lumitag::platform {

// A desktop in memory: windows a test adds, a pointer and a Caps Lock it sets,
// and a record of every move, placement and key press the program asked for.
class FakeWindowSystem : public WindowSystem {
public:
    struct Window {
        WindowId id;
        Text title;
        Text className;
        ScreenRect rect;
        bool minimised = false;
    };
    struct Placement {
        WindowId window;
        ScreenRect rect;
        bool operator==(const Placement&) const = default;
    };

    std::optional<WindowId> findTopLevelWindow(TextView title, TextView className) override;
    std::optional<WindowId> foregroundWindow() override;
    Status bringToForeground(WindowId window) override;
    std::optional<ScreenRect> windowRect(WindowId window) override;
    Status placeWindow(WindowId window, const ScreenRect& rect) override;
    Status restoreWindow(WindowId window) override;
    std::optional<bool> windowMinimised(WindowId window) override;
    std::optional<ScreenPoint> pointerPosition() override;
    Status movePointer(ScreenPoint point) override;
    std::optional<bool> capsLockOn() override;
    Status toggleCapsLock() override;

    // Desktop state.
    WindowId addWindow(Text title, Text className, ScreenRect rect = {});
    void removeWindow(WindowId window);
    const Window* window(WindowId id) const;
    void setMinimised(WindowId window, bool minimised);
    void setForeground(std::optional<WindowId> window) { foreground_ = window; }
    // The user moving the mouse: not recorded as a move by the program.
    void setPointer(ScreenPoint point) { pointer_ = point; }
    // Nothing: the state cannot be read.
    void setCapsLock(std::optional<bool> on) { capsLock_ = on; }
    // Without a desktop every query gives nothing and every action fails.
    void setAvailable(bool available) { available_ = available; }
    void setForegroundRequestsFail(bool fail) { foregroundFails_ = fail; }

    // What the program did.
    const std::vector<ScreenPoint>& pointerMoves() const { return pointerMoves_; }
    const std::vector<Placement>& placements() const { return placements_; }
    const std::vector<WindowId>& foregroundRequests() const { return foregroundRequests_; }
    const std::vector<WindowId>& restoreRequests() const { return restoreRequests_; }
    int capsLockToggles() const { return capsLockToggles_; }
    void clearRecord();

private:
    Window* find(WindowId id);

    std::vector<Window> windows_;
    std::uint64_t nextId_ = 0x1000;
    std::optional<WindowId> foreground_;
    ScreenPoint pointer_;
    std::optional<bool> capsLock_ = false;
    bool available_ = true;
    bool foregroundFails_ = false;

    std::vector<ScreenPoint> pointerMoves_;
    std::vector<Placement> placements_;
    std::vector<WindowId> foregroundRequests_;
    std::vector<WindowId> restoreRequests_;
    int capsLockToggles_ = 0;
};

} // namespace lumitag::platform
