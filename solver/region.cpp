#include "solver/region.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "rules/cell_entry.h"

namespace kelvorn::solve {

namespace {
constexpr int kFacing[] = {kFaceUp, kFaceLeft, kFaceRight, kFaceDown};
constexpr int kKeys = kCells * 4;

}  // namespace

Region::Region(const GameState& s, const FloorStore& floors) {
  const int floor = s[gs::Floor];
  // What a step into each cell does, looked up when a spot beside it is first reached.
  enum Kind : std::uint8_t { kUnknown, kInert, kQuiet, kEdge };
  std::array<std::uint8_t, kCells> kind{};
  std::array<std::int8_t, kCells> side{};
  const auto lookUp = [&](std::size_t c) {
    const int cell = static_cast<int>(c);
    if (cellEntry(floor, floors.cell(floor, cell)) == CellEntry::Nothing) {
      kind[c] = kInert;
    } else if (quietStep(s, floors, cell)) {
      kind[c] = kQuiet;
      side[c] = static_cast<std::int8_t>(stairsBeside(s, floors, cell));
    } else {
      kind[c] = kEdge;
    }
  };
  std::array<int, kKeys> spotOf;
  spotOf.fill(-1);
  std::vector<std::pair<int, int>> arcs;  // (to, from) for each quiet step between spots
  arcs.reserve(4 * kCells);
  spots_.push_back({s.heroCell(), s.extra[extra::NearStairs], -1, -1});
  spotOf[static_cast<std::size_t>(key(spots_[0].cell, spots_[0].nearStairs))] = 0;
  for (std::size_t i = 0; i < spots_.size(); ++i) {
    const Spot at = spots_[i];
    for (int d = 0; d < 4; ++d) {
      const int x = cellColumn(at.cell) + kDx[d], y = cellRow(at.cell) + kDy[d];
      if (!onBoard(x, y)) continue;
      const int cell = cellIndex(x, y);
      const auto c = static_cast<std::size_t>(cell);
      if (kind[c] == kUnknown) lookUp(c);
      if (kind[c] == kInert) continue;
      if (kind[c] == kEdge) {
        edges_.push_back({static_cast<int>(i), d, cell});
        continue;
      }
      const int ns = side[c] != 0 ? side[c] : at.nearStairs;
      int& known = spotOf[static_cast<std::size_t>(key(cell, ns))];
      if (known < 0) {
        known = static_cast<int>(spots_.size());
        spots_.push_back({cell, ns, static_cast<int>(i), d});
      }
      arcs.emplace_back(known, static_cast<int>(i));
    }
  }
  // The spots from which where he stands is reached again; the least key among them
  // names the position. The arcs are grouped by the spot they enter.
  std::vector<int> first(spots_.size() + 1, 0), from(arcs.size());
  for (const auto& arc : arcs) ++first[static_cast<std::size_t>(arc.first) + 1];
  for (std::size_t i = 1; i < first.size(); ++i) first[i] += first[i - 1];
  {
    std::vector<int> fill(first.begin(), first.end() - 1);
    for (const auto& [to, by] : arcs) from[static_cast<std::size_t>(fill[static_cast<std::size_t>(to)]++)] = by;
  }
  back_.assign(spots_.size(), false);
  back_[0] = true;
  std::vector<int> todo{0};
  int least = key(spots_[0].cell, spots_[0].nearStairs);
  while (!todo.empty()) {
    const int s = todo.back();
    todo.pop_back();
    const Spot& spot = spots_[static_cast<std::size_t>(s)];
    if (const int k = key(spot.cell, spot.nearStairs); k < least) least = k, canonical_ = s;
    for (int a = first[static_cast<std::size_t>(s)]; a < first[static_cast<std::size_t>(s) + 1]; ++a)
      if (const int by = from[static_cast<std::size_t>(a)]; !back_[static_cast<std::size_t>(by)])
        back_[static_cast<std::size_t>(by)] = true, todo.push_back(by);
  }
}

GameState Region::stateAt(const GameState& from, int i) const {
  const Spot& spot = spots_[static_cast<std::size_t>(i)];
  GameState s = from;
  s[gs::HeroX] = cellColumn(spot.cell);
  s[gs::HeroY] = cellRow(spot.cell);
  s.extra[extra::NearStairs] = spot.nearStairs;
  if (spot.step >= 0) s[gs::Facing] = kFacing[spot.step];
  return s;
}

std::vector<int> Region::walkTo(int i) const {
  std::vector<int> steps;
  for (; i > 0; i = spots_[static_cast<std::size_t>(i)].parent)
    steps.push_back(spots_[static_cast<std::size_t>(i)].step);
  std::reverse(steps.begin(), steps.end());
  return steps;
}

const Region& RegionCache::of(const GameState& s, const FloorStore& floors) {
  constexpr std::size_t kKept = 1 << 12;  // some ten megabytes at most
  Key key;
  const auto record = floors.record(s[gs::Floor]);
  std::copy(record.begin() + 2, record.end(), key.cells.begin());
  key.values = {s.heroCell(), s.extra[extra::NearStairs], s[gs::Floor], s[gs::HighestFloor],
                s[gs::ShieldOwned0 + 4]};
  auto found = regions_.find(key);
  if (found == regions_.end()) {
    if (regions_.size() >= kKept) regions_.clear();
    found = regions_.emplace(key, std::make_unique<const Region>(s, floors)).first;
  }
  return *found->second;
}

std::size_t RegionCache::KeyHash::operator()(const Key& k) const {
  std::uint64_t h = 0x9e3779b97f4a7c15ull;
  const auto mix = [&](std::uint64_t w) { h = (h ^ w) * 0xff51afd7ed558ccdull, h ^= h >> 32; };
  for (std::size_t i = 0; i < k.cells.size(); i += 8) {
    std::uint64_t w = 0;
    std::memcpy(&w, k.cells.data() + i, std::min<std::size_t>(8, k.cells.size() - i));
    mix(w);
  }
  for (const std::int32_t v : k.values) mix(std::uint32_t(v));
  return static_cast<std::size_t>(h);
}

bool walksBack(const GameState& s, const FloorStore& floors, int cell, int nearStairs) {
  const int x = cellColumn(cell), y = cellRow(cell);
  const int dx = std::abs(x - s[gs::HeroX]), dy = std::abs(y - s[gs::HeroY]);
  if (dx + dy != 1 || !quietStep(s, floors, cell)) return false;
  const int side = stairsBeside(s, floors, cell);
  return (side != 0 ? side : s.extra[extra::NearStairs]) == nearStairs;
}

}  // namespace kelvorn::solve
