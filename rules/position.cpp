#include "rules/position.h"

#include "rules/game.h"

namespace kelvorn {

bool atRest(const Game& game) {
  const Controls& c = game.controls;
  return c.optionsEnabled && game.stack.count() == 0 && !game.timers.enabled(TimerId::Steps) &&
         !game.timers.enabled(TimerId::Repeat) && !game.introRunning() && !game.question &&
         !game.notice && !c.windowVisible && !c.yesNoVisible && !c.altarChoicesVisible &&
         c.confirmSlot < 0 && !c.flightVisible && !c.hintGridVisible && !c.forecastVisible &&
         !c.sceneVisible && !c.backSideVisible && !game.cursorShown && game.state[gs::Life] > 0;
}

Position positionOf(const Game& game) {
  return {game.state,       game.floors,      game.messageCode,   game.composedMessage,
          game.monsterKind, game.monsterLife, game.foeLifeCounted};
}

void restorePosition(Game& game, const Position& position) {
  game.state = position.state;
  game.floors = position.floors;
  game.redrawAll();
  game.messageCode = position.messageCode;
  game.composedMessage = position.composedMessage;
  game.monsterKind = position.monsterKind;
  game.monsterLife = position.monsterLife;
  game.drawMonsterPanel(position.foeLifeCounted);
  game.disp();
  game.unlockInput();
}

}  // namespace kelvorn
