#include "platform/fake/FakeWindowSystem.h"

#include <algorithm>
#include <utility>

namespace lumitag::platform {

namespace {

Status noDesktop() {
    return Status::failure("no desktop");
}
Status noWindow() {
    return Status::failure("no such window");
}

} // namespace

std::optional<WindowId> FakeWindowSystem::findTopLevelWindow(TextView title, TextView className) {
    if (!available_)
        return std::nullopt;
    for (const Window& window : windows_)
        if (window.title == title && (className.empty() || window.className == className))
            return window.id;
    return std::nullopt;
}

std::optional<WindowId> FakeWindowSystem::foregroundWindow() {
    if (!available_)
        return std::nullopt;
    return foreground_;
}

Status FakeWindowSystem::bringToForeground(WindowId window) {
    if (!available_)
        return noDesktop();
    foregroundRequests_.push_back(window);
    if (!find(window))
        return noWindow();
    if (foregroundFails_)
        return Status::failure("the desktop refused to change the foreground window");
    foreground_ = window;
    return Status::success();
}

std::optional<ScreenRect> FakeWindowSystem::windowRect(WindowId window) {
    const Window* found = available_ ? find(window) : nullptr;
    if (!found)
        return std::nullopt;
    return found->rect;
}

Status FakeWindowSystem::placeWindow(WindowId window, const ScreenRect& rect) {
    if (!available_)
        return noDesktop();
    Window* found = find(window);
    if (!found)
        return noWindow();
    found->rect = rect;
    placements_.push_back({window, rect});
    return Status::success();
}

Status FakeWindowSystem::restoreWindow(WindowId window) {
    if (!available_)
        return noDesktop();
    Window* found = find(window);
    if (!found)
        return noWindow();
    found->minimised = false;
    restoreRequests_.push_back(window);
    return Status::success();
}

std::optional<bool> FakeWindowSystem::windowMinimised(WindowId window) {
    if (!available_)
        return std::nullopt;
    const Window* found = find(window);
    if (!found)
        return std::nullopt;
    return found->minimised;
}

std::optional<ScreenPoint> FakeWindowSystem::pointerPosition() {
    if (!available_)
        return std::nullopt;
    return pointer_;
}

Status FakeWindowSystem::movePointer(ScreenPoint point) {
    if (!available_)
        return noDesktop();
    pointer_ = point;
    pointerMoves_.push_back(point);
    return Status::success();
}

std::optional<bool> FakeWindowSystem::capsLockOn() {
    if (!available_)
        return std::nullopt;
    return capsLock_;
}

Status FakeWindowSystem::toggleCapsLock() {
    if (!available_)
        return noDesktop();
    ++capsLockToggles_;
    if (capsLock_)
        capsLock_ = !*capsLock_;
    return Status::success();
}

WindowId FakeWindowSystem::addWindow(Text title, Text className, ScreenRect rect) {
    const WindowId id{nextId_++};
    windows_.push_back({id, std::move(title), std::move(className), rect, false});
    return id;
}

void FakeWindowSystem::removeWindow(WindowId window) {
    std::erase_if(windows_, [&](const Window& w) { return w.id == window; });
    if (foreground_ == window)
        foreground_.reset();
}

const FakeWindowSystem::Window* FakeWindowSystem::window(WindowId id) const {
    const auto it =
        std::find_if(windows_.begin(), windows_.end(), [&](const Window& w) { return w.id == id; });
    return it == windows_.end() ? nullptr : &*it;
}

void FakeWindowSystem::setMinimised(WindowId window, bool minimised) {
    if (Window* found = find(window))
        found->minimised = minimised;
}

void FakeWindowSystem::clearRecord() {
    pointerMoves_.clear();
    placements_.clear();
    foregroundRequests_.clear();
    restoreRequests_.clear();
    capsLockToggles_ = 0;
}

FakeWindowSystem::Window* FakeWindowSystem::find(WindowId id) {
    return const_cast<Window*>(std::as_const(*this).window(id));
}

} // namespace lumitag::platform
