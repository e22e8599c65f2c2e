// The timers' firings: the idle animation, the steps, a held flight button and the intro,
// and the speed the timers run at.
#include "rules/clock.h"

#include "rules/board.h"
#include "rules/game_upkeep.h"
#include "rules/input.h"

namespace kelvorn {

namespace {
// Fast play runs four ticks (eight steps) each time the step timer fires.
constexpr int kFastTicks = 4;
}  // namespace

void onTimer(Game& game, TimerId id) {
  ++game.timerFirings;
  switch (id) {
    case TimerId::Animation: animationTick(game); break;
    case TimerId::Steps:
      game.stepTick();
      // Fast play runs several ticks at once; the last, empty one that unlocks input
      // comes with the next firing, as it would.
      for (int i = 1; game.fastPlay() && i < kFastTicks && game.timers.enabled(TimerId::Steps) &&
                      game.stack.count() > 0;
           ++i)
        game.stepTick();
      break;
    case TimerId::Repeat: repeatTick(game); break;
    case TimerId::Intro: introTick(game); break;
  }
}

void introTick(Game& game) {
  game.timers.setInterval(TimerId::Intro, game.scene.introFrame < 8    ? 350
                                          : game.scene.introFrame < 15 ? 250
                                                                       : 150);
  if (GameView* v = game.links.view()) v->introFrame();
  ++game.scene.introFrame;
  if (game.scene.introFrame >= 20) {
    game.timers.enable(TimerId::Intro, false);
    startNewGameFromMenu(game);
  }
}

void repeatTick(Game& game) {
  if (!game.dialogs.holdRepeat) {
    game.timers.enable(TimerId::Repeat, false);
    return;
  }
  if (game.scene.moveDirection >= 1 && game.scene.moveDirection <= 4) {
    moveRequest(game, game.scene.moveDirection, false);
    return;
  }
  // Flying previews the floors only; the hero is placed when the player confirms.
  int& floor = game.state[gs::Floor];
  if (game.scene.moveDirection == 5 && floor < game.state[gs::HighestFloor]) {
    floor += floor == 43 ? 2 : 1;  // floor 44 cannot be reached
  } else if (game.scene.moveDirection == 6 && floor >= 2) {
    floor -= floor == 45 ? 2 : 1;
  } else {
    return;
  }
  game.drawFloor();
  game.present();
}

void applySpeed(Game& game, Speed speed) {
  const int ms = speedInterval(speed);
  game.timers.setInterval(TimerId::Animation, ms);
  game.timers.setInterval(TimerId::Steps, ms);
  game.timers.setInterval(TimerId::Repeat, ms);
}

void applyCheckedSpeed(Game& game) {
  if (const auto speed = checkedSpeed(game.options)) applySpeed(game, *speed);
}
}  // namespace kelvorn
