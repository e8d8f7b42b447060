#pragma once

#include <X11/Xlib.h>
#include <string>

namespace lumitag::platform {

// Catches the X errors of the requests made while it lives. Xlib's default
// handler would end the process for an error as ordinary as a window that
// closed a moment ago.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);
        errorCode() = 0;
        previous_ = XSetErrorHandler(&XErrorTrap::record);
    }
    ~XErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server to answer everything sent so far.
    bool failed() {
        XSync(display_, False);
        return errorCode() != 0;
    }
    std::string reason(const char* what) {
        char text[256] = "";
        XGetErrorText(display_, errorCode(), text, sizeof text);
        return std::string(what) + ": " + text;
    }

private:
    static int& errorCode() {
        thread_local int code = 0;
        return code;
    }
    static int record(Display*, XErrorEvent* event) {
        if (errorCode() == 0)
            errorCode() = event->error_code;
        return 0;
    }

    Display* display_;
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

} // namespace lumitag::platform
