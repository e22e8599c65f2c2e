#include "tools/artgen/render.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace kelvorn::artgen {
namespace {

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};

// 4 x 4 ordered-dither thresholds, 0..15.
int bayer(int x, int y) {
  static constexpr int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return m[y & 3][x & 3];
}

struct Layer {
  int w, h;
  std::vector<Rgb> rgb;
  std::vector<std::uint8_t> on;
  Layer(int w_, int h_) : w(w_), h(h_), rgb(std::size_t(w_) * h_), on(std::size_t(w_) * h_, 0) {}
  void set(int x, int y, const Paint& p) {
    std::size_t i = std::size_t(y) * w + x;
    on[i] = p.clear ? 0 : 1;
    rgb[i] = p.rgb;
  }
  void over(const Layer& top) {
    for (std::size_t i = 0; i < on.size(); ++i)
      if (top.on[i]) {
        on[i] = 1;
        rgb[i] = top.rgb[i];
      }
  }
};

// Maps a drawing's units to pixels: x = a * u + b, y = s * v + c.
struct Xf {
  double a = 1, b = 0, s = 1, c = 0;
  Xf then(double a2, double b2, double s2, double c2) const {
    return {a * a2, a * b2 + b, s * s2, s * c2 + c};
  }
};

// The glyph of a character; a space is three empty columns; unknown characters none.
const Glyph* glyphOf(const Art& art, char ch) {
  static const Glyph space(7, "...");
  if (ch == ' ') return &space;
  auto it = art.font.find(ch);
  return it == art.font.end() ? nullptr : &it->second;
}

using Remap = std::map<std::tuple<int, int, int>, Paint>;

struct Painter {
  const Art& art;
  Layer& layer;
  Xf xf;
  Remap remap;

  Paint resolve(Paint p) const {
    if (p.clear) return p;
    auto it = remap.find({p.rgb.r, p.rgb.g, p.rgb.b});
    return it == remap.end() ? p : it->second;
  }

