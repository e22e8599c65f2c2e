// GameRecords: what the window's undo, autosave and replay follow. They count where a
// game begins anew (a new game, a load), where it comes from outside (a load), and
// where no undo may reach back past (those, a save, a fairy's judgement, the rankings
// shown); the replay log writes down what the player does.
#pragma once

#include <cstdint>

#include "rules/replay_log.h"

namespace kelvorn {

struct GameRecords {
  std::uint64_t gamesBegun = 0;
  std::uint64_t loads = 0;
  std::uint64_t undoBarriers = 0;
  ReplayLog replay;
};

}  // namespace kelvorn
