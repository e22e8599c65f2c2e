// What the search reads off a move and a position: moves that can only help or only
// wall cells up, how far on in the story and how strong a hero is, and whether the goal
// is reached. Internal to the solver.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solver/position.h"
#include "solver/search.h"

namespace kelvorn::solve {

// The same state but for where the hero stands and looks.
bool sameButPlace(GameState a, GameState b);

// A move that only takes what lies on the cell it acts on: the cell becomes plain floor,
// no amount falls and nothing else changes but where the hero stands. `changed` holds
// the cells in which the two differ.
bool freeGain(const Snapshot& before, const Snapshot& after, int target,
              const std::vector<std::uint16_t>& changed);

// A move that only turned cells into wall (a letter of floor 23 touched) and gained
// nothing: such positions wait until every other has been tried. They are not dropped,
// since a mattock could open those walls again, so a dead end stays sound.
// A move that changed no cell but carried the hero on is not one of them: stepping
// between the magicians costs life and changes only where he stands, yet it may be the
// way on.
// `changed` holds the cells in which the two differ.
bool wasted(const Snapshot& before, const Snapshot& after, const std::vector<std::uint16_t>& changed);

// The fairies met and the event flags set: how far on in the story a position is.
long long story(const GameState& s);
// Life, and 100 for each point of offense or defense (keys and gold count a little).
long long strength(const GameState& s);

// The goal of `request` reached by `g`, from a search started at `start`.
bool reached(const Game& g, const SolveRequest& request, const GameState& start);

std::string joined(const std::vector<std::string>& lines);

}  // namespace kelvorn::solve
