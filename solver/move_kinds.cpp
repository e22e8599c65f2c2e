#include "solver/move_kinds.h"

#include "solver/state_key.h"

namespace kelvorn::solve {

namespace {
// The values that record the story so far: the fairies met and the event flags.
constexpr int kStoryFirst = gs::EventFlags0, kStoryLast = gs::Floor32Event;
}  // namespace

bool sameButPlace(GameState a, GameState b) {
  for (const int i : {gs::HeroX, gs::HeroY, gs::Facing}) a[i] = b[i] = 0;
  a.extra[extra::NearStairs] = b.extra[extra::NearStairs] = 0;
  return a == b;
}

bool freeGain(const Snapshot& before, const Snapshot& after, int target,
              const std::vector<std::uint16_t>& changed) {
  if (target < 0 || changed.size() != 1) return false;
  const int floor = before.state[gs::Floor];
  FloorStore floors = before.floors;
  floors.setCell(floor, target, tile::Floor);
  if (floors.bytes()[changed[0]] == before.floors.bytes()[changed[0]] ||
      after.floors.bytes()[changed[0]] != floors.bytes()[changed[0]])
    return false;
  GameState rest = after.state;
  for (const int i : kMonotone) {
    if (after.state[i] < before.state[i]) return false;
    rest[i] = before.state[i];
  }
  return sameButPlace(rest, before.state);
}

bool wasted(const Snapshot& before, const Snapshot& after, const std::vector<std::uint16_t>& changed) {
  if (changed.empty() && before.state.heroCell() != after.state.heroCell()) return false;
  for (const std::uint16_t i : changed)
    if (after.floors.bytes()[i] != tile::Wall) return false;
  GameState rest = after.state;
  for (const int i : kMonotone) {
    if (after.state[i] > before.state[i]) return false;
    rest[i] = before.state[i];
  }
  return sameButPlace(rest, before.state);
}

// In 64 bits: a save may hold any count of fairies met.
long long story(const GameState& s) {
  long long n = s[gs::FairyVisits];
  for (int i = kStoryFirst; i <= kStoryLast; ++i) n += s[i] != 0;
  return n;
}

long long strength(const GameState& s) {
  return std::int64_t{s[gs::Life]} + 100 * (std::int64_t{s[gs::Offense]} + s[gs::Defense]) +
         50 * (std::int64_t{s[gs::YellowKeys]} + 2 * s[gs::BlueKeys] + 3 * s[gs::RedKeys]) +
         s[gs::Gold] / 4;
}

// The next checkpoint is reached when a fairy judges one other than the last judged at
// the start (a fairy met again judges the same one; the third comes after the fifth).
bool reached(const Game& g, const SolveRequest& request, const GameState& start) {
  switch (request.goal) {
    case Goal::Floor: return g.state[gs::Floor] == request.floor;
    case Goal::Checkpoint:
      return g.state[gs::FairyVisits] > start[gs::FairyVisits] &&
             g.state[gs::Checkpoint] != start[gs::Checkpoint];
    case Goal::Ending: return g.controls.backSideVisible;
  }
  return false;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += (out.empty() ? "" : "\n") + l;
  return out;
}

}  // namespace kelvorn::solve
