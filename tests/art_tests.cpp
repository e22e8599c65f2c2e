// The picture files the build draws, checked as the game will cut and use them, and the
// index map and drawing language they come from.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "assets/sheet_index.h"
#include "content/tables.h"
#include "rules/floor_store.h"
#include "rules/monsters.h"
#include "tools/artgen/art.h"
#include "tools/artgen/image.h"
#include "tools/artgen/render.h"

namespace kelvorn::artgen {
// Pictures print as their size only: their bytes would tell a reader nothing.
void PrintTo(const Image& image, std::ostream* os) { *os << image.width << "x" << image.height << " picture"; }
}  // namespace kelvorn::artgen

namespace kelvorn {
namespace {

using artgen::Image;
using artgen::Rgb;
constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};

Image load(const std::string& relative) {
  std::string path = std::string(KELVORN_BIN_DIR) + "/" + relative;
  auto bytes = artgen::readFile(path);
  if (!bytes) ADD_FAILURE() << "missing " << path;
  auto image = bytes ? artgen::decodeBmp(*bytes) : std::nullopt;
  if (bytes && !image) ADD_FAILURE() << "not a 24-bit BMP: " << path;
  return image.value_or(Image());
}

const art::Sheet& sheet(const char* name) { return *art::builtInSheetIndex().sheet(name); }

// One set of sheets, cut the way the game cuts them.
struct Sheets {
  int tile;
  Image tiles, masks, keys;
  explicit Sheets(int t)
      : tile(t),
        tiles(load(std::string(t == 32 ? "data" : "data3") + "/chtable.vx")),
        masks(load(std::string(t == 32 ? "data" : "data3") + "/chtableb.vx")),
        keys(load(std::string(t == 32 ? "data" : "data3") + "/key.vx")) {}
  Image tileImage(int i) const { return tiles.crop((i % 11) * tile, (i / 11) * tile, tile, tile); }
  Image maskImage(int i) const { return masks.crop((i % 11) * tile, (i / 11) * tile, tile, tile); }
};

int countOf(const Image& image, Rgb colour) {
  int n = 0;
  for (const Rgb& p : image.pixels) n += p == colour;
  return n;
}

class ArtSets : public ::testing::TestWithParam<int> {
 protected:
  static const Sheets& sheets(int tile) {
    static const Sheets small(32), large(40);
    return tile == 32 ? small : large;
  }
  const Sheets& s() const { return sheets(GetParam()); }
};

// --- the index map ---

TEST(SheetIndex, DeclaresTheThreeSheetsAsTheGameCutsThem) {
  EXPECT_EQ(sheet("chtable").count(), 218);
  EXPECT_EQ(sheet("chtableb").count(), 159);
  EXPECT_EQ(sheet("key").count(), 4);
  EXPECT_EQ(sheet("chtable").pixelWidth(32), 352);
  EXPECT_EQ(sheet("chtable").pixelHeight(40), 800);
  EXPECT_EQ(sheet("chtableb").pixelHeight(32), 480);
  EXPECT_EQ(sheet("key").pixelWidth(40), 40);
  EXPECT_EQ(sheet("key").file, "key.vx");
}

TEST(SheetIndex, PlacesTheFixedPicturesWhereTheGameLooks) {
  const art::Sheet& t = sheet("chtable");
  EXPECT_EQ(t.find("floor"), 5);
  EXPECT_EQ(t.find("black"), 158);
  EXPECT_EQ(t.find("lava_2"), 13 - 1 + 147);
  EXPECT_EQ(t.find("background_2"), 14 - 1 + 147);
  EXPECT_EQ(t.find("empty_slot"), 162);
  EXPECT_EQ(t.find("cursor"), 164);
  EXPECT_EQ(t.find("appear_0"), 165);
  EXPECT_EQ(t.find("appear_16"), 181);
  // Story scripts name the slash as picture 184 over mask picture 183 (image n - 1).
  EXPECT_EQ(t.find("slash"), 183);
  EXPECT_EQ(t.find("slash_mask"), 182);
  EXPECT_EQ(t.images[182].picture, "mask:slash");
  EXPECT_EQ(sheet("chtableb").images[158].picture, "mask:cursor");
  EXPECT_EQ(t.find("orb_hero"), 35);  // item slot 0
  EXPECT_EQ(t.find("sword_iron"), 50);
  EXPECT_EQ(t.find("shield_sacred"), 59);
}

TEST(SheetIndex, HeroPosesFollowTheirMasksPerFacing) {
  const art::Sheet& t = sheet("chtable");
  const char* facings[] = {"down", "left", "right", "up"};
  const char* poses[] = {"step_a", "step_b", "stand", "fight"};
  for (int f = 1; f <= 4; ++f)
    for (int p = 0; p < 4; ++p) {
      int g = 184 + 8 * (f - 1) + 2 * p;
      std::string name = std::string("hero_") + facings[f - 1] + "_" + poses[p];
      EXPECT_EQ(t.find(name), g) << name;
      EXPECT_EQ(t.images[g + 1].picture, "mask:" + t.images[g].picture) << name;
    }
  // The fighting pose facing up is picture 215 with mask picture 216.
  EXPECT_EQ(t.find("hero_up_fight"), 214);
}

TEST(SheetIndex, PortraitsAreTheBodyCellsOfTheLargeMonsters) {
  const art::Sheet& t = sheet("chtable");
  EXPECT_EQ(t.images[portraitImage(kind::Octopus)].picture, "octopus.0[7]");
  EXPECT_EQ(t.images[portraitImage(kind::Dragon)].picture, "dragon.0[7]");
  for (int k = 0; k < kMonsterKinds; ++k) {
    const auto& pic = t.images[portraitImage(k)].picture;
    EXPECT_TRUE(pic != "-" && !pic.starts_with("mask:")) << "kind " << k;
  }
}

TEST(SheetIndex, RejectsTablesWithGapsOrClashes) {
  const std::string head = "sheet s file s.vx images 2 per-row 2 cell tile\n";
  EXPECT_NO_THROW(art::parseSheetIndex(head + "s 0 a x\ns 1 b -\n"));
  EXPECT_THROW(art::parseSheetIndex(head + "s 0 a x\n"), art::IndexError);              // gap
  EXPECT_THROW(art::parseSheetIndex(head + "s 0 a x\ns 0 b y\n"), art::IndexError);     // twice
  EXPECT_THROW(art::parseSheetIndex(head + "s 0 a x\ns 1 a y\n"), art::IndexError);     // name twice
  EXPECT_THROW(art::parseSheetIndex(head + "s 0 a x\ns 2 b y\n"), art::IndexError);     // beyond
  EXPECT_THROW(art::parseSheetIndex(head + "t 0 a x\n"), art::IndexError);              // sheet
  EXPECT_THROW(art::parseSheetIndex(head + "s 0 a x\ns 1 b -\n" + head), art::IndexError);
  EXPECT_THROW(art::parseSheetIndex("sheet s file s.vx images 2\n"), art::IndexError);
  // A mask range may only take masks of pictures already named.
  const std::string two = head + "sheet m file m.vx images 2 per-row 2 cell tile\n";
  auto index = art::parseSheetIndex(two + "s 0 a x\ns 1 b y[4]\nm 0..1 masks s 0\n");
  EXPECT_EQ(index.sheet("m")->images[1].picture, "mask:y[4]");
  EXPECT_THROW(art::parseSheetIndex(two + "m 0..1 masks s 0\ns 0 a x\ns 1 b y\n"), art::IndexError);
  EXPECT_THROW(art::parseSheetIndex(two + "s 0 a x\ns 1 b -\nm 0..1 masks s 0\n"), art::IndexError);
}

TEST(SheetIndex, ReadsPictureReferences) {
  auto whole = art::parsePictureRef("door_red");
  EXPECT_EQ(whole.drawing, "door_red");
  EXPECT_EQ(whole.piece, -1);
  EXPECT_FALSE(whole.mask);
  auto piece = art::parsePictureRef("mask:dragon.1[8]");
  EXPECT_EQ(piece.drawing, "dragon.1");
  EXPECT_EQ(piece.piece, 8);
  EXPECT_TRUE(piece.mask);
  EXPECT_TRUE(art::parsePictureRef("-").drawing.empty());
}

// --- the files ---

TEST_P(ArtSets, SheetsHaveTheSizeOfTheirCells) {
  EXPECT_EQ(s().tiles.width, 11 * s().tile);
  EXPECT_EQ(s().tiles.height, 20 * s().tile);
  EXPECT_EQ(s().masks.width, 11 * s().tile);
  EXPECT_EQ(s().masks.height, 15 * s().tile);
  EXPECT_EQ(s().keys.width, s().tile);
  EXPECT_EQ(s().keys.height, s().tile);
}

TEST_P(ArtSets, PanelTitleAndOpeningPicturesHaveTheirLayoutSizes) {
  const bool small = GetParam() == 32;
  const std::string dir = small ? "data/" : "data3/";
  auto expectSize = [&](const char* file, int w, int h) {
    Image image = load(dir + file);
    EXPECT_EQ(image.width, small ? w : (w * 5 + 2) / 4) << file;
    EXPECT_EQ(image.height, small ? h : (h * 5 + 2) / 4) << file;
  };
  expectSize("center.bmp", 390, 400);
  for (const char* side : {"left.bmp", "right.bmp", "leftr.bmp", "rightr.bmp"}) expectSize(side, 125, 400);
  expectSize("title05.bmp", 390, 400);
  expectSize("title05R.bmp", 390, 400);
  for (const char* open : {"open0.bmp", "open1.bmp", "open2.bmp"}) expectSize(open, 640, 400);
  // The won-game variants look different, not only by name.
  EXPECT_NE(load(dir + "left.bmp"), load(dir + "leftr.bmp"));
  EXPECT_NE(load(dir + "right.bmp"), load(dir + "rightr.bmp"));
  EXPECT_NE(load(dir + "title05.bmp"), load(dir + "title05R.bmp"));
}

TEST(ArtFiles, EndingPicturesAreDistinctAndTheScrollIsTall) {
  std::set<std::vector<std::uint8_t>> seen;
  for (int n : {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 26}) {
    std::string file = std::string("data2/End") + (n < 10 ? "0" : "") + std::to_string(n) + ".bmp";
    Image image = load(file);
    EXPECT_EQ(image.width, 640) << file;
    EXPECT_EQ(image.height, 400) << file;
    EXPECT_TRUE(seen.insert(artgen::encodeBmp(image)).second) << file << " repeats another";
  }
  Image scroll = load("data2/End20.bmp");
  EXPECT_EQ(scroll.width, 640);
  EXPECT_GE(scroll.height, 800);
}

TEST_P(ArtSets, EveryCodeOnTheMapsHasAPicture) {
  const auto& floors = content::builtIn().floors;
  std::set<int> codes;
  for (int f = 0; f < content::kFloorCount; ++f)
    for (int c = 0; c < content::kCellCount; ++c) codes.insert(floors[f * content::kFloorRecordSize + 2 + c]);
  const Image black = s().tileImage(158);
  EXPECT_EQ(countOf(black, kBlack), s().tile * s().tile);
  for (int t : codes) {
    ASSERT_GE(t, 1);
    ASSERT_LE(t, 158);
    EXPECT_NE(s().tileImage(t - 1), black) << "TileCode " << t;
  }
}

TEST_P(ArtSets, EveryMonsterItemAndCharacterStandsOutFromTheFloor) {
  const Image floor = s().tileImage(tile::Floor - 1);
  for (int t = 19; t <= 158; ++t) {
    Image mask = s().maskImage(t - 1);
    int opaque = countOf(mask, kBlack);
    EXPECT_GT(opaque, s().tile) << "TileCode " << t << " has hardly a figure";
    EXPECT_LT(opaque, s().tile * s().tile) << "TileCode " << t << " hides the floor";
    EXPECT_NE(s().tileImage(t - 1), floor) << "TileCode " << t;
  }
  // No two monster kinds share a picture.
  std::set<std::vector<std::uint8_t>> seen;
  for (int k = 0; k < kMonsterKinds; ++k)
    EXPECT_TRUE(seen.insert(artgen::encodeBmp(s().tileImage(portraitImage(k)))).second) << "kind " << k;
}

TEST_P(ArtSets, MasksAgreeWithTheirSprites) {
  const Image floor = s().tileImage(tile::Floor - 1);
  for (int i = 0; i < 158; ++i) {
    Image sprite = s().tileImage(i), mask = s().maskImage(i);
    for (int y = 0; y < s().tile; ++y)
      for (int x = 0; x < s().tile; ++x) {
        const Rgb& m = mask.at(x, y);
        ASSERT_TRUE(m == kBlack || m == kWhite) << "mask " << i << " is not black and white";
        // Where the mask lets the background through, the sprite shows only its floor.
        if (m == kWhite) {
          ASSERT_TRUE(sprite.at(x, y) == floor.at(x, y) || sprite.at(x, y) == kBlack)
              << "image " << i << " at " << x << "," << y;
        }
      }
  }
  // The cursor's mask frames the item: opaque rim, clear middle.
  Image cursorMask = s().maskImage(158);
  EXPECT_EQ(cursorMask.at(0, 0), kBlack);
  EXPECT_EQ(cursorMask.at(s().tile / 2, s().tile / 2), kWhite);
  // Hero masks sit right after their poses and cover only the figure.
  for (int g = 184; g < 216; g += 2) {
    Image pose = s().tileImage(g), mask = s().tileImage(g + 1);
    int opaque = countOf(mask, kBlack);
    EXPECT_GT(opaque, s().tile * 4) << "pose " << g;
    EXPECT_LT(opaque, s().tile * s().tile / 2) << "pose " << g;
    EXPECT_EQ(opaque + countOf(mask, kWhite), s().tile * s().tile) << "pose " << g;
  }
  Image slash = s().tileImage(183), slashMask = s().tileImage(182);
  EXPECT_GT(countOf(slashMask, kBlack), 0);
  EXPECT_EQ(countOf(slashMask, kBlack) + countOf(slashMask, kWhite), s().tile * s().tile);
  EXPECT_NE(slash, slashMask);
}

TEST_P(ArtSets, AnimatedCodesChangeBetweenFrames) {
  for (int t = 1; t <= 158; ++t) {
    int offset = frameOffset(static_cast<TileCode>(t), false);
    if (offset == 0) continue;
    EXPECT_NE(s().tileImage(t - 1), s().tileImage(t - 1 + offset)) << "TileCode " << t;
  }
  // Every hero facing steps: the two stepping poses differ from each other and from standing.
  for (int g = 184; g < 216; g += 8) {
    EXPECT_NE(s().tileImage(g), s().tileImage(g + 2));
    EXPECT_NE(s().tileImage(g), s().tileImage(g + 4));
    EXPECT_NE(s().tileImage(g + 4), s().tileImage(g + 6));
  }
}

TEST_P(ArtSets, AppearanceMasksGrowFromNothingToWhole) {
  const int all = s().tile * s().tile;
  EXPECT_EQ(countOf(s().tileImage(165), kWhite), all);
  EXPECT_EQ(countOf(s().tileImage(181), kBlack), all);
  for (int i = 166; i <= 181; ++i) {
    Image before = s().tileImage(i - 1), now = s().tileImage(i);
    EXPECT_GT(countOf(now, kBlack), countOf(before, kBlack)) << "mask " << i;
    EXPECT_EQ(countOf(now, kBlack) + countOf(now, kWhite), all) << "mask " << i;
    for (int p = 0; p < all; ++p)
      ASSERT_TRUE(before.pixels[p] != kBlack || now.pixels[p] == kBlack) << "mask " << i << " loses a pixel";
  }
}

TEST_P(ArtSets, KeyIconsAreDistinctAndDoorsDifferInShape) {
  std::set<std::vector<std::uint8_t>> keys;
  int half = s().tile / 2;
  for (int i = 0; i < 4; ++i)
    keys.insert(artgen::encodeBmp(s().keys.crop((i % 2) * half, (i / 2) * half, half, half)));
  EXPECT_EQ(keys.size(), 4u);
  // Colour-blind players tell the doors and keys apart by their outlines: compare masks
  // of the keys and the doors' pictures with colour taken away.
  auto shape = [](const Image& image) {
    std::vector<int> grey;
    for (const Rgb& p : image.pixels) grey.push_back((p.r * 3 + p.g * 6 + p.b) / 40);
    return grey;
  };
  EXPECT_NE(s().maskImage(tile::Door + 28), s().maskImage(tile::Door + 29));  // keys 29, 30
  EXPECT_NE(s().maskImage(tile::Door + 28), s().maskImage(tile::Door + 30));  // keys 29, 31
  EXPECT_NE(s().maskImage(tile::Door + 29), s().maskImage(tile::Door + 30));
  EXPECT_NE(shape(s().tileImage(0)), shape(s().tileImage(1)));
  EXPECT_NE(shape(s().tileImage(0)), shape(s().tileImage(2)));
  EXPECT_NE(shape(s().tileImage(1)), shape(s().tileImage(2)));
}

TEST(ArtFiles, TheLargeSetIsDrawnAfreshNotScaledUp) {
  // A 40-pixel tile scaled up from 32 pixels repeats every fourth row and column; a
  // redrawn one keeps its outlines one pixel wide.
  Sheets large(40);
  int doubled = 0, rows = 0;
  for (int i : {60, 66, 184, 120}) {
    Image img = large.tileImage(i);
    for (int y = 1; y < 40; ++y, ++rows) {
      bool same = true;
      for (int x = 0; x < 40 && same; ++x) same = img.at(x, y) == img.at(x, y - 1);
      doubled += same;
    }
  }
  EXPECT_LT(doubled, rows / 2);
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, ArtSets, ::testing::Values(32, 40));

// --- the drawing language ---

artgen::Art parse(const std::string& body) {
  artgen::Art art;
  art.parse("colour RED 255 0 0\ncolour K 1 2 3\n" + body, "test.art");
  art.check();
  return art;
}

TEST(DrawingLanguage, RasterisesCrisplyAtAnySize) {
  auto art = parse("sprite box\n  rect 8 8 16 16 RED\nend\n");
  for (int size : {32, 40, 64}) {
    auto r = artgen::render(art, "box", size, size);
    const Rgb red{255, 0, 0};
    for (const Rgb& p : r.picture.pixels) ASSERT_TRUE(p == kBlack || p == red);
    EXPECT_EQ(countOf(r.mask, kBlack), (size / 2) * (size / 2)) << size;
  }
}

TEST(DrawingLanguage, MirrorAndFlipAreExact) {
  auto art = parse(
      "sprite half\n  poly RED 2 3 14 9 5 28\n  mirror\nend\n"
      "sprite left\n  oval 9 12 5 7 RED\nend\n"
      "sprite right\n  use left 0 0 1 flip\nend\n");
  for (int size : {32, 40}) {
    auto half = artgen::render(art, "half", size, size).mask;
    auto left = artgen::render(art, "left", size, size).mask;
    auto right = artgen::render(art, "right", size, size).mask;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        ASSERT_EQ(half.at(x, y), half.at(size - 1 - x, y));
        ASSERT_EQ(left.at(x, y), right.at(size - 1 - x, y));
      }
  }
}

