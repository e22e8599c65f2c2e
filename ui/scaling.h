// Where the game's picture goes in a window of any size (a resized window, full screen,
// a high-density display): as large as fits, at a whole number of screen pixels per
// picture pixel, centred with bars around it, so every pixel stays a crisp square; or,
// when the largest whole number would leave too much of the screen unused, smoothly at
// the largest size that keeps the picture's shape.
#pragma once

#include "view/layout.h"

namespace kelvorn::ui {

struct PictureFit {
  Rect place;           // in output pixels
  int wholeScale = 0;   // output pixels per picture pixel when crisp, else 0
  bool smooth = false;  // scaled by a fraction, filtered
};

// The whole-number scale is kept while it reaches at least this share of the largest
// fractional one (2 of 2.44 on a 1920 x 1080 screen for the small set; 1 of 1.97 for the
// large set is too small).
inline constexpr double kWholeScaleEnough = 0.75;

PictureFit fitPicture(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight);

// The picture's coordinates of a point in output pixels (outside the picture when the
// point lies on a bar).
struct PicturePoint {
  float x, y;
};
PicturePoint toPicture(const PictureFit& fit, float x, float y, int pictureWidth,
                       int pictureHeight);

}  // namespace kelvorn::ui
