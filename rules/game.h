// Game: everything the running program knows about the game, and every operation on
// it. One object per run; the window, the tests and the headless driver all drive the
// same object through its input methods and hand it time through advance().
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "content/tables.h"
#include "rules/controls.h"
#include "rules/fight_cost.h"
#include "rules/floor_store.h"
#include "rules/game_state.h"
#include "rules/game_view.h"
#include "rules/host.h"
#include "rules/messages.h"
#include "rules/monsters.h"
#include "rules/options.h"
#include "rules/replay_log.h"
#include "rules/timers.h"
#include "rules/work_stack.h"

namespace kelvorn {

class Game {
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
  // Re-applies the checked speed to the timers.
  void applyCheckedSpeed();

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
  // Asks a Yes/No question. One already showing waits under it and shows again once
  // this one is answered, so no question (and the input it holds) is ever lost.
  void ask(Question asked);
  // Closes the pending plain message box; a box waiting behind it comes next.
  void acknowledge();
  // Shows a plain message box, after the one already showing if there is one.
  void showNotice(std::string text);
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
  bool drawing() const { return view_.view != nullptr; }
  // The board: every cell of the current floor (no hero), one cell, the hero after a
  // move, and frame 0 shown.
  void drawFloor();
  void drawCell(int cell);
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
  bool cursorShown = false;
  int itemCursor = 0;
  bool itemSelectMode = false;

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
  // One row of the forecast: a monster kind of the floor and what fighting it costs.
  struct ForecastRow {
    int kind;
    std::string name, stats, damage;
  };
  std::vector<ForecastRow> forecast;

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
  // Refreshes the floor label and the message bar from the floor and the message code.
  void disp();
  // Shows a composed text on the message bar at once.
  void showOnMessageBar(std::string text);
  std::string_view messageText(int entry) const { return messages.entry(entry); }
  bool waitingForPlayer() const;
  // True once nothing more will happen without the player: no step timer, no intro,
  // or a box or window waiting for an answer.
  bool idle() const;

  // ---- Music -----------------------------------------------------------------------
  void chooseFloorTrack();  // the band tune of the current floor
  void playTrack();         // (re)start the current track
  void closeMusic();

  // ---- Scenes ----------------------------------------------------------------------
  // The text of the ending's thanks screen.
  static constexpr const char* kThanks = "Thank you for playing!";
  static constexpr const char* kBackSideHint = "Go to the back side. Click here.";

  // ---- State -------------------------------------------------------------------------
  MessageTable messages;
  MonsterTable monsters;
  GameState state;
  FloorStore floors;
  WorkStack stack;
  Timers timers;
  OptionBytes options = builtInOptions();
  Controls controls;
  std::optional<Question> question;
  std::optional<std::string> notice;

  int messageCode = 0;
  std::string composedMessage;
  int monsterKind = -1;
  int monsterLife = 0;
  bool foeLifeCounted = false;  // the foe's panel shows monsterLife counted down by a fight
  int dialogKind = 0;
  bool dialogHold = false;
  bool recallOpen = false;  // the orb of wisdom's recall list: windows show no OK
  int moveDirection = 1;
  int sourceCell = 0;
  int targetCell = 0;
  int hintNumber = 0;  // which hint a hint window (DialogKind 0 or 1) shows
  // The conversation under way: which merchant's or the altar's question Yes answers.
  bool altarAsked = false;
  int offerPrice = 0;
  int stairsSide = 0;       // the orb of flying took off beside up (1) or down (2) stairs
  int pendingItem = -1;     // the slot whose "Use" is showing
  bool holdRepeat = false;  // a flight button is held down
  int introFrame = 0;
  int animationFrame = 1;  // which board frame the idle animation shows next
  bool quitRequested = false;
  std::uint64_t timerFirings = 0;  // counts every timer tick (the window redraws after one)
  // Where a game begins anew (a new game, a load), where it comes from outside (a load),
  // and where no undo may reach back past (those, a save, a fairy's judgement, the
  // rankings shown): the window's autosaves, replays and undo follow these counts.
  std::uint64_t gamesBegun = 0;
  std::uint64_t loads = 0;
  std::uint64_t undoBarriers = 0;
  ReplayLog replay;

