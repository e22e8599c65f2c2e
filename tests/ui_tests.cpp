// The real window on a virtual display: start-up, walking by key presses, the two
// window sizes, and the refusal of a second instance.
#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <imgui_internal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

#include "storage/replay_files.h"
#include "storage/save_holder.h"
#include "commands/driver.h"
#include "ui/app.h"
#include "ui/recovery.h"
#include "ui/single_instance.h"
#include "ui/synthetic_input.h"

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

  static void press(SDL_Keycode key, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    e.key.state = SDL_PRESSED;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    SDL_PushEvent(&e);
  }

  // The board area of the window as last drawn.
  static Bitmap boardOnScreen(App& app) {
    const Bitmap window = app.frame().capture();
    const Rect& r = app.drawing().layout.board;
    Bitmap board(r.w, r.h);
    blit(board, 0, 0, window, r.x, r.y + app.frame().menuHeight(), r.w, r.h);
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

  const Bitmap window = app.frame().capture();
  EXPECT_EQ(window.width, 640);
  EXPECT_EQ(window.height, 424 + app.frame().menuHeight());
  // What the window shows on the board is what the engine drew, and it is not blank
  // when the pictures are installed.
  const Bitmap board = boardOnScreen(app);
  const Bitmap& shown = app.drawing().board.shown;
  int differing = 0;
  for (std::size_t i = 0; i < board.pixels.size(); ++i)
    differing += board.pixels[i] != shown.pixels[i];
  EXPECT_LT(differing, static_cast<int>(board.pixels.size() / 20));
  if (app.drawing().pictures.tiles.size() > 0) {
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
  Bitmap window = app.frame().capture();
  EXPECT_EQ(window.width, 800);
  EXPECT_EQ(window.height, 530 + app.frame().menuHeight());
  EXPECT_EQ(app.drawing().layout.tileSize, 40);
  EXPECT_EQ(app.game().state.heroCell(), cellIndex(4, 10));
  EXPECT_EQ(app.game().options[opt::Size], 1);
  app.changeSize(false);
  app.pump(300);
  window = app.frame().capture();
  EXPECT_EQ(window.width, 640);
  EXPECT_EQ(app.drawing().board.shown.width, 11 * 32);
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
  const Bitmap window = app.frame().capture();
  const int top = app.frame().menuHeight();
  const Rect& panel = app.drawing().layout.backSidePanel;
  EXPECT_EQ(window.at(20, top + 20), kBlack);  // the thanks screen covers the left panel
  EXPECT_NE(window.at(panel.x + 4, top + panel.y + 4), kBlack);

  press(SDLK_RETURN);
  app.pump(800);
  EXPECT_FALSE(game.controls.backSideVisible);
  EXPECT_FALSE(game.controls.sceneVisible);
  EXPECT_EQ(game.state[gs::LevelBoost], gs::kLevelBoostAfterWin);
  EXPECT_EQ(game.state[gs::Floor], 1);
}

// F11 fills the screen with the picture scaled and centred, and gives the window back.
TEST_F(WindowTest, FullScreenScalesThePictureAndGivesTheWindowBack) {
  App app(AppOptions{false, false});
  std::string error;
  ASSERT_TRUE(app.init(error)) << error;
  app.pump(200);
  const Bitmap picture = app.frame().capture();
  press(SDLK_F11);
  app.pump(500);
  EXPECT_TRUE(app.frame().fullScreen());
  Bitmap screen = app.frame().captureWindow();
  SDL_DisplayMode mode;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0);
  EXPECT_EQ(screen.width, mode.w);
  EXPECT_EQ(screen.height, mode.h);
  EXPECT_EQ(screen.at(0, 0), kBlack) << "a bar beside the picture";
  EXPECT_EQ(app.frame().capture().width, picture.width) << "the picture keeps its own size";
  press(SDLK_F11);
  app.pump(500);
  EXPECT_FALSE(app.frame().fullScreen());
  screen = app.frame().captureWindow();
  EXPECT_EQ(screen.width, picture.width);
  EXPECT_EQ(screen.height, picture.height);
}

