// Rules of play on hand-built floors: battles and their numbers, key doors, pickups,
// stairs, the magicians' and sergeants' magic, and the floors' reactions to a won
// battle. Each test builds only the cells it needs on an otherwise plain floor.
#include <string>
#include <vector>

#include "tests/rules_fixture.h"

namespace kelvorn {
namespace {

using namespace fixture;  // NOLINT: the rules tests' shared fixture and keys

// ---- Battles -----------------------------------------------------------------------------

// Life 1000, Offense 20, Defense 10 against a Green Slime (35/18/1, 1 gold): two blows
// of 19, one blow of 8 in between, and the gold only after the last blow.
TEST_F(RulesTest, WorkedBattleExamplePlaysBlowByBlowThenPays) {
  for (const int lucky : {0, 1}) {
    onFloor(3, 5, 5);
    hero(1000, 20, 10);
    game.state[gs::Gold] = 0;
    game.state.itemSlot(14) = lucky;
    put(6, 5, 61);
    game.keyDown(kRight);
    EXPECT_EQ(heroCell(), cellIndex(6, 5)) << "the hero steps onto the monster's cell";
    EXPECT_EQ(game.scene.monsterKind, 0);
    EXPECT_EQ(game.scene.monsterLife, 35);
    EXPECT_EQ(pendingOps(wsHeroStrike), 2);
    EXPECT_EQ(pendingOps(wsMonsterStrike), 1);
    EXPECT_NE(bar(), beat(199, "Green Slime", 1 + lucky)) << "the outcome waits for its step";
    const std::vector<std::string> expected = {"monster 16", "life 992", "monster 0", "cell 6",
                                               lucky ? "gold 2" : "gold 1"};
    EXPECT_EQ(trace(6, 5), expected) << "lucky " << lucky;
    finish();
    EXPECT_EQ(bar(), beat(199, "Green Slime", 1 + lucky));
  }
}

TEST_F(RulesTest, OneBlowKillsWithoutAFullRound) {
  hero(1000, 100, 10);
  put(6, 5, 61);
  game.keyDown(kRight);
  EXPECT_EQ(pendingOps(wsHeroStrike), 1);
  EXPECT_EQ(pendingOps(wsMonsterStrike), 0);
  finish();
  EXPECT_EQ(game.state[gs::Life], 1000);
  EXPECT_EQ(game.state[gs::Gold], 1);
  EXPECT_EQ(at(6, 5), tile::Floor);
}

// The hero must out-strike the monster's defence: at equality he is refused, costs
// nothing and does not move; one point more and he fights.
TEST_F(RulesTest, CannotHurtAtEqualityIsRefusedWhereHeStands) {
  for (const int offense : {1, 2}) {
    onFloor(3, 5, 5);
    hero(1000, offense, 100);
    put(6, 5, 61);  // defence 1
    game.keyDown(kRight);
    if (offense == 1) {
      EXPECT_EQ(bar(), text(217));
      EXPECT_EQ(game.stack.count(), 0);
      EXPECT_EQ(heroCell(), cellIndex(5, 5));
      finish();
      EXPECT_TRUE(game.controls.optionsEnabled) << "the empty script unlocks input";
      EXPECT_EQ(at(6, 5), 61);
    } else {
      EXPECT_EQ(heroCell(), cellIndex(6, 5));
      finish();
      EXPECT_EQ(at(6, 5), tile::Floor);
    }
  }
}

// The cross doubles the blow against a Vampire (444/199/66) but the refusal test looks
// at the plain Offense: 60 is refused although 120 would hurt; 67 hits for 68.
TEST_F(RulesTest, CrossDoublesTheBlowButNotTheRefusal) {
  game.state.itemSlot(3) = 1;
  hero(1000, 60, 100);
  put(6, 5, 95);
  game.keyDown(kRight);
  EXPECT_EQ(bar(), text(217));
  EXPECT_EQ(heroCell(), cellIndex(5, 5));
  finish();

  game.state[gs::Offense] = 67;
  game.keyDown(kRight);
  EXPECT_EQ(pendingOps(wsHeroStrike), 7);  // ceil(444 / 68)
  const auto events = trace(6, 5);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), "monster 376");
  EXPECT_EQ(game.state[gs::Life], 1000 - 6 * 99);
  EXPECT_EQ(game.state[gs::Gold], 144);
}

