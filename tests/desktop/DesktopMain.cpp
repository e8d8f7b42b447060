// The desktop checks: the real program beside a real LibreOffice Calc on a
// virtual X display of their own, driven with xdotool as a person would.
//
//     desktop_checks [--no-window-manager] [GoogleTest flags]
//
// With openbox as the window manager unless told otherwise; exits with 77
// (skipped) where Xvfb, openbox, xdotool or LibreOffice is not installed.
#include "DesktopChecks.h"
#include "DesktopSession.h"
#include "qt/UiFont.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    using namespace lumitag::desktop;
    WindowManager manager = WindowManager::Openbox;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-window-manager") == 0)
            manager = WindowManager::None;
    }
    testing::InitGoogleTest(&argc, argv);
    // Each run checks one kind of desktop.
    const char* suite =
        manager == WindowManager::None ? "DesktopWithoutWindowManager.*" : "DesktopWithOpenbox.*";
    if (GTEST_FLAG_GET(filter) == "*")
        GTEST_FLAG_SET(filter, suite);

    if (const std::optional<std::string> missing = DesktopSession::missingPrograms(manager)) {
        std::cout << "skipped: not installed: " << *missing << '\n';
        return SkippedExitCode;
    }
    if (!officeInstalled()) {
        std::cout << "skipped: LibreOffice Calc is not installed\n";
        return SkippedExitCode;
    }

    // A home, runtime folder and office profile of their own: nothing of the
    // user's is read or written, and two runs never meet.
    char pattern[] = "/tmp/lumitag-desktop-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        std::cerr << "no temporary folder\n";
        return 1;
    }
    const std::filesystem::path work = made;
    std::filesystem::create_directories(work / "home");
    std::filesystem::create_directories(work / "runtime");
    std::filesystem::permissions(work / "runtime", std::filesystem::perms::owner_all);
    setenv("HOME", (work / "home").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (work / "runtime").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "home/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (work / "home/.local/share").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("WAYLAND_DISPLAY");

    int result = 1;
    {
        DesktopSession session(manager, outputFolder());
        if (!session.failure().empty()) {
            std::cerr << "the desktop could not be made: " << session.failure() << '\n';
        } else {
            std::cout << "desktop " << session.display()
                      << (manager == WindowManager::Openbox ? " with openbox" : " without a window manager")
                      << '\n';
            QApplication qt(argc, argv);
            lumitag::qtfront::ensureUiFontLoaded();
            setUpChecks(work, manager);
            result = RUN_ALL_TESTS();
        }
    }
    std::error_code error;
    std::filesystem::remove_all(work, error);
    return result;
}
