// What stepping into a cell does, as one table: the judge acts on it, and whoever must
// know ahead of a step whether it only moves the hero (the route search's walk, the
// board's click-to-walk) reads the same table, so the two cannot disagree.
#pragma once

#include "rules/floor_store.h"
#include "rules/game_state.h"

namespace kelvorn {

enum class CellEntry {
  Nothing,  // the hero only turns towards it
  Walk,     // plain floor: the hero walks on, then his new neighbours act (afterMoveChecks)
  KeyDoor,
  Event,
  FalseWall,
  Trigger,
  Stairs,
  Princess,
  Pickup,
  Battle,
  FinalFloor,
  Altar,
  Merchant,
  Thief,
  Fairy,
  OldMan,
};

CellEntry cellEntry(int floor, TileCode t);

// The tiles of the magicians, who cast at a hero who stops beside them.
constexpr bool magician(TileCode t) { return t >= 151 && t <= 154; }
// How many pairs of sergeants flank `cell` of the current floor (across and down), each
// halving the life of a hero who stops there without the sacred shield.
int sergeantPairs(const GameState& s, const FloorStore& floors, int cell);
// The stairs beside `cell` of the current floor when it is the highest floor reached
// (1 up, 2 down, 0 none): a hero who stops there is marked as near them (NearStairs).
int stairsBeside(const GameState& s, const FloorStore& floors, int cell);
// True when a step onto `cell` of the current floor only moves the hero there (and marks
// the stairs beside it): plain floor that no magician and no pair of sergeants guards.
bool quietStep(const GameState& s, const FloorStore& floors, int cell);

}  // namespace kelvorn
