// The picture sheets cut into image lists, and the image indices the drawing uses.
#pragma once

#include <vector>

#include "engine/bitmap.h"

namespace kelvorn {

class ImageList {
 public:
  ImageList() = default;
  // Cuts `count` cells of w x h from `sheet`, row by row, `perRow` cells to a row.
  // Cells beyond the sheet's edge stay black.
  static ImageList cut(const Bitmap& sheet, int w, int h, int perRow, int count);
  // An all-black cell of `w` x `h` for every index (used before pictures are loaded).
  static ImageList blank(int w, int h);

  // Image i, or the black cell for an index the list does not hold.
  const Bitmap& operator[](int i) const;
  int size() const { return static_cast<int>(images_.size()); }

 private:
  std::vector<Bitmap> images_;
  Bitmap black_;
};

// The three sheets of one layout.
struct PictureSet {
  ImageList tiles;  // tile pictures, second frames, item icons, hero poses (218)
  ImageList masks;  // masks of pictures drawn over others (159)
  ImageList keys;   // red, blue and yellow key icons and the empty slot (4)
};
inline constexpr int kTileImages = 218, kMaskImages = 159, kKeyImages = 4;

// Cuts the three sheets as the game addresses them: tiles and masks 11 cells to a row
// at `tileSize`, keys 2 to a row at half of it.
PictureSet cutSheets(const Bitmap& tiles, const Bitmap& masks, const Bitmap& keys, int tileSize);

namespace image {
inline constexpr int PlainFloor = 5;  // the picture of TileCode 6
inline constexpr int Black = 158;
inline constexpr int EmptySlot = 162;
inline constexpr int Cursor = 164;
inline constexpr int FirstSword = 49;   // + level 1..5
inline constexpr int FirstShield = 54;  // + level 1..5
inline constexpr int FirstItem = 35;    // + item slot
// Hero poses, eight images per facing: step A, its mask, step B, its mask, standing,
// its mask, then the fighting pose and its mask.
constexpr int heroPoses(int facing) { return 184 + 8 * (facing - 1); }
}  // namespace image

namespace keyicon {
inline constexpr int Red = 0, Blue = 1, Yellow = 2, Empty = 3;
}

}  // namespace kelvorn
