// The program's desktop icons, drawn from the art's `icon` drawing: PNG pictures at the
// sizes desktops ask for, and a scalable SVG of the same drawing as crisp pixel squares.
#pragma once

#include <string>

#include "tools/artgen/art.h"
#include "tools/artgen/image.h"

namespace kelvorn::artgen {

inline constexpr int kIconSizes[] = {48, 128, 256};
// The grid of the scalable icon: the drawing at 64 pixels, each a square of the SVG.
inline constexpr int kScalableIconGrid = 64;

// An SVG showing the picture as squares of colour, one run of equal pixels per rectangle,
// with crisp edges at any size.
std::string svgOf(const Image& picture);

// Writes OUT_DIR/kelvorn-48.png, -128.png, -256.png and kelvorn.svg; false when a file
// cannot be written.
bool writeIcons(const Art& art, const std::string& outDir);

}  // namespace kelvorn::artgen
