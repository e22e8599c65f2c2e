#include "rules/position.h"

#include "rules/game.h"
#include "rules/game_upkeep.h"

namespace kelvorn {

bool atRest(const Game& game) {
  const Controls& c = game.controls;
  return c.optionsEnabled && game.stack.count() == 0 && !game.timers.enabled(TimerId::Steps) &&
         !game.timers.enabled(TimerId::Repeat) && !game.introRunning() && !game.question &&
         !game.dialogs.notice && !c.windowVisible && !c.yesNoVisible && !c.altarChoicesVisible &&
         c.confirmSlot < 0 && !c.flightVisible && !c.hintGridVisible && !c.forecastVisible &&
         !c.sceneVisible && !c.backSideVisible && !game.dialogs.cursorShown &&
         game.state[gs::Life] > 0;
}

Position positionOf(const Game& game) {
  return {game.state,
          game.floors,
          game.bar.code,
          game.bar.composed,
          game.scene.monsterKind,
          game.scene.monsterLife,
          game.scene.foeLifeCounted};
}

void restorePosition(Game& game, const Position& position) {
  game.state = position.state;
  game.floors = position.floors;
  game.redrawAll();
  game.bar.code = position.messageCode;
  game.bar.composed = position.composedMessage;
  game.scene.monsterKind = position.monsterKind;
  game.scene.monsterLife = position.monsterLife;
  game.drawMonsterPanel(position.foeLifeCounted);
  disp(game);
  game.unlockInput();
}

}  // namespace kelvorn
