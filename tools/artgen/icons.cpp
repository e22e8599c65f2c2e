#include "tools/artgen/icons.h"

#include <cstdio>
#include <filesystem>

#include "tools/artgen/render.h"

namespace kelvorn::artgen {

std::string svgOf(const Image& picture) {
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
      std::to_string(picture.width) + " " + std::to_string(picture.height) +
      "\" shape-rendering=\"crispEdges\">\n";
  char line[96];
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width;) {
      const Rgb c = picture.at(x, y);
      int run = 1;
      while (x + run < picture.width && picture.at(x + run, y) == c) ++run;
      std::snprintf(line, sizeof line,
                    "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"1\" fill=\"#%02x%02x%02x\"/>\n",
                    x, y, run, c.r, c.g, c.b);
      svg += line;
      x += run;
    }
  return svg + "</svg>\n";
}

bool writeIcons(const Art& art, const std::string& outDir) {
  std::filesystem::create_directories(outDir);
  bool ok = true;
  for (const int size : kIconSizes)
    ok &= writeFile(outDir + "/kelvorn-" + std::to_string(size) + ".png",
                    encodePng(render(art, "icon", size, size).picture));
  const std::string svg = svgOf(render(art, "icon", kScalableIconGrid, kScalableIconGrid).picture);
  ok &= writeFile(outDir + "/kelvorn.svg",
                  std::span(reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size()));
  if (!ok) std::fprintf(stderr, "kelvorn-artgen: cannot write the icons to %s\n", outDir.c_str());
  return ok;
}

}  // namespace kelvorn::artgen
