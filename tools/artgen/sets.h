// The picture files the game loads, by folder, and how the generator fills them.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "assets/sheet_index.h"
#include "tools/artgen/art.h"
#include "tools/artgen/render.h"

namespace kelvorn::artgen {

// One picture file: its drawing and its size in pixels.
struct PictureFile {
  std::string folder, file, drawing;
  int width, height;
};

// Tile sizes of the two layouts and their folders.
struct TileSet {
  int tileSize;
  std::string folder;
};
inline const std::vector<TileSet> kTileSets = {{32, "data"}, {40, "data3"}};

// The panel, title, opening and ending pictures of every folder.
std::vector<PictureFile> pictureFiles();

// Renders drawings once per size and piece, since sheets and masks share them.
class Renderer {
 public:
  explicit Renderer(const Art& art) : art_(art) {}
  const Rendered& get(const std::string& drawing, int piece, int width, int height);
  // The picture of one sheet image at a cell size (a mask for "mask:" references).
  Image sheetImage(const art::SheetImage& image, int cell);
  // A whole sheet at a tile size, cells row by row.
  Image sheet(const art::Sheet& sheet, int tileSize);
  const Art& art() const { return art_; }

 private:
  const Art& art_;
  std::map<std::tuple<std::string, int, int, int>, Rendered> cache_;
};

}  // namespace kelvorn::artgen
