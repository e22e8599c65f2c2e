// A plain RGB picture and the two file formats the picture tools write: 24-bit BMP for
// the game and PNG for review sheets. The BMP reader takes back what the writer writes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kelvorn::artgen {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct Image {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // row by row from the top

  Image() = default;
  Image(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  Rgb& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
  const Rgb& at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  // Copies `src` with its top-left corner at (x, y), clipped to this picture.
  void paste(const Image& src, int x, int y);
  Image crop(int x, int y, int w, int h) const;
  bool operator==(const Image&) const = default;
};

std::vector<std::uint8_t> encodeBmp(const Image& image);
// Uncompressed 24-bit BMP, bottom-up or top-down; nullopt for anything else.
std::optional<Image> decodeBmp(std::span<const std::uint8_t> bytes);
// PNG through the game's own writer (stored deflate blocks: large, but no library).
std::vector<std::uint8_t> encodePng(const Image& image);

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path);
bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace kelvorn::artgen
