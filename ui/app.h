// The game window: an SDL2 window with a Dear ImGui menu bar and controls over the
// pictures the engine draws. It hands real time to the engine, sends it the player's
// input, and shows what it has drawn. It sleeps between events and timer ticks and
// draws a frame only when something changed.
#pragma once

#include <SDL.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "audio/player.h"
#include "engine/game.h"
#include "storage/holder_chooser.h"
#include "storage/holder_host.h"
#include "storage/holder_ini.h"
#include "storage/ranking_board.h"
#include "ui/fonts.h"
#include "ui/picture_files.h"
#include "ui/single_instance.h"
#include "ui/text_fit.h"
#include "ui/texture.h"

namespace kelvorn::ui {

struct AppOptions {
  std::optional<bool> prologue;  // overrides the Prologue option for this run
  bool refusalBox = true;        // a second instance says so in a message box
  bool errorBox = true;          // an internal error is reported in a message box
};

class App : public storage::HolderHost {
 public:
  explicit App(AppOptions options);
  ~App() override;
  // Opens the window and starts the game. False when another instance runs (it has
  // been asked to come forward) or no window can be opened; `error` says which.
  bool init(std::string& error);
  // Runs until the player ends the program.
  void run();
  // Runs the event loop for `ms` of real time at most (tests drive the window with it).
  void pump(int ms);
  bool running() const { return running_; }
  // True once an internal error closed the window (the game went to the recovery file).
  bool failed() const { return !failure_.empty(); }

  Game& game() { return game_; }
  // Asks for a fresh frame after the game was changed other than by an event or a tick.
  void requestFrame() { framesToDraw_ = std::max(framesToDraw_, 2); }
  // The window's client area as last drawn, as 0x00RRGGBB pixels below the menu bar.
  Bitmap capture();
  int menuHeight() const;
  // Switches the window size, as the Size menu does.
  void changeSize(bool large);
  // Opens the About box, as the Help menu does.
  void openAbout() { aboutOpen_ = true; }

  void quit() override { running_ = false; }
  void openRanking() override;
  void openHolderChooser() override;
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
  bool openWindow(std::string& error);
  void startUp();
  void applyLayout(bool large);
  void loopOnce(int maxWaitMs);
  // The loop with every error caught; after one, the failure screen instead.
  void guardedLoopOnce(int maxWaitMs);
  void fail(const std::string& what);
  void failureLoopOnce(int maxWaitMs);
  void handleEvent(const SDL_Event& event);
  void handleKey(const SDL_Keysym& key);
  void render();
  void drawPictures();
  void drawInterface();
  void drawMenuBar();
  void drawStatus();
  void drawControls();
  void drawMessageWindow();
  void drawSceneText();
  void drawBoxes();
  void drawItemIcons();
  void drawAnswerButtons();
  void drawFlightButtons();
  void drawHintGrid();
  void drawForecast();
  // Writes a text fitted into a place of the layout.
  void textIn(const Rect& place, std::string_view text, int points, bool bold, Align align,
              ImU32 colour, bool wrap = false);
  // A question or message box: opens it with its text; the caller adds the buttons,
  // centred by boxButtons, and ends it.
  bool beginBox(const char* id, std::string_view text, std::string_view title = {});
  void boxButtons(int count, float width);
  // The keyboard for the buttons of a conversation or an item: true when the key was
  // taken by one of them.
  bool handleButtonKey(SDL_Keycode key);
  // A button of the window at a place of the layout; "##" starts the part of the label
  // that only tells buttons apart.
  bool button(const char* label, const Rect& r, bool focused, bool enabled = true, int points = 10);
  // A plain box inside another window: OK closes it.
  bool okBox(const char* id, const std::string& text);
  // The focused button of the group now showing (a new group starts on its default).
  int focusedButton(const std::string& group, int count, int initial);
  void drawAbout();
  void drawRankingWindow();
  void drawHolderChooser();
  bool modalWindowOpen() const { return ranking_.has_value() || chooser_.has_value(); }
  void uploadPanels();
  bool largeAllowed() const;

  AppOptions options_;
  Game game_;
  std::filesystem::path programFolder_;
  storage::HolderIni ini_;
  std::unique_ptr<SingleInstance> instance_;
  LayoutPictures pictures_;

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  bool imguiReady_ = false;
  bool running_ = true;
  std::string failure_;           // what the failure screen says, once an internal error happened
  bool recoveryOffered_ = false;  // the Load menu offers the recovery file
  int framesToDraw_ = 2;
  std::uint64_t boardGeneration_ = ~0ull;
  std::uint64_t lastTicks_ = 0;
  std::uint64_t lastTimerCount_ = 0;
  bool aboutOpen_ = false;
  bool yesFocused_ = true;
  std::string focusGroup_;
  int focus_ = 0;
  std::unique_ptr<audio::Player> audio_;
  std::optional<storage::RankingBoard> ranking_;
  std::optional<storage::HolderChooser> chooser_;
  std::array<char, 256> inputText_{};  // the text box of a name or a new holder
  bool makingHolder_ = false;

  Texture board_, centre_, left_, right_, scene_, keyPanel_, swordIcon_, shieldIcon_, monster_;
  std::array<Texture, kItemSlots> icons_;
  std::array<Texture, 7> forecastPortraits_;
  FontSet fonts_;
};

}  // namespace kelvorn::ui
