// The floor checker: the built-in rules cover every floor, a broken copy of a finished
// floor fails with a message naming the floor and the cell at fault, and a malformed
// rule is refused with its line.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tools/floorcheck/check.h"

namespace kelvorn::floorcheck {
namespace {

std::string report(const content::FloorImage& floors, const Rules& rules, int floor) {
  std::string text;
  for (const Failure& f : checkFloors(floors, rules))
    if (f.floor == floor) text += describe(f) + "\n";
  return text;
}

TEST(FloorCheck, RulesCoverEveryFloor) {
  const Rules rules = parseRules(rulesText());
  for (int f = 0; f < content::kFloorCount; ++f) {
    int arrives = 0, starts = 0;
    for (const Rule& r : rules) {
      if (std::find(r.floors.begin(), r.floors.end(), f) == r.floors.end()) continue;
      arrives += r.check == Check::Arrives;
      starts += r.check == Check::Enters || r.check == Check::Landing;
    }
    EXPECT_EQ(arrives, 1) << "floor " << f;
    EXPECT_GE(starts, 1) << "floor " << f << " says nowhere where the hero starts";
  }
}

TEST(FloorCheck, BrokenFloorsAreNamed) {
  const Rules rules = parseRules(rulesText());
  // The finished floors 1 and 2, and a plain floor 8 that meets its rules: stairs beside
  // both arrival cells, gate 42 between its two guards.
  content::FloorImage maps = content::builtIn().floors;
  auto at = [](content::FloorImage& image, int floor, int cell) -> std::uint8_t& {
    return image[floor * content::kFloorRecordSize + 2 + cell];
  };
  for (int c = 0; c < content::kCellCount; ++c) at(maps, 8, c) = 6;
  for (const auto& [cell, code] : {std::pair{0, 12}, {5, 11}, {42, 4}, {52, 73}, {54, 73}})
    at(maps, 8, cell) = static_cast<std::uint8_t>(code);

  struct Breakage {
    const char* name;
    int floor;
    std::vector<std::pair<int, int>> cells;  // cell, code
    const char* expected;                    // a line of the report starts so
  };
  const Breakage cases[] = {
      {"a gate guard missing",
       8,
       {{52, 6}},
       "floor 8 cell 52: holds floor (6) where a monster that dies into floor belongs"},
      {"an arrival cell walled in",
       8,
       {{0, 8}, {12, 12}, {22, 8}},
       "floor 8 cell 11: the hero put here cannot reach"},
      {"a prison arrival cell walled in",
       2,
       {{88, 8}},
       "floor 2 cell 99: the hero put here cannot reach"},
      {"a guard walled up, so the bars never open",
       2,
       {{18, 8}},
       "floor 2 cell 43: nobody can stand beside this merchant"},
      {"the thief met only from column 1",
       2,
       {{69, 8}, {79, 8}},
       "floor 2 cell 68: the hero can meet this thief (21) only from"},
      {"a second orb of flying", 8, {{60, 38}}, "floor 8 cell 60: a second orb of flying"},
  };
  for (const Breakage& b : cases) {
    SCOPED_TRACE(b.name);
    ASSERT_EQ(report(maps, rules, b.floor), "");
    content::FloorImage broken = maps;
    for (const auto& [cell, code] : b.cells)
      at(broken, b.floor, cell) = static_cast<std::uint8_t>(code);
    const std::string text = report(broken, rules, b.floor);
    EXPECT_NE(("\n" + text).find(std::string("\n") + b.expected), std::string::npos) << text;
  }
}

// Walks on a walled floor 5 carved by each case: what the hero reaches decides.
TEST(FloorCheck, WalksFollowGatesLavaAndWings) {
  struct Walk {
    const char* name;
    const char* rules;
    std::vector<std::pair<int, int>> cells;  // floor 5 cell, code
    const char* expected;                    // a line of the report starts so; "" for none
  };
  const char* entry = "floor 5 enters 1 | r\n";
  const std::vector<std::pair<int, int>> corridor = {{0, 12}, {1, 6}, {2, 6}, {3, 6},
                                                     {4, 73}, {5, 4}, {6, 11}};
  auto with = [&](std::vector<std::pair<int, int>> more) {
    std::vector<std::pair<int, int>> all = corridor;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  const Walk cases[] = {
      {"a gate opens once its guard can be fought", "floor 5 opens 5 after 4 | r", corridor, ""},
      {"a gate whose guard is a wall stays shut", "floor 5 opens 5 after 4 | r", with({{4, 8}}),
       "floor 5 cell 1: the hero put here cannot reach the stairs up on cell 6"},
      {"a gate no rule opens stays shut", "floor 5 cell 5 is 4 | r", corridor,
       "floor 5 cell 1: the hero put here cannot reach the stairs up on cell 6"},
      {"a princess behind lava is met once it cools", "floor 5 opens 5 after 4 | r",
       with({{13, 13}, {24, 27}}), ""},
      {"a princess behind a wall is not", "floor 5 opens 5 after 4 | r", with({{24, 27}}),
       "floor 5 cell 24: nobody can stand beside this princess (27)"},
      {"lava alone stops the way", "floor 5 opens 5 after 4 | r", with({{2, 13}}),
       "floor 5 cell 1: the hero put here cannot reach the stairs up on cell 6"},
      {"a character answers only its columns", "floor 5 code 25 met only from column 2 | r",
       with({{13, 25}, {12, 6}, {23, 6}, {24, 6}}),
       "floor 5 cell 13: the hero can also meet this old man (25) from cell 12, outside column 2"},
      {"a trap walk that must stay shut", "floor 5 without 3 misses 5 | r\nfloor 5 misses 5 | r",
       corridor, "floor 5 cell 5: within the hero's reach from cell 1"},
      {"wings need a cell to land on", "floor 6 landing from floor 5 reaches 60 | r", corridor,
       "floor 6: no cell is floor here where the hero can stand on floor 5"},
  };
  for (const Walk& w : cases) {
    SCOPED_TRACE(w.name);
    content::FloorImage maps{};
    for (int f = 0; f < content::kFloorCount; ++f)
      for (int c = 0; c < content::kCellCount; ++c) maps[f * content::kFloorRecordSize + 2 + c] = 8;
    for (const auto& [cell, code] : w.cells)
      maps[5 * content::kFloorRecordSize + 2 + cell] = static_cast<std::uint8_t>(code);
    const Rules rules = parseRules(std::string(entry) + w.rules + "\n");
    std::string text;
    for (const Failure& f : checkFloors(maps, rules)) text += describe(f) + "\n";
    if (*w.expected == 0)
      EXPECT_EQ(text, "");
    else
      EXPECT_NE(("\n" + text).find(std::string("\n") + w.expected), std::string::npos) << text;
  }
}

TEST(FloorCheck, MalformedRulesNameTheirLine) {
  const struct {
    const char* text;
    int line;
  } cases[] = {
      {"floor 3 cell 92 is 7\n", 1},         {"# floor 3\n\nfloor 51 count 7 is 1 | x\n", 3},
      {"floor 3 cell 92 is | x\n", 1},       {"floor 3 sum of 1,2 is 5 | x\n", 1},
      {"floor 3 row 0 is 1 2 3 | x\n", 1},   {"floor 3 opens 5-2 | x\n", 1},
      {"floor 3 once 5 reaches 7 | x\n", 1}, {"floor 3 cell 1 is 6 at once | x\n", 1},
      {"floor 3 cell 1 is 6 |\n", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      parseRules(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const content::ParseError& e) {
      EXPECT_EQ(e.line(), c.line) << e.what();
    }
  }
}

}  // namespace
}  // namespace kelvorn::floorcheck
