// The walk a click on the board asks for: the shortest route over the cells allowed,
// around whatever is not, and nothing when the cell cannot be reached.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/game.h"
#include "rules/walk_path.h"

namespace kelvorn {
namespace {

constexpr int U = 1, L = 2, R = 3, D = 4;

// Maps of the 11 x 11 board, row by row: '.' may be crossed, '#' may not, 'H' is the
// start and 'T' the cell asked for. Rows left out are all '.'.
struct WalkCase {
  const char* name;
  std::vector<std::string> rows;
  std::vector<int> moves;
};

TEST(WalkPathTest, ShortestWalkOverTheCellsAllowed) {
  const WalkCase cases[] = {
      {"straight along a row", {"H....T....."}, {R, R, R, R, R}},
      {"around a wall, trying up before down",
       {"...........", ".H#T.......", "..........."},
       {U, R, R, D}},
      {"the only gap in a wall",
       {"H..........", "#########.#", "T.........."},
       {R, R, R, R, R, R, R, R, R, D, D, L, L, L, L, L, L, L, L, L}},
      {"walled in", {"H#.........", "##........T"}, {}},
      {"a cell that may not be entered", {"H#........."}, {}},
      {"the hero's own cell", {"X.........."}, {}},
  };
  for (const WalkCase& c : cases) {
    int from = -1, to = -1;
    std::vector<bool> open(kCells, true);
    for (int y = 0; y < int(c.rows.size()); ++y)
      for (int x = 0; x < kBoardSide; ++x) {
        const char m = c.rows[y][x];
        if (m == 'H' || m == 'X') from = cellIndex(x, y);
        if (m == 'T' || m == 'X') to = cellIndex(x, y);
        open[cellIndex(x, y)] = m != '#';
      }
    if (to < 0) to = cellIndex(1, 0);  // the '#' beside the hero
    EXPECT_EQ(shortestWalk(from, to, [&](int cell) { return bool(open[cell]); }), c.moves)
        << c.name;
  }
}

// In the game only plain floor is crossed: a monster, a door or an item on the way is
// walked around, and a cell that is not plain floor is never walked into.
TEST(WalkPathTest, TheGameWalksOnlyOverPlainFloor) {
  OptionBytes options = builtInOptions();
  options[opt::Prologue] = 0;
  Game game;
  game.startUp(options);
  const int floor = game.state[gs::Floor] = 3;
  for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Floor);
  game.state[gs::HeroX] = 0;
  game.state[gs::HeroY] = 0;
  game.floors.setCell(floor, cellIndex(1, 0), tile::Door);
  game.floors.setCell(floor, cellIndex(0, 1), 61);  // a monster
  game.floors.setCell(floor, cellIndex(1, 1), tile::Event);
  EXPECT_EQ(game.floorWalk(cellIndex(2, 0)), std::vector<int>{}) << "shut in by non-floor";
  game.floors.setCell(floor, cellIndex(1, 1), tile::Floor);
  EXPECT_EQ(game.floorWalk(cellIndex(1, 0)), std::vector<int>{}) << "the door itself";
  game.floors.setCell(floor, cellIndex(1, 0), tile::Floor);
  EXPECT_EQ(game.floorWalk(cellIndex(2, 1)), (std::vector<int>{R, R, D}));
}

}  // namespace
}  // namespace kelvorn
