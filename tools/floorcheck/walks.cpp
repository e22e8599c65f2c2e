// The checks that walk the floor: where the hero is put, where the wings set him down,
// the paths the rules ask about, and the characters he must be able to stand beside.
#include <algorithm>

#include "rules/floor_store.h"
#include "tools/floorcheck/model.h"
#include "tools/floorcheck/names.h"

namespace kelvorn::floorcheck {

namespace {

constexpr int kCharacters[] = {tile::AltarCentre, tile::Merchant, tile::Thief, tile::OldMan,
                               tile::Princess};

// Starts grouped by the region each reaches: every start of a group reaches the same.
struct Group {
  std::vector<int> starts;
  CellSet region;
};
std::vector<Group> groups(const CellSet& open, const std::vector<int>& starts) {
  std::vector<Group> out;
  for (const int s : starts) {
    auto same = std::find_if(out.begin(), out.end(), [&](const Group& g) { return g.region[s]; });
    if (same != out.end()) {
      same->starts.push_back(s);
    } else {
      out.push_back({{s}, region(open, {s})});
    }
  }
  return out;
}

std::string fromWhere(const std::vector<int>& starts) { return "from " + cellList(starts); }

// "the stairs down on cell 12", "cell 60 with lucky gold (50)".
std::string target(const Board& board, int cell) {
  const int code = board[cell];
  if (code == tile::StairsUp || code == tile::StairsDown)
    return std::string(code == tile::StairsUp ? "the stairs up" : "the stairs down") + " on cell " +
           std::to_string(cell);
  const std::string plain = "cell " + std::to_string(cell);
  return code == tile::Floor ? plain : plain + " with " + codeName(code);
}

std::string targets(const Board& board, const std::vector<int>& cells) {
  std::string out;
  for (std::size_t i = 0; i < cells.size(); ++i)
    out += (i == 0 ? "" : i + 1 == cells.size() ? " or " : ", ") + target(board, cells[i]);
  return out;
}

}  // namespace

void checkEntries(const Model& m, const Rule& r, std::vector<Failure>& out) {
  for (const int e : r.cells)
    if (m.board[e] != tile::Floor)
      fail(out, m.floor, {e},
           "the hero is put here, but it holds " + codeName(m.board[e]) + " instead of floor (6)",
           r.reason);
  std::vector<int> wanted = m.stairs();
  wanted.insert(wanted.end(), r.cells.begin(), r.cells.end());
  for (const Group& g : groups(m.open, r.cells)) {
    std::vector<int> missing;
    for (const int w : wanted)
      if (!reached(g.region, w)) missing.push_back(w);
    if (!missing.empty())
      fail(out, m.floor, g.starts, "the hero put here cannot reach " + targets(m.board, missing),
           r.reason);
  }
}

void checkLanding(const Model& m, const std::vector<Model>& all, const Rule& r,
                  std::vector<Failure>& out) {
  const std::vector<int> landings = landingCells(m, all, r.after);
  if (landings.empty()) {
    fail(out, m.floor, {},
         "no cell is floor here where the hero can stand on floor " + numberList(r.after) +
             ", so the wings have nowhere to set him down",
         r.reason);
    return;
  }
  std::vector<int> wanted = r.path.targets;
  if (r.path.stairs) {
    const std::vector<int> stairs = m.stairs();
    wanted.insert(wanted.end(), stairs.begin(), stairs.end());
  }
  for (const Group& g : groups(m.open, landings)) {
    std::vector<int> missing;
    for (const int w : wanted)
      if (!reached(g.region, w)) missing.push_back(w);
    if (!missing.empty())
      fail(out, m.floor, g.starts,
           "the wings can set the hero down here, but from here he cannot reach " +
               targets(m.board, missing),
           r.reason);
  }
}

void checkPath(const Model& m, const Rule& r, std::vector<Failure>& out) {
  const Path& p = r.path;
  Board board = m.board;
  std::string how;
  auto note = [&](const std::string& s) { how += (how.empty() ? "" : ", ") + s; };
  for (const auto& [cell, code] : p.once) {
    board[cell] = static_cast<std::uint8_t>(code);
    note("cell " + std::to_string(cell) + " turned to " + codeName(code));
  }
  Passage passage = m.passage;
  passage.keys = !p.noKeys;
  passage.defenseBelow = p.defenseBelow;
  CellSet open = passableCells(board, passage);
  for (const int w : p.without) open[w] = false;
  if (!p.without.empty()) note(cellList(p.without) + " shut");
  if (p.noKeys) note("no key");
  if (p.defenseBelow > 0)
    note("fighting only monsters of defense below " + std::to_string(p.defenseBelow));

  std::vector<int> wanted = p.targets;
  if (p.stairs)
    for (int c = 0; c < kCells; ++c)
      if (board[c] == tile::StairsUp || board[c] == tile::StairsDown) wanted.push_back(c);
  const std::string context = how.empty() ? "" : " (" + how + ")";
  for (const Group& g : groups(open, p.from.empty() ? m.seeds() : p.from)) {
    std::vector<int> wrong;
    for (const int w : wanted)
      if (reached(g.region, w) == p.misses) wrong.push_back(w);
    if (wrong.empty()) continue;
    fail(out, m.floor, wrong,
         p.misses ? "within the hero's reach " + fromWhere(g.starts) + context
                  : "out of the hero's reach " + fromWhere(g.starts) + context,
         r.reason);
  }
}

namespace {
// The cells beside `cell` the hero can stand on.
std::vector<int> standing(const Model& m, int cell) {
  std::vector<int> out;
  for (const int n : neighbours(cell))
    if (m.reachLava[n] && m.openLava[n]) out.push_back(n);
  return out;
}

std::vector<int> columnsOf(const std::vector<int>& cells) {
  std::vector<int> out;
  for (const int c : cells) out.push_back(cellColumn(c));
  return out;
}

bool inColumns(int cell, const std::vector<int>& columns) {
  return std::find(columns.begin(), columns.end(), cellColumn(cell)) != columns.end();
}

std::vector<int> subjectCells(const Model& m, const Rule& r) {
  if (r.cell >= 0) return {r.cell};
  std::vector<int> out;
  for (int c = 0; c < kCells; ++c)
    if (m.board[c] == r.codes.front()) out.push_back(c);
  return out;
}
}  // namespace

void checkMet(const Model& m, const Rule& r, std::vector<Failure>& out) {
  const std::string cols =
      "column" + std::string(r.columns.size() == 1 ? " " : "s ") + numberList(r.columns);
  for (const int c : subjectCells(m, r)) {
    // A cell that lost its character or trigger is reported by the rule that names it.
    const int code = m.board[c];
    if (code != tile::Trigger &&
        std::find(std::begin(kCharacters), std::end(kCharacters), code) == std::end(kCharacters))
      continue;
    const std::vector<int> beside = standing(m, c);
    std::vector<int> in, outside;
    for (const int b : beside) (inColumns(b, r.columns) ? in : outside).push_back(b);
    const std::string who = codeName(code);
    if (beside.empty()) {
      fail(out, m.floor, {c}, "nobody can stand beside this " + who, r.reason);
    } else if (r.check == Check::NotMetFrom && !in.empty()) {
      fail(out, m.floor, {c},
           "the hero can meet this " + who + " from " + cellList(in) + " in " + cols +
               ", where he must not",
           r.reason);
    } else if (r.check == Check::NotMetFrom && outside.empty()) {
      fail(out, m.floor, {c}, "the hero can meet this " + who + " only in " + cols, r.reason);
    } else if (r.check == Check::MetFrom && in.empty()) {
      fail(out, m.floor, {c},
           "the hero can meet this " + who + " only from " + cellList(beside) + " (column " +
               numberList(columnsOf(beside)) + "), none in " + cols,
           r.reason);
    } else if (r.check == Check::MetFrom && r.only && !outside.empty()) {
      fail(
          out, m.floor, {c},
          "the hero can also meet this " + who + " from " + cellList(outside) + ", outside " + cols,
          r.reason);
    }
  }
}

void checkCharacters(const Model& m, const Rules& rules, std::vector<Failure>& out) {
  if (m.seeds().empty()) return;
  for (int c = 0; c < kCells; ++c) {
    const int code = m.board[c];
    if (std::find(std::begin(kCharacters), std::end(kCharacters), code) == std::end(kCharacters))
      continue;
    const bool named = std::any_of(rules.begin(), rules.end(), [&](const Rule& r) {
      return (r.check == Check::MetFrom || r.check == Check::NotMetFrom) &&
             std::find(r.floors.begin(), r.floors.end(), m.floor) != r.floors.end() &&
             (r.cell == c || (r.cell < 0 && r.codes.front() == code));
    });
    if (!named && standing(m, c).empty())
      fail(out, m.floor, {c}, "nobody can stand beside this " + codeName(code),
           "a character, altar or princess nobody can reach never answers");
  }
}

std::vector<int> landingCells(const Model& m, const std::vector<Model>& all,
                              const std::vector<int>& from) {
  std::vector<int> out;
  for (int c = 0; c < kCells; ++c)
    if (m.board[c] == tile::Floor && std::any_of(from.begin(), from.end(), [&](int f) {
          return all[f].reach[c] && all[f].open[c];
        }))
      out.push_back(c);
  return out;
}

std::vector<int> Model::seeds() const {
  std::vector<int> out = entries;
  out.insert(out.end(), landings.begin(), landings.end());
  return out;
}

std::vector<int> Model::stairs() const {
  std::vector<int> out;
  for (int c = 0; c < kCells; ++c)
    if (board[c] == tile::StairsUp || board[c] == tile::StairsDown) out.push_back(c);
  return out;
}

}  // namespace kelvorn::floorcheck
