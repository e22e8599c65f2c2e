// Reading BMP pictures from bytes already in memory (uncompressed 8-, 24- and 32-bit).
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "view/bitmap.h"

namespace kelvorn {

// nullopt for anything that is not a well-formed picture of a supported kind, or is
// larger than any picture of the game (16384 pixels a side).
std::optional<Bitmap> decodeBmp(std::span<const std::uint8_t> bytes);

}  // namespace kelvorn
