// The game window: an SDL2 window with a Dear ImGui menu bar and controls over the
// pictures the engine draws. It hands real time to the engine, sends it the player's
// input, and shows what it has drawn. It sleeps between events and timer ticks and
// draws a frame only when something changed.
//
// The window is made of parts that each own their state and draw themselves; the App
// composes them, hands each what it needs, and routes events, the game's requests and
// the menu bar's commands to them.
#pragma once

#include <SDL.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "audio/player.h"
#include "rules/game.h"
#include "rules/undo_history.h"
#include "storage/holder_host.h"
#include "storage/ranking_board.h"
#include "ui/autosave_keeper.h"
#include "ui/failure_screen.h"
#include "ui/game_buttons.h"
#include "ui/gamepad.h"
#include "ui/help_windows.h"
#include "ui/holder_chooser_window.h"
#include "ui/keys_window.h"
#include "ui/menu_bar.h"
#include "ui/message_boxes.h"
#include "ui/paths.h"
#include "ui/picture_layer.h"
#include "ui/picture_overlay.h"
#include "ui/ranking_window.h"
#include "ui/replays.h"
#include "ui/route_window.h"
#include "ui/settings.h"
#include "ui/waiting_input.h"
#include "ui/window_frame.h"
#include "view/game_drawing.h"

namespace kelvorn::ui {

struct AppOptions {
  std::optional<bool> prologue;    // overrides the Prologue option for this run
  bool refusalBox = true;          // a second instance says so in a message box
  bool errorBox = true;            // an internal error is reported in a message box
  std::filesystem::path replay{};  // a replay to play back instead of the player's input
  int replaySpeed = 1;             // game time handed over per real millisecond of the replay
};

class App : public storage::HolderHost {
 public:
  explicit App(AppOptions options);
  // Opens the window and starts the game. False when another instance runs (it has
  // been asked to come forward) or no window can be opened; `error` says which.
  bool init(std::string& error);
  // Runs until the player ends the program.
  void run();
  // Runs the event loop for `ms` of real time at most (tests drive the window with it).
  void pump(int ms);
  // True once an internal error closed the window (the game went to the recovery file).
  bool failed() const { return failure_.shown(); }

  Game& game() { return game_; }
  // The view the window draws the game with.
  GameDrawing& drawing() { return drawing_; }
  // The window, its picture and its captures.
  WindowFrame& frame() { return frame_; }
  // Asks for a fresh frame after the game was changed other than by an event or a tick.
  void requestFrame() { framesToDraw_ = std::max(framesToDraw_, 2); }
  // Draws a frame now, whether anything changed or not (a benchmark times it).
  void drawFrame() { render(); }
  // Switches the window size, as the Size menu does.
  void changeSize(bool large);
  // Ctrl+Z and Ctrl+Y, and the Game menu's Undo and Redo: offered while the game rests
  // and no window of its own is open.
  bool canUndo() const { return !modalWindowOpen() && history_.canUndo(game_); }
  bool canRedo() const { return !modalWindowOpen() && history_.canRedo(game_); }
  void undo();
  void redo();
  // The parts that tests and tools open or ask directly.
  HelpWindows& helpWindows() { return helpWindows_; }
  KeysWindow& keysWindow() { return keysWindow_; }
  RouteWindow& routeWindow() { return routeWindow_; }
  Replays& replays() { return replays_; }

  void quit() override { running_ = false; }
  void openRanking() override { rankingWindow_.open(holder()); }
  void openHolderChooser() override { chooserWindow_.open(); }
  void changeWindowSize(bool large) override { applyLayout(large); }
  void playEffect(int number) override {
    if (audio_) audio_->playEffect(number);
  }
  void playMusic(int track) override {
    if (audio_) audio_->playMusic(track);
  }
  void playMusicFile(std::string_view relativePath) override {
    if (audio_) audio_->playMusicFile(relativePath);
  }
  void closeMusic() override {
    if (audio_) audio_->closeMusic();
  }

 private:
  // The start-up order of the window: where the files are, the settings, the layout,
  // then the engine's own start-up (options applied, intro, new game).
  void startUp();
  void applyLayout(bool large);
  void loopOnce(int maxWaitMs);
  // The loop with every error caught; after one, the failure screen instead.
  void guardedLoopOnce(int maxWaitMs);
  void fail(const std::string& what);
  void handleEvent(const SDL_Event& event);
  void handleKey(const SDL_Keysym& key);
  // A key as the window means it (an arrow, Enter, Escape, or another key), from the
  // keyboard after the player's bindings or from a gamepad.
  void handleMeaning(SDL_Keycode key);
  void handlePad(PadPress press);
  // The menu bar's commands and F11.
  void carryOut(WindowCommand command);
  bool inputUnlocked() const;
  // Space or a shoulder button held: the game plays fast.
  void followFastPlay();
  void render();
  void drawInterface();
  // A window of the window's own that takes the keys while it is open.
  bool ownWindowOpen() const {
    return rankingWindow_.isOpen() || chooserWindow_.isOpen() || keysWindow_.isOpen() ||
           replays_.saveBoxOpen();
  }
  bool modalWindowOpen() const { return ownWindowOpen() || autosaves_.offered(); }
  // A replay's commands, each sent where the window sends the same input of a player
  // (replay_commands.cpp).
  bool replayCommand(const std::string& line);
  class ReplayFront;  // where a replay's input that is not the game's goes

  AppOptions options_;
  Game game_;
  GameDrawing drawing_{viewedGame(game_)};
  UndoHistory history_;
  Gamepads pads_;
  SDL_Keycode padKeyUp_ = SDLK_UNKNOWN;  // a key the pad pressed, let go after a frame
  bool spaceHeld_ = false;               // fast play by the keyboard
  bool running_ = true;
  int framesToDraw_ = 2;
  std::uint64_t lastTicks_ = 0;
  std::uint64_t lastTimerCount_ = 0;

  // The parts, the window first: the others' textures go before its renderer.
  WindowFrame frame_;
  std::unique_ptr<audio::Player> audio_;  // goes before the window closes SDL
  PictureLayer pictures_{game_, drawing_, programFolder()};
  Settings settings_{game_};
  MenuBar menuBar_;
  PictureOverlay overlay_{game_, drawing_, settings_};
  GameButtons buttons_{game_, drawing_};
  WaitingInput waiting_{game_};
  MessageBoxes boxes_{game_};
  HelpWindows helpWindows_{settings_};
  KeysWindow keysWindow_{settings_};
  RankingWindow rankingWindow_{game_};
  HolderChooserWindow chooserWindow_{game_, *this};
  RouteWindow routeWindow_{game_};
  Replays replays_{game_, *this};
  AutosaveKeeper autosaves_{game_, [this] { requestFrame(); }};
  FailureScreen failure_;
};

}  // namespace kelvorn::ui
