#include "XQueries.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <chrono>

namespace lumitag::desktop {

std::optional<FrameExtents> frameExtents(std::uint64_t window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return std::nullopt;
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<FrameExtents> result;
    // A window that has just gone gives nothing, not the end of the program.
    const auto previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    if (XGetWindowProperty(display, static_cast<Window>(window), extents, 0, 4, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32 && count == 4) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        result = FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]),
                              static_cast<int>(values[2]), static_cast<int>(values[3])};
    }
    if (data != nullptr)
        XFree(data);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return result;
}

bool windowManagerRuns(const std::string& display) {
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr)
        return false;
    const Atom check = XInternAtom(connection, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(connection, DefaultRootWindow(connection), check, 0, 1, False,
                                          XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
                       data != nullptr && count == 1;
    if (data != nullptr)
        XFree(data);
    XCloseDisplay(connection);
    return found;
}

CursorWatch::CursorWatch() {
    thread_ = std::thread([this] {
        Display* display = XOpenDisplay(nullptr);
        if (display == nullptr)
            return;
        int eventBase = 0;
        int errorBase = 0;
        if (XFixesQueryExtension(display, &eventBase, &errorBase)) {
            while (!stop_) {
                if (XFixesCursorImage* image = XFixesGetCursorImage(display)) {
                    const std::string name = image->name != nullptr ? image->name : "";
                    XFree(image);
                    const std::scoped_lock lock(mutex_);
                    seen_.insert(name);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        XCloseDisplay(display);
    });
}

CursorWatch::~CursorWatch() {
    stop_ = true;
    thread_.join();
}

std::set<std::string> CursorWatch::seen() {
    const std::scoped_lock lock(mutex_);
    return seen_;
}

} // namespace lumitag::desktop
