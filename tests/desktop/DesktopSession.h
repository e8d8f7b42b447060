#pragma once

#include "ChildProcess.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace lumitag::desktop {

enum class WindowManager { Openbox, None };

// A desktop of its own for the checks: an Xvfb server on a display number
// it picks itself, 1366 x 768 like a small laptop, with openbox as the window
// manager or with none. It sets DISPLAY for this process and what it starts.
// Everything it started ends with it.
class DesktopSession {
public:
    // What is missing on this machine for such a desktop; nothing when it
    // can be made.
    static std::optional<std::string> missingPrograms(WindowManager manager);

    DesktopSession(WindowManager manager, const std::filesystem::path& logFolder);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Empty when the desktop is ready; otherwise why not.
    const std::string& failure() const { return failure_; }
    const std::string& display() const { return display_; }
    WindowManager windowManager() const { return manager_; }

private:
    bool startServer(const std::filesystem::path& logFolder);
    bool startWindowManager(const std::filesystem::path& logFolder);

    WindowManager manager_;
    std::string display_;
    std::string failure_;
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> windowManager_;
};

} // namespace lumitag::desktop