TEST(DrawingLanguage, BaseIsBackgroundAndOutlineIsFigure) {
  auto art = parse(
      "sprite ground\n  rect 0 0 32 32 K\nend\n"
      "sprite dot\n  base ground\n  rect 15 15 2 2 RED\n  outline #00ff00\nend\n");
  auto r = artgen::render(art, "dot", 32, 32);
  EXPECT_EQ(countOf(r.mask, kBlack), 4 + 8);  // the dot and its four-sided rim
  EXPECT_EQ(r.picture.at(0, 0), (Rgb{1, 2, 3}));
  EXPECT_EQ(r.picture.at(14, 15), (Rgb{0, 255, 0}));
}

TEST(DrawingLanguage, ReportsMistakesWithTheirLine) {
  auto fails = [](const std::string& text, const std::string& where) {
    try {
      parse(text);
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(where), std::string::npos) << e.what();
      return true;
    }
    return false;
  };
  EXPECT_TRUE(fails("sprite a\n  rect 1 2 3 RED\nend\n", "test.art:4"));
  EXPECT_TRUE(fails("sprite a\n  rect 1 2 3 4 BLUE\nend\n", "unknown colour"));
  EXPECT_TRUE(fails("sprite a\n  spin 4\nend\n", "unknown command"));
  EXPECT_TRUE(fails("sprite a\n  rect 1 2 3 4 RED\n", "no end"));
  EXPECT_TRUE(fails("sprite a\n  use b\nend\n", "no drawing named b"));
  EXPECT_TRUE(fails("sprite a\n  use b\nend\nsprite b\n  use a\nend\n", "uses itself"));
  EXPECT_TRUE(fails("sprite a\nend\nsprite a\nend\n", "defined twice"));
}

TEST(PictureFiles, BmpRoundTripsAndPngIsWellFormed) {
  Image image(3, 2);
  image.at(0, 0) = {1, 2, 3};
  image.at(2, 1) = {250, 128, 7};
  auto bmp = artgen::encodeBmp(image);
  EXPECT_EQ(bmp.size(), 54u + 2 * 12);  // rows padded to four bytes
  EXPECT_EQ(artgen::decodeBmp(bmp), image);
  bmp[28] = 32;  // not 24-bit any more
  EXPECT_FALSE(artgen::decodeBmp(bmp));
  auto png = artgen::encodePng(image);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
  EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
}

}  // namespace
}  // namespace kelvorn
