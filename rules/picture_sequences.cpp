// The full-window pictures of the story's frame: the title over the board, the picture
// sequences of the capture and the ending (one frame per step), the thanks screen and
// the back-side control that holds the ending until the player goes on.
#include "rules/picture_sequences.h"

#include <algorithm>

#include "rules/clock.h"
#include "rules/music.h"

namespace kelvorn {

namespace {
constexpr int kFullBrightness = 256;
constexpr int kPrisonWhole = 500;                   // mode 1's last parameter
constexpr int kTitleFirst = 232, kTitleLast = 247;  // modes 0 and 2
}  // namespace

// The scene layer covers the window with `picture`.
void coverWindow(Game& game, ScenePicture picture, int brightness, int ending) {
  game.controls.sceneVisible = true;
  if (GameView* v = game.links.view()) v->coverWindow(picture, brightness, ending);
}

// The title in the centre panel in place of the board.
void showTitlePicture(Game& game) {
  game.controls.sceneVisible = true;
  if (GameView* v = game.links.view()) v->showTitle();
}

// The window as it stands, taken onto the scene layer: the side panels and the board
// (the fields have gone already), so the picture sequence that follows starts from it.
void presentBackBuffer(Game& game) {
  if (game.controls.sceneVisible) return;  // the scene layer already shows the window
  game.controls.sceneVisible = true;
  if (GameView* v = game.links.view()) v->showBackBuffer();
}

// One frame of a picture sequence: `mode` from the carrier below the step, `p` its own
// parameter.
void pictureFrame(Game& game, int mode, int p) {
  game.timers.enable(TimerId::Animation, false);
  switch (mode) {
    case 0:
    case 2: {  // the tower at dawn (capture) or in the morning (ending) fades in
      if (p == kTitleFirst) {
        game.controls.panelsVisible = false;
        applyCheckedSpeed(game);
      }
      const int k = std::clamp(p, kTitleFirst, kTitleLast) - kTitleFirst + 1;
      coverWindow(game, mode == 0 ? ScenePicture::Opening : ScenePicture::Morning,
                  k * kFullBrightness / (kTitleLast - kTitleFirst + 1));
      break;
    }
    case 1:  // the prison fades in from the dark
      coverWindow(game, ScenePicture::Prison,
                  std::clamp(p, 0, kPrisonWhole) * kFullBrightness / kPrisonWhole);
      break;
    case 4:  // the tall picture scrolls down by p pixels of its own
      game.controls.sceneVisible = true;
      if (GameView* v = game.links.view()) v->scrollFrame(p);
      break;
    case 5: coverWindow(game, ScenePicture::Last); break;
    case 6: coverWindow(game, ScenePicture::Ending, kFullBrightness, p); break;  // then the road
    case 7:
      coverWindow(game, ScenePicture::Blank);
      game.controls.sceneText = game.kThanks;
      if (game.state[gs::MusicTrack] != 0) {
        game.links.host().closeMusic();
        game.links.host().playMusicFile(kThanksTune);
      }
      break;
    case 8:  // the script waits here until the player goes to the back side
      game.controls.backSideVisible = true;
      game.timers.enable(TimerId::Steps, false);
      break;
    default: break;
  }
}

// The back-side control: the music stops, the window goes dark and the held ending goes
// on into the next game.
void Game::goToBackSide() {
  const auto noted = records.replay.note(*this, "click back-side");
  if (!controls.backSideVisible) return;
  if (state[gs::MusicTrack] != 0) closeMusic();
  controls.backSideVisible = false;
  controls.sceneText.clear();
  coverWindow(*this, ScenePicture::Blank);
  timer2on();
}

}  // namespace kelvorn
