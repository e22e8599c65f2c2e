// Software bitmaps: 32-bit 0x00RRGGBB pixels, and the few raster operations the board
// drawing needs (copy, OR, AND, invert), clipped to both bitmaps.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvorn {

using Pixel = std::uint32_t;  // 0x00RRGGBB
inline constexpr Pixel kBlack = 0x000000;
inline constexpr Pixel kWhite = 0xFFFFFF;

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  Bitmap() = default;
  Bitmap(int w, int h, Pixel fill = kBlack)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

  bool empty() const { return width <= 0 || height <= 0; }
  Pixel at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  Pixel& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  bool operator==(const Bitmap&) const = default;
};

enum class Raster { Copy, Or, And };

// Combines the w x h rectangle of `src` at (sx, sy) into `dst` at (dx, dy).
void blit(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy, int w, int h,
          Raster op = Raster::Copy);
// Copies the whole of `src` into `dst` at (dx, dy).
inline void draw(Bitmap& dst, int dx, int dy, const Bitmap& src, Raster op = Raster::Copy) {
  blit(dst, dx, dy, src, 0, 0, src.width, src.height, op);
}
void fillRect(Bitmap& dst, int x, int y, int w, int h, Pixel color);
void invert(Bitmap& bitmap);

// The masked merge: shows `sprite` where `mask` is black and keeps `composite` where the
// mask is white. Done as the raster steps sprite |= mask, mask = ~mask,
// composite |= mask, composite &= sprite; the mask is left inverted.
void maskedMerge(Bitmap& composite, Bitmap& sprite, Bitmap& mask);

}  // namespace kelvorn
