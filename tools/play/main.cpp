// kelvorn-play: runs Kelvorn by its rules alone, without a window or any drawing, and
// plays a script of commands.
#include "tools/play/command_line.h"

int main(int argc, char** argv) { return kelvorn::play::runCommandLine(argc, argv, nullptr); }
