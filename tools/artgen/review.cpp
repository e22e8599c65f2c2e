#include "tools/artgen/review.h"

#include <filesystem>

#include "assets/sheet_index.h"
#include "content/tables.h"
#include "rules/floor_store.h"
#include "tools/artgen/sets.h"

namespace kelvorn::artgen {
namespace {

namespace fs = std::filesystem;
constexpr Rgb kPaper{40, 40, 48}, kInk{230, 230, 210}, kDim{140, 140, 150};

Image zoom(const Image& src, int k) {
  Image out(src.width * k, src.height * k);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.at(x, y) = src.at(x / k, y / k);
  return out;
}

// Every image of a sheet, enlarged, in rows of the sheet's own width, index on top.
Image contact(Renderer& r, const art::Sheet& sheet, int tileSize, int k) {
  int cell = sheet.halfCell ? tileSize / 2 : tileSize;
  int cw = cell * k + 6, ch = cell * k + 14;
  int rows = (sheet.count() + sheet.perRow - 1) / sheet.perRow;
  Image out(sheet.perRow * cw + 4, rows * ch + 4, kPaper);
  for (int i = 0; i < sheet.count(); ++i) {
    int x = 4 + (i % sheet.perRow) * cw, y = 4 + (i / sheet.perRow) * ch;
    drawText(r.art(), out, x, y, 1, sheet.images[i].picture == "-" ? kDim : kInk, std::to_string(i));
    out.paste(zoom(r.sheetImage(sheet.images[i], cell), k), x, y + 9);
  }
  return out;
}

// The game window as the player sees it: panels, a floor of the built-in maps with the
// hero on it, item, sword, key and monster pictures in their places.
Image window(Renderer& r, int floor, int tileSize, int frame, bool won) {
  const bool small = tileSize == 32;
  const int W = small ? 640 : 800, H = small ? 400 : 500, side = small ? 125 : 156;
  auto s = [&](int v) { return small ? v : (v * 5 + 2) / 4; };
  Image out(W, H);
  out.paste(r.get(won ? "leftr" : "left", -1, side, H).picture, 0, 0);
  out.paste(r.get("center", -1, W - 2 * side, H).picture, side, 0);
  out.paste(r.get(won ? "rightr" : "right", -1, side, H).picture, W - side, 0);
  const art::SheetIndex& index = art::builtInSheetIndex();
  const art::Sheet& tiles = *index.sheet("chtable");
  const art::Sheet& masks = *index.sheet("chtableb");
  auto tile = [&](int i) { return r.sheetImage(tiles.images[i], tileSize); };
  auto over = [&](Image base, const Image& sprite, const Image& mask) {
    for (int y = 0; y < base.height; ++y)
      for (int x = 0; x < base.width; ++x)
        if (mask.at(x, y) == Rgb{0, 0, 0}) base.at(x, y) = sprite.at(x, y);
    return base;
  };
  auto icon = [&](int i) { return over(tile(162), tile(i), r.sheetImage(masks.images[i], tileSize)); };
  const auto& floors = content::builtIn().floors;
  const int ox = small ? 144 : 180, oy = small ? 24 : 30;
  int heroCell = floor == 1 ? 115 : 79;
  for (int c = 0; c < content::kCellCount; ++c) {
    int t = floors[floor * content::kFloorRecordSize + 2 + c];
    int img = t - 1 + (frame ? frameOffset(static_cast<TileCode>(t), false) : 0);
    Image pic = img >= 0 && img < tiles.count() ? tile(img) : Image(tileSize, tileSize);
    if (c == heroCell) pic = over(pic, tile(208 + 4), tile(208 + 5));
    out.paste(pic, ox + (c % 11) * tileSize, oy + (c / 11) * tileSize);
  }
  // Left panel: floor label, four stats, some items.
  const Art& art = r.art();
  const int sc = 1;
  drawText(art, out, s(30), s(52), sc, kInk, "TOWER  " + std::to_string(floor) + " F");
  const char* stats[] = {"1000", "10", "10", "0"};
  for (int i = 0; i < 4; ++i) drawText(art, out, s(110) - textWidth(art, sc, stats[i]), s(82 + 24 * i), sc, kInk, stats[i]);
  int gx = side / 2 - 3 * tileSize / 2, gy = s(192);
  for (int slot : {0, 1, 2, 4, 7, 11, 14})
    out.paste(icon(35 + slot), gx + (slot % 3) * tileSize, gy + (slot / 3) * tileSize);
  // Right panel: sword, shield, keys, a monster.
  int rx = W - side;
  out.paste(icon(51), rx + s(80), s(48));
  out.paste(icon(56), rx + s(80), s(96));
  drawText(art, out, rx + s(9), s(68), sc, kInk, "SILVER");
  drawText(art, out, rx + s(9), s(116), sc, kInk, "IRON");
  const art::Sheet& keys = *index.sheet("key");
  int kx = rx + side / 2 - 3 * tileSize / 2, ky = s(144);
  for (int i = 0; i < 24; ++i) {
    int which = i < 2 ? 0 : i < 4 ? 1 : i < 9 ? 2 : 3;
    out.paste(r.sheetImage(keys.images[which], tileSize / 2), kx + (i % 6) * tileSize / 2, ky + (i / 6) * tileSize / 2);
  }
  out.paste(icon(60 + 2 * 3), rx + side / 2 - 16, s(230));
  drawText(art, out, rx + s(12), s(272), sc, kInk, "BAT");
  const char* mon[] = {"35", "38", "3"};
  for (int i = 0; i < 3; ++i) drawText(art, out, rx + s(110) - textWidth(art, sc, mon[i]), s(292 + 20 * i), sc, kInk, mon[i]);
  return out;
}

bool savePng(const fs::path& path, const Image& image) {
  return writeFile(path.string(), encodePng(image));
}

}  // namespace

bool writeReview(const Art& art, const std::string& folder) {
  fs::create_directories(folder);
  Renderer r(art);
  const art::SheetIndex& index = art::builtInSheetIndex();
  bool ok = true;
  const fs::path dir(folder);
  for (int t : {32, 40}) {
    std::string n = std::to_string(t);
    ok &= savePng(dir / ("tiles_" + n + ".png"), contact(r, *index.sheet("chtable"), t, 2));
    ok &= savePng(dir / ("masks_" + n + ".png"), contact(r, *index.sheet("chtableb"), t, 1));
    ok &= savePng(dir / ("keys_" + n + ".png"), contact(r, *index.sheet("key"), t, 4));
    for (int floor : {1, 2})
      for (int frame : {0, 1})
        ok &= savePng(dir / ("window_" + n + "_floor" + std::to_string(floor) + "_frame" + std::to_string(frame) + ".png"),
                      window(r, floor, t, frame, false));
    ok &= savePng(dir / ("window_" + n + "_won.png"), window(r, 2, t, 0, true));
  }
  for (const PictureFile& f : pictureFiles()) {
    std::string stem = f.folder + "_" + fs::path(f.file).stem().string();
    ok &= savePng(dir / (stem + ".png"), r.get(f.drawing, -1, f.width, f.height).picture);
  }
  return ok;
}

}  // namespace kelvorn::artgen