// The Dragon fights only at its bottom middle cell; the Dragon Slayer doubles the blow
// (300 x 2 - 250 = 350: five blows instead of thirty) and the whole body is cleared.
TEST_F(RulesTest, DragonFightsAtItsBodyCellAndTheSlayerDoubles) {
  for (const int slayer : {0, 1}) {
    restart();
    hero(1000, 300, 600);  // the Dragon's 600 offense does no harm
    game.state.itemSlot(10) = slayer;
    for (int i = 0; i < 9; ++i) put(4 + i % 3, 2 + i / 3, 115 + i);
    game.state[gs::HeroX] = 4;
    game.keyDown(kUp);  // code 121, an outer cell
    EXPECT_EQ(game.stack.count(), 0);
    EXPECT_EQ(heroCell(), cellIndex(4, 5));
    game.state[gs::HeroX] = 5;
    game.keyDown(kUp);  // code 122
    EXPECT_EQ(pendingOps(wsMonsterStrike), slayer ? 4 : 29);
    finish();
    for (int i = 0; i < 9; ++i) EXPECT_EQ(at(4 + i % 3, 2 + i / 3), tile::Floor) << i;
    EXPECT_EQ(game.state[gs::Gold], 800);
    EXPECT_EQ(game.state[gs::Life], 1000);
  }
}

// Life equal to the expected damage loses: the hero dies in the last round and the
// game-over question follows; one more point of life wins with 1 left.
TEST_F(RulesTest, LifeEqualToTheDamageLoses) {
  for (const int life : {8, 9}) {
    restart();
    hero(life, 20, 10);
    game.state[gs::Gold] = 0;
    put(6, 5, 61);
    game.keyDown(kRight);
    finish();
    if (life == 8) {
      EXPECT_EQ(game.state[gs::Life], 0);
      ASSERT_TRUE(game.question);
      EXPECT_EQ(game.question->kind, QuestionKind::TryAgain);
      EXPECT_EQ(at(6, 5), 61) << "the monster keeps its cell";
      EXPECT_EQ(game.state[gs::Gold], 0);
    } else {
      EXPECT_FALSE(game.question);
      EXPECT_EQ(game.state[gs::Life], 1);
      EXPECT_EQ(game.state[gs::Gold], 1);
    }
  }
}

// The Giant Octopus (gold 100): an outer cell clears only itself for half the gold and
// says "some of"; the body cell clears all nine for the full gold. The Lucky Gold
// doubles what is added, and the message tells the doubled amount.
TEST_F(RulesTest, OctopusOuterCellPaysHalfAndTheBodyClearsAll) {
  for (const int lucky : {0, 1}) {
    onFloor(15, 3, 3);
    hero(10000, 2000, 1000);
    game.state[gs::Gold] = 0;
    game.state.itemSlot(14) = lucky;
    for (int i = 0; i < 9; ++i) put(4 + i % 3, 2 + i / 3, 97 + i);
    game.keyDown(kRight);  // code 100
    finish();
    EXPECT_EQ(bar(), text(240) + " Giant Octopus. " + text(200) + " " +
                         std::to_string(lucky ? 100 : 50) + text(201));
    EXPECT_EQ(game.state[gs::Gold], lucky ? 100 : 50);
    EXPECT_EQ(at(4, 3), tile::Floor);
    EXPECT_EQ(at(5, 3), 101);
    EXPECT_EQ(at(4, 2), 97);

    game.state[gs::HeroX] = 5, game.state[gs::HeroY] = 5;
    game.keyDown(kUp);  // code 104
    finish();
    EXPECT_EQ(bar(), beat(199, "Giant Octopus", lucky ? 200 : 100));
    EXPECT_EQ(game.state[gs::Gold], lucky ? 300 : 150);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(at(4 + i % 3, 2 + i / 3), tile::Floor) << i;
  }
}

// ---- Key doors -----------------------------------------------------------------------------

struct DoorCase {
  int code, keyField, opened, missing;
};
// Red keys are GameState[9], blue keys [10]: a blue door must not take a red key.
const DoorCase kDoors[] = {{tile::Door, gs::YellowKeys, 131, 143},
                           {tile::BlueDoor, gs::BlueKeys, 132, 144},
                           {tile::RedDoor, gs::RedKeys, 133, 145}};

