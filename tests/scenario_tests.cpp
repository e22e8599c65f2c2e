// Short situations played end to end through the headless driver: a prepared game is
// saved to a file, loaded with the driver, played by a script of keys and ticks, and
// the dumps and the final game are compared with what the rules promise, including
// the order in which a script shows its effects.
#include "tests/driver_scenario.h"

namespace kelvorn::commands {
namespace {

// Skeleton A (100 life, 65 offense, 15 defense, 30 gold) against Offense 25, Defense
// 15: ten blows of 10, nine of 50 back. Life falls round by round while the gold stays
// untouched; the 30 gold arrive only once the last blow has been shown.
TEST_F(ScenarioTest, BattleGoldArrivesAfterTheBlows) {
  prepare(3, 5, 5, 1000, 25, 15);
  put(6, 5, 81);
  const GameState before = source_.state;
  const auto dumps = play(tickByTick("right\n", 80));
  ASSERT_GE(dumps.size(), 2u);
  bool sawPartway = false;
  long lastLife = 1000;
  for (std::size_t i = 0; i + 1 < dumps.size(); ++i) {
    const Dump& d = dumps[i];
    EXPECT_LE(d.state[gs::Life], lastLife) << "tick " << i;
    lastLife = d.state[gs::Life];
    if (d.state[gs::Gold] != 0) {
      EXPECT_EQ(d.state[gs::Life], 550) << "gold before the last blow, tick " << i;
    } else if (d.state[gs::Life] < 1000 && d.state[gs::Life] > 550) {
      sawPartway = true;
      EXPECT_EQ(d.cells[cellIndex(6, 5)], 81) << "the monster stays until the end";
    }
  }
  EXPECT_TRUE(sawPartway);

  GameState expected = before;
  expected[gs::Life] = 550;
  expected[gs::Gold] = 30;
  expected[gs::HeroX] = 6;
  expected[gs::Facing] = kFaceRight;
  EXPECT_EQ(game().state.v, expected.v);
  EXPECT_EQ(dumps.back().cells[cellIndex(6, 5)], tile::Floor);
  EXPECT_EQ(dumps.back().message, "You've beat Skeleton A. Recieved 30 Gold.");
  EXPECT_EQ(dumps.back().pending, 0);
}

// Floor 8: with one guard of gate 42 already gone, beating the other pays its gold and
// only then the floor reacts: the gate opens after the gold, never before it.
TEST_F(ScenarioTest, GateOpensAfterTheBattlesGold) {
  prepare(8, 9, 4, 1000, 500, 500);
  put(9, 3, tile::Gate);
  put(10, 4, 77);  // Skeleton C, 6 gold
  const auto dumps = play(tickByTick("right\n", 40));
  int goldTick = -1, gateTick = -1;
  for (std::size_t i = 0; i < dumps.size(); ++i) {
    if (goldTick < 0 && dumps[i].state[gs::Gold] != 0) goldTick = static_cast<int>(i);
    if (gateTick < 0 && dumps[i].cells[42] != tile::Gate) gateTick = static_cast<int>(i);
  }
  ASSERT_GE(goldTick, 0);
  ASSERT_GE(gateTick, 0) << "the gate never opened";
  EXPECT_LT(goldTick, gateTick);
  EXPECT_EQ(dumps.back().cells[42], tile::Floor);
  EXPECT_EQ(dumps.back().state[gs::Gold], 6);
  EXPECT_EQ(dumps.back().pending, 0);
}

// A red key taken on the way, a walk, and the red door opened with it: the key count
// rises and falls by one, the hero stops in front of the door.
TEST_F(ScenarioTest, KeyTakenOnTheWayOpensTheDoorAhead) {
  prepare(3, 4, 5, 1000, 100, 100);
  put(5, 5, 30);
  put(7, 5, tile::RedDoor);
  source_.state[gs::BlueKeys] = 2;
  const GameState before = source_.state;
  const auto dumps = play("right\nwait\ndump\nright\nwait\nright\nwait\ndump\n");
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[0].state[gs::RedKeys], 1);
  EXPECT_EQ(dumps[0].message, text(130));
  GameState expected = before;
  expected[gs::HeroX] = 6;
  expected[gs::Facing] = kFaceRight;
  EXPECT_EQ(game().state.v, expected.v);
  EXPECT_EQ(dumps[1].cells[cellIndex(7, 5)], tile::Floor);
  EXPECT_EQ(dumps[1].cells[cellIndex(5, 5)], tile::Floor);
  EXPECT_EQ(dumps[1].message, text(133));
}

// Up the stairs of floor 43: the dissolve plays out, and the hero stands on floor 45
// at its arrival cell with the new highest floor and the went-up message.
TEST_F(ScenarioTest, StairsFromFortyThreeLeadToFortyFive) {
  prepare(43, 5, 5, 1000, 100, 100);
  source_.state[gs::HighestFloor] = 43;
  put(5, 4, tile::StairsUp);
  const int arrival = source_.floors.upArrivalCell(45);
  const auto dumps = play("up\ndump\nwait\ndump\n");
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[0].message, text(243));
  EXPECT_GT(dumps[0].pending, 242);  // two dissolves of 121 cells each
  EXPECT_EQ(dumps[1].state[gs::Floor], 45);
  EXPECT_EQ(dumps[1].state[gs::HighestFloor], 45);
  EXPECT_EQ(cellIndex(dumps[1].state[gs::HeroX], dumps[1].state[gs::HeroY]), arrival);
  EXPECT_EQ(dumps[1].message, text(134));
  EXPECT_EQ(dumps[1].pending, 0);
}