  // Calls f(px, py, u, v) for each pixel whose centre falls in the unit box.
  template <class F>
  void scan(double u0, double v0, double u1, double v1, F f) const {
    double xa = xf.a * u0 + xf.b, xb = xf.a * u1 + xf.b;
    double ya = xf.s * v0 + xf.c, yb = xf.s * v1 + xf.c;
    int x0 = std::max(0, int(std::floor(std::min(xa, xb)))),
        x1 = std::min(layer.w - 1, int(std::ceil(std::max(xa, xb))));
    int y0 = std::max(0, int(std::floor(std::min(ya, yb)))),
        y1 = std::min(layer.h - 1, int(std::ceil(std::max(ya, yb))));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        double u = (x + 0.5 - xf.b) / xf.a, v = (y + 0.5 - xf.c) / xf.s;
        f(x, y, u, v);
      }
  }

  static bool inPoly(const std::vector<double>& p, double u, double v) {
    bool in = false;
    std::size_t n = p.size() / 2;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      double xi = p[2 * i], yi = p[2 * i + 1], xj = p[2 * j], yj = p[2 * j + 1];
      if ((yi > v) != (yj > v) && u < (xj - xi) * (v - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
  }

  int outlineWidth() const { return std::max(1, int(std::floor(std::abs(xf.a) + 0.25))); }

  void outline(const Paint& p) {
    for (int pass = outlineWidth(); pass > 0; --pass) {
      std::vector<std::uint8_t> grow(layer.on.size(), 0);
      for (int y = 0; y < layer.h; ++y)
        for (int x = 0; x < layer.w; ++x) {
          if (layer.on[std::size_t(y) * layer.w + x]) continue;
          auto lit = [&](int xx, int yy) {
            return xx >= 0 && yy >= 0 && xx < layer.w && yy < layer.h &&
                   layer.on[std::size_t(yy) * layer.w + xx];
          };
          if (lit(x - 1, y) || lit(x + 1, y) || lit(x, y - 1) || lit(x, y + 1))
            grow[std::size_t(y) * layer.w + x] = 1;
        }
      for (int y = 0; y < layer.h; ++y)
        for (int x = 0; x < layer.w; ++x)
          if (grow[std::size_t(y) * layer.w + x]) layer.set(x, y, p);
    }
  }

  void run(const Drawing& d, std::size_t end, int depth);

  void command(const Drawing& d, const Command& c, std::size_t index, int depth) {
    const auto& n = c.n;
    switch (c.op) {
      case Op::Rect: {
        Paint p = resolve(c.paint[0]);
        scan(n[0], n[1], n[0] + n[2], n[1] + n[3], [&](int x, int y, double u, double v) {
          if (u >= n[0] && u < n[0] + n[2] && v >= n[1] && v < n[1] + n[3]) layer.set(x, y, p);
        });
        break;
      }
      case Op::Oval:
      case Op::Ring: {
        Paint p = resolve(c.paint[0]);
        double t = c.op == Op::Ring ? n[4] : 0;
        scan(n[0] - n[2], n[1] - n[3], n[0] + n[2], n[1] + n[3], [&](int x, int y, double u, double v) {
          double du = (u - n[0]) / n[2], dv = (v - n[1]) / n[3];
          if (du * du + dv * dv > 1) return;
          if (t > 0 && n[2] > t && n[3] > t) {
            double iu = (u - n[0]) / (n[2] - t), iv = (v - n[1]) / (n[3] - t);
            if (iu * iu + iv * iv < 1) return;
          }
          layer.set(x, y, p);
        });
        break;
      }
      case Op::Poly: {
        Paint p = resolve(c.paint[0]);
        double u0 = 1e9, v0 = 1e9, u1 = -1e9, v1 = -1e9;
        for (std::size_t i = 0; i + 1 < n.size(); i += 2) {
          u0 = std::min(u0, n[i]), u1 = std::max(u1, n[i]);
          v0 = std::min(v0, n[i + 1]), v1 = std::max(v1, n[i + 1]);
        }
        scan(u0, v0, u1, v1, [&](int x, int y, double u, double v) {
          if (inPoly(n, u, v)) layer.set(x, y, p);
        });
        break;
      }
      case Op::Line: {
        Paint p = resolve(c.paint[0]);
        double r = n[4] / 2, dx = n[2] - n[0], dy = n[3] - n[1], len2 = dx * dx + dy * dy;
        scan(std::min(n[0], n[2]) - r, std::min(n[1], n[3]) - r, std::max(n[0], n[2]) + r,
             std::max(n[1], n[3]) + r, [&](int x, int y, double u, double v) {
               double t = len2 > 0 ? std::clamp(((u - n[0]) * dx + (v - n[1]) * dy) / len2, 0.0, 1.0) : 0;
               double ex = u - (n[0] + t * dx), ey = v - (n[1] + t * dy);
               if (ex * ex + ey * ey <= r * r) layer.set(x, y, p);
             });
        break;
      }
      case Op::Use: {
        if (depth > 32) throw std::runtime_error("drawings nested too deep at " + d.name);
        const Drawing& child = art.drawing(c.name);
        double s = n[2];
        Layer tmp(layer.w, layer.h);
        Painter sub{art, tmp, xf.then(c.flip ? -s : s, n[0] + (c.flip ? s * child.width : 0), s, n[1]), remap};
        sub.run(child, child.commands.size(), depth + 1);
        layer.over(tmp);
        break;
      }
      case Op::Mirror: {
        Layer tmp(layer.w, layer.h);
        Painter sub{art, tmp, xf.then(-1, d.width, 1, 0), remap};
        sub.run(d, index, depth + 1);
        layer.over(tmp);
        break;
      }
      case Op::Outline: outline(resolve(c.paint[0])); break;
      case Op::VGrad: {
        Paint p0 = resolve(c.paint[0]), p1 = resolve(c.paint[1]);
        int bands = int(n[4]);
        scan(n[0], n[1], n[0] + n[2], n[1] + n[3], [&](int x, int y, double u, double v) {
          if (u < n[0] || u >= n[0] + n[2] || v < n[1] || v >= n[1] + n[3]) return;
          double level = (v - n[1]) / n[3] * (bands - 1);
          int k = int(level);
          if (level - k > (bayer(x, y) + 0.5) / 16) ++k;
          double t = double(std::min(k, bands - 1)) / (bands - 1);
          auto mix = [t](int a, int b) { return std::uint8_t(std::lround(a + (b - a) * t)); };
          layer.set(x, y, {{mix(p0.rgb.r, p1.rgb.r), mix(p0.rgb.g, p1.rgb.g), mix(p0.rgb.b, p1.rgb.b)}, false});
        });
        break;
      }
      case Op::Dissolve: {
        double level = n[0] / n[1] * 16;
        scan(0, 0, d.width, d.height, [&](int x, int y, double u, double v) {
          if (u < 0 || v < 0 || u >= d.width || v >= d.height) return;
          layer.set(x, y, {bayer(x, y) < level ? kBlack : kWhite, false});
        });
        break;
      }
      case Op::Speckle: {
        Paint p = resolve(c.paint[0]);
        unsigned seed = unsigned(n[5]);
        scan(n[0], n[1], n[0] + n[2], n[1] + n[3], [&](int x, int y, double u, double v) {
          if (u < n[0] || u >= n[0] + n[2] || v < n[1] || v >= n[1] + n[3]) return;
          unsigned hsh = unsigned(x) * 73856093u ^ unsigned(y) * 19349663u ^ seed * 83492791u;
          hsh ^= hsh >> 13;
          hsh *= 0x5bd1e995u;
          hsh ^= hsh >> 15;
          if (hsh % 1000 < n[4]) layer.set(x, y, p);
        });
        break;
      }
      case Op::Text:
      case Op::CText: {
        Paint p = resolve(c.paint[0]);
        double size = n[2];
        double x = n[0];
        if (c.op == Op::CText) {
          double w = 0;
          for (char ch : c.text)
            if (const Glyph* g = glyphOf(art, ch)) w += (g->front().size() + 1) * size;
          x -= (w - size) / 2;
        }
        for (char ch : c.text) {
          const Glyph* gp = glyphOf(art, ch);
          if (!gp) continue;
          const Glyph& g = *gp;
          for (std::size_t row = 0; row < g.size(); ++row)
            for (std::size_t col = 0; col < g[row].size(); ++col)
              if (g[row][col] == 'X') {
                double gu = x + col * size, gv = n[1] + row * size;
                scan(gu, gv, gu + size, gv + size, [&](int px, int py, double u, double v) {
                  if (u >= gu && u < gu + size && v >= gv && v < gv + size) layer.set(px, py, p);
                });
              }
          x += (g[0].size() + 1) * size;
        }
        break;
      }
      case Op::Remap: {
        const Rgb& from = c.paint[0].rgb;
        remap[{from.r, from.g, from.b}] = c.paint[1];
        break;
      }
    }
  }
};

void Painter::run(const Drawing& d, std::size_t end, int depth) {
  Remap saved = remap;
  for (std::size_t i = 0; i < end; ++i) command(d, d.commands[i], i, depth);
  remap = saved;
}

Rendered finish(const Layer& figure, const Image& base) {
  Rendered out{base, Image(figure.w, figure.h, kWhite)};
  for (int y = 0; y < figure.h; ++y)
    for (int x = 0; x < figure.w; ++x) {
      std::size_t i = std::size_t(y) * figure.w + x;
      if (figure.on[i]) {
        out.picture.at(x, y) = figure.rgb[i];
        out.mask.at(x, y) = kBlack;
      }
    }
  return out;
}

Layer paint(const Art& art, const Drawing& d, int width, int height) {
  Layer layer(width, height);
  Painter p{art, layer, Xf{width / d.width, 0, height / d.height, 0}, {}};
  p.run(d, d.commands.size(), 0);
  return layer;
}

}  // namespace

