// Where the hero can go on a floor. A cell is passable when the hero can ever stand on
// it: floor, event cells, false walls, doors (with their key), items, and monsters he
// can fight (they die into floor). Walls, gates, bars, lava (unless the snow crystal
// cools it), background, hidden triggers, characters, altars, stairs and the parts of
// the dragon that cannot be fought are not; stairs and characters are reached from a
// cell beside them.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "content/tables.h"

namespace kelvorn::floorcheck {

using Board = std::array<std::uint8_t, content::kCellCount>;
using CellSet = std::bitset<content::kCellCount>;

// How the hero moves in the walk being asked about.
struct Passage {
  bool lava = false;       // the snow crystal cools lava in his way
  bool keys = true;        // doors open
  int defenseBelow = 0;    // above 0: only monsters of lower defense can be fought
  std::vector<int> walls;  // codes that act as walls on this floor
};

// A code the hero fights when he walks into it (it has a monster kind and the judge
// starts a battle); the octopus is fought from any of its cells, the dragon only from
// its bottom middle.
bool fightable(int code);
// A single-cell monster that can be fought normally and dies into floor.
bool monsterCode(int code);
bool passable(int code, const Passage& passage);
CellSet passableCells(const Board& board, const Passage& passage);

// The up-to-four neighbours of a cell, without wrapping at the board's edges.
std::vector<int> neighbours(int cell);
// The cells the hero can walk to from `seeds` through `open` cells; a seed counts even
// when it is not open, since the hero is put there.
CellSet region(const CellSet& open, const std::vector<int>& seeds);
// In the region or beside it: a cell the hero can step on, fight, take, bump or talk to.
bool reached(const CellSet& region, int cell);

}  // namespace kelvorn::floorcheck
