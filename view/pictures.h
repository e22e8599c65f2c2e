// The picture sheets cut into image lists, and the image indices the drawing uses.
#pragma once

#include <string_view>
#include <vector>

#include "view/bitmap.h"

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

// The image an index of the picture sheets gives a role name ("black", "cursor"), as the
// sheet index table in assets/ says; it is the one list of what every image holds.
int sheetImage(std::string_view sheet, std::string_view name);
int sheetImageCount(std::string_view sheet);

// The three sheets of one layout.
struct PictureSet {
  ImageList tiles;  // tile pictures, second frames, item icons, hero poses
  ImageList masks;  // masks of pictures drawn over others
  ImageList keys;   // red, blue and yellow key icons and the empty slot
};
inline const int kTileImages = sheetImageCount("chtable");
inline const int kMaskImages = sheetImageCount("chtableb");
inline const int kKeyImages = sheetImageCount("key");

// Cuts the three sheets as the game addresses them: tiles and masks 11 cells to a row
// at `tileSize`, keys 2 to a row at half of it.
PictureSet cutSheets(const Bitmap& tiles, const Bitmap& masks, const Bitmap& keys, int tileSize);
// Black sheets of their real sizes: every picture is drawn at its true size with nothing
// to see, for tools and tests that draw without the picture files.
PictureSet blankSheets(int tileSize);

namespace image {
inline const int PlainFloor = sheetImage("chtable", "floor");
inline const int Black = sheetImage("chtable", "black");
inline const int EmptySlot = sheetImage("chtable", "empty_slot");
inline const int Cursor = sheetImage("chtable", "cursor");
// Swords and shields by level 1..5, item icons by slot 0..14, added to these.
inline const int FirstSword = sheetImage("chtable", "sword_iron") - 1;
inline const int FirstShield = sheetImage("chtable", "shield_iron") - 1;
inline const int FirstItem = sheetImage("chtable", "orb_hero");
// Hero poses of a facing (1 down, 2 left, 3 right, 4 up): step A, its mask, step B, its
// mask, standing, its mask, fighting, its mask.
int heroPoses(int facing);
}  // namespace image

namespace keyicon {
inline const int Red = sheetImage("key", "key_red");
inline const int Blue = sheetImage("key", "key_blue");
inline const int Yellow = sheetImage("key", "key_yellow");
inline const int Empty = sheetImage("key", "key_empty");
}  // namespace keyicon

}  // namespace kelvorn
