// The command line of the headless driver, shared by its two programs.
#pragma once

#include "commands/driver.h"

namespace kelvorn::play {

// Parses the options, plays the script and returns the exit status; `drawing` (or null)
// draws the game as it plays.
int runCommandLine(int argc, char** argv, commands::DriverDrawing* drawing);

}  // namespace kelvorn::play
