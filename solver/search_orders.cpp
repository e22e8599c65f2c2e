// The search's orders: where a position stands in each, and what is new in it.
#include <algorithm>
#include <cstdlib>

#include "solver/searcher.h"

namespace kelvorn::solve {

// The search order never changes what is found to exist, only how soon.
Search::Priority Search::priority(std::size_t k, const GameState& s, std::uint32_t waste,
                                  bool flights, bool novel) const {
  if (k == kExploring) return exploring(story(s), s[gs::Floor], novel, strength(s));
  int target = 50;
  if (req_.goal == Goal::Floor) target = req_.floor;
  if (req_.goal == Goal::Checkpoint) target = kNextFairyFloor[std::clamp(s[gs::Checkpoint], 0, 5)];
  const int distance = std::abs(s[gs::Floor] - target);
  // The ending and the fairies are steps of the story: for them the position furthest
  // on in it comes first. For a floor they head straight there (chasing the story would
  // tour the tower), and the exploring order finds any story the way needs.
  return {-static_cast<long long>(waste + (flights ? 1 : 0)),
          req_.goal == Goal::Floor ? 0 : story(s), strength(s) - kFloorWeights[k] * distance,
          -distance};
}

Search::Priority Search::exploring(long long story, int floor, bool novel,
                                   long long strength) const {
  const auto seen = looked_.find(lookedKey(story, floor));
  return {story, novel ? 1 : 0, seen == looked_.end() ? 0 : -seen->second, strength};
}

bool Search::novel(const Snapshot& before, const Snapshot& after, const Cells& changed) {
  const auto level = std::uint64_t(story(after.state)) << 40;
  bool fresh = story(after.state) != story(before.state);
  const auto note = [&](std::uint64_t atom) { fresh |= atoms_.insert(level | atom).second; };
  note(std::uint64_t{1} << 32 | std::uint64_t(after.state[gs::Floor]) << 8 |
       std::uint64_t(after.state.heroCell()));
  for (const std::uint16_t i : changed)
    note(std::uint64_t(i) << 8 | after.floors.bytes()[i]);
  return fresh;
}

}  // namespace kelvorn::solve
