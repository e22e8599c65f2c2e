// Review sheets: every sheet image enlarged with its index printed beside it, the panel
// and scene pictures, and a preview of real floors in the game window, as PNG files.
#pragma once

#include <string>

#include "tools/artgen/art.h"

namespace kelvorn::artgen {

bool writeReview(const Art& art, const std::string& folder);

}  // namespace kelvorn::artgen
