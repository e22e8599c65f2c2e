// How a run of kelvorn-play ends, and the programs built on the driver with it (the
// solver, the soak): one set of statuses, each with the meaning `--help` prints.
#pragma once

#include <string_view>

namespace kelvorn::commands {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadCommand = 2;  // a line not understood, or a bad command line
inline constexpr int kExitNoTarget = 3;    // a click or answer with no visible, enabled target
inline constexpr int kExitNotIdle = 4;     // `wait` ran out of time
inline constexpr int kExitBadFile = 5;     // a file named on the command line cannot be used
inline constexpr int kExitInternal = 6;    // the game itself failed (a fault to report)

// A command line that cannot be used ends as a script line that is not understood.
inline constexpr int kExitUsage = kExitBadCommand;

struct ExitStatus {
  int status;
  std::string_view meaning;
};

inline constexpr ExitStatus kExitStatuses[] = {
    {kExitOk, "done"},
    {kExitBadCommand, "a line not understood, a limit met, or a bad command line"},
    {kExitNoTarget, "a click, answer or input with no visible, enabled target"},
    {kExitNotIdle, "a wait that did not end"},
    {kExitBadFile, "a file on the command line that cannot be used"},
    {kExitInternal, "the game itself failed (an internal error: please report it)"},
};

}  // namespace kelvorn::commands
