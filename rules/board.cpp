// The board as the rules change it: the view attached or not, the cells and the hero
// redrawn, the idle animation's frames and the dissolve's cells handed to the view.
#include <cstdlib>

#include "rules/game.h"

namespace kelvorn {

namespace {
bool validFacing(int facing) { return facing >= 1 && facing <= 4; }
}  // namespace

Game::ViewLink::ViewLink(const ViewLink&) : behind(true) {}

Game::ViewLink& Game::ViewLink::operator=(const ViewLink&) {
  view = nullptr;
  behind = true;
  return *this;
}

void Game::attachView(GameView* view) {
  view_.view = view;
  if (!view || !view_.behind) return;
  // The rules have played on without a view: the board, the hero and the panels as the
  // state has them now.
  view_.behind = false;
  for (int k = 1; k <= kCells; ++k) view->drawCell(revealCell(k));
  if (validFacing(state[gs::Facing])) view->drawHero();
  view->present();
  view->drawKeyPanel();
  view->drawItemPanel();
  view->drawMonsterPanel();
  if (foeLifeCounted && monsterKind >= 0 && monsterKind < kMonsterKinds) view->foeLifeChanged();
}

GameView* Game::view() {
  if (!view_.view) view_.behind = true;
  return view_.view;
}

void Game::drawCell(int cell) {
  if (GameView* v = view()) v->drawCell(cell);
}

// Drawing a floor anew also forgets that the hero stood beside its stairs: a rule, so
// it holds with or without a view.
void Game::drawFloor() {
  state.extra[extra::NearStairs] = 0;
  if (GameView* v = view())
    for (int k = 1; k <= kCells; ++k) v->drawCell(revealCell(k));
}

void Game::drawHeroAfterMove() {
  if (!validFacing(state[gs::Facing])) return;
  if (GameView* v = view()) v->drawHero();
}

void Game::present() {
  if (GameView* v = view()) v->present();
}

void Game::drawKeyPanel() {
  if (GameView* v = view()) v->drawKeyPanel();
}

void Game::drawItemPanel() {
  if (GameView* v = view()) v->drawItemPanel();
}

void Game::drawMonsterPanel(bool counted) {
  foeLifeCounted = counted;
  if (GameView* v = view()) {
    v->drawMonsterPanel();
    if (counted) v->foeLifeChanged();
  }
}

void Game::animationTick() {
  const int f = animationFrame;
  bool outline = false;
  const bool hero = state[gs::BoardHold] == 0 && validFacing(state[gs::Facing]);
  if (state[gs::BoardHold] == 0) {
    // The two large monsters leave their outline in the frames once their body cell is
    // taken; it is painted over once per frame, and counted with or without a view: the
    // saved game holds the count.
    const int floor = state[gs::Floor];
    const int cell = state.heroCell();
    const bool octopus = floor == 15 && cell == 60;
    const bool dragon = floor == 35 && cell == 71;
    int& shownCount = state[octopus ? gs::OctopusShown15 : gs::OctopusShown35];
    if ((octopus || dragon) && floors.cell(floor, cell) == tile::Floor && shownCount <= 1) {
      outline = true;
      ++shownCount;
    }
  }
  if (GameView* v = view()) v->animate(f, outline, hero);
  animationFrame ^= 1;
  if (!firstTickDone_) {
    drawKeyPanel();
    firstTickDone_ = true;
  }
}

// One cell composed from picture numbers (picture n is image n - 1) over the board.
void Game::overlayCell(int cell, int background, int sprite, int mask) {
  if (GameView* v = view()) v->overlayCell(cell, background, sprite, mask);
}

// A figure slides from one cell into the next; the floor holds it there afterwards.
void Game::slideSprite(int from, int to) {
  const int floor = state[gs::Floor];
  const TileCode moving = floors.cell(floor, from);
  if (GameView* v = view()) v->slideFrames(from, to);
  floors.setCell(floor, to, moving);
  floors.setCell(floor, from, tile::Floor);
  drawCell(from);
  drawCell(to);
  present();
}

void Game::revealOne(int mode, int k) {
  if (k < 1 || k > kCells) return;
  if (mode == 0 && k == 1 && state[gs::SoundOff] == 0) host().playEffect(1);
  if (mode == 1 && k == kCells) {
    applyCheckedSpeed();
    timers.enable(TimerId::Animation, true);
  }
  if (GameView* v = view()) v->reveal(mode, revealCell(k));
}

}  // namespace kelvorn
