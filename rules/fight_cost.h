// What a fight costs: the one count of blows behind the battle itself, the orb of the
// hero's forecast, and the figures the window shows over the board. The cross and the
// Dragon Slayer double the hero's blow in a battle, but the forecast counts without them;
// the cannot-hurt test always ignores them.
#pragma once

#include <cstdint>

#include "rules/game_state.h"
#include "rules/monsters.h"

namespace kelvorn {

struct FightCost {
  bool canHurt = false;          // the plain Offense passes the monster's defence
  std::int64_t strikes = 0;      // the hero's blows to kill (0 when he cannot hurt)
  std::int64_t monsterBlow = 0;  // life one monster blow takes; 0 or less takes none
  std::int64_t damage = 0;       // the life the hero loses when he strikes first
  bool lost = false;             // he can hurt it, but the damage is his whole life or more
};

// Whether the cross or the Dragon Slayer doubles the hero's blow against a kind.
bool blowDoubled(int kind, const GameState& state);

// The fight against one monster of `kind` with the stats of `row`, the hero striking
// first; `withDoubling` says whether the cross and the Dragon Slayer count.
FightCost fightCost(const GameState& state, const MonsterStats& row, int kind, bool withDoubling);

}  // namespace kelvorn