TEST_F(RulesTest, KeyDoorsTakeTheirOwnKeyAndSayWhichIsMissing) {
  for (const DoorCase& d : kDoors) {
    onFloor(3, 5, 5);
    for (const int f : {gs::YellowKeys, gs::RedKeys, gs::BlueKeys}) game.state[f] = 3;
    game.state[d.keyField] = 0;
    put(6, 5, d.code);
    game.keyDown(kRight);
    EXPECT_EQ(game.stack.count(), 1) << "only the message";
    finish();
    EXPECT_EQ(bar(), text(d.missing));
    EXPECT_EQ(at(6, 5), d.code);
    EXPECT_EQ(heroCell(), cellIndex(5, 5));

    game.state[d.keyField] = 1;
    game.keyDown(kRight);
    EXPECT_EQ(game.state[d.keyField], 0) << d.code;
    EXPECT_EQ(pendingOps(wsDoor), 16);
    finish();
    EXPECT_EQ(bar(), text(d.opened));
    EXPECT_EQ(at(6, 5), tile::Floor);
    EXPECT_EQ(heroCell(), cellIndex(5, 5)) << "the hero never enters the door";
    EXPECT_EQ(game.timers.interval(TimerId::Steps), 150) << "the normal pace is back";
    for (const int f : {gs::YellowKeys, gs::RedKeys, gs::BlueKeys})
      EXPECT_EQ(game.state[f], f == d.keyField ? 0 : 3) << d.code;
  }
}

TEST_F(RulesTest, OneKeyOpensOnlyTheFirstOfTwoDoors) {
  game.state[gs::YellowKeys] = 1;
  put(6, 5, tile::Door);
  put(4, 5, tile::Door);
  game.keyDown(kRight);
  finish();
  game.keyDown(kLeft);
  finish();
  EXPECT_EQ(at(6, 5), tile::Floor);
  EXPECT_EQ(at(4, 5), tile::Door);
  EXPECT_EQ(bar(), text(143));
}

// ---- Pickups -------------------------------------------------------------------------------

struct PickupCase {
  int code, floor, boost, field, gain, entry;
  const char* suffix;  // nullptr: message 166
};
const PickupCase kPickups[] = {
    {32, 0, 0, gs::Life, 0, 162, nullptr},         {32, 1, 0, gs::Life, 50, 162, nullptr},
    {32, 33, 0, gs::Life, 200, 162, nullptr},      {32, 1, 43, gs::Life, 2200, 162, nullptr},
    {33, 0, 0, gs::Life, 0, 163, nullptr},         {33, 1, 0, gs::Life, 200, 163, nullptr},
    {33, 33, 0, gs::Life, 800, 163, nullptr},      {33, 1, 43, gs::Life, 8800, 163, nullptr},
    {34, 0, 0, gs::Offense, 0, 164, nullptr},      {34, 1, 0, gs::Offense, 1, 164, " point up!"},
    {34, 11, 0, gs::Offense, 2, 164, nullptr},     {34, 33, 0, gs::Offense, 4, 164, nullptr},
    {34, 1, 43, gs::Offense, 44, 164, nullptr},    {35, 0, 0, gs::Defense, 0, 165, nullptr},
    {35, 1, 0, gs::Defense, 1, 165, " point up!"}, {35, 33, 0, gs::Defense, 4, 165, nullptr},
    {35, 1, 43, gs::Defense, 44, 165, nullptr},    {51, 33, 0, gs::Offense, 10, 152, nullptr},
    {51, 1, 43, gs::Offense, 440, 152, nullptr},   {60, 0, 0, gs::Defense, 100, 161, nullptr},
    {60, 1, 43, gs::Defense, 4400, 161, nullptr},
};

TEST_F(RulesTest, PotionsGemsAndWeaponsGainByFloorBandAndLevelFactor) {
  for (const PickupCase& p : kPickups) {
    SCOPED_TRACE(std::to_string(p.code) + " on floor " + std::to_string(p.floor) + " boost " +
                 std::to_string(p.boost));
    onFloor(p.floor, 5, 5);
    game.state[gs::LevelBoost] = p.boost;
    hero(1000, 100, 100);
    put(6, 5, p.code);
    game.keyDown(kRight);
    EXPECT_EQ(game.state[p.field], (p.field == gs::Life ? 1000 : 100) + p.gain);
    EXPECT_EQ(heroCell(), cellIndex(6, 5));
    EXPECT_EQ(at(6, 5), tile::Floor);
    finish();
    EXPECT_EQ(bar(), text(p.entry) + " " + std::to_string(p.gain) +
                         (p.suffix ? std::string(p.suffix) : text(166)));
  }
}

