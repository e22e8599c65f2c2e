// The cell judge: what it means for the hero to step into a neighbouring cell.
#include <vector>

#include "rules/bosses.h"
#include "rules/game.h"

namespace kelvorn {

void Game::judge() {
  const int floor = state[gs::Floor];
  const TileCode t = floors.cell(floor, targetCell);
  if (t >= 1 && t <= 3) return keyDoor(t);
  if (t == tile::Floor) return walk();
  if (t == tile::Event) return mapEvent();
  if (t == tile::FalseWall) return falseWall();
  if (t == tile::Trigger) return hiddenTrigger();
  if (t == tile::StairsUp || t == tile::StairsDown) return stairs(t == tile::StairsUp);
  if (t == 27 || t == 28) return princessScene();
  if ((t >= 29 && t <= 60)) return pickup(t);
  if (bumpFights(t, floor)) return battle();
  if ((t == 91 || t == 92) && floor == 50) return finalFloor();
  if (t == tile::AltarCentre) return altarOffer();
  if (t == 19 || t == 20) return merchant();
  if (t == 21 || t == 22) return thief();
  if (t == 23 || t == 24) return fairy();
  if (t == 25 || t == 26) return oldMan();
}

void Game::falseWall() {
  composedMessage = messages.entry(137);
  messageCode = msg::Composed;
  stack.push(wsPause);
  stack.push(wsMessage, msg::Composed);
  stack.push(wsPause);
  pushDoor(targetCell, 7);
  stack.push(wsPause);
  stack.push(wsSound, 1);
  timer2on();
}

// Four hidden places turn into something when the hero tries to step there; anywhere
// else a hidden trigger is a wall.
void Game::hiddenTrigger() {
  const int floor = state[gs::Floor];
  int cell = -1, code = 0;
  if (floor == 12 && targetCell == 10) cell = 10, code = tile::Merchant;
  if (floor == 16 && targetCell == 120) cell = 120, code = tile::OldMan;
  if (floor == 19 && targetCell == 27) cell = 27, code = 39;
  if (floor == 41 && floors.cell(41, 12) == tile::Floor) cell = 20, code = 151;
  if (cell < 0) return;
  stack.push(wsPause);
  stack.push(wsSetCell, i16(cell), i16(code));
  stack.push(wsPause);
  stack.push(wsSound, 2);
  stack.push(wsPause);
  stack.push(wsPause);
  timer2on();
}

void Game::princessScene() {
  const int music = state[gs::MusicTrack];
  if (music != 0 && music != 13) {
    closeMusic();
    state[gs::MusicTrack] = 13;
    playTrack();
  }
  if (floors.cell(25, 60) == tile::Floor) {
    for (const int c : {4, 6}) floors.setCell(24, c, tile::Wall);
    for (const int c : {16, 27, 38}) floors.setCell(24, c, tile::Floor);
    floors.setCell(24, 5, tile::Event);
  }
  floors.setCell(50, 49, tile::Thief);
  timer2on();
  stack.push(wsPause);
  stack.push(wsSetCell, 60, tile::Princess);
  stack.push(wsPause);
  stack.push(wsAsk, 26);
  stack.push(wsPause);
  stack.push(wsAsk, 25);
  stack.push(wsPause);
  stack.push(wsPause);
}

// Walking into the Magic Sergeant on floor 50: the ending in a first game, a battle
// against his strengthened form in a later one.
void Game::finalFloor() {
  if (state[gs::LevelBoost] != 0) {
    weakenZenoForLaterGame(state, kind::Zeno, monsters);
    return battle();
  }
  timers.enable(TimerId::Animation, false);
  if (state[gs::MusicTrack] != 0) closeMusic();
  timer2on();
  controls.okCaption = "OK";
  pushEnding();
}

// The first game's ending: the panels vanish, the title frames, seventeen ending
// pictures with a sound each, the long scroll, the last picture, the thanks, and the
// back-side prompt that holds until the player goes on into the next game.
void Game::pushEnding() {
  std::vector<WorkStep> run;  // in the order the steps show
  auto step = [&](int op, int a = 0, int b = 0) { run.push_back({i16(op), i16(a), i16(b)}); };
  auto frame = [&](int mode, int p) {
    step(wsScript, script::PictureFrame, p);
    step(wsPause, mode, 0);  // the frame reads its mode from this carrier below it
  };
  step(wsScript, script::HidePanels), step(wsPause), step(wsScript, script::PresentBackBuffer),
      step(wsPause);
  for (int n = 232; n <= 247; ++n) step(wsSound, 1), step(wsPause), frame(2, n);
  step(wsSound, 1), step(wsPause);
  for (int n = 1; n <= 17; ++n) {
    frame(6, n);
    if (n <= 16) step(wsSound, 10), step(wsPause);
  }
  step(wsPause), step(wsPause);
  for (int p = 1; p <= 101; p += 10) frame(4, p);
  for (int p = 109; p <= 205; p += 8) frame(4, p);
  for (int p = 210; p <= 300; p += 5) frame(4, p);
  for (int p = 303; p <= 399; p += 3) frame(4, p);
  frame(4, 400), frame(4, 401);
  frame(5, 0), frame(7, 0), frame(8, 0);
  step(wsScript, script::NextGame), step(wsPause);
  for (auto it = run.rbegin(); it != run.rend(); ++it) stack.push(*it);
}

}  // namespace kelvorn
