#include "DesktopProgram.h"

#include "app/TForm2.h"
#include "qt/Adapters.h"
#include "qt/FormWindow.h"
#include "qt/FrontEnd.h"

#include <unistd.h>

namespace lumitag::desktop {

namespace {

platform::calc::CalcHostOptions officeOptions(const std::filesystem::path& folder) {
    platform::calc::CalcHostOptions options;
    options.profileFolder = (folder / "calc-profile").string();
    options.pipeName = "lumitag-desktop-check-" + std::to_string(getpid());
    options.officeEndsWithHost = true;
    return options;
}

std::filesystem::path madeFolder(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

DesktopProgram::DesktopProgram(const std::filesystem::path& folder)
    : dialogs_(qtfront::makeDialogs()), clipboard_(qtfront::makeClipboard()), screen_(qtfront::makeScreen()),
      singleInstance_(madeFolder(folder / "lock")),
      // With the trailing separator, as the executable's folder is given.
      programDirectory_(madeFolder(folder / "program") / ""),
      calc_(std::make_unique<platform::calc::CalcHost>(officeOptions(folder))),
      connectWorker_(std::make_unique<sheet::ThreadConnectWorker>()),
      application_(std::make_unique<ui::Application>(*dialogs_)) {
    application_->setClipboard(clipboard_.get());
    program_ = std::make_unique<app::Program>(
        *application_, app::Services{files_, *screen_, windows_, singleInstance_, programDirectory_, *calc_,
                                     *clipboard_, shell_, inputRecorder_, *connectWorker_});
}

DesktopProgram::~DesktopProgram() {
    // In the executable's order of ending: the front end, the windows, then
    // the office (which the host kills, since it started it).
    frontEnd_.reset();
    program_.reset();
    application_.reset();
    connectWorker_.reset();
    calc_.reset();
}

bool DesktopProgram::start() {
    if (program_->start() != app::Program::Start::Running)
        return false;
    frontEnd_ = std::make_unique<qtfront::FrontEnd>(*application_);
    frontEnd_->synchronize();
    return frontEnd_->windowOf(orange()) != nullptr;
}

app::TForm2& DesktopProgram::orange() {
    return *program_->orangeWindow();
}

qtfront::FormWindow& DesktopProgram::orangeWindow() {
    return *frontEnd_->windowOf(orange());
}

} // namespace lumitag::desktop