TEST_F(RulesTest, KeysItemsAndWeaponLevels) {
  struct Case {
    int code, field, value, entry;
  };
  const Case cases[] = {{29, gs::YellowKeys, 1, 128},    {30, gs::RedKeys, 1, 130},
                        {31, gs::BlueKeys, 1, 129},      {39, gs::ItemSlot0 + 3, 1, 167},
                        {43, gs::ItemSlot0 + 7, 3, 171}, {50, gs::ItemSlot0 + 14, 1, 178}};
  for (const Case& c : cases) {
    onFloor(3, 5, 5);
    game.state[gs::ItemSlot0 + 7] = 1;  // a second warp staff resets the charges to 3
    put(6, 5, c.code);
    game.keyDown(kRight);
    finish();
    EXPECT_EQ(game.state[c.field], c.value) << c.code;
    EXPECT_EQ(bar(), text(c.entry)) << c.code;
  }
  // A lower sword picked up later lowers the shown level; its owned flag is set.
  game.state[gs::SwordLevel] = 4;
  put(7, 5, 51);
  game.keyDown(kRight);
  finish();
  EXPECT_EQ(game.state[gs::SwordLevel], 1);
  EXPECT_EQ(game.state[gs::SwordOwned0], 1);
  // The reserved code 36: floor, the hero walks on, nothing gained.
  const GameState before = game.state;
  put(8, 5, 36);
  game.keyDown(kRight);
  EXPECT_EQ(heroCell(), cellIndex(8, 5));
  EXPECT_EQ(at(8, 5), tile::Floor);
  EXPECT_EQ(game.state[gs::YellowKeys], before[gs::YellowKeys]);
  EXPECT_EQ(game.state[gs::Life], before[gs::Life]);
}

// ---- Stairs --------------------------------------------------------------------------------

class StairsTest : public RulesTest {
 protected:
  void setArrivals(int floor, int up, int down) {
    game.floors.bytes()[static_cast<std::size_t>(floor * kFloorRecordSize)] =
        static_cast<std::uint8_t>(up);
    game.floors.bytes()[static_cast<std::size_t>(floor * kFloorRecordSize + 1)] =
        static_cast<std::uint8_t>(down);
  }
  void clear(int floor) {
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Floor);
  }
};

// Floor 44 is skipped both ways; the hero arrives on the arrival cell facing away from
// the stairs he came by, and only a new highest floor raises HighestFloor.
TEST_F(StairsTest, FloorFortyFourIsSkippedAndTheHeroFacesAwayFromTheStairs) {
  struct Look {
    int dx, dy, facing, key;  // where the stairs are, the facing, the key toward them
  };
  const Look looks[] = {{0, -1, kFaceDown, kUp},
                        {-1, 0, kFaceRight, kLeft},
                        {1, 0, kFaceLeft, kRight},
                        {0, 1, kFaceUp, kDown}};
  for (const Look& l : looks)
    for (const int highest : {43, 47}) {
      onFloor(43, 5, 5);
      game.state[gs::HighestFloor] = highest;
      put(5, 4, tile::StairsUp);
      clear(45);
      setArrivals(45, 60, 1);
      game.floors.setCell(45, cellIndex(5 + l.dx, 5 + l.dy), tile::StairsDown);
      game.keyDown(kUp);
      EXPECT_EQ(bar(), text(243));
      EXPECT_EQ(game.state[gs::Floor], 45);
      EXPECT_EQ(game.state[gs::HighestFloor], highest == 43 ? 45 : 47);
      EXPECT_EQ(heroCell(), 60);
      EXPECT_EQ(game.state[gs::Facing], l.facing);
      finish();
      EXPECT_EQ(bar(), text(134)) << "Went up the stairs.";

      clear(43);
      setArrivals(43, 1, 60);
      game.floors.setCell(43, cellIndex(5 + l.dx, 5 + l.dy), tile::StairsUp);
      game.floors.setCell(45, cellIndex(5 + l.dx, 5 + l.dy), tile::StairsDown);
      game.state[gs::Facing] = 0;
      game.keyDown(l.key);
      EXPECT_EQ(game.state[gs::Floor], 43);
      EXPECT_EQ(heroCell(), 60);
      EXPECT_EQ(game.state[gs::Facing], l.facing);
      finish();
      EXPECT_EQ(bar(), text(135)) << "Went down the stairs.";
    }
}

