// The special items as the player uses them: click the icon, confirm with "Use" where
// the item asks, and let the queued steps play. Each test builds only the cells it
// needs on an otherwise plain floor, then compares cells, stats and the message bar.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "rules/game.h"

namespace kelvorn {
namespace {

class ItemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OptionBytes options = builtInOptions();
    options[opt::Prologue] = 0;
    game.startUp(options);
    place(3, 5, 5);
  }
  // `floor` all plain floor, the hero at (x, y).
  void place(int floor, int x, int y) {
    game.state[gs::Floor] = floor;
    game.state[gs::HighestFloor] = std::max(game.state[gs::HighestFloor], floor);
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Floor);
    game.state[gs::HeroX] = x;
    game.state[gs::HeroY] = y;
  }
  void put(int x, int y, int code) {
    game.floors.setCell(game.state[gs::Floor], cellIndex(x, y), static_cast<TileCode>(code));
  }
  int at(int x, int y) const { return game.floors.cell(game.state[gs::Floor], cellIndex(x, y)); }
  void finish() {
    for (int guard = 0; guard < 100000 && game.timers.enabled(TimerId::Steps); ++guard)
      game.advance(game.timers.interval(TimerId::Steps));
  }
  // Clicks the icon, answers "Use" and plays the steps out.
  void use(int slot) {
    game.clickItem(slot);
    ASSERT_EQ(game.controls.confirmSlot, slot);
    game.pressUse();
    finish();
  }
  bool unlocked() const { return game.controls.optionsEnabled && game.controls.loadEnabled; }
  const std::string& text(int entry) const { return game.messages.entry(entry); }
  std::int32_t& slot(int s) { return game.state.itemSlot(s); }

  Game game;
};

// The cell mirrored through the centre: (2, 3) = 35 goes to 85. A blocked target still
// costs the charge, and the icon goes with the last one.
TEST_F(ItemTest, WarpStaff) {
  struct Case {
    int x, y, charges, blocker, target;
  };
  const Case cases[] = {{2, 3, 3, 0, 85},
                        {0, 0, 2, 0, 120},
                        {10, 10, 1, 0, 0},
                        {2, 3, 1, tile::Wall, 85},
                        {2, 3, 2, 61, 85}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " / " +
                 std::to_string(c.blocker));
    place(3, c.x, c.y);
    if (c.blocker) game.floors.setCell(3, c.target, static_cast<TileCode>(c.blocker));
    slot(7) = c.charges;
    game.clickItem(7);
    game.pressUse();
    // Input comes back at once, but no item starts under the warp's sound.
    EXPECT_TRUE(unlocked());
    game.clickItem(7);
    const bool another = c.blocker && c.charges > 1;  // no sound, a charge left
    EXPECT_EQ(game.controls.confirmSlot, another ? 7 : -1);
    if (another) game.pressDontUse();
    finish();
    EXPECT_EQ(slot(7), c.charges - 1);
    EXPECT_EQ(game.state.heroCell(), c.blocker ? cellIndex(c.x, c.y) : c.target);
    EXPECT_EQ(game.messageBar(), c.blocker ? text(195) : text(189));
    EXPECT_EQ(game.controls.iconVisible[7], c.charges > 1);
    EXPECT_TRUE(unlocked());
  }
}

