// Checks the initial maps of the building against the floor rules.
//
// Reachability: the hero starts on a floor's arrival cells (the cells an `enters` rule
// names, or, on the floors reached only by the wings, the landing cells). From there
// he walks through passable cells (see reach.h); a cell the play opens (an `opens` rule:
// a gate whose guards fall, a wall a scene breaks, a character who leaves) counts as
// passable once every cell after its `after` list can be reached, so a gate is passed
// only when its guards can be. Lava is a wall, except when asking whether a character
// can be met: the snow crystal cools it, so a princess behind lava is still met.
// Stairs and characters are reached from a cell beside them.
//
// Besides the rules, every floor with arrival cells is held to these:
// - each arrival cell is floor, and from it every stairs cell and every other arrival
//   cell of the floor can be reached;
// - every character, altar and princess has a cell beside it within the hero's reach
//   (in the columns its rule names, where a rule names columns).
#pragma once

#include <string>
#include <vector>

#include "content/tables.h"
#include "tools/floorcheck/rules.h"

namespace kelvorn::floorcheck {

struct Failure {
  int floor = 0;
  std::vector<int> cells;  // the cells at fault; empty when none can be named
  std::string what;        // what is wrong
  std::string why;         // why it matters
};

// "floor F cell C: what (why)".
std::string describe(const Failure& failure);

// Every failure on every floor, ordered by floor and then by rule.
std::vector<Failure> checkFloors(const content::FloorImage& floors, const Rules& rules);

}  // namespace kelvorn::floorcheck
