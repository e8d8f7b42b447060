#pragma once

namespace lumitag::batch {

// `lumitag convert …`: the first argument names the command.
bool isConvertCommand(int argc, char* argv[]);

// Runs `lumitag convert` with the real files, program folder and office; no
// window system is touched. Returns the exit code.
int convertCommandMain(int argc, char* argv[]);

} // namespace lumitag::batch
