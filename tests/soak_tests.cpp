// The soak: its checks catch the states they are for (and pass the game's own held
// states), its scripts keep only what the game accepted, and a short run from a fixed
// seed plays the same commands twice and finds nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "tools/soak/checked_game.h"
#include "tools/soak/invariants.h"
#include "tools/soak/soak.h"

namespace kelvorn::soak {
namespace {

namespace fs = std::filesystem;

fs::path freshFolder(const std::string& name) {
  const fs::path folder = fs::temp_directory_path() / ("kelvorn-soak-test-" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

TEST(SoakCodes, TheBuiltInMapsHoldOnlyStoredCodes) {
  Game game;
  game.startUp(std::nullopt);
  EXPECT_TRUE(unknownCodes(game.floors).none());
  for (const int code : {0, 18, 20, 28, 36, 62, 96, 106, 114, 124, 132, 158, 159, 255})
    EXPECT_FALSE(storedCode(static_cast<TileCode>(code))) << code;
  for (const int code : {1, 6, 17, 19, 27, 29, 60, 61, 95, 97, 105, 115, 123, 133, 157})
    EXPECT_TRUE(storedCode(static_cast<TileCode>(code))) << code;
}

// Each case changes an unlocked first game after the "before" snapshot; the checker
// names the invariant broken, or nothing for the states the game holds on purpose.
TEST(SoakInvariants, EachCheckCatchesItsStateAndPassesTheHeldOnes) {
  struct Case {
    const char* what;
    std::function<void(Game&)> change;
    const char* broken;  // the invariant, or "" for none
  };
  const char* locked = "input locked with nothing pending and nothing waiting for the player";
  const Case cases[] = {
      {"nothing", [](Game&) {}, ""},
      {"a question's window closed with no step behind it", [](Game& g) { g.lockInput(); }, locked},
      {"locked while the steps run", [](Game& g) { g.timer2on(); }, ""},
      {"locked behind a window with OK",
       [](Game& g) {
         g.lockInput();
         g.controls.windowVisible = g.controls.okVisible = true;
       },
       ""},
      {"a death answered No: only Load",
       [](Game& g) {
         g.lockInput();
         g.controls.loadEnabled = true;
       },
       ""},
      {"unlocked with a step no timer runs", [](Game& g) { g.stack.push(wsPause); },
       "steps left with no timer to run them: every key is refused"},
      {"gold below zero", [](Game& g) { g.state[gs::Gold] = -1; }, "Gold is negative"},
      {"the hero beyond the right edge", [](Game& g) { g.state[gs::HeroX] = 11; },
       "the hero is off the board"},
      {"floor 51", [](Game& g) { g.state[gs::Floor] = 51; }, "the floor is outside 0..50"},
      {"Use left for an item given away",
       [](Game& g) {
         g.controls.confirmSlot = 5;
         g.state.itemSlot(5) = 0;
       },
       "an item control works for an item the hero does not hold"},
      {"an octopus partner code written", [](Game& g) { g.floors.setCell(1, 0, 106); },
       "a cell the game wrote holds an unknown code"},
      {"a loaded code kept", [](Game& g) { g.floors.setCell(1, 0, 200); }, ""},
  };
  std::bitset<256> loadable;
  loadable.set(200);
  for (const Case& c : cases) {
    Game game;
    OptionBytes options = builtInOptions();
    options[opt::Prologue] = 0;
    game.startUp(options);
    InvariantChecker checker(loadable);
    checker.before(game);
    c.change(game);
    const auto finding = checker.after(game, {});
    EXPECT_EQ(finding ? finding->invariant : "", c.broken) << c.what;
  }
}

// A refused click changes nothing, so the script keeps only the accepted lines and
// replays the same in kelvorn-play, which stops at a refused one.
TEST(SoakReplay, KeepsOnlyTheLinesTheGameAccepted) {
  const fs::path holder = freshFolder("replay");
  const ReplayResult r =
      replay(holder, false, {}, {"click ok", "up", "answer yes", "wait", "left"});
  EXPECT_FALSE(r.finding);
  EXPECT_EQ(r.accepted, (std::vector<std::string>{"up", "wait", "left"}));
  fs::remove_all(holder);
}

TEST(SoakRun, AFixedSeedPlaysTheSameCommandsTwiceAndFindsNothing) {
  SoakCounts first;
  for (int run = 0; run < 2; ++run) {
    const fs::path folder = freshFolder("run" + std::to_string(run));
    std::ostringstream out;
    SoakOptions options;
    options.seed = 3;
    options.commands = 400;
    options.folder = folder;
    Soak soak(options, out);
    EXPECT_EQ(soak.run(), 0) << out.str();
    const SoakCounts& c = soak.counts();
    EXPECT_EQ(c.commands, 400);
    EXPECT_GE(c.games, 2);
    EXPECT_GT(c.checks, 400 * 10);
    if (run == 0) {
      first = c;
    } else {
      EXPECT_EQ(c.games, first.games);
      EXPECT_EQ(c.refused, first.refused);
      EXPECT_EQ(c.savesWritten, first.savesWritten);
      EXPECT_EQ(c.checks, first.checks);
    }
    EXPECT_FALSE(fs::exists(Soak::currentFolder(folder)));
    fs::remove_all(folder);
  }
}

}  // namespace
}  // namespace kelvorn::soak
