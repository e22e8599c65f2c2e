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
#include "rules/game.h"
#include "view/game_drawing.h"
#include "rules/undo_history.h"
#include "storage/autosaves.h"
#include "storage/holder_chooser.h"
#include "storage/holder_host.h"
#include "storage/holder_ini.h"
#include "storage/ranking_board.h"
#include "storage/settings_file.h"
#include "ui/damage_figures.h"
#include "ui/fonts.h"
#include "ui/gamepad.h"
#include "ui/key_bindings.h"
#include "ui/picture_files.h"
#include "ui/replay_player.h"
#include "ui/route_check.h"
#include "ui/single_instance.h"
#include "ui/text_fit.h"
#include "ui/texture.h"

namespace kelvorn::ui {

// The names of the window's settings in settings.ini. The comforts are on until the
// player switches them off.
namespace setting {
inline constexpr const char* FullScreen = "full-screen";
inline constexpr const char* MusicVolume = "music-volume";  // percent
inline constexpr const char* EffectsVolume = "effects-volume";
inline constexpr const char* KeepKeys = "keep-keys";
inline constexpr const char* ClickToWalk = "click-to-walk";
inline constexpr const char* MonsterHints = "monster-hints";
inline constexpr const char* SlotDetails = "slot-details";
inline constexpr const char* ShowDamage = "show-damage";
// Off until switched on: fights show all their blows, as the game always did.
inline constexpr const char* SkipFights = "skip-battle-animations";
}  // namespace setting

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
  // The view the window draws the game with.
  GameDrawing& drawing() { return drawing_; }
  // Asks for a fresh frame after the game was changed other than by an event or a tick.
  void requestFrame() { framesToDraw_ = std::max(framesToDraw_, 2); }
  // Draws a frame now, whether anything changed or not (a benchmark times it).
  void drawFrame() { render(); }
  // The game's picture as last drawn at its own size (menu bar and client area), as
  // 0x00RRGGBB pixels.
  Bitmap capture();
  // The whole window as last shown: the picture scaled into it, with its bars.
  Bitmap captureWindow();
  int menuHeight() const;
  // F11: full screen on the desktop's own size, or back to the window.
  void toggleFullScreen();
  bool fullScreen() const;
  // Opens the Keys window, as Options, Keys... does.
  void openKeys() { keysOpen_ = true; }
  // Switches the window size, as the Size menu does.
  void changeSize(bool large);
  // Opens the About box, as the Help menu does.
  void openAbout() { aboutOpen_ = true; }
  // Ctrl+Z and Ctrl+Y, and the Game menu's Undo and Redo: offered while the game rests
  // and no window of its own is open.
  bool canUndo() const { return !modalWindowOpen() && history_.canUndo(game_); }
  bool canRedo() const { return !modalWindowOpen() && history_.canRedo(game_); }
  void undo();
  void redo();
  // Keeps the game as the newest autosave when it rests on another floor than the last
  // one kept (or, with `now`, whenever it rests: on quitting).
  void autosaveIfDue(bool now = false);
  // Writes the game's replay to `script` and its starting game beside it; an error text,
  // or empty.
  std::string saveReplay(const std::filesystem::path& script);
  // "Can I still win?" asked for goal 0 (the floor above the highest reached), 1 (the
  // next checkpoint) or 2 (the ending), as its window's Search button asks; the answer
  // the window shows, empty while the search runs.
  void askRoute(int goal);
  std::string routeAnswer() const;

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
  // A key as the window means it (an arrow, Enter, Escape, or another key), from the
  // keyboard after the player's bindings or from a gamepad.
  void handleMeaning(SDL_Keycode key);
  void handlePad(PadPress press);
  // Tells Dear ImGui of a key going down or up, for the windows that read it there.
  void imguiKey(SDL_Keycode key, bool down);
  // A walk key held back while a short script played, or the next move of a click's
  // walk, once input is unlocked.
  void feedWaitingInput();
  bool inputUnlocked() const;
  // Something over the board or in front of the game takes the keys: a window, its
  // buttons, the item cursor, a scene.
  bool buttonsShowing() const;
  void stepClickWalk();
  void render();
  // Puts the picture into the window, scaled by the rule of fitPicture, and shows it.
  void composeWindow();
  void present();
  // Dear ImGui works in the picture's own coordinates, whatever the window's size.
  void pointerToPicture();
  int pictureWidth() const { return drawing_.layout.clientWidth; }
  int pictureHeight() const { return drawing_.layout.clientHeight + menuHeight(); }
  // The whole scale a new window opens at: the display's density in steps of 96 dots per
  // inch, as far as the window fits the display.
  int startingScale() const;
  void drawPictures();
  void drawInterface();
  void drawMenuBar();
  // While a pad has the menu bar open, its buttons and stick move Dear ImGui's
  // navigation through the menus (read before each frame).
  void padToMenus();
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
  // Over the board: a click walks to a floor cell, the pointer names a monster and the
  // fight's cost.
  void drawBoardPointer();
  // Over every monster on the board, what fighting it would cost now.
  void drawDamageFigures();
  // Space or a shoulder button held: the game plays fast.
  void followFastPlay();
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
  void drawHelp();
  void drawKeysWindow();
  void drawOptionsMenu();
  void drawSlotMenu(bool load);
  // The window's comforts a purist can switch off, by their names in settings.ini.
  bool comfort(const char* name, bool byDefault = true) const {
    return settings_.flag(name, byDefault);
  }
  void setComfort(const char* name, bool on);
  void saveSettings();
  void applyVolumes();
  void drawRankingWindow();
  // The Game menu's Save Replay... box, and the offer at start-up to continue the game
  // the last autosave kept.
  void drawSaveReplay();
  void drawContinueOffer();
  void loadAutosave(const std::filesystem::path& file);
  // The replay of --replay: begun from its starting game in a save holder of its own,
  // played on as time passes, its commands carried out as the player's input would be.
  bool startReplay(std::string& error);
  void playReplay(int elapsed);
  // The replay ends (played out or stopped by Escape): the player's own holder and
  // autosaves take over.
  void endReplay();
  bool replayCommand(const std::string& line);
  // What the player does in the window's own windows (the rankings) goes into the
  // game's replay from here.
  void noteWindowInput(const std::string& command) {
    const auto noted = game_.records.replay.note(game_, command);
  }
  // "Can I still win?" (route_window.cpp).
  void openRouteCheck();
  void drawRouteWindow();
  void drawRouteOverlay();
  void drawHolderChooser();
  // A window of the window's own that takes the keys while it is open.
  bool ownWindowOpen() const {
    return ranking_.has_value() || chooser_.has_value() || keysOpen_ || saveReplayOpen_;
  }
  bool modalWindowOpen() const { return ownWindowOpen() || continueOffer_.has_value(); }
  // The offer to continue is on the screen (it waits behind the game's own boxes).
  bool continueOfferShowing() const {
    return continueOffer_ && !game_.question && !game_.dialogs.notice && !ownWindowOpen();
  }
  // A key while the offer shows: the arrows and Tab move between Yes and No, Enter,
  // Escape, Y and N answer it; true when the key was taken. Any other key declines the
  // offer (the autosave stays under Load) and then does what it always does.
  bool answerContinueOffer(SDL_Keycode key);
  void declineContinueOffer() { continueOffer_.reset(); }
  void uploadPanels();
  bool largeAllowed() const;

