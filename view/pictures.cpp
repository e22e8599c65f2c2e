#include "view/pictures.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "assets/sheet_index.h"

namespace kelvorn {

ImageList ImageList::cut(const Bitmap& sheet, int w, int h, int perRow, int count) {
  ImageList list;
  list.black_ = Bitmap(w, h);
  list.images_.reserve(count);
  for (int i = 0; i < count; ++i) {
    Bitmap cell(w, h);
    blit(cell, 0, 0, sheet, (i % perRow) * w, (i / perRow) * h, w, h);
    list.images_.push_back(std::move(cell));
  }
  return list;
}

ImageList ImageList::blank(int w, int h) {
  ImageList list;
  list.black_ = Bitmap(w, h);
  return list;
}

const Bitmap& ImageList::operator[](int i) const {
  if (i < 0 || i >= size()) return black_;
  return images_[static_cast<std::size_t>(i)];
}

PictureSet cutSheets(const Bitmap& tiles, const Bitmap& masks, const Bitmap& keys, int tileSize) {
  return PictureSet{ImageList::cut(tiles, tileSize, tileSize, 11, kTileImages),
                    ImageList::cut(masks, tileSize, tileSize, 11, kMaskImages),
                    ImageList::cut(keys, tileSize / 2, tileSize / 2, 2, kKeyImages)};
}

PictureSet blankSheets(int tileSize) {
  const auto rows = [](int images, int perRow) { return (images + perRow - 1) / perRow; };
  const int t = tileSize, half = tileSize / 2;
  return cutSheets(Bitmap(11 * t, rows(kTileImages, 11) * t),
                   Bitmap(11 * t, rows(kMaskImages, 11) * t),
                   Bitmap(2 * half, rows(kKeyImages, 2) * half), tileSize);
}

int sheetImage(std::string_view sheetName, std::string_view name) {
  const ::kelvorn::art::Sheet* sheet = ::kelvorn::art::builtInSheetIndex().sheet(sheetName);
  const auto index = sheet ? sheet->find(name) : std::nullopt;
  if (!index)
    throw std::logic_error("the sheet index has no image '" + std::string(name) + "' in " +
                           std::string(sheetName));
  return *index;
}

int sheetImageCount(std::string_view sheetName) {
  const ::kelvorn::art::Sheet* sheet = ::kelvorn::art::builtInSheetIndex().sheet(sheetName);
  if (!sheet) throw std::logic_error("the sheet index has no sheet " + std::string(sheetName));
  return sheet->count();
}

int image::heroPoses(int facing) {
  static const std::array<int, 4> first = {
      sheetImage("chtable", "hero_down_step_a"), sheetImage("chtable", "hero_left_step_a"),
      sheetImage("chtable", "hero_right_step_a"), sheetImage("chtable", "hero_up_step_a")};
  return first[static_cast<std::size_t>(std::clamp(facing, 1, 4) - 1)];
}

}  // namespace kelvorn
