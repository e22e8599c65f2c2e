// Drawing the scene layer over the whole picture area: the intro's walk up the road, the
// pictures of the capture and the ending stretched and faded, the ending's scroll, the
// title between the side panels and the window taken as it stands.
#include <algorithm>

#include "view/game_drawing.h"

namespace kelvorn {

namespace {
constexpr int kFullBrightness = 256;

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

// The hero walks away up the opening picture's road towards the tower, alternating his
// two walking poses: each tick he shrinks by a pixel and climbs an eighth of a tile,
// centred on the road (x = 10 tiles) with his feet on it, clear of the picture's edge.
void GameDrawing::introFrame() {
  scenePicture = scenes.opening;
  if (scenePicture.empty() || game_.scene.introFrame > 18) return;
  const int c = game_.scene.introFrame, t = layout.tileSize;
  const int side = t - c;
  if (side <= 0) return;
  const int left = 10 * t - side / 2, top = 49 * t / 4 - c * t / 8 - side;
  const int pose = image::heroPoses(kFaceUp) + (c % 2 == 0 ? 0 : 2);
  const Bitmap& sprite = pictures.tiles[pose];
  const Bitmap& mask = pictures.tiles[pose + 1];
  if (sprite.empty() || mask.empty()) return;  // no sheets loaded: the road alone
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const int sx = x * sprite.width / side, sy = y * sprite.height / side;
      const int px = left + x, py = top + y;
      if (px < 0 || py < 0 || px >= scenePicture.width || py >= scenePicture.height) continue;
      if (mask.at(sx, sy) == kBlack) scenePicture.at(px, py) = sprite.at(sx, sy);
    }
}

void GameDrawing::coverWindow(ScenePicture picture, int brightness, int ending) {
  const auto n = static_cast<std::size_t>(std::max(ending, 1));
  const Bitmap blank;
  const Bitmap& shown = picture == ScenePicture::Opening   ? scenes.opening
                        : picture == ScenePicture::Morning ? scenes.morning
                        : picture == ScenePicture::Prison  ? scenes.prison
                        : picture == ScenePicture::Last    ? scenes.last
                        : picture != ScenePicture::Ending  ? blank
                        : n <= scenes.endings.size()       ? scenes.endings[n - 1]
                                                           : scenes.opening;
  scenePicture = Bitmap(layout.clientWidth, layout.centrePanel.h);
  stretch(scenePicture, shown, 0, 0, shown.width, shown.height, brightness);
}

void GameDrawing::scrollFrame(int offset) {
  const Bitmap& tall = scenes.scroll;
  scenePicture = Bitmap(layout.clientWidth, layout.centrePanel.h);
  if (tall.empty()) return;
  const int viewHeight = tall.width * layout.centrePanel.h / layout.clientWidth;
  const int top = std::clamp(offset, 0, std::max(tall.height - viewHeight, 0));
  stretch(scenePicture, tall, 0, top, tall.width, viewHeight, kFullBrightness);
}

// The side panels (the crimson ones after a win) around `centre` on the scene layer.
void GameDrawing::showPanelsAround(const Bitmap& centre) {
  const bool won = game_.play.state[gs::LevelBoost] != 0;
  scenePicture = Bitmap(layout.clientWidth, layout.centrePanel.h);
  draw(scenePicture, layout.leftPanel.x, layout.leftPanel.y, won ? scenes.leftWon : scenes.left);
  draw(scenePicture, layout.rightPanel.x, layout.rightPanel.y,
       won ? scenes.rightWon : scenes.right);
  draw(scenePicture, layout.centrePanel.x, layout.centrePanel.y, centre);
}

void GameDrawing::showTitle() {
  showPanelsAround(game_.play.state[gs::LevelBoost] != 0 ? scenes.titleWon : scenes.title);
}

void GameDrawing::showBackBuffer() {
  Bitmap centre = scenes.centre;
  if (centre.empty()) centre = Bitmap(layout.centrePanel.w, layout.centrePanel.h);
  draw(centre, layout.board.x - layout.centrePanel.x, layout.board.y - layout.centrePanel.y,
       board.shown);
  showPanelsAround(centre);
}

}  // namespace kelvorn
