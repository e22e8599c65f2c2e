// Undo and redo over the player's actions: each kind of action taken back to exactly
// the position before it (rules, board and what the bar and panels say) and done
// again, and the places the history starts again.
#include <gtest/gtest.h>

#include <string>

#include "rules/undo_history.h"
#include "rules_fixture.h"

namespace kelvorn {
namespace {

// What the player sees of a position at rest.
struct View {
  GameState state;
  FloorStore floors;
  std::string bar, floorLabel;
  int monsterKind, monsterLife;  // the monster panel is drawn from these
  bool foeLifeCounted;
  std::array<bool, kItemSlots> icons;
  bool operator==(const View&) const = default;
};

// Writes every slot it is asked to, so saving succeeds.
struct SavingHost : Host {
  std::string writeSlot(int, const SavedGame&) override { return {}; }
};

class UndoTest : public fixture::RulesTest {
 protected:
  View view() const {
    return {game.state,
            game.floors,
            game.messageBar(),
            game.floorLabel(),
            game.scene.monsterKind,
            game.scene.monsterLife,
            game.scene.foeLifeCounted,
            game.controls.iconVisible};
  }
  // One step up, with every window and question on the way answered Yes and OK, until
  // the game rests again.
  void act() {
    game.keyDown(fixture::kUp);
    for (int i = 0; i < 20 && !atRest(game) && !game.question; ++i) {
      finish();
      if (game.controls.yesNoVisible) game.pressYes();
      if (game.controls.windowVisible && game.controls.okVisible) game.pressOk();
      if (!game.question && !game.timers.enabled(TimerId::Steps) && game.stack.count() > 0)
        game.rankingClosed();
    }
    history.observe(game);
  }
  UndoHistory history;
};

TEST_F(UndoTest, EachKindOfActionIsTakenBackExactlyAndDoneAgain) {
  struct Case {
    const char* action;
    int floor, code;
  };
  const Case cases[] = {{"move", 3, tile::Floor},       {"fight", 3, 61},
                        {"key pickup", 3, 29},          {"potion pickup", 3, 32},
                        {"yellow door", 3, tile::Door}, {"purchase", 6, tile::Merchant}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    restart();
    onFloor(c.floor, 5, 5);
    put(5, 4, c.code);
    hero(1000, 100, 100);
    game.state[gs::YellowKeys] = 1;
    game.state[gs::Gold] = 50;
    game.redrawAll();
    game.unlockInput();
    history = UndoHistory();
    history.observe(game);
    const View before = view();
    EXPECT_FALSE(history.canUndo(game));

    act();
    ASSERT_TRUE(history.canUndo(game));
    const View after = view();
    ASSERT_NE(after.state, before.state);

    history.undo(game);
    EXPECT_TRUE(view() == before);
    EXPECT_FALSE(history.canUndo(game));
    ASSERT_TRUE(history.canRedo(game));
    history.redo(game);
    EXPECT_TRUE(view() == after);
    EXPECT_FALSE(history.canRedo(game));
  }
}

// Far more than fifty moves back, one at a time, in order; a new action after an undo
// drops what could have been redone.
TEST_F(UndoTest, ReachesFarBackAndANewActionEndsRedo) {
  history.observe(game);
  const GameState start = game.state;
  for (int i = 0; i < 60; ++i) {
    game.keyDown(i % 2 ? fixture::kDown : fixture::kUp);
    finish();
    history.observe(game);
  }
  EXPECT_EQ(history.undoDepth(), 60u);
  for (int i = 0; i < 60; ++i) history.undo(game);
  EXPECT_EQ(game.state, start);
  history.redo(game);
  act();
  EXPECT_FALSE(history.canRedo(game));
}

// A save, a fairy's judgement and the rankings start the history again; a death leaves
// nothing to undo.
TEST_F(UndoTest, HistoryStartsAgainWhereTheGameLeavesItself) {
  SavingHost host;
  Game saved(content::builtIn(), &host);
  OptionBytes options = builtInOptions();
  options[opt::Prologue] = 0;
  saved.startUp(options);
  UndoHistory h;
  h.observe(saved);
  saved.keyDown(fixture::kUp);
  h.observe(saved);
  ASSERT_TRUE(h.canUndo(saved));
  saved.state.itemSlot(0) = 1;  // the orb of the hero: saving is open
  saved.unlockInput();
  saved.menuSave(1);
  h.observe(saved);
  EXPECT_FALSE(h.canUndo(saved));

  history.observe(game);
  act();
  ASSERT_TRUE(history.canUndo(game));
  game.menuRanking();
  history.observe(game);
  EXPECT_FALSE(history.canUndo(game));

  onFloor(10, 5, 5);
  put(5, 4, tile::Fairy);
  act();
  ASSERT_EQ(game.state[gs::FairyVisits], 1);
  EXPECT_FALSE(history.canUndo(game));

  onFloor(3, 5, 5);
  put(5, 4, 61);
  hero(1, 10, 0);
  history.observe(game);
  act();
  ASSERT_TRUE(game.question.has_value());  // "Do you try again?"
  EXPECT_FALSE(history.canUndo(game));
  game.answer(true);
  finish();
  history.observe(game);
  EXPECT_EQ(game.state[gs::Life], 1000);
  EXPECT_FALSE(history.canUndo(game));
}

}  // namespace
}  // namespace kelvorn
