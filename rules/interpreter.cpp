// The WorkStack interpreter: the step timer's tick and every step it can run.
#include <algorithm>
#include <cstdint>

#include "rules/bosses.h"
#include "rules/game.h"

namespace kelvorn {

namespace {
bool validCell(int cell) { return cell >= 0 && cell < kCells; }
bool validKind(int k) { return k >= 0 && k < kMonsterKinds; }
}  // namespace

void Game::timer2on() {
  timers.enable(TimerId::Repeat, false);
  lockInput();
  timers.enable(TimerId::Steps, true);
}

void Game::stepTick() {
  if (stack.count() < 1) {
    timers.enable(TimerId::Steps, false);
    // A hold whose window has been answered and closed holds nothing any more: without
    // this a question closed by an OK that only unlocks input would lock it again at the
    // next empty script.
    if (dialogHold && !controls.windowVisible && !question) dialogHold = false;
    if (!dialogHold) unlockInput();
    return;
  }
  // Two steps a tick, even behind a step that stopped the timer to ask something: the
  // scripts put a pause after every question for that second step, and the answers of
  // some questions expect the stack to be empty by then.
  runStep();
  if (stack.count() >= 1) runStep();
}

void Game::runStep() {
  // Rounds of a long fight that wait in one entry are written out as they come to the
  // top; that takes no step of time.
  while (stack.top().op == wsRounds && stack.count() >= 2) writeOutRounds();
  dialogHold = false;
  perform(stack.top());
  // Ops that start a new game empty the stack before this decrement; keep it at 0.
  stack.setCount(std::max(stack.count() - 1, 0));
}

void Game::changeLife(std::int32_t newLife) {
  state[gs::Life] = std::max(newLife, 0);
  if (state[gs::Life] == 0) startDeath(true);
}

void Game::startDeath(bool flush) {
  drawCell(state.heroCell());  // the hero's cell without the hero
  if (state[gs::MusicTrack] != 0) {
    closeMusic();
    state[gs::MusicTrack] = 14;
    playTrack();
  }
  timers.enable(TimerId::Steps, false);
  dialogHold = true;
  state[gs::BoardHold] = 1;
  if (flush) stack.setCount(1);
  dialogKind = 9;
  openMessageWindow();
}

void Game::perform(const WorkStep& s) {
  const int floor = state[gs::Floor];
  switch (s.op) {
    case wsPause: break;
    case wsSound:
      if ((s.arg1 >= 1 && s.arg1 <= 4) || (s.arg1 >= 7 && s.arg1 <= 10)) {
        if (state[gs::SoundOff] == 0) host().playEffect(s.arg1);
      } else if (s.arg1 == 5) {
        if (state[gs::MusicTrack] != 0) playTrack();
      } else if (s.arg1 == 6) {
        if (state[gs::MusicTrack] != 0) closeMusic();
      }
      break;
    case wsMessage:
      if (s.arg1 != 0) messageCode = s.arg1;
      disp();
      break;
    case wsDeath: startDeath(false); break;
    case wsMonsterStrike: strikeHero(1); break;
    case wsHeroStrike:
    case wsHeroStrikeFlash:
      if (s.op == wsHeroStrikeFlash && validCell(s.arg1))
        overlayCell(s.arg1, stack.below().arg1, stack.below().arg2, s.arg2);
      strikeMonster(1, s.op == wsHeroStrike);
      break;
    case wsSkipRounds:
      strikeMonster(countOf(s), true);
      strikeHero(countOf(s));
      break;
    case wsSetCell:
    case wsPutCell:
      if (!validCell(s.arg1)) break;
      floors.setCell(floor, s.arg1, static_cast<TileCode>(s.arg2 & 0xff));
      if (s.op == wsSetCell) {
        drawCell(s.arg1);
        present();
      }
      break;
    case wsAddGold:
      state[gs::Gold] = saturate(std::max<std::int64_t>(
          0, state[gs::Gold] + std::int64_t{s.arg1} * (std::int64_t{state.itemSlot(14)} + 1)));
      disp();
      break;
    case wsShowPanels:
      controls.panelsVisible = true;
      drawKeyPanel();
      drawItemPanel();
      break;
    case wsOverlay:
      if (validCell(s.arg1)) overlayCell(s.arg1, stack.below().arg1, stack.below().arg2, s.arg2);
      break;
    case wsAsk:
      timers.enable(TimerId::Steps, false);
      dialogHold = true;
      dialogKind = s.arg1 + 10;
      openMessageWindow();
      break;
    case wsScript: performScript(s.arg1, s.arg2); break;
    case wsMoveSprite:
      if (validCell(s.arg1) && validCell(s.arg2)) slideSprite(s.arg1, s.arg2);
      break;
    case wsDoor: doorStep(s); break;
    case wsRestartMusic:
      closeMusic();
      chooseFloorTrack();
      playTrack();
      break;
    case wsAddLife: changeLife(saturate(std::int64_t{state[gs::Life]} + s.arg1)); break;
    case wsHalveLife: changeLife(state[gs::Life] / 2); break;
    case wsSetState:
      if (s.arg1 >= 0 && s.arg1 < gs::kSize) state[s.arg1] = s.arg2;
      break;
    case wsReveal: revealStep(s); break;
    case wsNewGame: startNewGameFromMenu(); break;
    default: break;  // 18 and unknown ops are consumed without effect
  }
}

// `n` blows of the monster fought on the hero; no death check (the script ends in one).
void Game::strikeHero(std::int64_t n) {
  if (!validKind(monsterKind)) return;
  const std::int64_t d = std::min<std::int64_t>(
      0, std::int64_t{state[gs::Defense]} -
             std::int64_t{monsters[monsterKind].offense} * state.levelFactor());
  state[gs::Life] = saturate(std::max<std::int64_t>(0, state[gs::Life] + d * n));
}

// `n` blows of the hero on the monster fought; `doubling` lets the cross and the Dragon
// Slayer double them. The foe panel counts down.
void Game::strikeMonster(std::int64_t n, bool doubling) {
  if (!validKind(monsterKind)) return;
  int k = 1;
  if (doubling && (((monsterKind == kind::Zombie || monsterKind == kind::ZombieKnight ||
                     monsterKind == kind::Vampire) &&
                    state.itemSlot(3) == 1) ||
                   (monsterKind == kind::Dragon && state.itemSlot(10) == 1)))
    k = 2;
  const std::int64_t d =
      std::min<std::int64_t>(0, std::int64_t{monsters[monsterKind].defense} * state.levelFactor() -
                                    std::int64_t{state[gs::Offense]} * k);
  monsterLife = saturate(std::max<std::int64_t>(0, monsterLife + d * n));
  foeLifeCounted = true;
  if (GameView* v = view()) v->foeLifeChanged();  // the foe panel counts down
}

void Game::performScript(int subStep, int param) {
  switch (subStep) {
    case script::SergeantRevives:
      floors.setCell(state[gs::Floor], 27, tile::Zeno);
      replaceRunningStep(subStep, param);
      break;
    case script::PrisonScene:
    case script::SergeantsStrike:
    case script::MonsterReactions:
    case script::BossSecondPhase: replaceRunningStep(subStep, param); break;
    case script::NextGame:
      controls.sceneVisible = false;
      if (state[gs::LevelBoost] == 0)
        state[gs::LevelBoost] = gs::kLevelBoostAfterWin;
      else
        state[gs::CarryOver] = 1;
      gameOver();
      break;
    case script::EndingTitle:
      if (state[gs::MusicTrack] != 0) {
        closeMusic();
        state[gs::MusicTrack] = 11;
        playTrack();
      }
      timers.enable(TimerId::Animation, false);
      showTitlePicture();
      break;
    case script::HeroComposite:
      if (state[gs::Facing] >= 1 && state[gs::Facing] <= 4)
        if (GameView* v = view()) v->drawStandingHero();
      break;
    case script::ChangeFloor:
      if (param < 0 || param >= kFloors) break;
      state[gs::Floor] = param;
      drawFloor();
      disp();
      if (param == 50) {
        state[gs::BoardHold] = 0;
        const int cell = floors.upArrivalCell(50);
        state[gs::HeroX] = cellColumn(cell);
        state[gs::HeroY] = cellRow(cell);
        state[gs::Facing] = kFaceUp;
        drawHeroAfterMove();
      }
      present();
      break;
    case script::VampireGrowth:
      if (GameView* v = view()) v->vampireGrowth(param);
      break;
    case script::DrawHero: drawHeroAfterMove(); break;
    case script::StopAnimation: timers.enable(TimerId::Animation, false); break;
    case script::HidePanels:
      controls.arrowsVisible = false;
      controls.panelsVisible = false;
      controls.iconVisible.fill(false);
      break;
    case script::PictureFrame: pictureFrame(stack.below().arg1, param); break;
    case script::PresentBackBuffer: presentBackBuffer(); break;
    default: break;
  }
}

void Game::replaceRunningStep(int subStep, int param) {
  stack.setCount(stack.count() - 1);
  pushSceneScript(subStep, param);
  stack.setCount(stack.count() + 1);
}

// The scripts that replace a running step.
void Game::pushSceneScript(int subStep, int param) {
  if (subStep == script::PrisonScene) pushPrisonStart();
  if (subStep == script::SergeantRevives) zenoAppearance(27).pushOnto(stack);
  if (subStep == script::SergeantsStrike) guardRing(floors, state[gs::Floor]).pushOnto(stack);
  if (subStep == script::MonsterReactions) monsterReactions();
  if (subStep == script::BossSecondPhase) scriptedBattle(param);
}

void Game::revealStep(const WorkStep& s) {
  revealOne(s.arg1, s.arg2);
  const WorkStep below = stack.below();
  if (stack.count() >= 2 && below.op == wsReveal && below.arg1 == s.arg1) {
    stack.setCount(stack.count() - 1);
    revealOne(below.arg1, below.arg2);
  }
}

}  // namespace kelvorn
