// How the solver keeps and compares positions: packed as their differences from the
// start (most moves change a few cells and values), hashed, and judged for dominance.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "solver/position.h"

namespace kelvorn::solve {

struct Hash128 {
  std::uint64_t a = 0, b = 0;
  bool operator==(const Hash128&) const = default;
};
struct Hash128Hasher {
  std::size_t operator()(const Hash128& h) const { return static_cast<std::size_t>(h.a ^ h.b); }
};

// The cells (offsets into the floors' bytes) where `a` and `b` differ, in order: a move
// changes a few of them, so they are found a word at a time.
using Cells = std::vector<std::uint16_t>;
Cells changedCells(const FloorStore& a, const FloorStore& b);

// A position as its differences from a base position, and its hashes, which read those
// differences too: every position of a search shares the base.
class Packer {
 public:
  explicit Packer(const Snapshot& base) : base_(base) {}
  // The cells in which `s` differs from the base, which the others read; each is given
  // them, or finds them itself.
  Cells changes(const Snapshot& s) const { return changedCells(base_.floors, s.floors); }
  // The changes of a position made from one with `before`, by a move that changed
  // the cells `moved`.
  Cells changesAfter(const Cells& before, const Cells& moved, const Snapshot& s) const;
  std::vector<std::uint8_t> pack(const Snapshot& s, const Cells& changes) const;
  std::vector<std::uint8_t> pack(const Snapshot& s) const { return pack(s, changes(s)); }
  Snapshot unpack(const std::vector<std::uint8_t>& packed) const;

  // Everything else the rules read, hashed: the floors, Zeno's row and every other value of the
  // state (floor, cell, highest floor, altar and purchase counts, flags) must match
  // exactly. Facing, the music track and the sound switch only change what is shown
  // and heard, and the two checksums are written only when a game is saved.
  Hash128 exactPart(const Snapshot& s, const Cells& changes) const {
    return hashOf(s, changes, false);
  }
  // The whole position, amounts included.
  Hash128 wholePosition(const Snapshot& s, const Cells& changes) const {
    return hashOf(s, changes, true);
  }
  Hash128 wholePosition(const Snapshot& s) const { return wholePosition(s, changes(s)); }

 private:
  Hash128 hashOf(const Snapshot& s, const Cells& changes, bool withAmounts) const;

  Snapshot base_;
};

// A position packed as its differences from `base` (the layout of `Packer::pack`), and
// put back over a copy of that base: a search keeps most positions as what their move
// changed.
std::vector<std::uint8_t> packAgainst(const Snapshot& base, const Snapshot& s, const Cells& changes);
void unpackOnto(Snapshot& base, const std::vector<std::uint8_t>& packed);

// A position hashed by the cells in which it differs from `reference` (and every value
// `wholePosition` reads): for comparing positions that share the reference.
Hash128 positionAgainst(const FloorStore& reference, const Snapshot& s);

// The values in which more is never worse: life, offense, defense, gold, the keys of
// each colour and the warp staff's charges.
inline constexpr std::array<int, 8> kMonotone = {gs::Life,     gs::Offense,      gs::Defense,
                                                 gs::Gold,     gs::YellowKeys,   gs::RedKeys,
                                                 gs::BlueKeys, gs::ItemSlot0 + 7};
using Amounts = std::array<std::int32_t, kMonotone.size()>;
Amounts amounts(const GameState& s);


// The positions seen so far, by exact part, each with the amounts not dominated yet.
class DominanceTable {
 public:
  // True when a position seen before has the same exact part and at least the same
  // amounts; otherwise records these amounts (dropping those they dominate).
  bool dominated(const Hash128& exact, const Amounts& a);
  // True when a position seen before has the same exact part and at least the same
  // amounts; records nothing.
  bool covered(const Hash128& exact, const Amounts& a) const;
  std::size_t size() const { return fronts_.size(); }

 private:
  std::unordered_map<Hash128, std::vector<Amounts>, Hash128Hasher> fronts_;
};

}  // namespace kelvorn::solve
