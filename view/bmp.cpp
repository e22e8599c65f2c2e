#include "view/bmp.h"

#include <cstdlib>

namespace kelvorn {

namespace {
std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
         std::uint32_t{b[at + 3]} << 24;
}
std::uint16_t u16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
constexpr std::int64_t kMaxSide = 16384;
}  // namespace

std::optional<Bitmap> decodeBmp(std::span<const std::uint8_t> b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const std::uint32_t dataOffset = u32(b, 10);
  const std::uint32_t headerSize = u32(b, 14);
  if (headerSize < 40 || 14 + static_cast<std::size_t>(headerSize) > b.size()) return std::nullopt;
  const auto width = static_cast<std::int32_t>(u32(b, 18));
  const auto rawHeight = static_cast<std::int32_t>(u32(b, 22));
  const int bits = u16(b, 28);
  const std::uint32_t compression = u32(b, 30);
  if (u16(b, 26) != 1 || compression != 0) return std::nullopt;
  if (bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  const bool topDown = rawHeight < 0;
  const std::int64_t height = std::llabs(static_cast<std::int64_t>(rawHeight));
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return std::nullopt;

  std::vector<Pixel> palette;
  if (bits == 8) {
    std::uint32_t colours = u32(b, 46);
    if (colours == 0 || colours > 256) colours = 256;
    const std::size_t paletteAt = 14 + headerSize;
    if (paletteAt + 4 * static_cast<std::size_t>(colours) > b.size()) return std::nullopt;
    for (std::uint32_t i = 0; i < colours; ++i) {
      const std::size_t at = paletteAt + 4 * i;
      palette.push_back(Pixel{b[at]} | Pixel{b[at + 1]} << 8 | Pixel{b[at + 2]} << 16);
    }
  }
  const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (dataOffset > b.size() || rowBytes * height > b.size() - dataOffset) return std::nullopt;

  Bitmap out(width, static_cast<int>(height));
  for (int y = 0; y < out.height; ++y) {
    const std::size_t row = dataOffset + rowBytes * (topDown ? y : out.height - 1 - y);
    for (int x = 0; x < width; ++x) {
      Pixel p = 0;
      if (bits == 8) {
        const std::uint8_t index = b[row + x];
        p = index < palette.size() ? palette[index] : kBlack;
      } else {
        const std::size_t at = row + static_cast<std::size_t>(x) * (bits / 8);
        p = Pixel{b[at]} | Pixel{b[at + 1]} << 8 | Pixel{b[at + 2]} << 16;
      }
      out.at(x, y) = p;
    }
  }
  return out;
}

}  // namespace kelvorn
