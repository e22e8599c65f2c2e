// Writing a bitmap as PNG bytes (uncompressed deflate blocks: larger files, but no
// library needed). Used for screenshots and review sheets.
#pragma once

#include <cstdint>
#include <vector>

#include "view/bitmap.h"

namespace kelvorn {

std::vector<std::uint8_t> encodePng(const Bitmap& bitmap);

}  // namespace kelvorn
