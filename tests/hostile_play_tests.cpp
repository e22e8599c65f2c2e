// What a hostile or careless player can reach: floors from crafted saves (stairs out of
// the building, codes with no meaning), the largest numbers the game can make, buttons
// left showing across a new game, and scripts that must never leave input locked.
#include <limits>
#include <string>

#include "tests/rules_fixture.h"

namespace kelvorn {
namespace {

using namespace fixture;  // NOLINT: the rules tests' shared fixture and keys

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

class HostilePlayTest : public RulesTest {
 protected:
  bool unlocked() const { return game.controls.optionsEnabled && game.controls.loadEnabled; }
  // OK on the open message window, then the rest of the script.
  void ok() {
    finish();
    ASSERT_TRUE(game.controls.windowVisible && game.controls.okVisible);
    game.pressOk();
    finish();
  }
  void newGame() {
    game.menuGameStart();
    game.answer(true);
  }
};

// Stairs down on floor 0 and up on floor 50 lead nowhere: they act as a wall.
TEST_F(HostilePlayTest, StairsOutOfTheBuildingAreAWall) {
  for (const auto& [floor, stairs] : {std::pair{0, tile::StairsDown}, {50, tile::StairsUp}}) {
    onFloor(floor, 5, 5);
    put(5, 4, stairs);
    game.keyDown(kUp);
    finish();
    EXPECT_EQ(game.state[gs::Floor], floor);
    EXPECT_EQ(heroCell(), cellIndex(5, 5));
    EXPECT_TRUE(unlocked());
  }
}

// Codes in the battle range that name no monster kind act as nothing, and the table
// answers any kind without leaving its rows.
TEST_F(HostilePlayTest, CodesWithoutAMonsterKindAreInert) {
  for (int code : {96, 106, 110, 114}) {
    onFloor(3, 5, 5);
    hero(1000, 100, 100);
    game.state[gs::Gold] = 0;
    put(6, 5, code);
    game.keyDown(kRight);
    EXPECT_EQ(game.stack.count(), 0) << code;
    finish();
    EXPECT_EQ(heroCell(), cellIndex(5, 5)) << code;
    EXPECT_EQ(at(6, 5), code);
    EXPECT_EQ(game.state[gs::Gold], 0);
    EXPECT_TRUE(unlocked());
  }
  for (int k : {-1, kMonsterKinds, 1000})
    EXPECT_EQ(std::as_const(game.monsters)[k], MonsterStats{}) << "kind " << k;
}

// Floor 49, Zeno (27) in the die's centre, sealed before: his defeat still opens gate 71
// and places the rewards, after the seal's words are shown again.
TEST_F(HostilePlayTest, SealedZenoFallsAndPaysOnFloor49) {
  onFloor(49, 4, 2);  // on edge cell 26, left of Zeno
  for (int c : {15, 17, 37, 39}) game.floors.setCell(49, c, tile::Sergeant);
  game.floors.setCell(49, 27, tile::Zeno);
  game.floors.setCell(49, 71, tile::Gate);
  game.state[gs::SergeantSealed] = 1;
  applySergeantRow(game.monsters, 1);
  hero(100000, 5000, 5000);
  game.keyDown(kRight);
  ok();  // the seal's words
  EXPECT_EQ(game.floors.cell(49, 16), tile::Fairy);
  EXPECT_EQ(game.floors.cell(49, 71), tile::Floor);
  for (int c : {37, 39}) EXPECT_EQ(game.floors.cell(49, c), tile::Floor) << c;
  EXPECT_EQ(game.floors.cell(49, 15), 30) << "a red key where a sergeant stood";
  EXPECT_EQ(game.monsters[kind::Zeno].life, 800) << "the seal divides only once";
}

// The thief's words on floors 29 and 35 end with OK, and input comes back.
TEST_F(HostilePlayTest, ThiefWordsNeverLeaveInputLocked) {
  for (int floor : {29, 35}) {
    onFloor(floor, 5, 5);
    put(5, 4, tile::Thief);
    game.keyDown(kUp);
    ok();
    EXPECT_EQ(game.stack.count(), 0);
    EXPECT_TRUE(unlocked()) << "floor " << floor;
    EXPECT_FALSE(game.controls.windowVisible);
  }
}

// Buttons showing when a new game starts go with the old game: "Use" of the elixir, the
// wings and the super mattock, the altar's Yes, the flight buttons.
TEST_F(HostilePlayTest, NewGameTakesEveryShowingButtonAway) {
  for (int slot : {4, 8, 13}) {
    restart();
    game.state.itemSlot(slot) = 1;
    game.clickItem(slot);
    ASSERT_EQ(game.controls.confirmSlot, slot);
    newGame();
    EXPECT_EQ(game.controls.confirmSlot, -1);
    const GameState fresh = game.state;
    game.pressUse();
    finish();
    EXPECT_EQ(game.state, fresh) << "slot " << slot;
  }
  restart();
  put(5, 4, tile::AltarCentre);
  game.keyDown(kUp);
  ASSERT_TRUE(game.controls.yesNoVisible);
  newGame();
  game.pressYes();
  EXPECT_FALSE(game.controls.yesNoVisible || game.controls.altarChoicesVisible);

  restart();
  game.state[gs::HighestFloor] = 3;
  game.state.itemSlot(2) = 1;
  put(5, 4, tile::StairsUp);
  game.clickItem(2);
  ASSERT_TRUE(game.controls.flightVisible);
  newGame();
  EXPECT_FALSE(game.controls.flightVisible);
  game.pressFlyOk();
  EXPECT_EQ(game.state[gs::Floor], 1);
  EXPECT_TRUE(unlocked());
}

// Gold and stats computed past 32 bits stay at the limit, and the result still loads.
TEST_F(HostilePlayTest, LargestNumbersSaturateAndStillLoad) {
  onFloor(28, 5, 5);  // the key buyer takes a key for 100 gold
  put(5, 4, tile::Merchant);
  game.state[gs::Gold] = kMax - 50;
  game.state[gs::YellowKeys] = 1;
  game.keyDown(kUp);
  game.pressYes();
  ok();
  EXPECT_EQ(game.state[gs::Gold], kMax);

  onFloor(2, 5, 5);  // the floor-2 old man's 3 % gift
  put(5, 4, tile::OldMan);
  hero(1000, 800000000, kMax);
  game.state[gs::OldManGiftGiven] = 0;
  game.keyDown(kUp);
  EXPECT_EQ(game.state[gs::Offense], 824000000);
  EXPECT_EQ(game.state[gs::Defense], kMax);
  EXPECT_TRUE(isPlayable(game.state));

  onFloor(3, 5, 5);  // an altar after two billion purchases asks the largest price
  finish();
  game.pressOk();
  put(5, 4, tile::AltarCentre);
  game.state[gs::AltarCount] = kMax;
  game.keyDown(kUp);
  EXPECT_EQ(game.dialogs.offerPrice, kMax);
}

// The bar and the floor label show a script's outcome when its step runs: the door's
// message after the door moved, the new floor after the dissolve.
TEST_F(HostilePlayTest, BarAndFloorLabelWaitForTheirSteps) {
  game.state[gs::YellowKeys] = 1;
  put(5, 4, tile::Door);
  game.keyDown(kUp);
  EXPECT_NE(bar(), text(131));
  finish();
  EXPECT_EQ(bar(), text(131));

  const std::string floor3 = game.floorLabel();
  put(5, 6, tile::StairsUp);
  game.keyDown(kDown);
  EXPECT_EQ(game.floorLabel(), floor3);
  finish();
  EXPECT_NE(game.floorLabel(), floor3);
  EXPECT_EQ(game.state[gs::Floor], 4);
}

// Stairs beside the hero on the highest floor are remembered even when a magician
// strikes on the same move.
TEST_F(HostilePlayTest, NearStairsIsKeptWhenAMagicianStrikes) {
  game.state[gs::HighestFloor] = 3;
  hero(5000, 100, 100);
  put(3, 5, tile::StairsUp);
  put(4, 4, 151);  // Magician A above the cell the hero steps to
  game.keyDown(kLeft);
  EXPECT_EQ(heroCell(), cellIndex(4, 5));
  EXPECT_EQ(game.state.extra[extra::NearStairs], 1);
  finish();
  EXPECT_LT(game.state[gs::Life], 5000);
}

// Crafted saves: the orb's first words cannot be open in a saved game (it loads as held
// and input works); negative strength is refused; and a game that ended stays held for
// loading when the file asked for cannot be used.
TEST_F(HostilePlayTest, CraftedSavesNeverLockTheGame) {
  SavedGame orb{game.floors, game.state};
  orb.state.itemSlot(0) = 2;
  EXPECT_EQ(game.loadGame(orb, true), Game::LoadResult::Loaded);
  finish();
  EXPECT_TRUE(unlocked());
  EXPECT_EQ(game.state.itemSlot(0), 1);

  for (const int stat : {gs::Offense, gs::Defense}) {
    SavedGame weak{game.floors, game.state};
    weak.state[stat] = -5;
    EXPECT_EQ(game.loadGame(weak, true), Game::LoadResult::Rejected) << stat;
    game.acknowledge();
  }

  hero(10, 2, 0);
  put(5, 4, 61);  // a slime that outlives him
  game.keyDown(kUp);
  for (int tick = 0; tick < 200 && !game.question; ++tick) game.advance(150);
  ASSERT_TRUE(game.question);
  game.answer(false);
  EXPECT_EQ(game.loadGame(std::nullopt, false), Game::LoadResult::Missing);
  EXPECT_TRUE(game.controls.loadEnabled);
  EXPECT_FALSE(game.controls.optionsEnabled || game.controls.arrowsEnabled);
}

// A question closed by an OK that only gives input back leaves no hold behind: the next
// script that pushes nothing still unlocks input.
TEST_F(HostilePlayTest, AnAnsweredQuestionHoldsNothing) {
  onFloor(50, 5, 5);
  put(5, 4, tile::Thief);
  game.keyDown(kUp);
  ok();
  ASSERT_TRUE(unlocked());
  onFloor(3, 5, 5);
  hero(1000, 1, 100);
  put(4, 5, 61);  // a slime he cannot hurt: an empty script
  game.keyDown(kLeft);
  finish();
  EXPECT_TRUE(unlocked());
}

// Zeno beaten on floor 50 of a later game: while the ending's words and pictures play,
// the message bar keeps the victory's line, not a magician's attack.
TEST_F(HostilePlayTest, ALaterGameEndsWithTheVictoryOnTheMessageBar) {
  onFloor(50, 5, 5);
  put(5, 4, 91);
  game.state[gs::LevelBoost] = 43;
  hero(100000, 30000, 30000);
  game.keyDown(kUp);
  finish();
  ASSERT_TRUE(game.controls.windowVisible);
  EXPECT_NE(game.messageBar().find("Zeno"), std::string::npos) << game.messageBar();
  EXPECT_EQ(game.messageBar().find("vital power"), std::string::npos) << game.messageBar();
}

}  // namespace
}  // namespace kelvorn