// The same cell one floor up or down must be plain floor; floor 44 is reachable; the
// highest floor does not change; a refused wing stays in its slot. Floor 50 is shut to
// the wings until the floor-24 scene has taken the hero there once.
TEST_F(ItemTest, Wings) {
  struct Case {
    int floor, itemSlot, nextCode, expectedFloor, message, rideDone;
  };
  const Case cases[] = {{43, 8, tile::Floor, 44, 190, 0}, {45, 9, tile::Floor, 44, 191, 0},
                        {50, 8, tile::Floor, 50, 196, 1}, {0, 9, tile::Floor, 0, 197, 0},
                        {10, 8, tile::Wall, 10, 196, 0},  {10, 9, tile::StairsUp, 10, 197, 0},
                        {49, 8, tile::Floor, 49, 196, 0}, {49, 8, tile::Floor, 50, 190, 1},
                        {50, 9, tile::Floor, 49, 191, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE("floor " + std::to_string(c.floor) + " slot " + std::to_string(c.itemSlot) +
                 " ride " + std::to_string(c.rideDone));
    place(c.floor, 4, 6);
    game.state[gs::HighestFloor] = 45;
    game.state[gs::RideToFloor50] = c.rideDone;
    const int next = c.floor + (c.itemSlot == 8 ? 1 : -1);
    if (next >= 0 && next <= 50)
      game.floors.setCell(next, cellIndex(4, 6), static_cast<TileCode>(c.nextCode));
    slot(c.itemSlot) = 1;
    use(c.itemSlot);
    EXPECT_EQ(game.state[gs::Floor], c.expectedFloor);
    EXPECT_EQ(game.state.heroCell(), cellIndex(4, 6));
    EXPECT_EQ(game.state[gs::HighestFloor], 45);
    EXPECT_EQ(slot(c.itemSlot), c.expectedFloor != c.floor ? 0 : 1);
    EXPECT_EQ(game.messageBar(), text(c.message));
  }
}

// The Ball kills the destructible monsters on the four sides for their table gold, not
// multiplied by the level factor or the Lucky Gold; Zeno (91/92), the Great Magic
// Master (145/146) and the large monsters stay.
TEST_F(ItemTest, BallPaysTableGoldAndSparesBosses) {
  struct Case {
    std::array<int, 4> codes;  // below, right, left, above
    int gold;
    std::array<bool, 4> gone;
  };
  const Case cases[] = {{{61, 91, 145, 81}, 31, {true, false, false, true}},
                        {{92, 146, 133, 147}, 150, {false, false, true, true}},
                        {{101, 122, 95, tile::Wall}, 144, {false, false, true, false}},
                        {{6, 6, 6, 6}, 0, {false, false, false, false}}};
  const int xy[][2] = {{5, 6}, {6, 5}, {4, 5}, {5, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gold);
    place(3, 5, 5);
    game.state[gs::LevelBoost] = 43;
    game.state[gs::Gold] = 10;
    slot(14) = slot(6) = 1;
    for (int i = 0; i < 4; ++i) put(xy[i][0], xy[i][1], c.codes[i]);
    use(6);
    EXPECT_EQ(game.state[gs::Gold], 10 + c.gold);
    EXPECT_EQ(slot(6), 0);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(at(xy[i][0], xy[i][1]), c.gone[i] ? tile::Floor : c.codes[i]) << i;
    EXPECT_EQ(game.messageBar(), text(188) + text(200) + " " + std::to_string(c.gold) + text(201));
  }
}

// The mattock breaks the walls beside the hero (no wrapping at the edge); the super
// mattock every wall of the floor and nothing else; the magic key every yellow door and
// no blue or red one, without spending a key.
TEST_F(ItemTest, MattocksAndMagicKey) {
  place(3, 0, 1);
  for (const auto& [x, y] : {std::pair{0, 0}, {1, 1}, {0, 2}, {2, 1}, {1, 0}, {10, 0}})
    put(x, y, tile::Wall);  // (10, 0) is cell 10, "left" of cell 11 if rows wrapped
  slot(5) = 1;
  use(5);
  EXPECT_EQ(std::vector<int>({at(0, 0), at(1, 1), at(0, 2), at(2, 1), at(1, 0), at(10, 0)}),
            std::vector<int>({6, 6, 6, 8, 8, 8}));
  EXPECT_EQ(slot(5), 0);
  EXPECT_EQ(game.messageBar(), text(187));

  put(4, 7, tile::Lava);
  put(5, 7, tile::BlueDoor);
  put(6, 7, tile::FalseWall);
  game.floors.setCell(4, 0, tile::Wall);  // another floor
  slot(13) = 1;
  use(13);
  EXPECT_EQ(std::vector<int>({at(2, 1), at(1, 0), at(10, 0), at(4, 7), at(5, 7), at(6, 7)}),
            std::vector<int>({6, 6, 6, tile::Lava, tile::BlueDoor, tile::FalseWall}));
  EXPECT_EQ(game.floors.cell(4, 0), tile::Wall);
  EXPECT_EQ(slot(13), 0);
  EXPECT_EQ(game.messageBar(), text(194));

  for (const auto& [x, y] : {std::pair{0, 0}, {10, 10}, {2, 8}}) put(x, y, tile::Door);
  put(3, 8, tile::RedDoor);
  put(5, 8, tile::Gate);
  game.state[gs::YellowKeys] = 1;
  slot(12) = 1;
  use(12);
  EXPECT_EQ(std::vector<int>({at(0, 0), at(10, 10), at(2, 8), at(5, 7), at(3, 8), at(5, 8)}),
            std::vector<int>({6, 6, 6, tile::BlueDoor, tile::RedDoor, tile::Gate}));
  EXPECT_EQ(game.state[gs::YellowKeys], 1);
  EXPECT_EQ(slot(12), 0);
  EXPECT_EQ(game.messageBar(), text(193));
}

// The crystal cools the lava beside the hero, stays, and works again.
TEST_F(ItemTest, SnowCrystalWorksTwice) {
  put(5, 6, tile::Lava);
  put(4, 5, tile::Lava);
  put(7, 5, tile::Lava);
  slot(11) = 1;
  game.clickItem(11);
  game.pressDontUse();  // "Don't use" leaves everything as it was
  EXPECT_EQ(at(5, 6), tile::Lava);
  EXPECT_TRUE(unlocked());
  use(11);
  EXPECT_EQ(std::vector<int>({at(5, 6), at(4, 5), at(7, 5)}), std::vector<int>({6, 6, 13}));
  EXPECT_EQ(game.messageBar(), text(192) + text(198));
  put(5, 4, tile::Lava);
  put(6, 5, tile::Lava);
  use(11);
  EXPECT_EQ(std::vector<int>({at(5, 4), at(6, 5)}), std::vector<int>({6, 6}));
  EXPECT_EQ(slot(11), 1);
  use(11);  // nothing around: its message alone
  EXPECT_EQ(game.messageBar(), text(192));
  EXPECT_TRUE(unlocked());
}

// ---- Orb of flying -------------------------------------------------------------------

class FlightTest : public ItemTest {
 protected:
  // On `floor` (highest reached `highest`) with `stairs` right of the hero.
  void takeOff(int floor, int highest, int stairs = tile::StairsUp) {
    place(floor, 5, 5);
    game.state[gs::HighestFloor] = highest;
    put(6, 5, stairs);
    slot(2) = 1;
    game.clickItem(2);
  }
  int floor() const { return game.state[gs::Floor]; }
};

// Only beside stairs; the neighbours are looked at above, left, right, below and the
// last one with something to show decides.
TEST_F(FlightTest, OnlyBesideStairsAndTheLastNeighbourDecides) {
  slot(2) = 1;
  game.clickItem(2);
  EXPECT_FALSE(game.controls.flightVisible);
  EXPECT_EQ(game.messageBar(), "You must be near the stairs to fly!");
  EXPECT_TRUE(unlocked());
  put(4, 5, tile::StairsUp);
  put(5, 6, tile::OldMan);
  game.clickItem(2);
  EXPECT_FALSE(game.controls.flightVisible) << "the old man below decides";
  put(5, 6, tile::Floor);
  put(5, 4, tile::OldMan);
  game.clickItem(2);
  EXPECT_TRUE(game.controls.flightVisible) << "the stairs left decide";
}

// Floor 44 is skipped both ways. Down lands on the down-arrival cell (record byte 1),
// up on the up-arrival cell (byte 0); back on the highest floor the stairs he left from
// decide which.
TEST_F(FlightTest, SkipsFortyFourAndLandsOnArrivalCells) {
  takeOff(43, 46);
  game.pressFlyUp();
  EXPECT_EQ(floor(), 45);
  game.pressFlyUp();
  EXPECT_FALSE(game.controls.flightUpEnabled);
  game.pressFlyDown();
  game.pressFlyDown();
  EXPECT_EQ(floor(), 43);
  game.pressFlyOk();
  EXPECT_EQ(game.state.heroCell(), 99);  // floor 43 arrivals: 11 / 99
  finish();

  takeOff(20, 20);
  EXPECT_FALSE(game.controls.flightUpEnabled);
  game.pressFlyDown();
  game.pressFlyDown();
  game.pressFlyOk();
  EXPECT_EQ(floor(), 18);
  EXPECT_EQ(game.state.heroCell(), 11);  // floor 18 arrivals: 16 / 11
  EXPECT_EQ(game.messageBar(), text(150));
  finish();
  EXPECT_TRUE(unlocked());
  for (const int stairs : {tile::StairsUp, tile::StairsDown}) {
    takeOff(20, 20, stairs);
    game.pressFlyDown();
    game.pressFlyUp();
    game.pressFlyOk();
    EXPECT_EQ(game.state.heroCell(), stairs == tile::StairsUp ? 16 : 104);  // 104 / 16
    finish();
  }
}

// A waiting fairy on floor 25 or 49 goes unless the flight ends on her floor; OK without
// a choice changes nothing. Leaving a highest floor of 29 moves its thief.
TEST_F(FlightTest, FairiesAndTheThiefOfTwentyNine) {
  for (const int target : {30, 25, 24}) {
    game.floors.setCell(25, 71, tile::Fairy);
    game.floors.setCell(49, 16, tile::Fairy);
    takeOff(30, 30);
    while (floor() > target) game.pressFlyDown();
    game.pressFlyOk();
    finish();
    EXPECT_EQ(game.floors.cell(25, 71), target == 24 ? tile::Floor : tile::Fairy) << target;
    EXPECT_EQ(game.floors.cell(49, 16), target == 30 ? tile::Fairy : tile::Floor) << target;
  }
  game.floors.setCell(29, 27, tile::Thief);
  takeOff(29, 29, tile::StairsDown);
  game.pressFlyDown();
  game.pressFlyOk();
  EXPECT_EQ(game.floors.cell(29, 27), tile::Floor);
  EXPECT_EQ(game.floors.cell(29, 38), tile::Floor);
  EXPECT_EQ(game.floors.cell(29, 17), tile::Thief);
}

// ---- Orb of the hero: the forecast ---------------------------------------------------

class ForecastTest : public ItemTest {
 protected:
  void open() {
    slot(0) = 1;
    game.clickItem(0);
  }
};

// The first seven kinds in cell order; the octopus once (by its body cell), the dragon
// by its bottom middle cell. While open the board stands still and input is locked.
TEST_F(ForecastTest, FirstSevenKindsInCellOrder) {
  place(3, 5, 10);
  for (const auto& [cell, code] : {std::pair{5, 67},
                                   {10, 61},
                                   {12, 61},
                                   {70, 133},
                                   {80, 153},
                                   {90, 95},
                                   {100, 85},
                                   {110, 63},
                                   {120, 65}})
    game.floors.setCell(3, cell, static_cast<TileCode>(code));
  for (int i = 0; i < 9; ++i) put(4 + i % 3, 3 + i / 3, 97 + i);  // body cell 104 at 60
  for (int i = 0; i < 9; ++i) put(i % 3, 3 + i / 3, 115 + i);     // dragon, 122 at 56
  open();
  std::vector<int> kinds;
  for (const auto& row : game.dialogs.forecast) kinds.push_back(row.kind);
  EXPECT_EQ(kinds, (std::vector<int>{3, 0, 19, 18, 20, 30, 17}));
  EXPECT_EQ(game.controls.windowText, text(180));
  EXPECT_FALSE(game.timers.enabled(TimerId::Animation));
  EXPECT_FALSE(unlocked());
  game.pressForecastOk();
  EXPECT_FALSE(game.controls.forecastVisible);
  EXPECT_TRUE(game.timers.enabled(TimerId::Animation));
  EXPECT_TRUE(unlocked());
  slot(0) = 2;  // just granted: not yet usable
  game.clickItem(0);
  EXPECT_FALSE(game.controls.forecastVisible);
}

// Damage = monster blow x (hero's blows - 1), never doubled by the cross or the Dragon
// Slayer; stats and damage use the level factor.
TEST_F(ForecastTest, DamageAndStats) {
  struct Case {
    int code, offense, defense, boost, passive;  // passive: slot held, or -1
    const char* damage;
  };
  const Case cases[] = {{61, 20, 10, 0, -1, "Expected damage: 8"},
                        {61, 36, 10, 0, -1, "Expected damage: 0"},
                        {61, 1, 10, 0, -1, "Cannot be hit by you!"},
                        {89, 68, 50, 0, -1, "Cannot be hit by you!"},
                        {89, 69, 50, 0, -1, "Expected damage: 950"},
                        {95, 100, 100, 0, 3, "Expected damage: 1287"},
                        {122, 400, 300, 0, 10, "Expected damage: 2700"},
                        {61, 1000, 500, 43, -1, "Expected damage: 292"},
                        {61, 44, 0, 43, -1, "Cannot be hit by you!"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " vs " + std::to_string(c.offense));
    place(3, 5, 10);
    game.state[gs::Offense] = c.offense, game.state[gs::Defense] = c.defense;
    game.state[gs::LevelBoost] = c.boost;
    if (c.passive >= 0) slot(c.passive) = 1;
    game.floors.setCell(3, 0, static_cast<TileCode>(c.code));
    open();
    ASSERT_EQ(game.dialogs.forecast.size(), 1u);
    EXPECT_EQ(game.dialogs.forecast[0].damage, c.damage);
    if (c.code == 61 && c.boost) {
      EXPECT_EQ(game.dialogs.forecast[0].stats, "Life 1540 Offense 792 Defense 44");
    }
    game.pressForecastOk();
    if (c.passive >= 0) slot(c.passive) = 0;
  }
}

}  // namespace
}  // namespace kelvorn