Rendered render(const Art& art, const std::string& name, int width, int height) {
  const Drawing& d = art.drawing(name);
  Image base = d.base.empty() ? Image(width, height) : render(art, d.base, width, height).picture;
  return finish(paint(art, d, width, height), base);
}

Rendered renderPiece(const Art& art, const std::string& name, int piece, int tile) {
  const Drawing& d = art.drawing(name);
  Layer whole = paint(art, d, 3 * tile, 3 * tile);
  Layer part(tile, tile);
  int ox = (piece % 3) * tile, oy = (piece / 3) * tile;
  for (int y = 0; y < tile; ++y)
    for (int x = 0; x < tile; ++x) {
      std::size_t from = std::size_t(oy + y) * whole.w + ox + x, to = std::size_t(y) * tile + x;
      part.on[to] = whole.on[from];
      part.rgb[to] = whole.rgb[from];
    }
  Image base = d.base.empty() ? Image(tile, tile) : render(art, d.base, tile, tile).picture;
  return finish(part, base);
}

int textWidth(const Art& art, int scale, std::string_view text) {
  int w = 0;
  for (char ch : text)
    if (const Glyph* g = glyphOf(art, ch)) w += int(g->front().size() + 1) * scale;
  return std::max(0, w - scale);
}

void drawText(const Art& art, Image& image, int x, int y, int scale, Rgb ink, std::string_view text) {
  for (char ch : text) {
    const Glyph* gp = glyphOf(art, ch);
    if (!gp) continue;
    const Glyph& g = *gp;
    for (std::size_t row = 0; row < g.size(); ++row)
      for (std::size_t col = 0; col < g[row].size(); ++col)
        if (g[row][col] == 'X')
          for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx) {
              int px = x + int(col) * scale + dx, py = y + int(row) * scale + dy;
              if (px >= 0 && py >= 0 && px < image.width && py < image.height) image.at(px, py) = ink;
            }
    x += int(g[0].size() + 1) * scale;
  }
}

}  // namespace kelvorn::artgen