  AppOptions options_;
  Game game_;
  GameDrawing drawing_{viewedGame(game_)};
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
  RouteCheck routeCheck_;
  bool routeWindowOpen_ = false;
  bool routeAsked_ = false;  // a goal was chosen: the search runs or has answered
  int routeGoal_ = 0;        // the floor above the highest reached, a checkpoint, the ending
  std::string routeGoalText_;
  int routeStart_ = 0;  // the hero's cell when the search started
  int routeStep_ = -1;  // the move of the route shown on the board, or none

  storage::SettingsFile settings_{std::filesystem::path()};
  KeyBindings keys_;
  Gamepads pads_;
  bool helpOpen_ = false;
  bool keysOpen_ = false;
  // The Keys window waits for the key of this action and slot.
  std::optional<std::pair<Action, int>> capturing_;
  std::string keysNote_;  // what the Keys window says about the last key pressed
  // Start opened the menu bar: the pad moves through it until it closes.
  bool padMenuWanted_ = false;
  bool padMenuOpen_ = false;
  SDL_Keycode padKeyUp_ = SDLK_UNKNOWN;  // a key the pad pressed, let go after a frame
  // A walk key pressed while input was locked, and when.
  struct HeldKey {
    SDL_Keycode key;
    std::uint64_t at;
  };
  std::optional<HeldKey> heldKey_;
  // A click's walk to a floor cell: it stops when the floor or the hero's life changes or
  // a move does not end where it should.
  struct ClickWalk {
    int floor, target, expectedCell;
    std::int32_t life;
  };
  std::optional<ClickWalk> clickWalk_;
  bool spaceHeld_ = false;  // fast play by the keyboard
  // The damage figures of the last moment no script played, and their floor.
  std::vector<DamageFigure> figures_;
  int figuresFloor_ = -1;
  std::array<storage::SlotSummary, 9> slots_;  // read as the Save or Load menu opens
  UndoHistory history_;
  storage::Autosaves autosaves_{std::filesystem::path()};
  // The floor of the last autosave, and the game (counted by its beginnings) it was in.
  int autosavedFloor_ = -1;
  std::uint64_t autosavedGame_ = ~std::uint64_t{0};
  std::optional<storage::Autosaves::Newest> continuable_;    // read as the Load menu opens
  std::optional<storage::Autosaves::Newest> continueOffer_;  // asked once at start-up
  bool saveReplayOpen_ = false;
  std::array<char, 1024> replayPath_{};
  std::string replayNote_;  // what the Save Replay box says after a try
  std::optional<ReplayPlayer> replay_;
  std::filesystem::path replayHolder_;  // while a replay plays; removed when it ends
  SDL_Texture* frame_ = nullptr;        // the picture at its own size, scaled into the window
  int windowScale_ = 1;                 // the window's whole scale when not full screen

  Texture board_, centre_, left_, right_, scene_, keyPanel_, swordIcon_, shieldIcon_, monster_;
  std::array<Texture, kItemSlots> icons_;
  std::array<Texture, 7> forecastPortraits_;
  FontSet fonts_;
};

}  // namespace kelvorn::ui
