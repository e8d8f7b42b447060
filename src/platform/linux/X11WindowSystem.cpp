#include "platform/linux/X11WindowSystem.h"

#include "platform/Encoding.h"
#include "platform/linux/XErrorTrap.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

// Xlib names its int result type "Status"; the program has a Status of its own.
#undef Status

namespace lumitag::platform {

namespace {

// How long a placement waits for a window that has just been made to be
// mapped and taken on by the window manager.
constexpr std::chrono::milliseconds SettleBound{2000};

Status noDisplay() {
    return Status::failure("no X display");
}

// A property value read with XGetWindowProperty, freed when it goes out of scope.
struct Property {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned char* data = nullptr;

    Property() = default;
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;
    ~Property() {
        if (data)
            XFree(data);
    }
};

bool readProperty(Display* display, Window window, Atom name, Atom type, Property& property) {
    unsigned long bytesAfter = 0;
    const int result = XGetWindowProperty(display, window, name, 0, 1 << 20, False, type, &property.type,
                                          &property.format, &property.count, &bytesAfter, &property.data);
    return result == Success && property.data != nullptr && property.type != None;
}

} // namespace

class X11WindowSystem::Connection {
public:
    explicit Connection(Display* openDisplay) : display(openDisplay), root(DefaultRootWindow(openDisplay)) {
        netClientList = XInternAtom(display, "_NET_CLIENT_LIST", False);
        netActiveWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
        netWmName = XInternAtom(display, "_NET_WM_NAME", False);
        netWmState = XInternAtom(display, "_NET_WM_STATE", False);
        netWmStateMaximizedVert = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
        netWmStateMaximizedHorz = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
        utf8String = XInternAtom(display, "UTF8_STRING", False);
        wmState = XInternAtom(display, "WM_STATE", False);
    }
    ~Connection() { XCloseDisplay(display); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The top-level windows: the window manager's client list, or the root's
    // children on a server without a window manager.
    std::vector<Window> topLevelWindows() {
        std::vector<Window> windows;
        Property list;
        if (readProperty(display, root, netClientList, XA_WINDOW, list) && list.format == 32) {
            const auto* ids = reinterpret_cast<const unsigned long*>(list.data);
            windows.assign(ids, ids + list.count);
            return windows;
        }
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) && children) {
            windows.assign(children, children + count);
            XFree(children);
        }
        return windows;
    }

    bool hasWindowManager() {
        Property active;
        return readProperty(display, root, netActiveWindow, XA_WINDOW, active);
    }

    Text title(Window window) {
        Property name;
        if (readProperty(display, window, netWmName, utf8String, name) && name.format == 8)
            return fromUtf8(std::string_view(reinterpret_cast<const char*>(name.data), name.count));
        XTextProperty property{};
        Text result;
        if (XGetWMName(display, window, &property) && property.value) {
            char** list = nullptr;
            int count = 0;
            if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && list) {
                if (count > 0 && list[0])
                    result = fromUtf8(list[0]);
                XFreeStringList(list);
            }
            XFree(property.value);
        }
        return result;
    }

    bool hasClass(Window window, const std::string& className) {
        XClassHint hint{};
        if (!XGetClassHint(display, window, &hint))
            return false;
        const bool matches =
            (hint.res_class && className == hint.res_class) || (hint.res_name && className == hint.res_name);
        if (hint.res_name)
            XFree(hint.res_name);
        if (hint.res_class)
            XFree(hint.res_class);
        return matches;
    }

    // The child of the root that contains the window (its top-level window).
    Window topLevelOf(Window window) {
        while (window != None && window != root) {
            Window rootReturn = 0;
            Window parent = 0;
            Window* children = nullptr;
            unsigned int count = 0;
            if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count))
                return None;
            if (children)
                XFree(children);
            if (parent == root)
                return window;
            window = parent;
        }
        return None;
    }

    // Whether the window is on screen and, under a window manager, managed
    // by it (the manager sets WM_STATE when it takes a window on).
    bool settled(Window window, bool windowManager) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, window, &attributes))
            return true; // gone: nothing to wait for
        if (attributes.map_state != IsViewable)
            return false;
        Property state;
        return !windowManager || readProperty(display, window, wmState, wmState, state);
    }

    // A window that has just been made is mapped and taken on by the window
    // manager a moment later, and then gets the manager's placement and the
    // state its program asked for (a maximised start, say): a placement made
    // before that would be lost. Waits for it, at most `bound`.
    void waitUntilSettled(Window window, bool windowManager, std::chrono::milliseconds bound) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (!settled(window, windowManager) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    bool maximized(Window window) {
        Property state;
        if (!readProperty(display, window, netWmState, XA_ATOM, state) || state.format != 32)
            return false;
        const auto* atoms = reinterpret_cast<const unsigned long*>(state.data);
        return std::any_of(atoms, atoms + state.count, [this](unsigned long atom) {
            return atom == netWmStateMaximizedVert || atom == netWmStateMaximizedHorz;
        });
    }

    void unmaximize(Window window) {
        constexpr long removeState = 0;
        sendToRoot(window, netWmState, removeState, static_cast<long>(netWmStateMaximizedVert),
                   static_cast<long>(netWmStateMaximizedHorz));
    }

    void sendToRoot(Window window, Atom type, long data0, long data1, long data2) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = type;
        event.xclient.format = 32;
        event.xclient.data.l[0] = data0;
        event.xclient.data.l[1] = data1;
        event.xclient.data.l[2] = data2;
        XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }

    Display* display;
    Window root;
    Atom netClientList;
    Atom netActiveWindow;
    Atom netWmName;
    Atom netWmState;
    Atom netWmStateMaximizedVert;
    Atom netWmStateMaximizedHorz;
    Atom utf8String;
    Atom wmState;
};

