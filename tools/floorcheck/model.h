// One floor as the checker sees it: its map, where the hero is put, what the play
// opens, and which cells he can reach. Shared by the rule checks and the walk checks.
#pragma once

#include <vector>

#include "tools/floorcheck/check.h"
#include "tools/floorcheck/reach.h"

namespace kelvorn::floorcheck {

struct Model {
  int floor = 0;
  Board board{};
  int up = 0, down = 0;            // the header's arrival cells
  Passage passage;                 // with the floor's own walls (`blocks` rules)
  std::vector<int> entries;        // cells where the hero is put (`enters`)
  std::vector<int> landings;       // cells the wings can set him down on
  std::vector<const Rule*> opens;  // what the play opens
  CellSet open, openLava;          // passable or opened; the second with lava cooled
  CellSet reach, reachLava;        // where the hero can get from all his seeds

  std::vector<int> seeds() const;   // entries and landing cells
  std::vector<int> stairs() const;  // cells holding stairs
};

// The cells that are floor here and on which the hero can stand on one of the floors
// `from`: where the wings, which keep his cell, can set him down.
std::vector<int> landingCells(const Model& m, const std::vector<Model>& all,
                              const std::vector<int>& from);

// Every floor's model; landing cells come from the models of the floors flown from.
std::vector<Model> buildModels(const content::FloorImage& floors, const Rules& rules);

// Adds a failure unless the same one is already there.
void fail(std::vector<Failure>& out, int floor, std::vector<int> cells, std::string what,
          const std::string& why);

// The checks that walk: arrival cells, landing cells, rule paths, characters.
void checkEntries(const Model& m, const Rule& r, std::vector<Failure>& out);
void checkLanding(const Model& m, const std::vector<Model>& all, const Rule& r,
                  std::vector<Failure>& out);
void checkPath(const Model& m, const Rule& r, std::vector<Failure>& out);
void checkMet(const Model& m, const Rule& r, std::vector<Failure>& out);
void checkCharacters(const Model& m, const Rules& rules, std::vector<Failure>& out);

}  // namespace kelvorn::floorcheck
