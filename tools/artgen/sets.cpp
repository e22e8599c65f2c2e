#include "tools/artgen/sets.h"

#include <cmath>

namespace kelvorn::artgen {

std::vector<PictureFile> pictureFiles() {
  std::vector<PictureFile> out;
  // Panels, title and opening: drawn in the small layout's pixels; the large layout's
  // size is 5/4 of it, halves rounded up.
  const std::vector<std::tuple<const char*, const char*, int, int>> layout = {
      {"center.bmp", "center", 390, 400}, {"left.bmp", "left", 125, 400},
      {"right.bmp", "right", 125, 400},   {"leftr.bmp", "leftr", 125, 400},
      {"rightr.bmp", "rightr", 125, 400}, {"title05.bmp", "title", 390, 400},
      {"title05R.bmp", "title_r", 390, 400}, {"open0.bmp", "open0", 640, 400},
      {"open1.bmp", "open1", 640, 400},   {"open2.bmp", "open2", 640, 400}};
  for (const TileSet& set : kTileSets)
    for (const auto& [file, drawing, w, h] : layout) {
      int sw = set.tileSize == 32 ? w : (w * 5 + 2) / 4, sh = set.tileSize == 32 ? h : (h * 5 + 2) / 4;
      out.push_back({set.folder, file, drawing, sw, sh});
    }
  // Endings: one size for both layouts; End20 is the tall picture that scrolls.
  for (int n = 5; n <= 19; ++n) {
    std::string num = (n < 10 ? "0" : "") + std::to_string(n);
    out.push_back({"data2", "End" + num + ".bmp", "end" + num, 640, 400});
  }
  out.push_back({"data2", "End20.bmp", "end20", 640, 800});
  out.push_back({"data2", "End26.bmp", "end26", 640, 400});
  return out;
}

const Rendered& Renderer::get(const std::string& drawing, int piece, int width, int height) {
  auto key = std::make_tuple(drawing, piece, width, height);
  auto it = cache_.find(key);
  if (it == cache_.end()) {
    Rendered r = piece < 0 ? render(art_, drawing, width, height) : renderPiece(art_, drawing, piece, width);
    it = cache_.emplace(key, std::move(r)).first;
  }
  return it->second;
}

Image Renderer::sheetImage(const art::SheetImage& image, int cell) {
  art::PictureRef ref = art::parsePictureRef(image.picture);
  if (ref.drawing.empty()) return Image(cell, cell);
  const Rendered& r = get(ref.drawing, ref.piece, cell, cell);
  return ref.mask ? r.mask : r.picture;
}

Image Renderer::sheet(const art::Sheet& sheet, int tileSize) {
  int cell = sheet.halfCell ? tileSize / 2 : tileSize;
  Image out(sheet.pixelWidth(tileSize), sheet.pixelHeight(tileSize));
  for (int i = 0; i < sheet.count(); ++i)
    out.paste(sheetImage(sheet.images[i], cell), (i % sheet.perRow) * cell, (i / sheet.perRow) * cell);
  return out;
}

}  // namespace kelvorn::artgen