// The window's settings live in settings.ini in the config folder: read at start, kept
// when changed with whatever else the file holds, and a save holder and KVN12.INI of an
// earlier run stay byte for byte as they were, with no file added.
TEST_F(WindowTest, SettingsSurviveARestartAndAnOldHolderStaysAsItWas) {
  const fs::path holder = home_ / "data" / "kelvorn" / "savedat";
  const fs::path config = home_ / "config" / "kelvorn";
  fs::create_directories(holder);
  fs::create_directories(config);
  OptionBytes options = builtInOptions();
  options[opt::Prologue] = 0;
  std::ofstream(holder / "option.dat", std::ios::binary)
      .write(reinterpret_cast<const char*>(options.data()), options.size());
  std::ofstream(holder / "save3.dat", std::ios::binary) << std::string(6957, '\x07');
  std::ofstream(holder / "option11.dat") << "A player\n";
  std::ofstream(config / "KVN12.INI") << holder.string() << "\n/nowhere\n\n";
  std::ofstream(config / "settings.ini")
      << "key.up.1=I\nfull-screen=1\nmusic-volume=40\nfrom-a-later-version=x\n";
  auto snapshot = [&] {
    std::map<fs::path, std::string> files;
    for (const fs::path& folder : {holder, config})
      for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename() != "settings.ini") {
          std::ifstream in(entry.path(), std::ios::binary);
          files[entry.path()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    return files;
  };
  const auto before = snapshot();

  for (const bool first : {true, false}) {
    App app(AppOptions{std::nullopt, false});
    std::string error;
    ASSERT_TRUE(app.init(error)) << error;
    app.pump(300);
    EXPECT_EQ(app.frame().fullScreen(), first);
    press(SDLK_DOWN);
    app.pump(300);
    press(SDLK_i);
    app.pump(300);
    EXPECT_EQ(app.game().state[gs::Facing], kFaceUp) << "I walks up";
    press(SDLK_UP);
    app.pump(300);
    EXPECT_EQ(app.game().state[gs::Facing], kFaceUp) << "the up arrow still does";
    if (first) press(SDLK_F11);
    app.pump(300);
  }
  std::ifstream in(config / "settings.ini");
  const std::string settings(std::istreambuf_iterator<char>(in), {});
  for (const char* line :
       {"full-screen=0\n", "key.up.1=I\n", "music-volume=40\n", "from-a-later-version=x\n"})
    EXPECT_NE(settings.find(line), std::string::npos) << line;
  EXPECT_EQ(snapshot(), before);
}

// A walk key pressed while a short script plays (here a pickup) is acted on when input
// unlocks, unless the purist's option has it ignored as the game always did; a click on
// a floor cell walks there around whatever is not floor.
TEST_F(WindowTest, KeptKeysAndClickedWalks) {
  for (const bool keep : {true, false}) {
    fs::create_directories(home_ / "config" / "kelvorn");
    std::ofstream(home_ / "config" / "kelvorn" / "settings.ini") << "keep-keys=" << keep << "\n";
    App app(AppOptions{false, false});
    std::string error;
    ASSERT_TRUE(app.init(error)) << error;
    app.pump(200);
    Game& game = app.game();
    const int floor = game.state[gs::Floor];
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Floor);
    game.floors.setCell(floor, cellIndex(4, 10), 32);  // a potion: a pickup's short script
    game.redrawAll();
    game.unlockInput();
    press(SDLK_LEFT);
    press(SDLK_LEFT);
    app.pump(1500);
    EXPECT_EQ(game.state.heroCell(), cellIndex(keep ? 3 : 4, 10)) << "keep " << keep;
    if (!keep) continue;

    // Walls across the way: the walk goes round them.
    for (int x = 0; x < 10; ++x) game.floors.setCell(floor, cellIndex(x, 8), tile::Wall);
    game.redrawAll();
    game.unlockInput();
    const Layout& l = app.drawing().layout;
    const int x = l.board.x + 2 * l.tileSize + l.tileSize / 2;
    const int y = app.frame().menuHeight() + l.board.y + 7 * l.tileSize + l.tileSize / 2;
    clickAt(app, x, y, 100);
    app.pump(3000);
    EXPECT_EQ(game.state.heroCell(), cellIndex(2, 7));
  }
}

