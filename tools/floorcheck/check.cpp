// The rules that look at cells and counts, the floors' models, and the order of the
// report.
#include "tools/floorcheck/check.h"

#include <algorithm>

#include "rules/floor_store.h"
#include "rules/monsters.h"
#include "tools/floorcheck/model.h"
#include "tools/floorcheck/names.h"

namespace kelvorn::floorcheck {

namespace {

bool applies(const Rule& r, int floor) {
  return std::find(r.floors.begin(), r.floors.end(), floor) != r.floors.end();
}

bool holds(const std::vector<int>& codes, int code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::string names(const std::vector<int>& codes) {
  std::string out;
  for (std::size_t i = 0; i < codes.size(); ++i)
    out += (i == 0 ? "" : i + 1 == codes.size() ? " or " : ", ") + codeName(codes[i]);
  return out;
}

// A cell that does something when the hero walks into it without passing: a hidden
// trigger, a character, an altar.
bool bumpable(int code) {
  return code == tile::Trigger || code == tile::AltarCentre || code == tile::Merchant ||
         code == tile::Thief || code == tile::OldMan || code == tile::Princess;
}

// The cells opened by the play, as far as they can ever be opened from the seeds.
CellSet openCells(const Model& m, bool lava) {
  Passage passage = m.passage;
  passage.lava = lava;
  const CellSet base = passableCells(m.board, passage);
  CellSet opened;
  const std::vector<int> seeds = m.seeds();
  for (bool changed = true; changed;) {
    changed = false;
    const CellSet open = base | opened;
    const CellSet reach = region(open, seeds);
    for (const Rule* r : m.opens) {
      const bool ready = std::all_of(r->after.begin(), r->after.end(), [&](int a) {
        return reached(reach, a) && (open[a] || bumpable(m.board[a]));
      });
      if (!ready) continue;
      for (const int c : r->cells)
        if (!opened[c]) opened[c] = true, changed = true;
    }
  }
  return base | opened;
}

void settle(Model& m) {
  m.open = openCells(m, false);
  m.openLava = openCells(m, true);
  m.reach = region(m.open, m.seeds());
  m.reachLava = region(m.openLava, m.seeds());
}

std::vector<int> cellsHolding(const Model& m, const std::vector<int>& codes) {
  std::vector<int> out;
  for (int c = 0; c < kCells; ++c)
    if (holds(codes, m.board[c])) out.push_back(c);
  return out;
}

void checkCount(const Model& m, const Rule& r, std::vector<Failure>& out) {
  const std::vector<int> where = cellsHolding(m, r.codes);
  const int n = static_cast<int>(where.size());
  const std::string what =
      r.codes.size() == 1 ? codeName(r.codes.front()) : "any of " + numberList(r.codes);
  const int want = r.number;
  if (r.bound == Bound::Exactly && n != want && want == 0)
    fail(out, m.floor, where, "holds " + what + ", which this floor must not hold", r.reason);
  else if ((r.bound == Bound::Exactly && n != want) || (r.bound == Bound::AtLeast && n < want) ||
           (r.bound == Bound::AtMost && n > want))
    fail(out, m.floor, n > want ? where : std::vector<int>{},
         std::to_string(n) + (n == 1 ? " cell holds " : " cells hold ") + what + ", " +
             (r.bound == Bound::Exactly   ? "exactly "
              : r.bound == Bound::AtLeast ? "at least "
                                          : "at most ") +
             std::to_string(want) + " wanted",
         r.reason);
}

void checkAltar(const Model& m, const Rule& r, std::vector<Failure>& out) {
  const std::vector<int> left = cellsHolding(m, {15}), centre = cellsHolding(m, {16}),
                         right = cellsHolding(m, {17});
  if (left.size() != 1 || centre.size() != 1 || right.size() != 1) {
    fail(out, m.floor, {},
         "one altar needs one each of codes 15, 16 and 17; found " + std::to_string(left.size()) +
             ", " + std::to_string(centre.size()) + " and " + std::to_string(right.size()),
         r.reason);
    return;
  }
  const int c = centre.front();
  const int col = cellColumn(c);
  if (col < 1 || col > 9 || left.front() != c - 1 || right.front() != c + 1)
    fail(out, m.floor, {left.front(), c, right.front()},
         "the altar's parts must stand side by side in one row: left part, centre, right part",
         r.reason);
}

void checkBeaten(const Model& m, const Rule& r, std::vector<Failure>& out) {
  const int code = m.board[r.cell];
  const std::string hero = "a hero of life " + std::to_string(r.hero[0]) + ", offense " +
                           std::to_string(r.hero[1]) + " and defense " + std::to_string(r.hero[2]);
  if (!fightable(code))
    return fail(out, m.floor, {r.cell}, "holds " + codeName(code) + ", which cannot be fought",
                r.reason);
  const content::MonsterRow& row = content::builtIn().monsters[monsterKindOf(code)];
  const std::int64_t hit = r.hero[1] - row.defense;
  if (hit <= 0)
    return fail(out, m.floor, {r.cell},
                hero + " cannot hurt the " + codeName(code) + " (defense " +
                    std::to_string(row.defense) + ")",
                r.reason);
  const std::int64_t blows = (row.life + hit - 1) / hit;
  const std::int64_t loss = (blows - 1) * std::max<std::int64_t>(0, row.offense - r.hero[2]);
  if (loss >= r.hero[0])
    fail(out, m.floor, {r.cell},
         hero + " would lose " + std::to_string(loss) + " life against the " + codeName(code),
         r.reason);
}

void checkCell(const Model& m, const Rule& r, std::vector<Failure>& out) {
  const int code = m.board[r.cell];
  const std::string has = "holds " + codeName(code);
  switch (r.check) {
    case Check::CellIs:
      if (code != r.codes.front())
        fail(out, m.floor, {r.cell}, has + " where " + codeName(r.codes.front()) + " belongs",
             r.reason);
      break;
    case Check::CellOneOf:
      if (!holds(r.codes, code))
        fail(out, m.floor, {r.cell}, has + "; it must be " + names(r.codes), r.reason);
      break;
    case Check::CellNot:
      if (holds(r.codes, code)) fail(out, m.floor, {r.cell}, has + ", which it must not", r.reason);
      break;
    case Check::CellMonster:
      if (!monsterCode(code))
        fail(out, m.floor, {r.cell}, has + " where a monster that dies into floor belongs",
             r.reason);
      break;
    case Check::CellBlocked:
      if (m.open[r.cell])
        fail(out, m.floor, {r.cell}, has + ", on which the hero can stand; it must stay shut",
             r.reason);
      break;
    default: checkBeaten(m, r, out); break;
  }
}

void checkFloorRule(const Model& m, const std::vector<Model>& all, const Rule& r,
                    std::vector<Failure>& out) {
  switch (r.check) {
    case Check::Arrives:
      if (m.up != r.cells[0] || m.down != r.cells[1])
        fail(out, m.floor, {},
             "the arrival line says " + std::to_string(m.up) + " " + std::to_string(m.down) +
                 "; it must say " + std::to_string(r.cells[0]) + " " + std::to_string(r.cells[1]),
             r.reason);
      break;
    case Check::Enters: checkEntries(m, r, out); break;
    case Check::CellIs:
    case Check::CellOneOf:
    case Check::CellNot:
    case Check::CellMonster:
    case Check::CellBlocked:
    case Check::CellBeaten: checkCell(m, r, out); break;
    case Check::MetFrom:
    case Check::NotMetFrom: checkMet(m, r, out); break;
    case Check::Count: checkCount(m, r, out); break;
    case Check::AnyHolds:
      if (std::none_of(r.cells.begin(), r.cells.end(),
                       [&](int c) { return m.board[c] == r.codes.front(); }))
        fail(out, m.floor, {},
             "none of " + cellList(r.cells) + " holds " + codeName(r.codes.front()), r.reason);
      break;
    case Check::BothHeld: {
      std::vector<int> first, second;
      for (const int c : r.cells) {
        if (m.board[c] == r.codes[0]) first.push_back(c);
        if (m.board[c] == r.codes[1]) second.push_back(c);
      }
      if (first.empty() || second.empty())
        fail(out, m.floor, {},
             cellList(r.cells) + " must hold both " + codeName(r.codes[0]) + " and " +
                 codeName(r.codes[1]),
             r.reason);
      break;
    }
    case Check::SumNot: {
      int sum = 0;
      for (const int c : r.cells) sum += m.board[c];
      if (sum == r.number)
        fail(out, m.floor, r.cells, "add up to " + std::to_string(sum) + " already", r.reason);
      break;
    }
    case Check::Altar: checkAltar(m, r, out); break;
    case Check::NoMonsters:
    case Check::Never:
      for (int c = 0; c < kCells; ++c) {
        const int code = m.board[c];
        const bool wrong = r.check == Check::Never
                               ? holds(r.codes, code)
                               : monsterKindOf(static_cast<TileCode>(code)) >= 0;
        if (wrong)
          fail(out, m.floor, {c}, "holds " + codeName(code) + ", which this floor must not hold",
               r.reason);
      }
      break;
    case Check::Row:
      for (int col = 0; col < kBoardSide; ++col) {
        const int c = cellIndex(col, r.number), want = r.cells[col];
        if (m.board[c] != want)
          fail(out, m.floor, {c},
               "holds " + codeName(m.board[c]) + "; the finished map has " + codeName(want) +
                   " here",
               r.reason);
      }
      break;
    case Check::Landing: checkLanding(m, all, r, out); break;
    case Check::Path: checkPath(m, r, out); break;
    case Check::Opens:
    case Check::Blocks:
    case Check::Unique: break;  // the first two shape the model; the last spans the building
  }
}

void checkUnique(const std::vector<Model>& all, const Rule& r, std::vector<Failure>& out) {
  const int code = r.codes.front();
  for (const Model& m : all)
    for (int c = 0; c < kCells; ++c)
      if (m.board[c] == code && !(m.floor == r.number && c == r.cell))
        fail(out, m.floor, {c},
             "a second " + codeName(code) + "; it belongs only on floor " +
                 std::to_string(r.number) + " cell " + std::to_string(r.cell),
             r.reason);
  const Model& home = all[r.number];
  if (home.board[r.cell] != code)
    fail(out, r.number, {r.cell},
         "holds " + codeName(home.board[r.cell]) + " where " + codeName(code) + " belongs",
         r.reason);
}

}  // namespace

void fail(std::vector<Failure>& out, int floor, std::vector<int> cells, std::string what,
          const std::string& why) {
  const bool known = std::any_of(out.begin(), out.end(), [&](const Failure& f) {
    return f.floor == floor && f.cells == cells && f.what == what;
  });
  if (!known) out.push_back({floor, std::move(cells), std::move(what), why});
}

std::vector<Model> buildModels(const content::FloorImage& floors, const Rules& rules) {
  std::vector<Model> all(kFloors);
  for (int f = 0; f < kFloors; ++f) {
    Model& m = all[f];
    m.floor = f;
    const std::uint8_t* record = floors.data() + f * kFloorRecordSize;
    m.up = record[0], m.down = record[1];
    std::copy(record + 2, record + kFloorRecordSize, m.board.begin());
    for (const Rule& r : rules) {
      if (!applies(r, f)) continue;
      if (r.check == Check::Enters)
        m.entries.insert(m.entries.end(), r.cells.begin(), r.cells.end());
      if (r.check == Check::Opens) m.opens.push_back(&r);
      if (r.check == Check::Blocks) m.passage.walls.push_back(r.codes.front());
    }
    settle(m);
  }
  // The wings keep the hero's cell: a floor reached by them starts where they can land.
  for (Model& m : all) {
    for (const Rule& r : rules)
      if (r.check == Check::Landing && applies(r, m.floor))
        for (const int c : landingCells(m, all, r.after))
          if (std::find(m.landings.begin(), m.landings.end(), c) == m.landings.end())
            m.landings.push_back(c);
    if (!m.landings.empty()) settle(m);
  }
  return all;
}

std::string describe(const Failure& f) {
  std::string where = "floor " + std::to_string(f.floor);
  if (!f.cells.empty()) where += " " + cellList(f.cells);
  return where + ": " + f.what + " (" + f.why + ")";
}

std::vector<Failure> checkFloors(const content::FloorImage& floors, const Rules& rules) {
  const std::vector<Model> all = buildModels(floors, rules);
  std::vector<Failure> out;
  for (const Rule& r : rules) {
    if (r.check == Check::Unique) {
      checkUnique(all, r, out);
      continue;
    }
    for (const int f : r.floors) checkFloorRule(all[f], all, r, out);
  }
  for (const Model& m : all) checkCharacters(m, rules, out);
  std::stable_sort(out.begin(), out.end(),
                   [](const Failure& a, const Failure& b) { return a.floor < b.floor; });
  return out;
}

}  // namespace kelvorn::floorcheck
