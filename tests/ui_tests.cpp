// The real window on a virtual display: start-up, walking by key presses, the two
// window sizes, and the refusal of a second instance.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ui/app.h"
#include "ui/recovery.h"
#include "ui/single_instance.h"

namespace kelvorn::ui {
namespace {

namespace fs = std::filesystem;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::temp_directory_path() /
            ("kelvorn-ui-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(home_);
    for (const char* sub : {"config", "data", "run"}) fs::create_directories(home_ / sub);
    fs::permissions(home_ / "run", fs::perms::owner_all);
    setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home_ / "run").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(home_); }

  static void press(SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.state = SDL_PRESSED;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    SDL_PushEvent(&e);
  }

  // The board area of the window as last drawn.
  static Bitmap boardOnScreen(App& app) {
    const Bitmap window = app.capture();
    const Rect& r = app.game().layout.board;
    Bitmap board(r.w, r.h);
    blit(board, 0, 0, window, r.x, r.y + app.menuHeight(), r.w, r.h);
    return board;
  }

  fs::path home_;
};

TEST_F(WindowTest, StartsOnFloorOneShowsTheBoardAndWalksByKeys) {
  App app(AppOptions{false, false});
  std::string error;
  ASSERT_TRUE(app.init(error)) << error;
  app.pump(400);
  Game& game = app.game();
  EXPECT_EQ(game.state[gs::Floor], 1);
  EXPECT_EQ(game.state.heroCell(), cellIndex(5, 10));

  const Bitmap window = app.capture();
  EXPECT_EQ(window.width, 640);
  EXPECT_EQ(window.height, 424 + app.menuHeight());
  // What the window shows on the board is what the engine drew, and it is not blank
  // when the pictures are installed.
  const Bitmap board = boardOnScreen(app);
  const Bitmap& shown = game.board.shown;
  int differing = 0;
  for (std::size_t i = 0; i < board.pixels.size(); ++i)
    differing += board.pixels[i] != shown.pixels[i];
  EXPECT_LT(differing, static_cast<int>(board.pixels.size() / 20));
  if (game.pictures.tiles.size() > 0) {
    const auto first = board.pixels.front();
    EXPECT_TRUE(
        std::any_of(board.pixels.begin(), board.pixels.end(), [&](Pixel p) { return p != first; }));
  }

  press(SDLK_LEFT);
  app.pump(300);
  EXPECT_EQ(game.state.heroCell(), cellIndex(4, 10));
  EXPECT_EQ(game.state[gs::Facing], kFaceLeft);
  press(SDLK_UP);
  app.pump(300);
  EXPECT_EQ(game.state[gs::Facing], kFaceUp);
}

TEST_F(WindowTest, SwitchesToTheLargeSetAndBackKeepingTheGame) {
  App app(AppOptions{false, false});
  std::string error;
  ASSERT_TRUE(app.init(error)) << error;
  app.pump(200);
  press(SDLK_LEFT);
  app.pump(300);
  app.changeSize(true);
  app.pump(300);
  Bitmap window = app.capture();
  EXPECT_EQ(window.width, 800);
  EXPECT_EQ(window.height, 530 + app.menuHeight());
  EXPECT_EQ(app.game().layout.tileSize, 40);
  EXPECT_EQ(app.game().state.heroCell(), cellIndex(4, 10));
  EXPECT_EQ(app.game().options[opt::Size], 1);
  app.changeSize(false);
  app.pump(300);
  window = app.capture();
  EXPECT_EQ(window.width, 640);
  EXPECT_EQ(app.game().board.shown.width, 11 * 32);
}

// The first game's ending in the window: its scene layer covers the board and panels,
// the back-side control waits under the thanks, and Enter goes on into the second game.
TEST_F(WindowTest, EndingHoldsAtTheBackSideUntilEnter) {
  App app(AppOptions{false, false});
  std::string error;
  ASSERT_TRUE(app.init(error)) << error;
  app.pump(200);
  Game& game = app.game();
  game.state[gs::Floor] = 50;
  game.floors.setCell(50, game.state.heroCell() - 11, tile::Zeno);
  game.redrawAll();
  game.unlockInput();
  press(SDLK_UP);
  app.pump(100);
  while (game.timers.enabled(TimerId::Steps) && game.stack.count() > 0) game.runStep();
  ASSERT_TRUE(game.controls.backSideVisible);
  app.requestFrame();
  app.pump(100);
  const Bitmap window = app.capture();
  const int top = app.menuHeight();
  const Rect& panel = game.layout.backSidePanel;
  EXPECT_EQ(window.at(20, top + 20), kBlack);  // the thanks screen covers the left panel
  EXPECT_NE(window.at(panel.x + 4, top + panel.y + 4), kBlack);

  press(SDLK_RETURN);
  app.pump(800);
  EXPECT_FALSE(game.controls.backSideVisible);
  EXPECT_FALSE(game.controls.sceneVisible);
  EXPECT_EQ(game.state[gs::LevelBoost], gs::kLevelBoostAfterWin);
  EXPECT_EQ(game.state[gs::Floor], 1);
}

TEST_F(WindowTest, ASecondInstanceIsRefusedAndRaisesTheFirst) {
  SingleInstance first(home_ / "run");
  ASSERT_TRUE(first.first());
  EXPECT_FALSE(first.raiseRequested());
  App second(AppOptions{false, false});
  std::string error;
  EXPECT_FALSE(second.init(error));
  EXPECT_EQ(error, "Sorry, cannot execute plural 'Kelvorn'.");
  EXPECT_TRUE(first.raiseRequested());
}

TEST_F(WindowTest, ALockLeftByAnEndedRunDoesNotBlockTheNextStart) {
  {
    SingleInstance earlier(home_ / "run");
    ASSERT_TRUE(earlier.first());
  }
  // A crashed run leaves its socket file behind; the lock itself died with it.
  std::ofstream(home_ / "run" / "kelvorn.sock") << "stale";
  SingleInstance next(home_ / "run");
  EXPECT_TRUE(next.first());
}

// A game kept after an internal error loads like a slot, once; a damaged file stays for
// the player to see and leaves the game as it was.
TEST_F(WindowTest, RecoveredGameLoadsOnceAndADamagedFileStays) {
  OptionBytes options = builtInOptions();
  options[opt::Prologue] = 0;
  Game kept;
  kept.startUp(options);
  kept.state[gs::Life] = 4321;
  ASSERT_EQ(keepForRecovery(SavedGame{kept.floors, kept.state}), "");
  ASSERT_TRUE(fs::exists(recoveryFile()));

  Game game;
  game.startUp(options);
  EXPECT_EQ(loadRecovered(game), Game::LoadResult::Loaded);
  EXPECT_EQ(game.state[gs::Life], 4321);
  EXPECT_FALSE(fs::exists(recoveryFile()));
  EXPECT_EQ(loadRecovered(game), Game::LoadResult::Missing);

  ASSERT_EQ(keepForRecovery(SavedGame{kept.floors, kept.state}), "");
  fs::resize_file(recoveryFile(), 100);
  game.state[gs::Life] = 7;
  EXPECT_EQ(loadRecovered(game), Game::LoadResult::Missing);
  EXPECT_EQ(game.state[gs::Life], 7);
  EXPECT_TRUE(fs::exists(recoveryFile()));
}

}  // namespace
}  // namespace kelvorn::ui
