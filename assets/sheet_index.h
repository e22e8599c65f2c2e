// The index map of the picture sheets: what every image of chtable.vx, chtableb.vx and
// key.vx holds, parsed from assets/sheet_index.txt. The picture generator draws the
// sheets from it and the game finds its pictures in it, so there is one copy only.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorn::art {

class IndexError : public std::runtime_error {
 public:
  IndexError(int line, const std::string& what)
      : std::runtime_error("sheet index line " + std::to_string(line) + ": " + what) {}
};

// What one image holds: a role name unique within its sheet, and the picture drawn
// there ("door_yellow", "octopus.0[7]", "mask:slash", or "-" for a spare black cell).
struct SheetImage {
  std::string name;
  std::string picture;
};

// How a picture reference reads: the drawing, the piece of a 3 x 3 drawing (-1 for the
// whole drawing) and whether the image is that drawing's mask.
struct PictureRef {
  std::string drawing;  // empty for a spare cell
  int piece = -1;
  bool mask = false;
};
PictureRef parsePictureRef(std::string_view picture);

struct Sheet {
  std::string name;   // "chtable"
  std::string file;   // "chtable.vx"
  int perRow = 0;     // cells to a row
  bool halfCell = false;  // cells of half the tile size (the key sheet)
  std::vector<SheetImage> images;  // index = image index

  int count() const { return static_cast<int>(images.size()); }
  // The index of the image with this role name, or nullopt.
  std::optional<int> find(std::string_view name) const;
  // Sheet size in pixels for a tile size: perRow cells wide, enough rows for all images.
  int pixelWidth(int tileSize) const;
  int pixelHeight(int tileSize) const;
};

struct SheetIndex {
  std::vector<Sheet> sheets;
  const Sheet* sheet(std::string_view name) const;
};

// Parses the table; throws IndexError naming the line of the first fault. Every image
// of every declared sheet must be named exactly once.
SheetIndex parseSheetIndex(std::string_view text);

// The table built into the program, parsed once.
std::string_view sheetIndexText();
const SheetIndex& builtInSheetIndex();

}  // namespace kelvorn::art
