// The WorkStack interpreter: the step timer's tick and every step it can run.
#include "rules/interpreter.h"

#include <algorithm>
#include <cstdint>

#include "rules/battle.h"
#include "rules/board.h"
#include "rules/bosses.h"
#include "rules/doors.h"
#include "rules/game_upkeep.h"
#include "rules/picture_sequences.h"
#include "rules/prologue.h"
#include "rules/reactions.h"

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
    if (dialogs.dialogHold && !controls.windowVisible && !question) dialogs.dialogHold = false;
    if (!dialogs.dialogHold) unlockInput();
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
  while (stack.top().op == wsRounds && stack.count() >= 2) writeOutRounds(*this);
  dialogs.dialogHold = false;
  perform(*this, stack.top());
  // Ops that start a new game empty the stack before this decrement; keep it at 0.
  stack.setCount(std::max(stack.count() - 1, 0));
}

void changeLife(Game& game, std::int32_t newLife) {
  game.state[gs::Life] = std::max(newLife, 0);
  if (game.state[gs::Life] == 0) startDeath(game, true);
}

void startDeath(Game& game, bool flush) {
  drawCell(game, game.state.heroCell());  // the hero's cell without the hero
  if (game.state[gs::MusicTrack] != 0) {
    game.closeMusic();
    game.state[gs::MusicTrack] = 14;
    playTrack(game);
  }
  game.timers.enable(TimerId::Steps, false);
  game.dialogs.dialogHold = true;
  game.state[gs::BoardHold] = 1;
  if (flush) game.stack.setCount(1);
  game.dialogs.dialogKind = 9;
  game.openMessageWindow();
}

void perform(Game& game, const WorkStep& s) {
  const int floor = game.state[gs::Floor];
  switch (s.op) {
    case wsPause: break;
    case wsSound:
      if ((s.arg1 >= 1 && s.arg1 <= 4) || (s.arg1 >= 7 && s.arg1 <= 10)) {
        if (game.state[gs::SoundOff] == 0) game.links.host().playEffect(s.arg1);
      } else if (s.arg1 == 5) {
        if (game.state[gs::MusicTrack] != 0) playTrack(game);
      } else if (s.arg1 == 6) {
        if (game.state[gs::MusicTrack] != 0) game.closeMusic();
      }
      break;
    case wsMessage:
      if (s.arg1 != 0) game.bar.code = s.arg1;
      disp(game);
      break;
    case wsDeath: startDeath(game, false); break;
    case wsMonsterStrike: strikeHero(game, 1); break;
    case wsHeroStrike:
    case wsHeroStrikeFlash:
      if (s.op == wsHeroStrikeFlash && validCell(s.arg1))
        overlayCell(game, s.arg1, game.stack.below().arg1, game.stack.below().arg2, s.arg2);
      strikeMonster(game, 1, s.op == wsHeroStrike);
      break;
    case wsSkipRounds:
      strikeMonster(game, countOf(s), true);
      strikeHero(game, countOf(s));
      break;
    case wsSetCell:
    case wsPutCell:
      if (!validCell(s.arg1)) break;
      game.floors.setCell(floor, s.arg1, static_cast<TileCode>(s.arg2 & 0xff));
      if (s.op == wsSetCell) {
        drawCell(game, s.arg1);
        game.present();
      }
      break;
    case wsAddGold:
      game.state[gs::Gold] = saturate(std::max<std::int64_t>(
          0, game.state[gs::Gold] +
                 std::int64_t{s.arg1} * (std::int64_t{game.state.itemSlot(14)} + 1)));
      disp(game);
      break;
    case wsShowPanels:
      game.controls.panelsVisible = true;
      game.drawKeyPanel();
      game.drawItemPanel();
      break;
    case wsOverlay:
      if (validCell(s.arg1))
        overlayCell(game, s.arg1, game.stack.below().arg1, game.stack.below().arg2, s.arg2);
      break;
    case wsAsk:
      game.timers.enable(TimerId::Steps, false);
      game.dialogs.dialogHold = true;
      game.dialogs.dialogKind = s.arg1 + 10;
      game.openMessageWindow();
      break;
    case wsScript: performScript(game, s.arg1, s.arg2); break;
    case wsMoveSprite:
      if (validCell(s.arg1) && validCell(s.arg2)) slideSprite(game, s.arg1, s.arg2);
      break;
    case wsDoor: doorStep(game, s); break;
    case wsRestartMusic:
      game.closeMusic();
      chooseFloorTrack(game);
      playTrack(game);
      break;
    case wsAddLife: changeLife(game, saturate(std::int64_t{game.state[gs::Life]} + s.arg1)); break;
    case wsHalveLife: changeLife(game, game.state[gs::Life] / 2); break;
    case wsSetState:
      if (s.arg1 >= 0 && s.arg1 < gs::kSize) game.state[s.arg1] = s.arg2;
      break;
    case wsReveal: revealStep(game, s); break;
    case wsNewGame: startNewGameFromMenu(game); break;
    default: break;  // 18 and unknown ops are consumed without effect
  }
}

