#pragma once

#include "platform/Shell.h"

#include <chrono>
#include <string>
#include <string_view>

namespace lumitag::platform {

// "Open" through xdg-open, the desktop-neutral opener of freedesktop.org.
class XdgShell : public Shell {
public:
    struct Options {
        std::string opener = "xdg-open"; // looked up in PATH
        // How long to wait for the opener's answer. Some openers only return
        // when the opened program ends; after this the request counts as
        // handed over and the opener is left to run.
        std::chrono::milliseconds answerTimeout{5000};
    };

    XdgShell() = default;
    explicit XdgShell(Options options) : options_(std::move(options)) {}

    // xdg-open has no way to ask for a maximised window; the opened program
    // decides how it shows itself, so `show` is not passed on.
    Status openFile(const std::filesystem::path& path, WindowShow show) override;
    std::filesystem::path desktopFolder() override;

    // The desktop folder named by XDG_DESKTOP_DIR in the content of a
    // user-dirs.dirs file ("$HOME/Desktop" or an absolute path); empty when it
    // names none.
    static std::filesystem::path desktopFromUserDirs(std::string_view content,
                                                     const std::filesystem::path& home);

private:
    Options options_;
};

} // namespace lumitag::platform