// Figures over the monsters unless the purist switched them off; drawing them over a
// board of 120 monsters costs under a millisecond a frame (processor time, measured over
// 200 frames against the same board without them). Holding Space plays a long fight
// (here 35 blows) in a moment, to the same end.
TEST_F(WindowTest, DamageFiguresAndFastPlay) {
  for (const bool show : {false, true}) {
    fs::create_directories(home_ / "config" / "kelvorn");
    std::ofstream(home_ / "config" / "kelvorn" / "settings.ini") << "show-damage=" << show << "\n";
    App app(AppOptions{false, false});
    std::string error;
    ASSERT_TRUE(app.init(error)) << error;
    app.pump(200);
    Game& game = app.game();
    const int floor = game.state[gs::Floor];
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, 61);
    game.floors.setCell(floor, game.state.heroCell(), tile::Floor);
    game.redrawAll();
    game.unlockInput();
    app.drawFrame();
    const Bitmap board = boardOnScreen(app);
    int differing = 0;
    for (std::size_t i = 0; i < board.pixels.size(); ++i)
      differing += board.pixels[i] != app.drawing().board.shown.pixels[i];
    EXPECT_EQ(differing > 120 * 20, show) << "a figure under every monster";
    if (!show) continue;

    // 35 blows of 1 on the Green Slime to the left, 34 of 8 back.
    game.state[gs::Offense] = 2, game.state[gs::Defense] = 10;
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_SPACE;
    e.key.state = SDL_PRESSED;
    SDL_PushEvent(&e);
    press(SDLK_LEFT);
    app.pump(100);
    EXPECT_TRUE(game.fastPlay());
    for (int turn = 0; turn < 50 && game.stack.count() > 0; ++turn) app.pump(100);
    EXPECT_EQ(game.stack.count(), 0);
    EXPECT_EQ(game.state[gs::Life], 1000 - 34 * 8);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    SDL_PushEvent(&e);
    app.pump(100);
    EXPECT_FALSE(game.fastPlay());
  }
}

