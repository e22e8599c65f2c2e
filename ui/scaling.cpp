#include "ui/scaling.h"

#include <algorithm>
#include <cmath>

namespace kelvorn::ui {

PictureFit fitPicture(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight) {
  PictureFit fit;
  if (outputWidth <= 0 || outputHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return fit;
  const int whole = std::min(outputWidth / pictureWidth, outputHeight / pictureHeight);
  const double fraction =
      std::min(double(outputWidth) / pictureWidth, double(outputHeight) / pictureHeight);
  int w = 0, h = 0;
  if (whole >= 1 && whole >= fraction * kWholeScaleEnough) {
    fit.wholeScale = whole;
    w = pictureWidth * whole;
    h = pictureHeight * whole;
  } else {
    fit.smooth = true;
    w = std::min(outputWidth, int(std::lround(pictureWidth * fraction)));
    h = std::min(outputHeight, int(std::lround(pictureHeight * fraction)));
  }
  fit.place = {(outputWidth - w) / 2, (outputHeight - h) / 2, w, h};
  return fit;
}

PicturePoint toPicture(const PictureFit& fit, float x, float y, int pictureWidth,
                       int pictureHeight) {
  if (fit.place.w <= 0 || fit.place.h <= 0) return {x, y};
  return {(x - fit.place.x) * pictureWidth / fit.place.w,
          (y - fit.place.y) * pictureHeight / fit.place.h};
}

}  // namespace kelvorn::ui
