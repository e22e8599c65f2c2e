#include "ui/picture_files.h"

#include "view/bmp.h"
#include "storage/files.h"

namespace kelvorn::ui {

std::optional<Bitmap> readPicture(const std::filesystem::path& path) {
  const auto bytes = storage::readFile(path, 64u << 20);
  if (!bytes) return std::nullopt;
  return decodeBmp(*bytes);
}

LayoutPictures loadLayoutPictures(const std::filesystem::path& programFolder,
                                  const Layout& layout) {
  LayoutPictures p;
  const auto folder = programFolder / std::string(layout.assetFolder);
  auto loadFrom = [&](std::string_view sub, const std::string& name, int w, int h) {
    if (auto bitmap = readPicture(programFolder / std::string(sub) / name))
      return std::move(*bitmap);
    p.missing.push_back(std::string(sub) + "/" + name);
    return Bitmap(w, h);
  };
  auto load = [&](const char* name, int w, int h) {
    return loadFrom(layout.assetFolder, name, w, h);
  };
  const int t = layout.tileSize;
  const Bitmap tiles = load("chtable.vx", 11 * t, 20 * t);
  const Bitmap masks = load("chtableb.vx", 11 * t, 15 * t);
  const Bitmap keys = load("key.vx", t, t);
  p.sheets = cutSheets(tiles, masks, keys, t);
  const Rect& c = layout.centrePanel;
  const Rect& side = layout.leftPanel;
  p.centre = load("center.bmp", c.w, c.h);
  p.left = load("left.bmp", side.w, side.h);
  p.right = load("right.bmp", side.w, side.h);
  p.leftWon = load("leftr.bmp", side.w, side.h);
  p.rightWon = load("rightr.bmp", side.w, side.h);
  const int w = layout.clientWidth, h = layout.centrePanel.h;
  p.title = load("title05.bmp", w, h);
  p.titleWon = load("title05R.bmp", w, h);
  for (int i = 0; i < 3; ++i)
    p.opening[i] = load(("open" + std::to_string(i) + ".bmp").c_str(), w, h);
  for (int n = 5; n <= 19; ++n)
    p.endings.push_back(
        loadFrom("data2", (n < 10 ? "End0" : "End") + std::to_string(n) + ".bmp", 640, 400));
  p.endingScroll = loadFrom("data2", "End20.bmp", 640, 800);
  p.endingLast = loadFrom("data2", "End26.bmp", 640, 400);
  return p;
}

}  // namespace kelvorn::ui