// A gamepad plugged in while the game runs walks with its d-pad, opens the menu bar with
// Start, moves in it and picks with A, answers No with B and closes the ranking with A;
// pulled out and plugged in again, it still plays.
TEST_F(WindowTest, AGamepadComesAndGoesWhileTheGameRuns) {
  App app(AppOptions{false, false});
  std::string error;
  ASSERT_TRUE(app.init(error)) << error;
  app.pump(200);
  Game& game = app.game();
  for (const int x : {4, 5}) {
    const int device = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* pad = SDL_JoystickOpen(device);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    app.pump(200);
    auto push = [&](SDL_GameControllerButton button) {
      SDL_JoystickSetVirtualButton(pad, button, 1);
      app.pump(100);
      SDL_JoystickSetVirtualButton(pad, button, 0);
      app.pump(200);
    };
    push(x == 4 ? SDL_CONTROLLER_BUTTON_DPAD_LEFT : SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(game.state.heroCell(), cellIndex(x, 10));
    if (x == 4) {
      push(SDL_CONTROLLER_BUTTON_START);  // the Game menu, on Game Start
      push(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
      push(SDL_CONTROLLER_BUTTON_A);
      ASSERT_TRUE(game.question);
      EXPECT_EQ(game.question->kind, QuestionKind::GameQuit);
      push(SDL_CONTROLLER_BUTTON_B);  // No
      EXPECT_FALSE(game.question);
      // A is the OK of the windows of their own too: the ranking closes, so the d-pad
      // walks the hero again below.
      game.menuRanking();
      app.pump(300);
      push(SDL_CONTROLLER_BUTTON_A);
    }
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    app.pump(200);
  }
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

// Ctrl+Z takes a move back and Ctrl+Y does it again; the replay the window recorded
// meanwhile, played headless from the game saved beside it, ends where the window is.
TEST_F(WindowTest, UndoRedoAndTheReplayOfWhatWasPlayed) {
  SavedGame played;
  {
    App app(AppOptions{false, false});
    std::string error;
    ASSERT_TRUE(app.init(error)) << error;
    app.pump(300);
    Game& game = app.game();
    const int start = game.state.heroCell();
    for (const SDL_Keycode key : {SDLK_LEFT, SDLK_UP}) {
      press(key);
      app.pump(600);
    }
    ASSERT_EQ(game.state.heroCell(), cellIndex(4, 9));
    press(SDLK_z, KMOD_LCTRL);
    app.pump(300);
    press(SDLK_z, KMOD_LCTRL);
    app.pump(300);
    EXPECT_EQ(game.state.heroCell(), start);
    press(SDLK_y, KMOD_LCTRL);
    app.pump(300);
    EXPECT_EQ(game.state.heroCell(), cellIndex(4, 10));
    press(SDLK_UP);
    app.pump(600);
    EXPECT_EQ(game.state.heroCell(), cellIndex(4, 9));
    EXPECT_FALSE(app.canRedo());
    EXPECT_TRUE(app.canUndo());
    ASSERT_EQ(app.replays().save(home_ / "replays" / "r.txt"), "");
    played = {game.floors, game.state};
  }
  std::ifstream in(home_ / "replays" / "r.txt");
  const std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(script.find("\nundo\n"), std::string::npos);
  EXPECT_NE(script.find("\nredo\n"), std::string::npos);
  fs::create_directories(home_ / "holder");
  std::ostringstream out, err;
  commands::Driver driver(
      commands::DriverOptions{home_ / "holder", home_ / "replays" / "r.dat", false}, out, err);
  driver.startUp();
  std::istringstream lines(script);
  ASSERT_EQ(driver.run(lines), commands::kExitOk) << err.str();
  EXPECT_EQ(driver.game().state.v, played.state.v);
  EXPECT_EQ(driver.game().floors, played.floors);

  // Played back in the window, eight times as fast, in a save holder of its own; once
  // it has ended the player goes on in his own holder, with his autosaves.
  App replayer(AppOptions{false, false, true, home_ / "replays" / "r.txt", 8});
  std::string error;
  ASSERT_TRUE(replayer.init(error)) << error;
  const fs::path replayHolder = replayer.holder().folder();
  EXPECT_NE(replayHolder, home_ / "data" / "kelvorn" / "savedat");
  replayer.pump(1500);
  EXPECT_EQ(replayer.game().state.v, played.state.v);
  EXPECT_EQ(replayer.game().floors, played.floors);
  EXPECT_EQ(replayer.holder().folder(), home_ / "data" / "kelvorn" / "savedat");
  EXPECT_FALSE(fs::exists(replayHolder));
  EXPECT_NE(replayer.game().messageBar().find("replay has ended"), std::string::npos);
  replayer.game().state[gs::Floor] = 2;  // as the stairs would
  replayer.pump(200);
  EXPECT_TRUE(storage::readSavedGame(home_ / "data" / "kelvorn" / "autosave1.dat").valid);
}

// What a replay does in the ranking window goes into the window's own record as the
// player's clicks there do, so a game saved as a replay after watching one plays again.
TEST_F(WindowTest, AReplaysRankingInputIsRecordedAsThePlayersIs) {
  fs::create_directories(home_ / "holder");
  std::ostringstream out, err;
  commands::DriverOptions options{home_ / "holder", std::nullopt, false};
  options.record = true;
  commands::Driver driver(std::move(options), out, err);
  driver.startUp();
  std::istringstream played("wait\nmenu ranking\nclick rank 2\nclick rank-ok\n");
  ASSERT_EQ(driver.run(played), commands::kExitOk) << err.str();
  ASSERT_EQ(storage::writeReplay(home_ / "r.txt", driver.game().records.replay), "");

  App replayer(AppOptions{false, false, true, home_ / "r.txt", 8});
  std::string error;
  ASSERT_TRUE(replayer.init(error)) << error;
  replayer.pump(1500);
  ASSERT_EQ(replayer.replays().save(home_ / "again.txt"), "");
  std::ifstream in(home_ / "again.txt");
  const std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(script.find("\nmenu ranking\nclick rank 2\nclick rank-ok\n"), std::string::npos)
      << script;
}

// A floor change, once the game rests, is kept as the newest autosave in the data
// folder (the save holder gets nothing), and every later start shows the offer to
// continue it: on the screen, answered by the keys of a Yes/No box, and any other key
// declines it and does what it always does. Each case is a new launch of a returning
// player.
TEST_F(WindowTest, AutosaveOnAFloorChangeAndTheOfferToContinueAtEveryStart) {
  {
    App app(AppOptions{false, false});
    std::string error;
    ASSERT_TRUE(app.init(error)) << error;
    app.pump(300);
    app.game().state[gs::Floor] = 2;  // as the stairs would
    app.pump(200);
    const SlotRead kept = storage::readSavedGame(home_ / "data" / "kelvorn" / "autosave1.dat");
    ASSERT_TRUE(kept.valid);
    EXPECT_EQ(kept.game->state[gs::Floor], 2);
    for (int slot = 0; slot <= 8; ++slot) EXPECT_FALSE(app.holder().slotExists(slot));
  }
  // The share of the board that differs from what the engine drew: a box over it.
  const auto covered = [](App& app) {
    const Bitmap board = boardOnScreen(app);
    int differing = 0;
    for (std::size_t i = 0; i < board.pixels.size(); ++i)
      differing += board.pixels[i] != app.drawing().board.shown.pixels[i];
    return double(differing) / double(board.pixels.size());
  };
  struct Case {
    std::vector<SDL_Keycode> keys;
    bool continued;
    bool question;  // the key went on to ask its own question
  };
  const Case cases[] = {
      {{SDLK_RETURN}, true, false}, {{SDLK_ESCAPE}, false, false},
      {{SDLK_RIGHT, SDLK_RETURN}, false, false}, {{SDLK_F2}, false, true},
      {{SDLK_F9}, false, true}, {{SDLK_F1, SDLK_ESCAPE}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(SDL_GetKeyName(c.keys.front()));
    App app(AppOptions{false, false});
    std::string error;
    ASSERT_TRUE(app.init(error)) << error;
    app.pump(300);
    Game& game = app.game();
    EXPECT_GT(covered(app), 0.1) << "the offer is drawn over the board";
    for (const SDL_Keycode key : c.keys) {
      press(key);
      app.pump(200);
    }
    EXPECT_EQ(game.state[gs::Floor], c.continued ? 2 : 1);
    EXPECT_EQ(game.question.has_value(), c.question);
    if (game.question) {
      press(SDLK_ESCAPE);
      app.pump(200);
    }
    EXPECT_LT(covered(app), 0.05) << "no box is left over the board";
    press(SDLK_UP);
    app.pump(300);
    EXPECT_EQ(game.state[gs::Facing], kFaceUp) << "play goes on";
    press(SDLK_LEFT);
    app.pump(300);
    EXPECT_EQ(game.state[gs::Facing], kFaceLeft);
  }
}

// "Can I still win?" searches on its own thread: the window goes on answering (every
// turn of its loop returns at once) and then says the answer in plain words.
TEST_F(WindowTest, CanIStillWinAnswersWithoutFreezingTheWindow) {
  App app(AppOptions{false, false});
  std::string error;
  ASSERT_TRUE(app.init(error)) << error;
  app.pump(400);
  app.routeWindow().ask(0);
  const auto began = std::chrono::steady_clock::now();
  while (app.routeWindow().answer().empty() &&
         std::chrono::steady_clock::now() - began < std::chrono::seconds(30)) {
    const auto turn = std::chrono::steady_clock::now();
    app.pump(50);
    EXPECT_LT(std::chrono::steady_clock::now() - turn, std::chrono::milliseconds(500));
  }
  EXPECT_EQ(app.routeWindow().answer(), "A way to floor 2 exists.");
  EXPECT_EQ(app.game().state[gs::Floor], 1);  // the search played a copy
}

// A dead end says in the window what blocks the way, not only in its answer: the route
// window grows by the lines that name the blocker, and its pixels follow the blocker
// named (a monster the hero cannot hurt, then a door without its key).
TEST_F(WindowTest, ADeadEndShowsWhatBlocksTheWayInTheRouteWindow) {
  App app(AppOptions{false, false});
  std::string error;
  ASSERT_TRUE(app.init(error)) << error;
  app.pump(400);
  Game& game = app.game();
  // Asks for the next floor and returns the answer and the route window as drawn.
  const auto answered = [&]() {
    app.routeWindow().ask(0);
    const auto began = std::chrono::steady_clock::now();
    while (app.routeWindow().answer().empty() &&
           std::chrono::steady_clock::now() - began < std::chrono::seconds(30))
      app.pump(50);
    app.pump(200);
    const ImGuiWindow* w = ImGui::FindWindowByName("Can I still win?");
    const Bitmap picture = app.frame().capture();
    Bitmap shown(int(w->Size.x), int(w->Size.y));
    blit(shown, 0, 0, picture, int(w->Pos.x), int(w->Pos.y), shown.width, shown.height);
    return std::make_pair(app.routeWindow().answer(), shown);
  };
  const auto [found, foundShown] = answered();
  EXPECT_EQ(found, "A way to floor 2 exists.");
  // The hero in the corner, walled in but for a Knight (defense 105) or a yellow door.
  const int floor = game.state[gs::Floor];
  const auto wallIn = [&](TileCode blocker) {
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Wall);
    game.state[gs::HeroX] = 0;
    game.state[gs::HeroY] = 1;
    game.state[gs::YellowKeys] = 0;
    game.floors.setCell(floor, cellIndex(0, 1), tile::Floor);
    game.floors.setCell(floor, cellIndex(0, 0), blocker);
  };
  wallIn(135);
  const auto [knight, knightShown] = answered();
  EXPECT_THAT(knight, ::testing::HasSubstr("No way to floor 2 is left from here.\nWhat blocks "
                                           "the way on floor 1:\n  Knight: he cannot hurt it"));
  wallIn(tile::Door);
  const auto [door, doorShown] = answered();
  EXPECT_THAT(door, ::testing::HasSubstr("  Yellow door: he has no yellow key"));
  // Two more lines of text than the one-line answer, and other words in them.
  EXPECT_GE(knightShown.height, foundShown.height + 2 * int(ImGui::GetTextLineHeight()));
  EXPECT_NE(knightShown, doorShown);
}

}  // namespace
}  // namespace kelvorn::ui
