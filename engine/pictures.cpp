#include "engine/pictures.h"

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

}  // namespace kelvorn