X11WindowSystem::X11WindowSystem() {
    if (Display* display = XOpenDisplay(nullptr))
        connection_ = std::make_unique<Connection>(display);
}

X11WindowSystem::X11WindowSystem(const std::string& displayName) {
    if (Display* display = XOpenDisplay(displayName.c_str()))
        connection_ = std::make_unique<Connection>(display);
}

X11WindowSystem::~X11WindowSystem() = default;

bool X11WindowSystem::connected() const {
    return connection_ != nullptr;
}

std::optional<WindowId> X11WindowSystem::findTopLevelWindow(TextView title, TextView className) {
    if (!connection_)
        return std::nullopt;
    XErrorTrap trap(connection_->display);
    const std::string wantedClass = toUtf8(className);
    for (Window window : connection_->topLevelWindows()) {
        if (connection_->title(window) != title)
            continue;
        if (!wantedClass.empty() && !connection_->hasClass(window, wantedClass))
            continue;
        return WindowId{window};
    }
    return std::nullopt;
}

std::optional<WindowId> X11WindowSystem::foregroundWindow() {
    if (!connection_)
        return std::nullopt;
    XErrorTrap trap(connection_->display);
    Property active;
    if (readProperty(connection_->display, connection_->root, connection_->netActiveWindow, XA_WINDOW,
                     active) &&
        active.format == 32 && active.count > 0) {
        const Window window = *reinterpret_cast<const unsigned long*>(active.data);
        if (window == None)
            return std::nullopt;
        return WindowId{window};
    }
    Window focus = None;
    int revert = 0;
    XGetInputFocus(connection_->display, &focus, &revert);
    if (focus == None || focus == PointerRoot)
        return std::nullopt;
    const Window topLevel = connection_->topLevelOf(focus);
    if (topLevel == None || trap.failed())
        return std::nullopt;
    return WindowId{topLevel};
}

Status X11WindowSystem::bringToForeground(WindowId id) {
    if (!connection_)
        return noDisplay();
    XErrorTrap trap(connection_->display);
    const auto window = static_cast<Window>(id.value);
    if (connection_->hasWindowManager()) {
        // Source indication 2 (a pager): the request comes on the user's behalf,
        // so the window manager's focus-stealing prevention lets it through.
        connection_->sendToRoot(window, connection_->netActiveWindow, 2, CurrentTime, 0);
        XRaiseWindow(connection_->display, window);
    } else {
        XRaiseWindow(connection_->display, window);
        XSetInputFocus(connection_->display, window, RevertToParent, CurrentTime);
    }
    if (trap.failed())
        return Status::failure(trap.reason("cannot bring the window to the foreground"));
    return Status::success();
}