// `n` blows of the monster fought on the hero; no death check (the script ends in one).
void strikeHero(Game& game, std::int64_t n) {
  if (!validKind(game.scene.monsterKind)) return;
  const std::int64_t d =
      std::min<std::int64_t>(0, std::int64_t{game.state[gs::Defense]} -
                                    std::int64_t{game.monsters[game.scene.monsterKind].offense} *
                                        game.state.levelFactor());
  game.state[gs::Life] = saturate(std::max<std::int64_t>(0, game.state[gs::Life] + d * n));
}

// `n` blows of the hero on the monster fought; `doubling` lets the cross and the Dragon
// Slayer double them. The foe panel counts down.
void strikeMonster(Game& game, std::int64_t n, bool doubling) {
  if (!validKind(game.scene.monsterKind)) return;
  int k = 1;
  if (doubling &&
      (((game.scene.monsterKind == kind::Zombie || game.scene.monsterKind == kind::ZombieKnight ||
         game.scene.monsterKind == kind::Vampire) &&
        game.state.itemSlot(3) == 1) ||
       (game.scene.monsterKind == kind::Dragon && game.state.itemSlot(10) == 1)))
    k = 2;
  const std::int64_t d = std::min<std::int64_t>(
      0, std::int64_t{game.monsters[game.scene.monsterKind].defense} * game.state.levelFactor() -
             std::int64_t{game.state[gs::Offense]} * k);
  game.scene.monsterLife = saturate(std::max<std::int64_t>(0, game.scene.monsterLife + d * n));
  game.scene.foeLifeCounted = true;
  if (GameView* v = game.links.view()) v->foeLifeChanged();  // the foe panel counts down
}

void performScript(Game& game, int subStep, int param) {
  switch (subStep) {
    case script::SergeantRevives:
      game.floors.setCell(game.state[gs::Floor], 27, tile::Zeno);
      replaceRunningStep(game, subStep, param);
      break;
    case script::PrisonScene:
    case script::SergeantsStrike:
    case script::MonsterReactions:
    case script::BossSecondPhase: replaceRunningStep(game, subStep, param); break;
    case script::NextGame:
      game.controls.sceneVisible = false;
      if (game.state[gs::LevelBoost] == 0)
        game.state[gs::LevelBoost] = gs::kLevelBoostAfterWin;
      else
        game.state[gs::CarryOver] = 1;
      game.gameOver();
      break;
    case script::EndingTitle:
      if (game.state[gs::MusicTrack] != 0) {
        game.closeMusic();
        game.state[gs::MusicTrack] = 11;
        playTrack(game);
      }
      game.timers.enable(TimerId::Animation, false);
      showTitlePicture(game);
      break;
    case script::HeroComposite:
      if (game.state[gs::Facing] >= 1 && game.state[gs::Facing] <= 4)
        if (GameView* v = game.links.view()) v->drawStandingHero();
      break;
    case script::ChangeFloor:
      if (param < 0 || param >= kFloors) break;
      game.state[gs::Floor] = param;
      game.drawFloor();
      disp(game);
      if (param == 50) {
        game.state[gs::BoardHold] = 0;
        const int cell = game.floors.upArrivalCell(50);
        game.state[gs::HeroX] = cellColumn(cell);
        game.state[gs::HeroY] = cellRow(cell);
        game.state[gs::Facing] = kFaceUp;
        game.drawHeroAfterMove();
      }
      game.present();
      break;
    case script::VampireGrowth:
      if (GameView* v = game.links.view()) v->vampireGrowth(param);
      break;
    case script::DrawHero: game.drawHeroAfterMove(); break;
    case script::StopAnimation: game.timers.enable(TimerId::Animation, false); break;
    case script::HidePanels:
      game.controls.arrowsVisible = false;
      game.controls.panelsVisible = false;
      game.controls.iconVisible.fill(false);
      break;
    case script::PictureFrame: pictureFrame(game, game.stack.below().arg1, param); break;
    case script::PresentBackBuffer: presentBackBuffer(game); break;
    default: break;
  }
}

void replaceRunningStep(Game& game, int subStep, int param) {
  game.stack.setCount(game.stack.count() - 1);
  pushSceneScript(game, subStep, param);
  game.stack.setCount(game.stack.count() + 1);
}

// The scripts that replace a running step.
void pushSceneScript(Game& game, int subStep, int param) {
  if (subStep == script::PrisonScene) pushPrisonStart(game);
  if (subStep == script::SergeantRevives) zenoAppearance(27).pushOnto(game.stack);
  if (subStep == script::SergeantsStrike)
    guardRing(game.floors, game.state[gs::Floor]).pushOnto(game.stack);
  if (subStep == script::MonsterReactions) monsterReactions(game);
  if (subStep == script::BossSecondPhase) scriptedBattle(game, param);
}

void revealStep(Game& game, const WorkStep& s) {
  revealOne(game, s.arg1, s.arg2);
  const WorkStep below = game.stack.below();
  if (game.stack.count() >= 2 && below.op == wsReveal && below.arg1 == s.arg1) {
    game.stack.setCount(game.stack.count() - 1);
    revealOne(game, below.arg1, below.arg2);
  }
}

}  // namespace kelvorn