 private:
  void onTimer(TimerId id);
  void animationTick();
  void moveRequest(int direction, bool turn = true);
  void judge();
  void walk();
  int scanNeighbours(bool markNearStairs = true);
  void moveCursor(int delta, int direction);
  void showCursor(int direction);
  void overlayCell(int cell, int background, int sprite, int mask);
  void slideSprite(int from, int to);
  void revealOne(int mode, int k);

  // Rules of play (the judge and what it calls).
  void pushDoor(int cell, int kind);
  void keyDoor(TileCode door);
  void doorPuzzles();
  void falseWall();
  void hiddenTrigger();
  void pickup(TileCode item);
  void princessScene();
  void finalFloor();
  void pushEnding();
  void battle();
  void scriptedBattle(int cell);
  void pushBattleRound(int target, TileCode heroTile, int form, int monsterArg = -1);
  void pushRounds(std::int64_t n, int target, TileCode heroTile, int form);
  void writeOutRounds();
  void strikeMonster(std::int64_t n, bool doubling);
  void strikeHero(std::int64_t n);
  void afterMoveChecks();
  void magicAttack(int code, int offset);
  void sergeantsStrike();
  void monsterReactions();
  void stairs(bool up);
  void faceAwayFrom(TileCode stairs);
  void floorChangeDissolve();
  // Story scenes and bosses.
  void mapEvent();
  // The capture on floor 3 and the prison start (prologue.cpp).
  void captureEvent();
  void pushCaptureScene();
  void pushPrisonStart();
  // The picture sequences' frames and the full-window pictures (picture_sequences.cpp).
  void pictureFrame(int mode, int p);
  void showTitlePicture();
  void presentBackBuffer();
  void coverWindow(ScenePicture picture, int brightness = 256, int ending = 0);
  // Characters.
  void oldMan();
  void merchant();
  void thief();
  void fairy();
  void altarOffer();
  void openDialog(const std::string& text, bool ok);
  void closeDialog();
  // Items.
  void useItem(int slot);
  void orbOfFlying();
  void orbOfWisdom();
  void orbOfTheHero();
  void addForecast(int kind);
  void pushDissolveOut(int cell);
  void moveThiefOn29();
  void jailTunnelThief();
  void introTick();
  void repeatTick();
  void perform(const WorkStep& step);
  void performScript(int subStep, int param);
  // Runs a scene function whose script replaces the running step.
  void replaceRunningStep(int subStep, int param);
  void pushSceneScript(int subStep, int param);
  void doorStep(const WorkStep& step);
  void revealStep(const WorkStep& step);
  void changeLife(std::int32_t newLife);
  void startDeath(bool flush);
  void pushDeathScript();
  void applyOptions();
  void applySpeed(Speed speed);
  void refreshIcons();
  void hideDialogControls();
  void startNewGameFromMenu();

  bool scriptPending() const;
  // The attached view, or nullptr when there is none: the caller skips its drawing,
  // and the view is marked as behind the rules so that attaching one redraws it.
  GameView* view();

  // The view drawing this game, which a copy does not share: the copy's view is behind.
  struct ViewLink {
    GameView* view = nullptr;
    bool behind = false;
    ViewLink() = default;
    ViewLink(const ViewLink&);
    ViewLink& operator=(const ViewLink&);
  };
  ViewLink view_;
  bool firstTickDone_ = false;  // the first animation tick after a new game shows the keys
  bool fastPlay_ = false;
  int shownFloor_ = 1;
  std::string shownMessage_;
  std::deque<std::string> laterNotices_;  // boxes waiting behind `notice`
  std::vector<Question> coveredQuestions_;  // questions waiting under `question`
  // Shows the question last covered, when none shows.
  void uncoverQuestion();
  const content::BuiltIn& tables_;
  // The host given, or the silent one; chosen at each call so that a copy of a game
  // never points at the silent host of the game it was copied from.
  Host& host() { return host_ ? *host_ : defaultHost_; }
  Host defaultHost_;
  Host* host_;
};

}  // namespace kelvorn
