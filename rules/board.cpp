// The board as the rules change it: the view attached or not, the cells and the hero
// redrawn, the idle animation's frames and the dissolve's cells handed to the view.
#include "rules/board.h"

#include <cstdlib>

#include "rules/clock.h"

namespace kelvorn {

namespace {
bool validFacing(int facing) { return facing >= 1 && facing <= 4; }
}  // namespace

void Game::attachView(GameView* view) {
  // The rules have played on without a view: the board, the hero and the panels as the
  // state has them now.
  if (!links.attach(view)) return;
  for (int k = 1; k <= kCells; ++k) view->drawCell(revealCell(k));
  if (validFacing(state[gs::Facing])) view->drawHero();
  view->present();
  view->drawKeyPanel();
  view->drawItemPanel();
  view->drawMonsterPanel();
  if (scene.foeLifeCounted && scene.monsterKind >= 0 && scene.monsterKind < kMonsterKinds)
    view->foeLifeChanged();
}

void drawCell(Game& game, int cell) {
  if (GameView* v = game.links.view()) v->drawCell(cell);
}

// Drawing a floor anew also forgets that the hero stood beside its stairs: a rule, so
// it holds with or without a view.
void Game::drawFloor() {
  state.extra[extra::NearStairs] = 0;
  if (GameView* v = links.view())
    for (int k = 1; k <= kCells; ++k) v->drawCell(revealCell(k));
}

void Game::drawHeroAfterMove() {
  if (!validFacing(state[gs::Facing])) return;
  if (GameView* v = links.view()) v->drawHero();
}

void Game::present() {
  if (GameView* v = links.view()) v->present();
}

void Game::drawKeyPanel() {
  if (GameView* v = links.view()) v->drawKeyPanel();
}

void Game::drawItemPanel() {
  if (GameView* v = links.view()) v->drawItemPanel();
}

void Game::drawMonsterPanel(bool counted) {
  scene.foeLifeCounted = counted;
  if (GameView* v = links.view()) {
    v->drawMonsterPanel();
    if (counted) v->foeLifeChanged();
  }
}

void animationTick(Game& game) {
  const int f = game.scene.animationFrame;
  bool outline = false;
  const bool hero = game.state[gs::BoardHold] == 0 && validFacing(game.state[gs::Facing]);
  if (game.state[gs::BoardHold] == 0) {
    // The two large monsters leave their outline in the frames once their body cell is
    // taken; it is painted over once per frame, and counted with or without a view: the
    // saved game holds the count.
    const int floor = game.state[gs::Floor];
    const int cell = game.state.heroCell();
    const bool octopus = floor == 15 && cell == 60;
    const bool dragon = floor == 35 && cell == 71;
    int& shownCount = game.state[octopus ? gs::OctopusShown15 : gs::OctopusShown35];
    if ((octopus || dragon) && game.floors.cell(floor, cell) == tile::Floor && shownCount <= 1) {
      outline = true;
      ++shownCount;
    }
  }
  if (GameView* v = game.links.view()) v->animate(f, outline, hero);
  game.scene.animationFrame ^= 1;
  if (!game.scene.firstTickDone) {
    game.drawKeyPanel();
    game.scene.firstTickDone = true;
  }
}

// One cell composed from picture numbers (picture n is image n - 1) over the board.
void overlayCell(Game& game, int cell, int background, int sprite, int mask) {
  if (GameView* v = game.links.view()) v->overlayCell(cell, background, sprite, mask);
}

// A figure slides from one cell into the next; the floor holds it there afterwards.
void slideSprite(Game& game, int from, int to) {
  const int floor = game.state[gs::Floor];
  const TileCode moving = game.floors.cell(floor, from);
  if (GameView* v = game.links.view()) v->slideFrames(from, to);
  game.floors.setCell(floor, to, moving);
  game.floors.setCell(floor, from, tile::Floor);
  drawCell(game, from);
  drawCell(game, to);
  game.present();
}

void revealOne(Game& game, int mode, int k) {
  if (k < 1 || k > kCells) return;
  if (mode == 0 && k == 1 && game.state[gs::SoundOff] == 0) game.links.host().playEffect(1);
  if (mode == 1 && k == kCells) {
    applyCheckedSpeed(game);
    game.timers.enable(TimerId::Animation, true);
  }
  if (GameView* v = game.links.view()) v->reveal(mode, revealCell(k));
}

}  // namespace kelvorn
