#include "TestXClient.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace lumitag::platform {

struct TestXClient::Connection {
    Display* display = nullptr;
};

TestXClient::TestXClient(const std::string& display) : connection_(std::make_unique<Connection>()) {
    connection_->display = XOpenDisplay(display.c_str());
}

TestXClient::~TestXClient() {
    if (connection_->display)
        XCloseDisplay(connection_->display);
}

bool TestXClient::connected() const {
    return connection_->display != nullptr;
}

unsigned long TestXClient::createWindow(const std::string& title, const std::string& className,
                                        Caption caption) {
    Display* display = connection_->display;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 20, 200, 100, 0, 0, 0);
    if (caption == Caption::NetWmName) {
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                        XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    } else {
        XStoreName(display, window, title.c_str());
    }
    std::string name = "lumitag-test";
    std::string klass = className;
    XClassHint hint{name.data(), klass.data()};
    XSetClassHint(display, window, &hint);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}

void TestXClient::destroyWindow(unsigned long window) {
    XDestroyWindow(connection_->display, window);
    XSync(connection_->display, False);
}

void TestXClient::unmapWindow(unsigned long window) {
    XUnmapWindow(connection_->display, window);
    XSync(connection_->display, False);
}

bool TestXClient::isViewable(unsigned long window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(connection_->display, window, &attributes) &&
           attributes.map_state == IsViewable;
}

} // namespace lumitag::platform
