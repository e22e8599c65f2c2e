// Game: the one facade the window, the driver and the solver use. One object per run;
// they all drive it through its input methods and hand it time through advance(). Its
// state lives in homes of its own: what the rules decide is the PlayState it is built on
// (all a search copies), what the player is in the middle of is `dialogs`, what is shown
// is `scene` and `bar`, and what undo and replays follow is `records`. The rules of play
// behind the facade are free functions over a Game, one subsystem per internal header
// (battle.h, doors.h, items.h, ...), which only rules/ includes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/tables.h"
#include "rules/controls.h"
#include "rules/dialog_state.h"
#include "rules/fight_cost.h"
#include "rules/game_links.h"
#include "rules/game_records.h"
#include "rules/message_bar.h"
#include "rules/messages.h"
#include "rules/options.h"
#include "rules/play_state.h"
#include "rules/scene_state.h"

namespace kelvorn {

class Game : public PlayState {
 public:
  explicit Game(const content::BuiltIn& tables = content::builtIn(), Host* host = nullptr);

  // ---- Start-up and new game -------------------------------------------------------
  // The first activation of the window: versions, options (the stored block, or the
  // built-in one when the file was missing or short), the intro when the Prologue
  // option is on, and a complete new game.
  void startUp(const std::optional<OptionBytes>& storedOptions);
  // Data half of a new game: GameState's new-game values and every floor's initial map.
  void newGameData();
  // Display half: rebuilds what the window shows from the data; drops pending steps.
  void redrawAll();
  // A complete new game: both halves, input unlocked, animation and music restarted.
  void gameOver();

  // ---- Time ------------------------------------------------------------------------
  // Moves time forward by `ms`, firing every timer that falls due on the way.
  void advance(int ms);
  // Fast play, while the player holds it: steps run at the fastest rate (what waits for
  // an answer still waits) and fights are skipped as by skipFightAnimations.
  void setFastPlay(bool on);
  bool fastPlay() const { return fastPlay_; }
  // A fight shows its first and last rounds only, with the same outcome.
  bool skipFightAnimations = false;
  bool skipFights() const { return fastPlay_ || skipFightAnimations; }
  bool introRunning() const { return timers.enabled(TimerId::Intro); }

  // ---- Work stack --------------------------------------------------------------------
  // Starts the step timer and locks input; every script writer calls it once.
  void timer2on();
  // One tick of the step timer: at most two steps.
  void stepTick();
  // Runs the top step and removes it.
  void runStep();

  // ---- Input lock ------------------------------------------------------------------
  void lockInput();
  void unlockInput();

  // ---- Message window and boxes ----------------------------------------------------
  // Opens the message window for the current DialogKind (9: the death sequence).
  void openMessageWindow();
  // The message window's OK button.
  void pressOk();
  // Answers the pending Yes/No box; a question it had covered comes back.
  void answer(bool yes);
  // Closes the pending plain message box; a box waiting behind it comes next.
  void acknowledge();
  // The ending's back-side control: the held ending goes on into the next game.
  void goToBackSide();

  // ---- Menus -------------------------------------------------------------------------
  void menuGameStart();
  void menuGameQuit();
  void menuGameExit();
  void menuSpeed(Speed speed);
  void menuFont(FontChoice choice);
  void menuControl(Control control);
  void menuPrologue();
  void menuMusic();
  void menuSound();
  void menuSave(int slot);
  void menuLoad(int slot);
  void menuOptionSave();
  void menuOptionInit();
  void menuRanking();
  void menuHolder();
  // The ranking window was closed: a checkpoint scene waiting behind it goes on.
  void rankingClosed();
  // Rebuilds what the window shows after a change of window size.
  void afterSizeChange();

  // ---- The view -------------------------------------------------------------------
  // Attaches the view that draws this game (or detaches it, given nullptr): from now on
  // every change the rules make is drawn as it happens. A game never given a view (the
  // driver, the soak, the route search, tests of the rules) plays by the same rules and
  // draws nothing; whatever it skipped is drawn from the state (the board, the hero and
  // the panels) when a view is attached later. A copy of a game has no view.
  void attachView(GameView* view);
  bool drawing() const { return links.drawing(); }
  // The board: every cell of the current floor (no hero), one cell, the hero after a
  // move, and frame 0 shown.
  void drawFloor();
  void drawHeroAfterMove();
  void present();
  // Side panels; the monster panel with the foe's life counted down on it when `counted`
  // (as a fight left it).
  void drawKeyPanel();
  void drawItemPanel();
  void drawMonsterPanel(bool counted = false);

