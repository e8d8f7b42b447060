#include "platform/linux/X11InputRecorder.h"

#include "platform/linux/XErrorTrap.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>
#include <bitset>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <iostream>
#include <mutex>
#include <poll.h>
#include <thread>
#include <unistd.h>

// Xlib names its int result type "Status"; the program has a Status of its own.
#undef Status

namespace lumitag::platform {

namespace {

// X's core button numbers.
constexpr int LeftButton = 1;
constexpr int RightButton = 3;

std::optional<InputEventKind> buttonEvent(int button, bool pressed) {
    if (button == LeftButton)
        return pressed ? InputEventKind::LeftButtonDown : InputEventKind::LeftButtonUp;
    if (button == RightButton)
        return pressed ? InputEventKind::RightButtonDown : InputEventKind::RightButtonUp;
    return std::nullopt;
}

} // namespace

// One recording: the control connection that owns the context, the data
// connection the server streams the events to, and the thread that reads it.
class X11InputRecorder::Recording {
public:
    // Opens both connections and the context; nothing is recorded yet.
    static Result<std::unique_ptr<Recording>> open(const char* displayName) {
        auto recording = std::unique_ptr<Recording>(new Recording);
        if (Status opened = recording->connect(displayName); !opened)
            return Result<std::unique_ptr<Recording>>::failure(opened.reason());
        return Result<std::unique_ptr<Recording>>::success(std::move(recording));
    }

    ~Recording() { stop(); }
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    Status start() {
        // No round trip on the data connection: the server answers nothing
        // but the recorded events on it until the context is disabled.
        if (!XRecordEnableContextAsync(data_, context_, &Recording::intercept,
                                       reinterpret_cast<XPointer>(this)))
            return Status::failure("the X server refused to start recording");
        XFlush(data_);
        thread_ = std::thread([this] { run(); });
        return Status::success();
    }

    std::vector<InputEvent> take() {
        const std::scoped_lock lock(mutex_);
        std::vector<InputEvent> events(queue_.begin(), queue_.end());
        queue_.clear();
        return events;
    }

private:
    Recording() = default;

    Status connect(const char* displayName) {
        control_ = XOpenDisplay(displayName);
        if (control_ == nullptr)
            return Status::failure(std::string("cannot open the X display ") +
                                   (displayName ? displayName : ""));
        const std::string name = DisplayString(control_);
        // Asked plainly first: Xlib would print a line of its own about a
        // missing extension.
        int opcode = 0;
        int firstEvent = 0;
        int firstError = 0;
        int major = 0;
        int minor = 0;
        if (!XQueryExtension(control_, "RECORD", &opcode, &firstEvent, &firstError) ||
            !XRecordQueryVersion(control_, &major, &minor))
            return Status::failure("the X display " + name + " has no RECORD extension");
        // The server streams the recorded events to a connection of their
        // own, which answers nothing else while the context is enabled.
        data_ = XOpenDisplay(name.c_str());
        if (data_ == nullptr)
            return Status::failure("cannot open a second connection to the X display " + name);
        findF1Keys();

        XRecordClientSpec clients = XRecordAllClients;
        XRecordRange* range = XRecordAllocRange();
        if (range == nullptr)
            return Status::failure("out of memory for a recording range");
        // Key presses and releases, button presses and releases, motion.
        range->device_events.first = KeyPress;
        range->device_events.last = MotionNotify;
        {
            XErrorTrap trap(control_);
            context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
            if (trap.failed())
                context_ = 0;
        }
        XFree(range);
        if (context_ == 0)
            return Status::failure("the X display " + name + " refused a recording context");

        int pipeEnds[2];
        if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
            return Status::failure(std::string("cannot make a pipe: ") + std::strerror(errno));
        wakeRead_ = pipeEnds[0];
        wakeWrite_ = pipeEnds[1];
        return Status::success();
    }

    // The key codes the keyboard map gives F1; read once, on the control
    // connection, since the data connection may not ask the server anything.
    void findF1Keys() {
        int minCode = 0;
        int maxCode = 0;
        XDisplayKeycodes(control_, &minCode, &maxCode);
        int perCode = 0;
        KeySym* map =
            XGetKeyboardMapping(control_, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode);
        if (map == nullptr)
            return;
        for (int code = minCode; code <= maxCode; ++code) {
            for (int column = 0; column < perCode; ++column) {
                if (map[(code - minCode) * perCode + column] == XK_F1)
                    f1Keys_.set(static_cast<std::size_t>(code));
            }
        }
        XFree(map);
    }

