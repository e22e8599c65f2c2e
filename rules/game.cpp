#include "rules/game.h"

#include "rules/music.h"

namespace kelvorn {

namespace {
// Fast play: the step timer fires every 10 ms and runs four ticks (eight steps) each time.
constexpr int kFastStepMs = 10, kFastTicks = 4;
}  // namespace

Game::Game(const content::BuiltIn& tables, Host* host)
    : messages(tables.messages), monsters(tables.monsters), tables_(tables), host_(host) {}

// ---- Start-up and new game ---------------------------------------------------------

void Game::startUp(const std::optional<OptionBytes>& storedOptions) {
  state[gs::SaveVersion] = gs::kSaveVersion;
  state[gs::LevelBoost] = 0;
  state[gs::CarryOver] = 0;
  state.extra[extra::Marker] = extra::kMarkerValue;
  options = storedOptions.value_or(builtInOptions());
  applyOptions();
  if (controls.prologueChecked) {
    introFrame = 0;
    if (GameView* v = view()) v->introFrame();
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
  ++gamesBegun;
  ++undoBarriers;
}

void Game::redrawAll() {
  hideDialogControls();
  sourceCell = state.heroCell();
  messageCode = msg::None;
  moveDirection = 1;
  dialogKind = 0;
  stack.clear();
  animationFrame = 1;
  firstTickDone_ = false;
  if (!introRunning()) {
    drawFloor();
    drawHeroAfterMove();
    present();
    controls.panelsVisible = true;
    monsterKind = -1;
    drawMonsterPanel();
    drawItemPanel();
    refreshIcons();
    disp();
  }
  if (state[gs::MusicTrack] != 0) {
    controls.musicChecked = true;
    options[opt::Music] = 1;
    if (!introRunning()) playTrack();
  }
  applySergeantRow(monsters, state[gs::SergeantSealed]);
}

void Game::gameOver() {
  newGameData();
  redrawAll();
  unlockInput();
  if (!timers.enabled(TimerId::Animation)) timers.enable(TimerId::Animation, true);
  if (controls.musicChecked) {
    chooseFloorTrack();
    playTrack();
  }
}

void Game::startNewGameFromMenu() {
  state[gs::LevelBoost] = 0;
  state[gs::CarryOver] = 0;
  gameOver();
}

// Every control of a conversation or an item goes with the game it belonged to, so no
// button left showing can act on the next game.
void Game::hideDialogControls() {
  controls.windowVisible = false;
  controls.windowText.clear();
  controls.okVisible = false;
  controls.okCaption = "OK";
  controls.sceneVisible = false;
  controls.sceneText.clear();
  controls.backSideVisible = false;
  controls.arrowsVisible = false;
  controls.yesNoVisible = false;
  controls.noEnabled = true;
  controls.altarChoicesVisible = false;
  controls.confirmSlot = -1;
  controls.flightVisible = false;
  controls.hintGridVisible = false;
  controls.forecastVisible = false;
  forecast.clear();
  pendingItem = -1;
  altarAsked = false;
  recallOpen = false;
  state.extra[extra::RecallShown] = 0;
  holdRepeat = false;
  timers.enable(TimerId::Repeat, false);
  // The questions about the game on the board (to try it again, to save it over a slot)
  // go with it, even while another covers them.
  const auto aboutTheGame = [](const Question& q) {
    return q.kind == QuestionKind::TryAgain || q.kind == QuestionKind::Overwrite;
  };
  std::erase_if(coveredQuestions_, aboutTheGame);
  if (question && aboutTheGame(*question)) question.reset();
  uncoverQuestion();
}

// ---- Time ----------------------------------------------------------------------------

void Game::advance(int ms) {
  replay.tick(*this, ms);
  int budget = ms;
  while (budget >= 0) {
    const auto fired = timers.advance(budget);
    if (!fired) break;
    onTimer(*fired);
  }
}

void Game::setFastPlay(bool on) {
  fastPlay_ = on;
  timers.cap(TimerId::Steps, on ? std::optional(kFastStepMs) : std::nullopt);
}

void Game::onTimer(TimerId id) {
  ++timerFirings;
  switch (id) {
    case TimerId::Animation: animationTick(); break;
    case TimerId::Steps:
      stepTick();
      // Fast play runs several ticks at once; the last, empty one that unlocks input
      // comes with the next firing, as it would.
      for (int i = 1;
           fastPlay_ && i < kFastTicks && timers.enabled(TimerId::Steps) && stack.count() > 0; ++i)
        stepTick();
      break;
    case TimerId::Repeat: repeatTick(); break;
    case TimerId::Intro: introTick(); break;
  }
}

void Game::introTick() {
  timers.setInterval(TimerId::Intro, introFrame < 8 ? 350 : introFrame < 15 ? 250 : 150);
  if (GameView* v = view()) v->introFrame();
  ++introFrame;
  if (introFrame >= 20) {
    timers.enable(TimerId::Intro, false);
    startNewGameFromMenu();
  }
}

void Game::repeatTick() {
  if (!holdRepeat) {
    timers.enable(TimerId::Repeat, false);
    return;
  }
  if (moveDirection >= 1 && moveDirection <= 4) {
    moveRequest(moveDirection, false);
    return;
  }
  // Flying previews the floors only; the hero is placed when the player confirms.
  int& floor = state[gs::Floor];
  if (moveDirection == 5 && floor < state[gs::HighestFloor]) {
    floor += floor == 43 ? 2 : 1;  // floor 44 cannot be reached
  } else if (moveDirection == 6 && floor >= 2) {
    floor -= floor == 45 ? 2 : 1;
  } else {
    return;
  }
  drawFloor();
  present();
}

void Game::applySpeed(Speed speed) {
  const int ms = speedInterval(speed);
  timers.setInterval(TimerId::Animation, ms);
  timers.setInterval(TimerId::Steps, ms);
  timers.setInterval(TimerId::Repeat, ms);
}

void Game::applyCheckedSpeed() {
  if (const auto speed = checkedSpeed(options)) applySpeed(*speed);
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

void Game::refreshIcons() {
  for (int s = 0; s < kItemSlots; ++s) {
    const std::int32_t v = state.itemSlot(s);
    const bool owned = s == 7 ? v > 0 : v != 0;
    controls.iconVisible[s] = owned;
    controls.iconEnabled[s] = owned && isUsableSlot(s);
  }
}

// ---- What the window shows -----------------------------------------------------------

void Game::disp() {
  shownFloor_ = state[gs::Floor];
  shownMessage_ = messages.barText(messageCode, composedMessage);
}

void Game::showOnMessageBar(std::string text) {
  composedMessage = std::move(text);
  messageCode = msg::Composed;
  disp();
}

bool Game::scriptPending() const { return stack.count() > 0 || timers.enabled(TimerId::Steps); }

std::string Game::floorLabel() const {
  const int floor = scriptPending() ? shownFloor_ : state[gs::Floor];
  return messages.entry(msg::Tower) + (floor < 10 ? "  " : " ") + std::to_string(floor) +
         messages.entry(msg::FloorSuffix);
}

std::string Game::messageBar() const {
  return scriptPending() ? shownMessage_ : messages.barText(messageCode, composedMessage);
}

bool Game::waitingForPlayer() const {
  return question.has_value() || notice.has_value() || controls.backSideVisible ||
         (controls.windowVisible && controls.okVisible);
}

bool Game::idle() const {
  return waitingForPlayer() || (!timers.enabled(TimerId::Steps) && !timers.enabled(TimerId::Intro));
}

// ---- Music ---------------------------------------------------------------------------

void Game::chooseFloorTrack() {
  if (const int track = trackForFloor(state[gs::Floor]); track != 0) state[gs::MusicTrack] = track;
}

void Game::playTrack() {
  host().closeMusic();
  host().playMusic(state[gs::MusicTrack]);
}

void Game::closeMusic() { host().closeMusic(); }

// ---- Loading -------------------------------------------------------------------------

Game::LoadResult Game::loadGame(const std::optional<SavedGame>& file, bool valid) {
  if (introRunning()) timers.enable(TimerId::Intro, false);
  lockInput();
  if (controls.musicChecked) closeMusic();
  LoadResult result = LoadResult::Missing;
  if (!file) {
    messageCode = msg::NobodySaved;
  } else if (valid && file->state[gs::SaveVersion] == gs::kSaveVersion && isPlayable(file->state) &&
             arrivalCellsValid(file->floors)) {
    floors = file->floors;
    state = file->state;
    // The orb of the hero's first words cannot be open in a saved game: the orb is held.
    if (state.itemSlot(0) == 2) state.itemSlot(0) = 1;
    redrawAll();
    ++gamesBegun;
    ++loads;
    ++undoBarriers;
    messageCode = msg::Loaded;
    result = LoadResult::Loaded;
  } else {
    notice = "Donot use this save data.";
    result = LoadResult::Rejected;
  }
  disp();
  if (controls.musicChecked) {
    chooseFloorTrack();
    playTrack();
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
