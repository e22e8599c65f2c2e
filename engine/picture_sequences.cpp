// The full-window pictures of the story's frame: the title over the board, the picture
// sequences of the capture and the ending (one frame per step), the thanks screen and
// the back-side control that holds the ending until the player goes on.
#include <algorithm>

#include "engine/game.h"
#include "engine/music.h"

namespace kelvorn {

namespace {
constexpr int kFullBrightness = 256;
constexpr int kPrisonWhole = 500;                   // mode 1's last parameter
constexpr int kTitleFirst = 232, kTitleLast = 247;  // modes 0 and 2

Pixel dimmed(Pixel p, int brightness) {
  if (brightness >= kFullBrightness) return p;
  const auto channel = [&](int shift) {
    return ((((p >> shift) & 0xffu) * static_cast<unsigned>(brightness)) >> 8) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

// The sw x sh rectangle of `src` at (sx, sy) stretched over the whole of `dst` (nearest
// pixel), dimmed to `brightness` / 256. A missing picture leaves `dst` as it is.
void stretch(Bitmap& dst, const Bitmap& src, int sx, int sy, int sw, int sh, int brightness) {
  if (src.empty() || sw <= 0 || sh <= 0) return;
  for (int y = 0; y < dst.height; ++y) {
    const int from = std::clamp(sy + y * sh / dst.height, 0, src.height - 1);
    for (int x = 0; x < dst.width; ++x)
      dst.at(x, y) =
          dimmed(src.at(std::clamp(sx + x * sw / dst.width, 0, src.width - 1), from), brightness);
  }
}
}  // namespace

// The scene layer shows `picture` stretched over the window's picture area.
void Game::coverWindow(const Bitmap& picture, int brightness) {
  controls.sceneVisible = true;
  if (drawingSkipped()) return;
  scenePicture = Bitmap(layout.clientWidth, layout.centrePanel.h);
  stretch(scenePicture, picture, 0, 0, picture.width, picture.height, brightness);
}

// The side panels (the crimson ones after a win) around `centre` on the scene layer.
void Game::showPanelsAround(const Bitmap& centre) {
  controls.sceneVisible = true;
  if (drawingSkipped()) return;
  const bool won = state[gs::LevelBoost] != 0;
  scenePicture = Bitmap(layout.clientWidth, layout.centrePanel.h);
  draw(scenePicture, layout.leftPanel.x, layout.leftPanel.y, won ? scenes.leftWon : scenes.left);
  draw(scenePicture, layout.rightPanel.x, layout.rightPanel.y,
       won ? scenes.rightWon : scenes.right);
  draw(scenePicture, layout.centrePanel.x, layout.centrePanel.y, centre);
}

// The title in the centre panel in place of the board.
void Game::showTitlePicture() {
  showPanelsAround(state[gs::LevelBoost] != 0 ? scenes.titleWon : scenes.title);
}

// The window as it stands, taken onto the scene layer: the side panels and the board
// (the fields have gone already), so the picture sequence that follows starts from it.
void Game::presentBackBuffer() {
  if (controls.sceneVisible) return;  // the scene layer already shows the window
  Bitmap centre = scenes.centre;
  if (centre.empty()) centre = Bitmap(layout.centrePanel.w, layout.centrePanel.h);
  draw(centre, layout.board.x - layout.centrePanel.x, layout.board.y - layout.centrePanel.y,
       board.shown);
  showPanelsAround(centre);
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
      coverWindow(mode == 0 ? scenes.opening : scenes.morning,
                  k * kFullBrightness / (kTitleLast - kTitleFirst + 1));
      break;
    }
    case 1:  // the prison fades in from the dark
      coverWindow(scenes.prison, std::clamp(p, 0, kPrisonWhole) * kFullBrightness / kPrisonWhole);
      break;
    case 4: {  // the tall picture scrolls down by p pixels of its own
      const Bitmap& tall = scenes.scroll;
      controls.sceneVisible = true;
      if (drawingSkipped()) break;
      scenePicture = Bitmap(layout.clientWidth, layout.centrePanel.h);
      if (!tall.empty()) {
        const int viewHeight = tall.width * layout.centrePanel.h / layout.clientWidth;
        const int top = std::clamp(p, 0, std::max(tall.height - viewHeight, 0));
        stretch(scenePicture, tall, 0, top, tall.width, viewHeight, kFullBrightness);
      }
      break;
    }
    case 5: coverWindow(scenes.last); break;
    case 6: {  // the ending's pictures, then the road where it all began
      const auto n = static_cast<std::size_t>(std::max(p, 1));
      coverWindow(n <= scenes.endings.size() ? scenes.endings[n - 1] : scenes.opening);
      break;
    }
    case 7:
      coverWindow(Bitmap());
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
  coverWindow(Bitmap());
  timer2on();
}

}  // namespace kelvorn
