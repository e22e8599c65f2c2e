#include "tools/artgen/image.h"

#include "view/png.h"

#include <fstream>
#include <iterator>

namespace kelvorn::artgen {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xff);
  out.push_back((v >> 8) & 0xff);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}
std::uint32_t get32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t get16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

}  // namespace

void Image::paste(const Image& src, int x, int y) {
  for (int sy = 0; sy < src.height; ++sy)
    for (int sx = 0; sx < src.width; ++sx) {
      int dx = x + sx, dy = y + sy;
      if (dx >= 0 && dy >= 0 && dx < width && dy < height) at(dx, dy) = src.at(sx, sy);
    }
}

Image Image::crop(int x, int y, int w, int h) const {
  Image out(w, h);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx)
      if (x + xx < width && y + yy < height) out.at(xx, yy) = at(x + xx, y + yy);
  return out;
}

std::vector<std::uint8_t> encodeBmp(const Image& image) {
  const std::uint32_t rowBytes = (image.width * 3 + 3) & ~3u;
  const std::uint32_t dataBytes = rowBytes * image.height;
  std::vector<std::uint8_t> out;
  out.reserve(54 + dataBytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, 54 + dataBytes);
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);  // BITMAPINFOHEADER
  put32(out, image.width);
  put32(out, image.height);  // positive: rows stored bottom-up
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);  // no compression
  put32(out, dataBytes);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb& p = image.at(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    for (std::uint32_t pad = image.width * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

std::optional<Image> decodeBmp(std::span<const std::uint8_t> b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  std::uint32_t offset = get32(b, 10);
  std::int32_t w = static_cast<std::int32_t>(get32(b, 18));
  std::int32_t h = static_cast<std::int32_t>(get32(b, 22));
  if (get16(b, 28) != 24 || get32(b, 30) != 0 || w <= 0 || h == 0 || w > 16384 ||
      h > 16384 || h < -16384)
    return std::nullopt;
  bool bottomUp = h > 0;
  if (h < 0) h = -h;
  std::size_t rowBytes = (std::size_t(w) * 3 + 3) & ~std::size_t(3);
  if (offset + rowBytes * h > b.size()) return std::nullopt;
  Image image(w, h);
  for (int y = 0; y < h; ++y) {
    std::size_t row = offset + rowBytes * (bottomUp ? h - 1 - y : y);
    for (int x = 0; x < w; ++x) {
      std::size_t p = row + std::size_t(x) * 3;
      image.at(x, y) = {b[p + 2], b[p + 1], b[p]};
    }
  }
  return image;
}

std::vector<std::uint8_t> encodePng(const Image& image) {
  Bitmap bitmap(image.width, image.height);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Rgb& p = image.at(x, y);
      bitmap.at(x, y) = Pixel{p.r} << 16 | Pixel{p.g} << 8 | p.b;
    }
  return kelvorn::encodePng(bitmap);
}

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace kelvorn::artgen
