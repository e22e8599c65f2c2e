// The route solver on crafted one-row floors whose answers are known by hand; every
// route it finds is replayed through the headless driver to the goal.
#include <atomic>

#include "tests/driver_scenario.h"
#include "solver/blockers.h"
#include "solver/no_return.h"
#include "solver/search.h"

namespace kelvorn::commands {
namespace {

class SolverTest : public ScenarioTest {
 protected:
  // Floor 1 walled off but for row 5, which `row` spells: '.' floor, 'H' the hero,
  // 'y' a yellow door, 'a' a Green Slime, 'b' a Bat, 'o' an offense gem, 'U' stairs up.
  void craft(const std::string& row, int keys, int offense) {
    prepare(1, static_cast<int>(row.find('H')), 5, 1000, offense, 18);
    for (int c = 0; c < kCells; ++c) source_.floors.setCell(1, c, tile::Wall);
    const std::string codes = ".Hyabo#U";
    const int tiles[] = {tile::Floor, tile::Floor, tile::Door, 61,
                         67,          34,          tile::Wall, tile::StairsUp};
    for (int x = 0; x < kBoardSide; ++x) put(x, 5, tiles[codes.find(row.at(x))]);
    source_.state[gs::YellowKeys] = keys;
  }
  solve::SolveResult solveToFloor2(std::size_t maxStates = 100000,
                                   const std::atomic<bool>* cancel = nullptr) {
    solve::Position position(SavedGame{source_.floors, source_.state}, false);
    solve::SolveRequest request{solve::Goal::Floor, 2, 60, maxStates, false, cancel, {}};
    return solve::solve(position, request);
  }
};

TEST_F(SolverTest, AnswersCraftedFloorsAndItsRoutesReplayToTheGoal) {
  struct Case {
    const char* what;
    const char* row;
    int keys, offense;
    solve::Answer answer;
  } cases[] = {
      {"the key kept for the stairs' door", "#.y..H..yU#", 1, 10, solve::Answer::RouteFound},
      {"the key spent on the wrong door", "#....H..yU#", 0, 10, solve::Answer::DeadEnd},
      // The Bat's defense equals the hero's offense: only the gem behind the slime,
      // fought first, lets him hurt it.
      {"the slime and its gem before the bat", "#oa..H..bU#", 0, 3, solve::Answer::RouteFound},
      {"the bat with no gem to be won", "#.a..H..bU#", 0, 3, solve::Answer::DeadEnd},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    craft(c.row, c.keys, c.offense);
    const solve::SolveResult result = solveToFloor2();
    ASSERT_EQ(result.answer, c.answer);
    if (c.answer != solve::Answer::RouteFound) continue;
    EXPECT_EQ(result.reached[gs::Floor], 2);
    const auto dumps = play(solve::script(result.route) + "dump\n");
    ASSERT_FALSE(dumps.empty());
    EXPECT_EQ(dumps.back().state[gs::Floor], 2);
  }
}

// A dead end says what stops the hero at the edge of his reach in the position the
// search got furthest to, as a step there would really go.
TEST_F(SolverTest, ADeadEndNamesWhatBlocksTheWay) {
  struct Case {
    const char* what;
    const char* row;
    int offense, life;
    std::vector<std::string> text;
  } cases[] = {
      {"a monster he cannot hurt", "#....H..bU#", 3, 1000,
       {"What blocks the way on floor 1:", "  Bat: he cannot hurt it (its defense 3, his offense 3)"}},
      {"a monster whose fight costs all his life", "#....H..bU#", 10, 80,
       {"What blocks the way on floor 1:",
        "  Bat: the fight would kill him (it costs 80 life, he has 80)"}},
      {"doors without their key", "#..y.H.y.U#", 3, 1000,
       {"What blocks the way on floor 1:", "  Yellow door (2 of them): he has no yellow key"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    craft(c.row, 0, c.offense);
    source_.state[gs::Life] = c.life;
    solve::Position position(SavedGame{source_.floors, source_.state}, false);
    const solve::SolveResult result =
        solve::solve(position, {solve::Goal::Floor, 2, 60, 100000, false, nullptr, {}});
    ASSERT_EQ(result.answer, solve::Answer::DeadEnd);
    position.restore(result.reachedAt);
    EXPECT_EQ(solve::blockedText(position.game()), c.text);
  }
}

TEST_F(SolverTest, TheSameInputGivesTheSameRoute) {
  craft("#oa..H..bU#", 0, 3);
  EXPECT_EQ(solve::script(solveToFloor2().route), solve::script(solveToFloor2().route));
}

TEST_F(SolverTest, ABudgetOrACancelStopsTheSearchWithUnknownAndTheBestPosition) {
  craft("#oa..H..bU#", 0, 3);
  const solve::SolveResult small = solveToFloor2(2);
  EXPECT_EQ(small.answer, solve::Answer::Unknown);
  EXPECT_EQ(small.reached[gs::Floor], 1);
  const std::atomic<bool> cancelled{true};
  EXPECT_EQ(solveToFloor2(100000, &cancelled).answer, solve::Answer::Unknown);
}

TEST_F(SolverTest, SearchesASaveWithTheLargestCountsItCanHold) {
  craft("#oa..H..bU#", 0, 3);
  source_.state[gs::FairyVisits] = INT32_MAX;
  EXPECT_EQ(solveToFloor2().answer, solve::Answer::RouteFound);
}

// One key and two doors: the one on the left leads nowhere, so opening it first closes
// the way up; that move is the floor's one point of no return, and its script replays
// to the position it names.
TEST_F(SolverTest, FindsTheOnePointOfNoReturnOfACraftedFloor) {
  craft("#.y.H.y.U##", 1, 10);
  solve::Position position(SavedGame{source_.floors, source_.state}, false);
  const solve::NoReturnResult result = solve::pointsOfNoReturn(position, {});
  EXPECT_EQ(result.start, solve::Answer::RouteFound);
  EXPECT_TRUE(result.listedAll);
  EXPECT_TRUE(result.unknown.empty());
  EXPECT_EQ(result.notAsked, 0u);
  ASSERT_EQ(result.traps.size(), 1u);
  const solve::ClosingMove& trap = result.traps.front();
  EXPECT_EQ(trap.target, cellIndex(2, 5));
  EXPECT_EQ(trap.code, tile::Door);
  EXPECT_EQ(trap.after[gs::YellowKeys], 0);
  std::string lines;
  for (const std::string& l : trap.script) lines += l + "\n";
  const auto dumps = play(lines + "dump\n");
  ASSERT_FALSE(dumps.empty());
  EXPECT_EQ(dumps.back().state[gs::YellowKeys], 0);
  EXPECT_EQ(dumps.back().cells.at(cellIndex(2, 5)), tile::Floor);
}

// The fairy of floor 10 above the hero, one yellow key, and two doors in row 5: an
// offense gem behind one (3 points a point at checkpoint 1), a defense gem behind the
// other (2 points), or the key kept (1 point). From 1000/30/35 the score is 76 with the
// key kept, 77 with the defense gem and 78, the best, with the offense gem.
TEST_F(SolverTest, TheBestScoreAtTheCheckpointIsProvedAndItsRouteReplays) {
  prepare(10, 4, 5, 1000, 30, 35);
  for (int c = 0; c < kCells; ++c) source_.floors.setCell(10, c, tile::Wall);
  const int row[] = {tile::Wall, 34, tile::Door, tile::Floor, tile::Floor, tile::Floor,
                     tile::Door, 35, tile::Floor, tile::Floor, tile::Wall};
  for (int x = 0; x < kBoardSide; ++x) put(x, 5, row[x]);
  put(4, 4, tile::Fairy);
  source_.state[gs::YellowKeys] = 1;
  const auto best = [&](std::size_t maxStates) {
    solve::Position position(SavedGame{source_.floors, source_.state}, false);
    solve::SolveRequest request{solve::Goal::Checkpoint, 0, 60, maxStates, true, nullptr, {}};
    return solve::solve(position, request);
  };
  const solve::SolveResult result = best(100000);
  ASSERT_EQ(result.answer, solve::Answer::RouteFound);
  EXPECT_EQ(result.stopped, solve::Stop::None);
  EXPECT_EQ(result.bestScore, 78);
  const auto dumps = play(solve::script(result.route) + "dump\n");
  ASSERT_FALSE(dumps.empty());
  EXPECT_EQ(dumps.back().state[gs::LastScore], 78);
  EXPECT_EQ(best(3).stopped, solve::Stop::States);
}

// A fairy's judgement writes the rankings, and the boxes of a later judgement depend on
// them: a position put back must find the holder as it was, or a route found after one
// way tried would not replay.
TEST_F(SolverTest, APositionPutBackFindsTheRankingsAsTheyWere) {
  prepare(10, 5, 5, 1000, 50, 50);
  put(5, 4, tile::Fairy);
  solve::Position position(SavedGame{source_.floors, source_.state}, false);
  const solve::Snapshot before = position.snapshot();
  const auto judge = [&] {
    std::vector<std::string> lines;
    EXPECT_TRUE(position.run("up", lines));
    for (int k = 0; k < 64 && !position.free(); ++k) {
      const auto choices = position.choices();
      EXPECT_TRUE(position.run(choices.empty() ? "wait" : choices.front(), lines));
    }
    EXPECT_EQ(position.game().state[gs::FairyVisits], 1);
    return std::make_pair(lines, position.snapshot().files);
  };
  const auto first = judge();
  EXPECT_NE(first.second, before.files) << "the judgement wrote no rankings";
  position.restore(before);
  EXPECT_EQ(judge(), first);
}

// Floor 24's event lifts the seal on the Magic Sergeant, which makes his row in the
// monster table ten times stronger: a position put back from before it must find the
// sealed row again, or a fight with him found there would not replay.
TEST_F(SolverTest, APositionPutBackFindsZenosRowAsItWas) {
  prepare(24, 5, 5, 1000, 50, 50);
  put(5, 4, tile::Event);
  source_.state[gs::SergeantSealed] = 1;
  solve::Position position(SavedGame{source_.floors, source_.state}, false);
  const solve::Snapshot before = position.snapshot();
  std::vector<std::string> lines;
  EXPECT_TRUE(position.run("up", lines));
  for (int k = 0; k < 64 && !position.free(); ++k) {
    const auto choices = position.choices();
    EXPECT_TRUE(position.run(choices.empty() ? "wait" : choices.front(), lines));
  }
  ASSERT_TRUE(position.free());
  ASSERT_NE(position.game().monsters[kind::Zeno], before.zeno) << "the seal was not lifted";
  position.restore(before);
  EXPECT_EQ(position.game().monsters[kind::Zeno], before.zeno);
  EXPECT_EQ(position.snapshot().zeno, before.zeno);
}

}  // namespace
}  // namespace kelvorn::commands