// Magician B's magic at 100 life is fatal: the game-over question stops the script and
// Yes starts a new first game.
TEST_F(ScenarioTest, FatalMagicEndsInTheGameOverQuestion) {
  prepare(3, 5, 5, 100, 100, 100);
  put(7, 5, 153);
  const auto dumps = play("right\nwait\ndump\nanswer yes\nwait\ndump\n");
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[0].state[gs::Life], 0);
  EXPECT_EQ(dumps[0].message, text(238));
  EXPECT_EQ(dumps[1].state[gs::Life], 1000);
  EXPECT_EQ(dumps[1].state[gs::Floor], 1);
  EXPECT_EQ(dumps[1].pending, 0);
}

// A merchant's offer refused with No (nothing changes, the offer comes back), then
// accepted with Yes: the dialog and its buttons as the player sees them, the gold and
// the key changing with the sale, and the thanks closed with OK.
TEST_F(ScenarioTest, MerchantRefusedThenBought) {
  prepare(6, 5, 5, 1000, 100, 100);
  put(5, 4, tile::Merchant);
  source_.state[gs::Gold] = 60;
  const auto dumps =
      play("up\ndump\nclick no\ndump\nup\nclick yes\ndump\nwait\nclick ok\nwait\ndump\n");
  ASSERT_EQ(dumps.size(), 4u);
  EXPECT_EQ(dumps[0].dialog, text(247));
  EXPECT_TRUE(dumps[0].offers("yes") && dumps[0].offers("no"));
  EXPECT_FALSE(dumps[0].offers("ok") || dumps[0].offers("item 0"));
  EXPECT_EQ(dumps[1].dialog, "");
  EXPECT_FALSE(dumps[1].offers("yes"));
  EXPECT_EQ(dumps[1].state, dumps[0].state);
  EXPECT_EQ(dumps[2].dialog, "Thank you very much.");
  EXPECT_TRUE(dumps[2].offers("ok"));
  EXPECT_FALSE(dumps[2].offers("yes"));
  EXPECT_EQ(dumps[2].state[gs::Gold], 10);
  EXPECT_EQ(dumps[2].state[gs::BlueKeys], 1);
  EXPECT_EQ(dumps[2].state[gs::MerchantDeal0 + 1], 1);
  EXPECT_EQ(dumps[3].dialog, "");
  EXPECT_EQ(dumps[3].pending, 0);
  EXPECT_EQ(cellIndex(dumps[3].state[gs::HeroX], dumps[3].state[gs::HeroY]), cellIndex(5, 5));
}

// The elixir through its icon: "Use" appears under it, and Use adds 10·offense +
// 5·defense to life and empties the slot.
TEST_F(ScenarioTest, ElixirUsedFromItsIcon) {
  prepare(3, 5, 5, 1000, 100, 50);
  source_.state.itemSlot(4) = 1;
  const auto dumps = play("click item 4\ndump\nclick use\nwait\ndump\n");
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_TRUE(dumps[0].offers("use") && dumps[0].offers("dont-use"));
  EXPECT_EQ(dumps[1].state[gs::Life], 2250);
  EXPECT_EQ(dumps[1].state[gs::ItemSlot0 + 4], 0);
  EXPECT_EQ(dumps[1].message, text(186) + " 1250" + text(166));
  EXPECT_FALSE(dumps[1].offers("use") || dumps[1].offers("item 4"));
}

// The orb of the hero opens the forecast over the board and its OK closes it again.
TEST_F(ScenarioTest, ForecastOpensAndCloses) {
  prepare(3, 5, 5, 1000, 20, 10);
  source_.state.itemSlot(0) = 1;
  put(2, 2, 61);
  put(8, 8, 89);
  const auto dumps = play("click item 0\ndump\nclick forecast-ok\ndump\n");
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[0].dialog, text(180));
  EXPECT_TRUE(dumps[0].offers("forecast-ok"));
  EXPECT_NE(dumps[0].line.find("{\"name\":\"Green Slime\",\"stats\":\"Life 35 Offense 18 "
                               "Defense 1\",\"damage\":\"Expected damage: 8\"}"),
            std::string::npos);
  EXPECT_NE(dumps[0].line.find("\"damage\":\"Cannot be hit by you!\"}]"), std::string::npos);
  EXPECT_EQ(dumps[1].dialog, "");
  EXPECT_NE(dumps[1].line.find("\"forecast\":[]"), std::string::npos);
  EXPECT_TRUE(dumps[1].offers("item 0"));
  EXPECT_FALSE(dumps[1].offers("forecast-ok"));
}

}  // namespace
}  // namespace kelvorn::commands
