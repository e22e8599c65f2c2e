#include "solver/blockers.h"

#include <algorithm>

#include "rules/cell_entry.h"
#include "rules/fight_cost.h"
#include "rules/monsters.h"
#include "solver/region.h"

namespace kelvorn::solve {

namespace {

constexpr const char* kDoorColours[] = {"", "yellow", "blue", "red"};
constexpr const char* kDoorNames[] = {"", "Yellow door", "Blue door", "Red door"};

// The fight a step into `cell` would start, priced as the battle prices it; a 3 x 3
// body's other cells are priced as the body.
std::optional<FightCost> priceOf(const Game& game, int cell, int kind) {
  if (auto cost = game.bumpCost(cell)) return cost;
  if (kind != kind::Octopus && kind != kind::Dragon) return std::nullopt;
  return fightCost(game.state, game.monsters[kind], kind, true);
}

}  // namespace

std::vector<Blocker> blockers(const Game& game) {
  const GameState& s = game.state;
  const int floor = s[gs::Floor];
  const Region region(s, game.floors);
  std::vector<int> cells;
  for (const Region::Edge& e : region.edges()) cells.push_back(e.target);
  std::sort(cells.begin(), cells.end());
  cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
  std::vector<Blocker> found;
  bool bodySeen[kMonsterKinds] = {};
  for (const int cell : cells) {
    const TileCode t = game.floors.cell(floor, cell);
    const CellEntry entry = cellEntry(floor, t);
    if (entry == CellEntry::KeyDoor) {
      static constexpr int kKeys[] = {0, gs::YellowKeys, gs::BlueKeys, gs::RedKeys};
      if (s[kKeys[t]] <= 0) found.push_back({Blocker::Kind::Locked, cell, -1, 0, 0, t});
      continue;
    }
    if (entry != CellEntry::Battle && entry != CellEntry::FinalFloor) continue;
    const int kind = monsterKindOf(t);
    const auto cost = priceOf(game, cell, kind);
    if (!cost) continue;
    if (kind == kind::Octopus || kind == kind::Dragon) {
      if (bodySeen[kind]) continue;
      bodySeen[kind] = true;
    }
    if (!cost->canHurt)
      found.push_back({Blocker::Kind::CannotHurt, cell, kind, 0,
                       std::int64_t{game.monsters[kind].defense} * s.levelFactor(), 0});
    else if (cost->lost)
      found.push_back({Blocker::Kind::WouldKill, cell, kind, cost->damage, 0, 0});
  }
  return found;
}

std::vector<std::string> describe(const Game& game, const std::vector<Blocker>& found) {
  const GameState& s = game.state;
  // What blocks and why, each pair once with how many cells hold it.
  std::vector<std::pair<std::string, std::string>> seen;
  std::vector<int> counts;
  for (const Blocker& b : found) {
    std::pair<std::string, std::string> line;
    switch (b.kind) {
      case Blocker::Kind::CannotHurt:
        line = {std::string(game.messageText(monsterNameEntry(b.monster))),
                "he cannot hurt it (its defense " + std::to_string(b.defense) + ", his offense " +
                    std::to_string(s[gs::Offense]) + ")"};
        break;
      case Blocker::Kind::WouldKill:
        line = {std::string(game.messageText(monsterNameEntry(b.monster))),
                "the fight would kill him (it costs " + std::to_string(b.cost) + " life, he has " +
                    std::to_string(s[gs::Life]) + ")"};
        break;
      case Blocker::Kind::Locked:
        line = {kDoorNames[b.door], std::string("he has no ") + kDoorColours[b.door] + " key"};
        break;
    }
    const auto known = std::find(seen.begin(), seen.end(), line);
    if (known != seen.end()) {
      ++counts[static_cast<std::size_t>(known - seen.begin())];
    } else {
      seen.push_back(std::move(line));
      counts.push_back(1);
    }
  }
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < seen.size(); ++i)
    lines.push_back(seen[i].first +
                    (counts[i] > 1 ? " (" + std::to_string(counts[i]) + " of them)" : "") + ": " +
                    seen[i].second);
  return lines;
}

std::vector<std::string> blockedText(const Game& game) {
  const std::string floor = std::to_string(game.state[gs::Floor]);
  std::vector<std::string> lines = describe(game, blockers(game));
  if (lines.empty())
    return {"No monster or door at the edge of the hero's reach on floor " + floor +
            " stops him."};
  for (std::string& line : lines) line = "  " + line;
  lines.insert(lines.begin(), "What blocks the way on floor " + floor + ":");
  return lines;
}

}  // namespace kelvorn::solve