// Leaving floor 29 downwards while it is the highest floor moves its thief from cell 38
// to cell 17 and opens the wall at 27; once higher floors are reached, nothing changes.
TEST_F(StairsTest, FloorTwentyNineThiefMovesOnlyWhileItIsTheHighest) {
  for (const int highest : {29, 30}) {
    onFloor(29, 5, 5);
    game.state[gs::HighestFloor] = highest;
    put(5, 6, tile::StairsDown);
    game.floors.setCell(29, 38, tile::Thief);
    game.floors.setCell(29, 27, tile::Wall);
    game.floors.setCell(29, 17, tile::Floor);
    game.keyDown(kDown);
    EXPECT_EQ(game.state[gs::Floor], 28);
    const bool moved = highest == 29;
    EXPECT_EQ(game.floors.cell(29, 38), moved ? tile::Floor : tile::Thief);
    EXPECT_EQ(game.floors.cell(29, 27), moved ? tile::Floor : tile::Wall);
    EXPECT_EQ(game.floors.cell(29, 17), moved ? tile::Thief : tile::Floor);
    finish();
  }
}

// Climbing onto floor 30 puts the thief of the floor-29 tunnel in the prison of floor 2
// (cell 120) until he has dug floor 35's tunnel; other climbs leave the prison alone.
TEST_F(StairsTest, ClimbingOntoFloorThirtyJailsTheTunnelThief) {
  struct Case {
    int from;
    TileCode tunnel, prison;
  };
  const Case cases[] = {{29, tile::Wall, tile::Thief},
                        {29, tile::Floor, tile::Floor},
                        {28, tile::Wall, tile::Floor},
                        {30, tile::Wall, tile::Floor}};
  for (const Case& c : cases) {
    onFloor(c.from, 5, 5);
    put(5, 4, tile::StairsUp);
    game.floors.setCell(35, 91, c.tunnel);
    game.floors.setCell(2, 120, tile::Floor);
    game.keyDown(kUp);
    EXPECT_EQ(game.state[gs::Floor], c.from + 1);
    EXPECT_EQ(game.floors.cell(2, 120), c.prison) << "from floor " << c.from;
    finish();
  }
}

// ---- Magic -----------------------------------------------------------------------------------

// A magician beside the cell the hero walks into casts after the move: 200 x L for
// Magician A, 100 x L for Magician B, with the second game's own messages.
TEST_F(RulesTest, MagiciansCastOnAHeroWhoStopsBesideThem) {
  struct Case {
    int code, boost, life, after, entry;
  };
  const Case cases[] = {{151, 0, 1000, 800, 237},
                        {153, 0, 1000, 900, 238},
                        {151, 43, 10000, 1200, 266},
                        {153, 43, 10000, 5600, 267}};
  for (const Case& c : cases) {
    onFloor(3, 5, 5);
    game.state[gs::LevelBoost] = c.boost;
    hero(c.life, 100, 100);
    put(7, 5, c.code);
    game.keyDown(kRight);
    finish();
    EXPECT_EQ(game.state[gs::Life], c.after) << c.code << " boost " << c.boost;
    EXPECT_EQ(bar(), text(c.entry));
  }
  // Two magicians attack twice; the sacred shield stops both.
  for (const int shield : {0, 1}) {
    onFloor(3, 5, 5);
    game.state[gs::LevelBoost] = 0;
    hero(1000, 100, 100);
    game.state[gs::ShieldOwned0 + 4] = shield;
    put(7, 5, 151);
    put(6, 6, 153);
    game.keyDown(kRight);
    finish();
    EXPECT_EQ(game.state[gs::Life], shield ? 1000 : 700);
  }
}

// Magician A's 200 at 200 life kills: the death flushes what was pending (here the
// key pickup's own steps), the game-over question follows, and Yes starts a new game.
TEST_F(RulesTest, MagicianAttackAtExactLifeKillsAndFlushesPendingSteps) {
  hero(200, 100, 100);
  put(6, 5, 29);
  put(7, 5, 151);
  game.keyDown(kRight);
  EXPECT_EQ(game.state[gs::YellowKeys], 1);
  finish();
  EXPECT_EQ(game.state[gs::Life], 0);
  ASSERT_TRUE(game.question);
  EXPECT_EQ(game.question->kind, QuestionKind::TryAgain);
  EXPECT_EQ(bar(), text(237)) << "the pickup's message step never ran";
  game.answer(true);
  finish();
  EXPECT_EQ(game.state[gs::Floor], 1);
  EXPECT_EQ(game.state[gs::Life], 1000);
}