    void run() {
        pollfd watched[2] = {{ConnectionNumber(data_), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        for (;;) {
            watched[0].revents = 0;
            watched[1].revents = 0;
            if (poll(watched, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (watched[1].revents != 0)
                return; // stop() wants the thread back
            // A server that has gone away is left alone: Xlib would end the
            // process over a broken connection.
            if ((watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
                return;
            XRecordProcessReplies(data_);
            if (ended_)
                return;
        }
    }

    static void intercept(XPointer closure, XRecordInterceptData* recorded) {
        auto* self = reinterpret_cast<Recording*>(closure);
        if (recorded->category == XRecordEndOfData)
            self->ended_ = true;
        else if (recorded->category == XRecordFromServer && recorded->data_len * 4 >= sizeof(xEvent))
            self->record(*reinterpret_cast<const xEvent*>(recorded->data));
        XRecordFreeData(recorded);
    }

    void record(const xEvent& event) {
        InputEvent recorded;
        recorded.pointer = {event.u.keyButtonPointer.rootX, event.u.keyButtonPointer.rootY};
        const int detail = event.u.u.detail;
        switch (event.u.u.type & 0x7f) {
        case KeyPress:
            recorded.kind = InputEventKind::KeyDown;
            recorded.key =
                f1Keys_.test(static_cast<std::size_t>(detail)) ? RecordedKey::F1 : RecordedKey::Other;
            break;
        case ButtonPress:
        case ButtonRelease: {
            const std::optional<InputEventKind> kind =
                buttonEvent(detail, (event.u.u.type & 0x7f) == ButtonPress);
            if (!kind)
                return; // the middle button and the wheel
            recorded.kind = *kind;
            break;
        }
        case MotionNotify:
            recorded.kind = InputEventKind::MouseMove;
            break;
        default:
            return; // key releases
        }
        const std::scoped_lock lock(mutex_);
        if (queue_.size() == MaxQueuedEvents)
            queue_.pop_front();
        queue_.push_back(recorded);
    }

    void stop() {
        if (thread_.joinable()) {
            // The server ends the stream on the data connection; the thread
            // leaves at once either way, since it waits for the pipe too.
            XRecordDisableContext(control_, context_);
            XSync(control_, False);
            const char wake = 1;
            while (write(wakeWrite_, &wake, 1) < 0 && errno == EINTR) {
            }
            thread_.join();
        }
        if (data_ != nullptr)
            XCloseDisplay(data_);
        if (context_ != 0)
            XRecordFreeContext(control_, context_);
        if (control_ != nullptr)
            XCloseDisplay(control_);
        if (wakeRead_ >= 0)
            close(wakeRead_);
        if (wakeWrite_ >= 0)
            close(wakeWrite_);
        data_ = nullptr;
        control_ = nullptr;
        context_ = 0;
        wakeRead_ = wakeWrite_ = -1;
    }

    Display* control_ = nullptr;
    Display* data_ = nullptr;
    XRecordContext context_ = 0;
    std::bitset<256> f1Keys_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
    // Written by the thread inside XRecordProcessReplies, read by it after.
    bool ended_ = false;

    std::mutex mutex_;
    std::deque<InputEvent> queue_;
};

X11InputRecorder::X11InputRecorder() : fromEnvironment_(true), diagnostics_(std::cerr) {}

X11InputRecorder::X11InputRecorder(std::string displayName, std::ostream& diagnostics)
    : displayName_(std::move(displayName)), diagnostics_(diagnostics) {}

X11InputRecorder::~X11InputRecorder() = default;

Status X11InputRecorder::install() {
    if (recording_)
        return Status::success();
    const Status started = start();
    if (!started && !refusalReported_) {
        refusalReported_ = true;
        diagnostics_ << "ルミタグ: the desktop's key and mouse events cannot be recorded ("
                     << started.reason() << "); F1 and the pointer inside the spreadsheet are not followed"
                     << std::endl;
    }
    return started;
}

Status X11InputRecorder::start() {
    const char* name = nullptr;
    if (fromEnvironment_) {
        name = std::getenv("DISPLAY");
        if (name == nullptr || *name == '\0') {
            const char* wayland = std::getenv("WAYLAND_DISPLAY");
            return Status::failure(wayland != nullptr && *wayland != '\0'
                                       ? "a Wayland session without X11"
                                       : "no X display (DISPLAY is not set)");
        }
    } else {
        name = displayName_.c_str();
    }
    Result<std::unique_ptr<Recording>> opened = Recording::open(name);
    if (!opened)
        return Status::failure(opened.reason());
    std::unique_ptr<Recording> recording = std::move(opened).value();
    if (Status started = recording->start(); !started)
        return started;
    recording_ = std::move(recording);
    return Status::success();
}

void X11InputRecorder::remove() {
    recording_.reset();
}

bool X11InputRecorder::installed() const {
    return recording_ != nullptr;
}

std::vector<InputEvent> X11InputRecorder::takeEvents() {
    if (!recording_)
        return {};
    return recording_->take();
}

} // namespace lumitag::platform
