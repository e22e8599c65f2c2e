// Rasterising drawings: every shape is tested at pixel centres in the drawing's own
// units, with no blending, so any size comes out crisp and mirrored shapes stay exact.
#pragma once

#include <string>

#include "tools/artgen/art.h"
#include "tools/artgen/image.h"

namespace kelvorn::artgen {

// A drawn picture: its colours over its base (or black), and its coverage, the figure
// without the base, as a mask: black where the figure is, white elsewhere.
struct Rendered {
  Image picture;
  Image mask;
};

// Renders a whole drawing at width x height pixels.
Rendered render(const Art& art, const std::string& drawing, int width, int height);
// Renders piece k (row by row) of a drawing three tiles square at tile x tile pixels;
// each piece stands on its own base tile.
Rendered renderPiece(const Art& art, const std::string& drawing, int piece, int tile);

// Writes text with the pixel font, each font pixel `scale` pixels square.
void drawText(const Art& art, Image& image, int x, int y, int scale, Rgb ink, std::string_view text);
int textWidth(const Art& art, int scale, std::string_view text);

}  // namespace kelvorn::artgen