std::optional<ScreenRect> X11WindowSystem::windowRect(WindowId id) {
    if (!connection_)
        return std::nullopt;
    XErrorTrap trap(connection_->display);
    const auto window = static_cast<Window>(id.value);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(connection_->display, window, &attributes))
        return std::nullopt;
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(connection_->display, window, connection_->root, 0, 0, &x, &y, &child))
        return std::nullopt;
    if (trap.failed())
        return std::nullopt;
    return ScreenRect{x, y, attributes.width, attributes.height};
}

Status X11WindowSystem::placeWindow(WindowId id, const ScreenRect& rect) {
    if (!connection_)
        return noDisplay();
    XErrorTrap trap(connection_->display);
    const auto window = static_cast<Window>(id.value);
    const bool windowManager = connection_->hasWindowManager();
    connection_->waitUntilSettled(window, windowManager, SettleBound);
    // A maximised window keeps its size until the manager lets go of it.
    if (windowManager && connection_->maximized(window))
        connection_->unmaximize(window);
    // X has no empty windows; the smallest is one pixel.
    XMoveResizeWindow(connection_->display, window, rect.left, rect.top,
                      static_cast<unsigned int>(std::max(rect.width, 1)),
                      static_cast<unsigned int>(std::max(rect.height, 1)));
    if (trap.failed())
        return Status::failure(trap.reason("cannot place the window"));
    return Status::success();
}

Status X11WindowSystem::restoreWindow(WindowId id) {
    if (!connection_)
        return noDisplay();
    XErrorTrap trap(connection_->display);
    const auto window = static_cast<Window>(id.value);
    if (connection_->hasWindowManager())
        connection_->unmaximize(window);
    // Mapping an iconified window de-iconifies it.
    XMapWindow(connection_->display, window);
    if (trap.failed())
        return Status::failure(trap.reason("cannot restore the window"));
    return Status::success();
}

std::optional<bool> X11WindowSystem::windowMinimised(WindowId id) {
    if (!connection_)
        return std::nullopt;
    XErrorTrap trap(connection_->display);
    // The window manager keeps WM_STATE on the windows it manages; its first
    // value is IconicState while the window is minimised. Without a window
    // manager nothing minimises a window.
    Property state;
    const bool read = readProperty(connection_->display, static_cast<Window>(id.value), connection_->wmState,
                                   connection_->wmState, state);
    if (trap.failed())
        return std::nullopt;
    if (!read || state.format != 32 || state.count < 1)
        return false;
    return reinterpret_cast<const long*>(state.data)[0] == IconicState;
}

std::optional<ScreenPoint> X11WindowSystem::pointerPosition() {
    if (!connection_)
        return std::nullopt;
    Window rootReturn = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(connection_->display, connection_->root, &rootReturn, &child, &rootX, &rootY, &windowX,
                       &windowY, &mask))
        return std::nullopt; // the pointer is on another screen
    return ScreenPoint{rootX, rootY};
}

Status X11WindowSystem::movePointer(ScreenPoint point) {
    if (!connection_)
        return noDisplay();
    XErrorTrap trap(connection_->display);
    XWarpPointer(connection_->display, None, connection_->root, 0, 0, 0, 0, point.x, point.y);
    if (trap.failed())
        return Status::failure(trap.reason("cannot move the pointer"));
    return Status::success();
}

std::optional<bool> X11WindowSystem::capsLockOn() {
    if (!connection_)
        return std::nullopt;
    // The locked Lock modifier is what makes typed letters capitals; the
    // keyboard's indicator light follows it where the keymap has one.
    XkbStateRec state{};
    if (XkbGetState(connection_->display, XkbUseCoreKbd, &state) != Success)
        return std::nullopt;
    return (state.locked_mods & LockMask) != 0;
}

Status X11WindowSystem::toggleCapsLock() {
    if (!connection_)
        return noDisplay();
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(connection_->display, &eventBase, &errorBase, &major, &minor))
        return Status::failure("the X server has no XTEST extension");
    const KeyCode key = XKeysymToKeycode(connection_->display, XK_Caps_Lock);
    if (key == 0)
        return Status::failure("the keyboard map has no Caps Lock key");
    XErrorTrap trap(connection_->display);
    XTestFakeKeyEvent(connection_->display, key, True, CurrentTime);
    XTestFakeKeyEvent(connection_->display, key, False, CurrentTime);
    if (trap.failed())
        return Status::failure(trap.reason("cannot press Caps Lock"));
    return Status::success();
}

} // namespace lumitag::platform
