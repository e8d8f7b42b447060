#pragma once

#include <memory>
#include <string>

namespace lumitag::platform {

// Another program on an X display, making windows for the window-system
// tests. Kept apart from the tests because Xlib's macros (None, Bool, Status)
// collide with GoogleTest's names.
class TestXClient {
public:
    explicit TestXClient(const std::string& display);
    ~TestXClient();
    TestXClient(const TestXClient&) = delete;
    TestXClient& operator=(const TestXClient&) = delete;

    bool connected() const;

    // A mapped 200 x 100 top-level window; its caption goes into
    // _NET_WM_NAME as UTF-8, or only into the old WM_NAME.
    enum class Caption { NetWmName, WmNameOnly };
    unsigned long createWindow(const std::string& title, const std::string& className, Caption caption);
    void destroyWindow(unsigned long window);
    void unmapWindow(unsigned long window);
    bool isViewable(unsigned long window);

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

} // namespace lumitag::platform
