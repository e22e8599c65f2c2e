// Reading a layout's pictures from the program folder: the three sheets cut into image
// lists, the side panels, title and opening pictures, and the ending's pictures. A missing or
// unreadable file leaves a black picture of the expected size and is named in `missing`.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "view/layout.h"
#include "view/pictures.h"

namespace kelvorn::ui {

struct LayoutPictures {
  PictureSet sheets;
  Bitmap centre, left, right, leftWon, rightWon;  // "Won": after the first win
  Bitmap title, titleWon;
  std::array<Bitmap, 3> opening;
  // The ending's pictures, one size for both layouts: End05..End19 in the order shown,
  // the tall End20 that scrolls and End26 after it.
  std::vector<Bitmap> endings;
  Bitmap endingScroll, endingLast;
  std::vector<std::string> missing;
};

LayoutPictures loadLayoutPictures(const std::filesystem::path& programFolder, const Layout& layout);

// Reads one BMP file; nullopt when it is missing or not a picture.
std::optional<Bitmap> readPicture(const std::filesystem::path& path);

}  // namespace kelvorn::ui
