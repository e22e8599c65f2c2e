// kelvorn-artgen: draws every picture file of the game from the readable sources in
// assets/art, and on request writes review sheets (PNG) for people to look at.
//
//   kelvorn-artgen ART_DIR OUT_DIR            writes OUT_DIR/data, data3 and data2
//   kelvorn-artgen --review ART_DIR OUT_DIR   writes contact sheets and previews
//   kelvorn-artgen --icons ART_DIR OUT_DIR    writes the desktop icons
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "assets/sheet_index.h"
#include "tools/artgen/icons.h"
#include "tools/artgen/review.h"
#include "tools/artgen/sets.h"

namespace fs = std::filesystem;
using namespace kelvorn;
using namespace kelvorn::artgen;

namespace {

bool save(const fs::path& path, const Image& image) {
  if (!writeFile(path.string(), encodeBmp(image))) {
    std::fprintf(stderr, "kelvorn-artgen: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

int generate(const Art& art, const fs::path& out) {
  Renderer renderer(art);
  const art::SheetIndex& index = art::builtInSheetIndex();
  bool ok = true;
  for (const TileSet& set : kTileSets) {
    fs::create_directories(out / set.folder);
    for (const art::Sheet& sheet : index.sheets)
      ok &= save(out / set.folder / sheet.file, renderer.sheet(sheet, set.tileSize));
  }
  for (const PictureFile& f : pictureFiles()) {
    fs::create_directories(out / f.folder);
    ok &= save(out / f.folder / f.file, renderer.get(f.drawing, -1, f.width, f.height).picture);
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 4 && std::string(argv[1]) == "--review") {
      Art art = loadArt(argv[2]);
      return writeReview(art, argv[3]) ? 0 : 1;
    }
    if (argc == 4 && std::string(argv[1]) == "--icons")
      return writeIcons(loadArt(argv[2]), argv[3]) ? 0 : 1;
    if (argc == 3) return generate(loadArt(argv[1]), argv[2]);
    std::fprintf(stderr, "usage: kelvorn-artgen [--review | --icons] ART_DIR OUT_DIR\n");
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kelvorn-artgen: %s\n", e.what());
    return 1;
  }
}
