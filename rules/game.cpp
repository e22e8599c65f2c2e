#include "rules/clock.h"
#include "rules/game_upkeep.h"
#include "rules/menus.h"
#include "rules/message_window.h"
#include "rules/music.h"

namespace kelvorn {

namespace {
// Fast play: the step timer fires every 10 ms.
constexpr int kFastStepMs = 10;
}  // namespace

Game::Game(const content::BuiltIn& tables, Host* host)
    : PlayState(tables.monsters), messages(tables.messages), links(host), tables_(tables) {}

// ---- Start-up and new game ---------------------------------------------------------

void Game::startUp(const std::optional<OptionBytes>& storedOptions) {
  state[gs::SaveVersion] = gs::kSaveVersion;
  state[gs::LevelBoost] = 0;
  state[gs::CarryOver] = 0;
  state.extra[extra::Marker] = extra::kMarkerValue;
  options = storedOptions.value_or(builtInOptions());
  applyOptions(*this);
  if (controls.prologueChecked) {
    scene.introFrame = 0;
    if (GameView* v = links.view()) v->introFrame();
    timers.enable(TimerId::Intro, true);
    timers.enable(TimerId::Animation, false);
  }
  newGameData();
  redrawAll();
  if (!controls.prologueChecked) unlockInput();
}

void Game::newGameData() {
  applyNewGameValues(state);
  for (int i = 0; i < extra::Marker; ++i) state.extra[i] = 0;
  floors = FloorStore(tables_.floors);
  ++records.gamesBegun;
  ++records.undoBarriers;
}

void Game::redrawAll() {
  hideDialogControls(*this);
  scene.sourceCell = state.heroCell();
  bar.code = msg::None;
  scene.moveDirection = 1;
  dialogs.dialogKind = 0;
  stack.clear();
  scene.animationFrame = 1;
  scene.firstTickDone = false;
  if (!introRunning()) {
    drawFloor();
    drawHeroAfterMove();
    present();
    controls.panelsVisible = true;
    scene.monsterKind = -1;
    drawMonsterPanel();
    drawItemPanel();
    refreshIcons(*this);
    disp(*this);
  }
  if (state[gs::MusicTrack] != 0) {
    controls.musicChecked = true;
    options[opt::Music] = 1;
    if (!introRunning()) playTrack(*this);
  }
  applySergeantRow(monsters, state[gs::SergeantSealed]);
}

void Game::gameOver() {
  newGameData();
  redrawAll();
  unlockInput();
  if (!timers.enabled(TimerId::Animation)) timers.enable(TimerId::Animation, true);
  if (controls.musicChecked) {
    chooseFloorTrack(*this);
    playTrack(*this);
  }
}

void startNewGameFromMenu(Game& game) {
  game.state[gs::LevelBoost] = 0;
  game.state[gs::CarryOver] = 0;
  game.gameOver();
}

// Every control of a conversation or an item goes with the game it belonged to, so no
// button left showing can act on the next game.
void hideDialogControls(Game& game) {
  game.controls.windowVisible = false;
  game.controls.windowText.clear();
  game.controls.okVisible = false;
  game.controls.okCaption = "OK";
  game.controls.sceneVisible = false;
  game.controls.sceneText.clear();
  game.controls.backSideVisible = false;
  game.controls.arrowsVisible = false;
  game.controls.yesNoVisible = false;
  game.controls.noEnabled = true;
  game.controls.altarChoicesVisible = false;
  game.controls.confirmSlot = -1;
  game.controls.flightVisible = false;
  game.controls.hintGridVisible = false;
  game.controls.forecastVisible = false;
  game.dialogs.forecast.clear();
  game.dialogs.pendingItem = -1;
  game.dialogs.altarAsked = false;
  game.dialogs.recallOpen = false;
  game.state.extra[extra::RecallShown] = 0;
  game.dialogs.holdRepeat = false;
  game.timers.enable(TimerId::Repeat, false);
  // The questions about the game on the board (to try it again, to save it over a slot)
  // go with it, even while another covers them.
  const auto aboutTheGame = [](const Question& q) {
    return q.kind == QuestionKind::TryAgain || q.kind == QuestionKind::Overwrite;
  };
  std::erase_if(game.dialogs.coveredQuestions, aboutTheGame);
  if (game.question && aboutTheGame(*game.question)) game.question.reset();
  uncoverQuestion(game);
}

// ---- Time ----------------------------------------------------------------------------

void Game::advance(int ms) {
  records.replay.tick(*this, ms);
  int budget = ms;
  while (budget >= 0) {
    const auto fired = timers.advance(budget);
    if (!fired) break;
    onTimer(*this, *fired);
  }
}

void Game::setFastPlay(bool on) {
  fastPlay_ = on;
  timers.cap(TimerId::Steps, on ? std::optional(kFastStepMs) : std::nullopt);
}

// ---- Input lock ----------------------------------------------------------------------

namespace {
bool isUsableSlot(int s) { return s != 3 && s != 10 && s != 14; }
}  // namespace

bool Game::holds(int slot) const {
  if (slot < 0 || slot >= kItemSlots) return false;
  const std::int32_t value = state.itemSlot(slot);
  return slot == 7 ? value > 0 : value == 1;
}

void Game::lockInput() {
  if (!controls.keyboardControl) controls.arrowsEnabled = false;
  for (int s = 0; s < kItemSlots; ++s)
    if (isUsableSlot(s)) controls.iconEnabled[s] = false;
  controls.rankingEnabled = false;
  controls.loadEnabled = false;
  controls.saveEnabled = false;
  controls.optionsEnabled = false;
}

void Game::unlockInput() {
  if (state.itemSlot(0) == 2) return;  // the orb's dialogue is still open
  if (!controls.keyboardControl && !introRunning()) {
    controls.arrowsVisible = true;
    controls.arrowsEnabled = true;
  }
  if (controls.keyboardControl) controls.keyPreview = true;
  for (int s = 0; s < kItemSlots; ++s) {
    const bool owned = holds(s);
    controls.iconVisible[s] = owned;
    controls.iconEnabled[s] = owned && isUsableSlot(s);
  }
  controls.saveEnabled = state.itemSlot(0) == 1;
  controls.rankingEnabled = true;
  controls.loadEnabled = true;
  controls.optionsEnabled = true;
}

void refreshIcons(Game& game) {
  for (int s = 0; s < kItemSlots; ++s) {
    const std::int32_t v = game.state.itemSlot(s);
    const bool owned = s == 7 ? v > 0 : v != 0;
    game.controls.iconVisible[s] = owned;
    game.controls.iconEnabled[s] = owned && isUsableSlot(s);
  }
}

// ---- What the window shows -----------------------------------------------------------

void disp(Game& game) {
  game.bar.shownFloor = game.state[gs::Floor];
  game.bar.shownMessage = game.messages.barText(game.bar.code, game.bar.composed);
}

void Game::showOnMessageBar(std::string text) {
  bar.composed = std::move(text);
  bar.code = msg::Composed;
  disp(*this);
}

bool scriptPending(const Game& game) {
  return game.stack.count() > 0 || game.timers.enabled(TimerId::Steps);
}

std::string Game::floorLabel() const {
  const int floor = scriptPending(*this) ? bar.shownFloor : state[gs::Floor];
  return messages.entry(msg::Tower) + (floor < 10 ? "  " : " ") + std::to_string(floor) +
         messages.entry(msg::FloorSuffix);
}

std::string Game::messageBar() const {
  return scriptPending(*this) ? bar.shownMessage : messages.barText(bar.code, bar.composed);
}

bool Game::waitingForPlayer() const {
  return question.has_value() || dialogs.notice.has_value() || controls.backSideVisible ||
         (controls.windowVisible && controls.okVisible);
}

bool Game::idle() const {
  return waitingForPlayer() || (!timers.enabled(TimerId::Steps) && !timers.enabled(TimerId::Intro));
}

// ---- Music ---------------------------------------------------------------------------

void chooseFloorTrack(Game& game) {
  if (const int track = trackForFloor(game.state[gs::Floor]); track != 0)
    game.state[gs::MusicTrack] = track;
}

void playTrack(Game& game) {
  game.links.host().closeMusic();
  game.links.host().playMusic(game.state[gs::MusicTrack]);
}

void Game::closeMusic() { links.host().closeMusic(); }

// ---- Loading -------------------------------------------------------------------------

Game::LoadResult Game::loadGame(const std::optional<SavedGame>& file, bool valid) {
  if (introRunning()) timers.enable(TimerId::Intro, false);
  lockInput();
  if (controls.musicChecked) closeMusic();
  LoadResult result = LoadResult::Missing;
  if (!file) {
    bar.code = msg::NobodySaved;
  } else if (valid && file->state[gs::SaveVersion] == gs::kSaveVersion && isPlayable(file->state) &&
             arrivalCellsValid(file->floors)) {
    floors = file->floors;
    state = file->state;
    // The orb of the hero's first words cannot be open in a saved game: the orb is held.
    if (state.itemSlot(0) == 2) state.itemSlot(0) = 1;
    redrawAll();
    ++records.gamesBegun;
    ++records.loads;
    ++records.undoBarriers;
    bar.code = msg::Loaded;
    result = LoadResult::Loaded;
  } else {
    dialogs.notice = "Donot use this save data.";
    result = LoadResult::Rejected;
  }
  disp(*this);
  if (controls.musicChecked) {
    chooseFloorTrack(*this);
    playTrack(*this);
  }
  if (result != LoadResult::Loaded && state[gs::Life] == 0) {
    // A game that ended stays held for loading when the file could not be used.
    lockInput();
    controls.loadEnabled = true;
  } else {
    unlockInput();
  }
  if (!timers.enabled(TimerId::Animation)) timers.enable(TimerId::Animation, true);
  return result;
}

}  // namespace kelvorn