  // ---- Input -------------------------------------------------------------------------
  // The main window's key handler, with Windows virtual-key codes (13 Enter, 27 Escape,
  // 37..40 Left, Up, Right, Down).
  void keyDown(int key);
  // The on-screen arrows: 1 up, 2 left, 3 right, 4 down.
  void arrowClick(int direction);
  // Holding and releasing the flying dialog's UP (true) or DOWN (false) button.
  void flightButtonDown(bool up);
  void flightButtonUp();
  // The moves (1 up, 2 left, 3 right, 4 down) of the shortest walk from the hero to
  // `cell` over plain floor: a click on the board walks it, move by move.
  std::vector<int> floorWalk(int cell) const;

  // ---- Characters and items ----------------------------------------------------------
  // A click on an item icon (or Enter on the item cursor): orbs act at once, the other
  // usable items first ask "Don't use" / "Use".
  void clickItem(int slot);
  void pressUse();
  // True while the hero holds the item of a slot (the warp staff while it has charges).
  bool holds(int slot) const;
  void pressDontUse();
  // The Yes and No under a merchant's or the altar's question.
  void pressYes();
  void pressNo();
  // The altar's choices 1..4 (life, offense, defense, nothing).
  void pressAltarChoice(int choice);
  // The orb of flying's buttons.
  void pressFlyUp();
  void pressFlyDown();
  void pressFlyOk();
  // The orb of wisdom's hint buttons 1..24 and their OK.
  void pressHint(int button);
  void pressHintOk();
  // Closes the orb of the hero's forecast.
  void pressForecastOk();
  // What fighting one of this kind would cost now, as the forecast says it (without the
  // cross's or the Dragon Slayer's doubling).
  std::string forecastText(int kind) const;
  // What stepping into a cell of the current floor would cost by the battle's own rules,
  // or nullopt when that step starts no battle (not a monster, a 3 x 3 body's other
  // cells, Zeno where he is no foe to fight).
  std::optional<FightCost> bumpCost(int cell) const;
  // "Expected damage: N", or "Cannot be hit by you!".
  std::string costText(const FightCost& cost) const;

  // ---- Loading -------------------------------------------------------------------
  // The file work of a load once the file has been read and decoded: nullopt for a file
  // that is missing or short, `valid` false for a wrong marker or checksums.
  enum class LoadResult { Missing, Rejected, Loaded };
  LoadResult loadGame(const std::optional<SavedGame>& file, bool valid);

  // ---- What the window shows -------------------------------------------------------
  // The floor label and the message bar. While a script plays they show what its last
  // message step (or the refresh before it) showed, so an outcome decided at once
  // appears only when the script reaches it; otherwise they follow the game.
  std::string floorLabel() const;
  std::string messageBar() const;
  // Shows a composed text on the message bar at once.
  void showOnMessageBar(std::string text);
  std::string_view messageText(int entry) const { return messages.entry(entry); }
  bool waitingForPlayer() const;
  // True once nothing more will happen without the player: no step timer, no intro,
  // or a box or window waiting for an answer.
  bool idle() const;

  // ---- Music -----------------------------------------------------------------------
  void closeMusic();

  // ---- Scenes ----------------------------------------------------------------------
  // The text of the ending's thanks screen.
  static constexpr const char* kThanks = "Thank you for playing!";
  static constexpr const char* kBackSideHint = "Go to the back side. Click here.";

  // ---- State -------------------------------------------------------------------------
  MessageTable messages;  // shared with copies of this game
  OptionBytes options = builtInOptions();
  Controls controls;
  MessageBarState bar;
  DialogState dialogs;
  SceneState scene;
  GameRecords records;
  bool quitRequested = false;
  std::uint64_t timerFirings = 0;  // counts every timer tick (the window redraws after one)
  GameLinks links;

 private:
  bool fastPlay_ = false;
  const content::BuiltIn& tables_;
};

// What a view attached to `game` reads of it.
inline ViewedGame viewedGame(const Game& game) { return {game, game.scene, game.messages}; }

}  // namespace kelvorn
