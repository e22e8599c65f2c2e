// The full-window pictures of the story's frame: the title over the board, the picture
// sequences of the capture and the ending (one frame per step), the thanks screen and
// the back-side control that holds the ending until the player goes on.
#include <algorithm>

#include "rules/game.h"
#include "rules/music.h"

namespace kelvorn {

namespace {
constexpr int kFullBrightness = 256;
constexpr int kPrisonWhole = 500;                   // mode 1's last parameter
constexpr int kTitleFirst = 232, kTitleLast = 247;  // modes 0 and 2
}  // namespace

// The scene layer covers the window with `picture`.
void Game::coverWindow(ScenePicture picture, int brightness, int ending) {
  controls.sceneVisible = true;
  if (GameView* v = view()) v->coverWindow(picture, brightness, ending);
}

// The title in the centre panel in place of the board.
void Game::showTitlePicture() {
  controls.sceneVisible = true;
  if (GameView* v = view()) v->showTitle();
}

// The window as it stands, taken onto the scene layer: the side panels and the board
// (the fields have gone already), so the picture sequence that follows starts from it.
void Game::presentBackBuffer() {
  if (controls.sceneVisible) return;  // the scene layer already shows the window
  controls.sceneVisible = true;
  if (GameView* v = view()) v->showBackBuffer();
}

// One frame of a picture sequence: `mode` from the carrier below the step, `p` its own
// parameter.
void Game::pictureFrame(int mode, int p) {
  timers.enable(TimerId::Animation, false);
  switch (mode) {
    case 0:
    case 2: {  // the tower at dawn (capture) or in the morning (ending) fades in
      if (p == kTitleFirst) {
        controls.panelsVisible = false;
        applyCheckedSpeed();
      }
      const int k = std::clamp(p, kTitleFirst, kTitleLast) - kTitleFirst + 1;
      coverWindow(mode == 0 ? ScenePicture::Opening : ScenePicture::Morning,
                  k * kFullBrightness / (kTitleLast - kTitleFirst + 1));
      break;
    }
    case 1:  // the prison fades in from the dark
      coverWindow(ScenePicture::Prison,
                  std::clamp(p, 0, kPrisonWhole) * kFullBrightness / kPrisonWhole);
      break;
    case 4:  // the tall picture scrolls down by p pixels of its own
      controls.sceneVisible = true;
      if (GameView* v = view()) v->scrollFrame(p);
      break;
    case 5: coverWindow(ScenePicture::Last); break;
    case 6: coverWindow(ScenePicture::Ending, kFullBrightness, p); break;  // then the road
    case 7:
      coverWindow(ScenePicture::Blank);
      controls.sceneText = kThanks;
      if (state[gs::MusicTrack] != 0) {
        host().closeMusic();
        host().playMusicFile(kThanksTune);
      }
      break;
    case 8:  // the script waits here until the player goes to the back side
      controls.backSideVisible = true;
      timers.enable(TimerId::Steps, false);
      break;
    default: break;
  }
}

// The back-side control: the music stops, the window goes dark and the held ending goes
// on into the next game.
void Game::goToBackSide() {
  const auto noted = replay.note(*this, "click back-side");
  if (!controls.backSideVisible) return;
  if (state[gs::MusicTrack] != 0) closeMusic();
  controls.backSideVisible = false;
  controls.sceneText.clear();
  coverWindow(ScenePicture::Blank);
  timer2on();
}

}  // namespace kelvorn
