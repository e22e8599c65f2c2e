// The hero's reach in a position: every cell he walks to by steps that only move him
// (the rules' own table, rules/cell_entry.h), with the stairs he last stood beside, found
// by a flood fill without playing a step; and the steps out of it into cells whose entry
// changes the game, which the search plays through the rules.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "rules/game_state.h"
#include "rules/floor_store.h"

namespace kelvorn::solve {

// The steps, by the arrow keys (up, left, right, down): where they lead.
inline constexpr int kDx[] = {0, -1, 1, 0}, kDy[] = {-1, 0, 0, 1};

class Region {
 public:
  struct Spot {
    int cell;
    int nearStairs;  // the stairs the hero is marked as near (extra::NearStairs)
    int parent;      // the spot it is first reached from (-1 for where he stands)
    int step;        // the arrow (0..3) from the parent
  };
  struct Edge {
    int spot, step, target;
  };

  Region(const GameState& s, const FloorStore& floors);

  const std::vector<Spot>& spots() const { return spots_; }
  // The steps from the spots into cells whose entry changes the game.
  const std::vector<Edge>& edges() const { return edges_; }
  // The state `s` (the one the region was found for, or one that differs from it only
  // in what the reach does not depend on) with the hero walked to spot `i` along the
  // shortest way, as the walk leaves it: his cell, the stairs he is marked as near, and
  // the way he faces.
  GameState stateAt(const GameState& s, int i) const;
  // The arrows (0..3) of the shortest walk from where he stands to spot `i`.
  std::vector<int> walkTo(int i) const;
  // True when spot `i` leads back to where he stands.
  bool returns(int i) const { return back_[static_cast<std::size_t>(i)]; }
  // The spot that names the position among those that reach each other: where he stands
  // and the spots he walks to and back from are one position.
  int canonical() const { return canonical_; }

  // The key of a spot among all: its cell and the stairs marked.
  // A save may hold any value there; only the start can, since a step marks 1 or 2.
  static int key(int cell, int nearStairs) {
    return cell * 4 + (nearStairs >= 0 && nearStairs <= 2 ? nearStairs : 3);
  }

 private:
  std::vector<Spot> spots_;
  std::vector<Edge> edges_;
  std::vector<bool> back_;
  int canonical_ = 0;
};

// The regions found lately, by all they depend on: the floor's cells, where the hero
// stands and the stairs he is marked as near, the floor, the highest floor and the
// sacred shield. Many positions of a search share them (they differ in amounts, or on
// other floors).
class RegionCache {
 public:
  const Region& of(const GameState& s, const FloorStore& floors);

 private:
  struct Key {
    std::array<std::uint8_t, kCells> cells;
    std::array<std::int32_t, 5> values;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const;
  };
  std::unordered_map<Key, std::unique_ptr<const Region>, KeyHash> regions_;
};

// True when the hero of `s` walks back onto `cell` by one quiet step with the stairs
// marked as `nearStairs`.
bool walksBack(const GameState& s, const FloorStore& floors, int cell, int nearStairs);

}  // namespace kelvorn::solve
