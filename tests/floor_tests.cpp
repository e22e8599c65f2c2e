// FloorStore layout, the reveal spiral, tile animation offsets, monster kinds and
// portraits, the message table, and the initial maps the game starts from.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "rules/floor_store.h"
#include "rules/messages.h"
#include "rules/monsters.h"

namespace kelvorn {
namespace {

TEST(FloorStoreLayout, CellsAndArrivalBytesSitAtFixedOffsets) {
  FloorStore store;
  const std::pair<int, int> cells[] = {{0, 0}, {0, 120}, {7, 60}, {50, 0}, {50, 120}};
  for (const auto& [floor, cell] : cells) {
    store.setCell(floor, cell, 200);
    EXPECT_EQ(store.bytes()[static_cast<std::size_t>(floor * 123 + 2 + cell)], 200);
  }
  store.bytes()[12 * 123] = 99;
  store.bytes()[12 * 123 + 1] = 11;
  EXPECT_EQ(store.upArrivalCell(12), 99);
  EXPECT_EQ(store.downArrivalCell(12), 11);
  EXPECT_EQ(store.cell(12, 0), 0);  // the header is not cell 0
  EXPECT_TRUE(arrivalCellsValid(store));
  store.bytes()[49 * 123 + 1] = 121;
  EXPECT_FALSE(arrivalCellsValid(store));
  EXPECT_THROW(store.cell(51, 0), std::out_of_range);
  EXPECT_THROW(store.setCell(0, 121, 6), std::out_of_range);
}

TEST(RevealOrder, SpiralsAnticlockwiseFromTheCornerToTheCentre) {
  const std::pair<int, int> fixed[] = {{1, 0},  {2, 11},  {11, 110}, {12, 111}, {21, 120},
                                       {22, 109}, {31, 10}, {32, 9},  {40, 1},   {41, 12},
                                       {121, 60}};
  for (const auto& [k, cell] : fixed) EXPECT_EQ(revealCell(k), cell) << "position " << k;
  std::set<int> seen;
  for (int k = 1; k <= 121; ++k) seen.insert(revealCell(k));
  EXPECT_EQ(seen.size(), 121u);
  EXPECT_EQ(*seen.begin(), 0);
  EXPECT_EQ(*seen.rbegin(), 120);
  EXPECT_THROW(revealCell(0), std::out_of_range);
  EXPECT_THROW(revealCell(122), std::out_of_range);
}

TEST(FrameOffsets, AnimatedCodesPointAtTheirSecondPicture) {
  const std::pair<int, int> cases[] = {
      {0, 0},   {6, 0},   {12, 0},  {13, 147}, {14, 147}, {15, 0},  {16, 2},   {17, 0},
      {18, 0},  {19, 1},  {20, 0},  {21, 1},   {23, 1},   {25, 1},  {26, 0},   {29, 0},
      {60, 0},  {61, 1},  {95, 1},  {97, 9},   {105, 9},  {106, 0}, {114, 0},  {115, 9},
      {123, 9}, {124, 0}, {132, 0}, {133, 1},  {157, 1},  {158, 0}, {159, 0},  {255, 0}};
  for (const auto& [code, offset] : cases)
    EXPECT_EQ(frameOffset(static_cast<TileCode>(code), false), offset) << "code " << code;
  EXPECT_EQ(frameOffset(tile::Princess, false), 1);
  EXPECT_EQ(frameOffset(tile::Princess, true), 0);  // she stands still after her scene
  EXPECT_EQ(frameOffset(61, true), 1);               // the flag concerns the princess only
}

TEST(MonsterKinds, TileCodesPortraitsAndNames) {
  const std::pair<int, int> cases[] = {
      {0, -1},   {60, -1},  {61, 0},   {62, 0},   {63, 1},   {85, 12},  {91, 15},
      {93, 16},  {95, 17},  {96, -1},  {97, 18},  {101, 18}, {104, 18}, {105, 18},
      {106, -1}, {114, -1}, {115, 19}, {122, 19}, {123, 19}, {124, -1}, {131, -1},
      {132, 19}, {133, 20}, {151, 29}, {153, 30}, {157, 32}, {158, -1}, {255, -1}};
  for (const auto& [code, k] : cases)
    EXPECT_EQ(monsterKindOf(static_cast<TileCode>(code)), k) << "code " << code;
  const std::pair<int, int> portraits[] = {{-1, 0},  {0, 60},   {17, 94},  {18, 103},
                                           {19, 121}, {20, 132}, {32, 156}, {33, 0}};
  for (const auto& [k, image] : portraits) EXPECT_EQ(portraitImage(k), image) << "kind " << k;
  const std::pair<int, int> names[] = {{-1, 93}, {0, 94}, {32, 126}, {33, 127}, {34, 93}};
  for (const auto& [k, entry] : names) EXPECT_EQ(monsterNameEntry(k), entry) << "kind " << k;
}

TEST(MonsterKinds, SergeantRowFollowsTheSealFlagAndKeepsItsGold) {
  MonsterTable table = content::builtIn().monsters;
  table.zenoRow() = {1, 2, 3, 77};
  applySergeantRow(table, 0);
  EXPECT_EQ(table[kind::Zeno], (MonsterStats{8000, 5000, 1000, 77}));
  applySergeantRow(table, 1);
  EXPECT_EQ(table[kind::Zeno], (MonsterStats{800, 500, 100, 77}));
  table.zenoRow() = {1000, 625, 125, 500};  // the final battle's override
  applySergeantRow(table, 2);
  EXPECT_EQ(table[kind::Zeno], (MonsterStats{1000, 625, 125, 500}));
  EXPECT_EQ(table[kind::Sergeant], content::builtIn().monsters[kind::Sergeant]);
}

TEST(MessageTableTest, BarCodesAndEntries) {
  const MessageTable t(content::builtIn().messages);
  EXPECT_EQ(t.size(), 268);
  EXPECT_EQ(t.entry(msg::TheName), "The Name");
  EXPECT_EQ(t.entry(-1), "");
  EXPECT_EQ(t.entry(268), "");
  EXPECT_EQ(t.barText(msg::None, "ignored"), "");
  EXPECT_EQ(t.barText(msg::Composed, "You've beat Bat 3"), "You've beat Bat 3");
  EXPECT_EQ(t.barText(msg::Composed, ""), "");
  EXPECT_EQ(t.barText(2, ""), t.entry(129));
  EXPECT_EQ(t.barText(msg::NobodySaved, ""), "Nobody saved that game yet.");
  EXPECT_EQ(t.barText(msg::Loaded, ""), "Loaded the Game.");
  EXPECT_EQ(t.barText(msg::Saved, ""), "Saved the Game.");
  EXPECT_EQ(t.barText(140, ""), t.entry(267));
}

// ---- Initial maps ----------------------------------------------------------------------

class InitialMaps : public ::testing::Test {
 protected:
  void expectFloor(int floor, const int (&rows)[11][11]) {
    for (int r = 0; r < 11; ++r)
      for (int c = 0; c < 11; ++c)
        EXPECT_EQ(floors.cell(floor, cellIndex(c, r)), rows[r][c])
            << "floor " << floor << " column " << c << " row " << r;
  }
  const FloorStore floors{content::builtIn().floors};
};

TEST_F(InitialMaps, FloorOne) {
  const int rows[11][11] = {
      {11, 6, 61, 63, 61, 6, 6, 6, 6, 6, 6},  {8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 6},
      {32, 6, 6, 1, 6, 8, 34, 29, 6, 8, 6},   {6, 77, 6, 8, 6, 8, 35, 32, 6, 8, 6},
      {8, 1, 8, 8, 6, 8, 8, 8, 1, 8, 6},      {29, 6, 6, 8, 6, 1, 67, 69, 67, 8, 6},
      {6, 79, 6, 8, 6, 8, 8, 8, 8, 8, 6},     {8, 1, 8, 8, 6, 6, 6, 6, 6, 6, 6},
      {6, 6, 6, 8, 8, 1, 8, 8, 8, 1, 8},      {32, 6, 29, 8, 29, 6, 6, 8, 6, 67, 6},
      {32, 38, 29, 8, 6, 6, 6, 8, 61, 33, 61}};
  expectFloor(1, rows);
  EXPECT_EQ(floors.cell(1, cellIndex(5, 10)), tile::Floor);  // the hero's start cell
}

TEST_F(InitialMaps, FloorTwo) {
  const int rows[11][11] = {
      {12, 6, 2, 6, 6, 6, 6, 6, 6, 6, 6},    {6, 6, 8, 8, 6, 75, 6, 75, 6, 8, 8},
      {6, 8, 8, 8, 8, 8, 6, 8, 8, 8, 8},     {6, 8, 29, 29, 8, 6, 6, 6, 8, 6, 19},
      {6, 8, 29, 6, 5, 6, 6, 6, 5, 6, 6},    {6, 8, 8, 8, 8, 6, 6, 6, 8, 8, 8},
      {6, 8, 21, 6, 8, 6, 6, 6, 8, 6, 25},   {6, 8, 6, 6, 5, 6, 6, 6, 5, 6, 6},
      {6, 8, 8, 8, 8, 6, 6, 6, 8, 8, 8},     {6, 8, 33, 33, 8, 6, 6, 6, 8, 6, 6},
      {11, 8, 33, 6, 5, 6, 6, 6, 5, 6, 6}};
  expectFloor(2, rows);
  EXPECT_EQ(floors.cell(2, cellIndex(2, 7)), tile::Floor);  // where the prison scene puts him
}

TEST_F(InitialMaps, ArrivalCellsOfEveryFloor) {
  const int arrival[51][2] = {
      {0, 1},     {1, 1},     {11, 99},   {111, 119}, {109, 99},  {111, 11},  {11, 109},
      {109, 11},  {11, 16},   {16, 99},   {99, 104},  {104, 109}, {119, 111}, {111, 119},
      {119, 104}, {104, 16},  {16, 104},  {104, 16},  {16, 11},   {11, 104},  {104, 16},
      {16, 104},  {104, 71},  {11, 21},   {111, 111}, {111, 111}, {111, 111}, {111, 119},
      {119, 111}, {99, 104},  {104, 16},  {16, 104},  {104, 9},   {9, 1},     {1, 104},
      {104, 9},   {21, 109},  {109, 1},   {1, 9},     {21, 119},  {119, 4},   {16, 104},
      {104, 1},   {11, 99},   {0, 0},     {1, 9},     {21, 109},  {119, 11},  {109, 99},
      {111, 0},   {71, 0}};
  for (int f = 0; f < 51; ++f) {
    EXPECT_EQ(floors.upArrivalCell(f), arrival[f][0]) << "floor " << f;
    EXPECT_EQ(floors.downArrivalCell(f), arrival[f][1]) << "floor " << f;
  }
}

// Maps hold frame-0 codes only (no partner picture, no fairy, nothing from 159 on);
// floors 10, 20, 30, 40 and 49 get their stairs up later, and nothing leads down to 0.
TEST_F(InitialMaps, HoldOnlyStoredCodesAndKeepTheStairsRules) {
  auto stored = [](int t) {
    const bool partner = (t >= 18 && t <= 28 && t % 2 == 0) || (t >= 62 && t <= 96 && t % 2 == 0) ||
                         (t >= 106 && t <= 114) || (t >= 124 && t <= 132) ||
                         (t >= 134 && t <= 158 && t % 2 == 0);
    return t != 0 && t != tile::Fairy && t < 159 && !partner;
  };
  for (int f = 0; f < 51; ++f) {
    const bool noStairsUp = f == 10 || f == 20 || f == 30 || f == 40 || f == 49;
    for (int c = 0; c < 121; ++c) {
      const int t = floors.cell(f, c);
      EXPECT_TRUE(stored(t) && !(noStairsUp && t == tile::StairsUp) &&
                  !(f == 0 && t == tile::StairsDown))
          << "floor " << f << " cell " << c << " code " << t;
    }
  }
}

}  // namespace
}  // namespace kelvorn
