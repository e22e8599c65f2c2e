// The drawing language of the picture sources in assets/art. Every picture is a short
// program of shapes in its own unit grid (32 x 32 for a tile), rasterised afresh at each
// size, so the 32- and 40-pixel sets are both crisp. The language is described in
// assets/README.md.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/artgen/image.h"

namespace kelvorn::artgen {

class ArtError : public std::runtime_error {
 public:
  ArtError(const std::string& file, int line, const std::string& what)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + what) {}
};

struct Paint {
  Rgb rgb;
  bool clear = false;  // erases instead of painting
  bool operator==(const Paint&) const = default;
};

enum class Op {
  Rect, Oval, Ring, Poly, Line, Use, Mirror, Outline, VGrad, Dissolve, Speckle, Text,
  CText, Remap
};

struct Command {
  Op op = Op::Rect;
  std::vector<double> n;     // coordinates and sizes in the drawing's units
  std::vector<Paint> paint;  // one or two paints
  std::string name;          // used drawing
  std::string text;          // words of a text command
  bool flip = false;         // `use ... flip`: mirrored left to right
  int line = 0;
};

struct Drawing {
  std::string name, file;
  double width = 32, height = 32;
  std::string base;  // drawn beneath; not part of the figure, so not in its mask
  std::vector<Command> commands;
};

// Glyphs of the pixel font: rows of 'X' (ink) and '.' (paper), all of one height.
using Glyph = std::vector<std::string>;

struct Art {
  std::map<std::string, Paint> palette;
  std::map<std::string, Drawing> drawings;
  std::map<char, Glyph> font;

  // Adds one source file; colours must be defined before they are used.
  void parse(std::string_view text, const std::string& file);
  // Every `use` and `base` names a drawing and no drawing uses itself.
  void check() const;
  const Drawing& drawing(const std::string& name) const;
};

// Loads every *.art file of a folder, palette.art first, then the others by name.
Art loadArt(const std::string& folder);

}  // namespace kelvorn::artgen
