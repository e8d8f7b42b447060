#pragma once

#include <filesystem>

namespace lumitag::desktop {

// CTest reports a run with this exit code as skipped.
constexpr int SkippedExitCode = 77;

bool officeInstalled();
// Where screenshots and logs go: the build folder of the checks.
std::filesystem::path outputFolder();

enum class WindowManager;

// A folder of their own for the checks of this run, on this kind of desktop.
void setUpChecks(const std::filesystem::path& work, WindowManager manager);

} // namespace lumitag::desktop