// Two sergeants flanking the hero halve his life; caught on both axes he is halved
// twice. No walk can enter a full cross, so he starts on a sergeant's cell.
TEST_F(RulesTest, SergeantsHalveOnEachAxis) {
  for (const int shield : {0, 1}) {
    onFloor(3, 4, 5);
    hero(1000, 100, 100);
    game.state[gs::ShieldOwned0 + 4] = shield;
    put(4, 5, tile::Sergeant);
    put(6, 5, tile::Sergeant);
    game.keyDown(kRight);
    finish();
    EXPECT_EQ(game.state[gs::Life], shield ? 1000 : 500);
    EXPECT_EQ(bar(), shield ? "" : text(239));

    put(5, 4, tile::Sergeant);
    put(5, 6, tile::Sergeant);
    game.state[gs::HeroX] = 4;
    game.state[gs::Life] = 1000;
    game.keyDown(kRight);
    finish();
    EXPECT_EQ(game.state[gs::Life], shield ? 1000 : 250);
  }
}

// ---- The floors' reactions after a won battle -------------------------------------------

class ReactionsTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    hero(100000, 5000, 5000);  // every fight here is one blow and costs nothing
  }
  void fight(int key) {
    game.keyDown(key);
    finish();
  }
  void stand(int x, int y) {
    game.state[gs::HeroX] = x;
    game.state[gs::HeroY] = y;
  }
};

// Floor 2: the six barred gates open when both gate-keepers above them are gone.
TEST_F(ReactionsTest, FloorTwoBarsOpenOnlyWhenBothGuardsAreGone) {
  onFloor(2, 6, 1);
  const int bars[] = {118, 114, 85, 81, 52, 48};
  for (const int c : bars) game.floors.setCell(2, c, tile::Bars);
  put(5, 1, 75);
  put(7, 1, 75);
  fight(kLeft);
  for (const int c : bars) EXPECT_EQ(game.floors.cell(2, c), tile::Bars) << c;
  stand(6, 1);
  fight(kRight);
  for (const int c : bars) EXPECT_EQ(game.floors.cell(2, c), tile::Floor) << c;
}

// Floor 8: the gate at cell 42 opens after the second of its guards at 52 and 54.
TEST_F(ReactionsTest, FloorEightGateOpensAfterItsSecondGuard) {
  onFloor(8, 9, 4);
  put(9, 3, tile::Gate);
  put(8, 4, 77);
  put(10, 4, 77);
  fight(kLeft);
  EXPECT_EQ(at(9, 3), tile::Gate);
  stand(9, 4);
  fight(kRight);
  EXPECT_EQ(at(9, 3), tile::Floor);
}

// Floor 34 rewards its cleared guard cells once: after the keys are taken, another won
// battle on the floor must not lay them out again.
TEST_F(ReactionsTest, FloorThirtyFourRewardsOnce) {
  onFloor(34, 3, 3);
  game.floors.setCell(34, 37, 61);  // the last guard, right of the hero
  put(2, 3, 61);
  fight(kLeft);  // a battle elsewhere while cell 37 still holds its guard
  EXPECT_EQ(game.floors.cell(34, 68), tile::Floor);
  stand(3, 3);
  fight(kRight);
  for (const int c : {68, 66, 46, 44}) EXPECT_EQ(game.floors.cell(34, c), 29) << c;
  EXPECT_EQ(game.floors.cell(34, 56), 30);
  EXPECT_EQ(game.state[148], 1);

  for (const int c : {68, 66, 46, 44, 56}) game.floors.setCell(34, c, tile::Floor);
  put(5, 3, 61);
  fight(kRight);
  EXPECT_EQ(game.floors.cell(34, 68), tile::Floor);
}

// Floor 38 lays its false wall at cell 89 once both guards (99, 101) are gone, without
// a step, and never again once the player has broken it.
TEST_F(ReactionsTest, FloorThirtyEightPlacesItsFalseWallOnce) {
  onFloor(38, 1, 9);
  put(0, 9, 61);
  put(2, 9, 61);
  fight(kLeft);
  EXPECT_EQ(game.floors.cell(38, 89), tile::Floor);
  stand(1, 9);
  fight(kRight);
  EXPECT_EQ(game.floors.cell(38, 89), tile::FalseWall);

  game.floors.setCell(38, 89, tile::Floor);  // broken, and the hero may stand there
  put(3, 9, 61);
  fight(kRight);
  EXPECT_EQ(game.floors.cell(38, 89), tile::Floor);
}

}  // namespace
}  // namespace kelvorn
