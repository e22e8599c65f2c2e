#include "view/bitmap.h"

#include <algorithm>

namespace kelvorn {

void blit(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy, int w, int h,
          Raster op) {
  // Clip the rectangle against the source and the destination.
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min({w, src.width - sx, dst.width - dx});
  h = std::min({h, src.height - sy, dst.height - dy});
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y) {
    const Pixel* from = &src.pixels[static_cast<std::size_t>(sy + y) * src.width + sx];
    Pixel* to = &dst.pixels[static_cast<std::size_t>(dy + y) * dst.width + dx];
    switch (op) {
      case Raster::Copy: std::copy_n(from, w, to); break;
      case Raster::Or:
        for (int x = 0; x < w; ++x) to[x] |= from[x];
        break;
      case Raster::And:
        for (int x = 0; x < w; ++x) to[x] &= from[x];
        break;
    }
  }
}

void fillRect(Bitmap& dst, int x, int y, int w, int h, Pixel color) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, dst.width), y1 = std::min(y + h, dst.height);
  for (int yy = y0; yy < y1; ++yy)
    std::fill_n(&dst.pixels[static_cast<std::size_t>(yy) * dst.width + x0], std::max(x1 - x0, 0),
                color);
}

void invert(Bitmap& bitmap) {
  for (Pixel& p : bitmap.pixels) p = ~p & 0xFFFFFF;
}

void maskedMerge(Bitmap& composite, Bitmap& sprite, Bitmap& mask) {
  draw(sprite, 0, 0, mask, Raster::Or);
  invert(mask);
  draw(composite, 0, 0, mask, Raster::Or);
  draw(composite, 0, 0, sprite, Raster::And);
}

}  // namespace kelvorn
