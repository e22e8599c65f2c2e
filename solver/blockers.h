// What stops the hero at the edge of his reach: the cells next to where he can walk
// whose entry he cannot make good use of. A monster he cannot hurt, one whose fight
// costs all his life, a door he holds no key for. Read from the rules' own table of
// what a step does (rules/cell_entry.h), the hero's reach (region.h) and the battle's
// own forecast, so it says what a step there would really do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/game.h"

namespace kelvorn::solve {

struct Blocker {
  enum class Kind { CannotHurt, WouldKill, Locked };
  Kind kind;
  int cell;
  int monster = -1;           // the monster's kind, for a monster
  std::int64_t cost = 0;      // the life the fight takes (WouldKill)
  std::int64_t defense = 0;   // the monster's defense as fought (CannotHurt)
  TileCode door = 0;          // the door's tile (Locked)
};

// The blockers at the edge of the reach of the hero of `game`, in the order of their
// cells, each 3 x 3 monster once.
std::vector<Blocker> blockers(const Game& game);

// One line of plain words for each distinct blocker, the same ones counted together:
// "Dark Knight: he cannot hurt it (its defense 210, his offense 100)".
std::vector<std::string> describe(const Game& game, const std::vector<Blocker>& found);

// The dead end's account in plain words, one line each: "What blocks the way on floor
// 12:" and the blockers, or that no monster or door at the edge of the reach stops him.
std::vector<std::string> blockedText(const Game& game);

}  // namespace kelvorn::solve
