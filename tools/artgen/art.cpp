#include "tools/artgen/art.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

namespace kelvorn::artgen {
namespace {

struct Line {
  std::vector<std::string> w;
  int number;
};

std::vector<std::string> split(const std::string& raw) {
  std::vector<std::string> w;
  std::istringstream in(raw);
  std::string t;
  while (in >> t) {
    if (t[0] == '#' && t.size() != 7) break;  // a comment, unless it is a #rrggbb colour
    w.push_back(t);
  }
  return w;
}

struct Reader {
  Art& art;
  const std::string& file;

  [[noreturn]] void fail(int line, const std::string& what) const { throw ArtError(file, line, what); }

  double num(const Line& l, std::size_t i) const {
    if (i >= l.w.size()) fail(l.number, "missing number");
    const std::string& s = l.w[i];
    double v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size()) fail(l.number, "not a number: " + s);
    return v;
  }

  Paint paint(const Line& l, std::size_t i) const {
    if (i >= l.w.size()) fail(l.number, "missing colour");
    const std::string& s = l.w[i];
    if (s == "clear") return {{}, true};
    if (s.size() == 7 && s[0] == '#') {
      unsigned v = 0;
      auto [p, ec] = std::from_chars(s.data() + 1, s.data() + 7, v, 16);
      if (ec != std::errc() || p != s.data() + 7) fail(l.number, "bad colour " + s);
      return {{std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)}, false};
    }
    auto it = art.palette.find(s);
    if (it == art.palette.end()) fail(l.number, "unknown colour " + s);
    return it->second;
  }

  // Reads `count` numbers from word `from` on into the command.
  void nums(const Line& l, Command& c, std::size_t from, std::size_t count) const {
    for (std::size_t i = 0; i < count; ++i) c.n.push_back(num(l, from + i));
  }

  void expect(const Line& l, std::size_t words) const {
    if (l.w.size() != words)
      fail(l.number, "'" + l.w[0] + "' takes " + std::to_string(words - 1) + " values");
  }

  Command command(const Line& l) const {
    const std::string& k = l.w[0];
    Command c;
    c.line = l.number;
    if (k == "rect" || k == "oval") {
      expect(l, 6);
      c.op = k == "rect" ? Op::Rect : Op::Oval;
      nums(l, c, 1, 4);
      c.paint = {paint(l, 5)};
    } else if (k == "dot") {
      expect(l, 4);
      c.op = Op::Rect;
      nums(l, c, 1, 2);
      c.n.insert(c.n.end(), {1, 1});
      c.paint = {paint(l, 3)};
    } else if (k == "ring") {
      expect(l, 7);
      c.op = Op::Ring;
      nums(l, c, 1, 5);
      c.paint = {paint(l, 6)};
    } else if (k == "line") {
      expect(l, 7);
      c.op = Op::Line;
      nums(l, c, 1, 5);
      c.paint = {paint(l, 6)};
    } else if (k == "poly") {
      if (l.w.size() < 8 || l.w.size() % 2 != 0) fail(l.number, "poly takes a colour and 3 or more points");
      c.op = Op::Poly;
      c.paint = {paint(l, 1)};
      nums(l, c, 2, l.w.size() - 2);
    } else if (k == "use") {
      c.op = Op::Use;
      if (l.w.size() < 2) fail(l.number, "use takes a drawing");
      c.name = l.w[1];
      std::size_t end = l.w.size();
      if (l.w.back() == "flip") {
        c.flip = true;
        --end;
      }
      if (end != 2 && end != 4 && end != 5) fail(l.number, "use NAME [X Y [SCALE]] [flip]");
      c.n = {0, 0, 1};
      for (std::size_t i = 2; i < end; ++i) c.n[i - 2] = num(l, i);
    } else if (k == "mirror") {
      expect(l, 1);
      c.op = Op::Mirror;
    } else if (k == "outline") {
      expect(l, 2);
      c.op = Op::Outline;
      c.paint = {paint(l, 1)};
    } else if (k == "vgrad") {
      expect(l, 8);
      c.op = Op::VGrad;
      nums(l, c, 1, 4);
      c.paint = {paint(l, 5), paint(l, 6)};
      c.n.push_back(num(l, 7));
      if (c.n[4] < 2) fail(l.number, "a gradient needs 2 or more bands");
    } else if (k == "dissolve") {
      expect(l, 3);
      c.op = Op::Dissolve;
      nums(l, c, 1, 2);
      if (c.n[1] <= 0) fail(l.number, "dissolve N D needs D > 0");
    } else if (k == "speckle") {
      expect(l, 8);
      c.op = Op::Speckle;
      nums(l, c, 1, 4);
      c.paint = {paint(l, 5)};
      nums(l, c, 6, 2);
    } else if (k == "text" || k == "ctext") {
      if (l.w.size() < 6) fail(l.number, k + " X Y SIZE COLOUR WORDS...");
      c.op = k == "text" ? Op::Text : Op::CText;
      nums(l, c, 1, 3);
      c.paint = {paint(l, 4)};
      for (std::size_t i = 5; i < l.w.size(); ++i) c.text += (i > 5 ? " " : "") + l.w[i];
    } else if (k == "remap") {
      expect(l, 3);
      c.op = Op::Remap;
      c.paint = {paint(l, 1), paint(l, 2)};
    } else {
      fail(l.number, "unknown command " + k);
    }
    return c;
  }
};

}  // namespace

void Art::parse(std::string_view text, const std::string& file) {
  std::vector<Line> lines;
  {
    std::istringstream in{std::string(text)};
    std::string raw;
    int n = 0;
    while (std::getline(in, raw)) {
      ++n;
      // Glyph rows keep their dots; every other line is split into words.
      auto w = split(raw);
      if (!w.empty()) lines.push_back({std::move(w), n});
    }
  }
  Reader r{*this, file};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& l = lines[i];
    const std::string& k = l.w[0];
    if (k == "colour") {
      r.expect(l, 5);
      Paint p{{std::uint8_t(r.num(l, 2)), std::uint8_t(r.num(l, 3)), std::uint8_t(r.num(l, 4))}, false};
      if (!palette.emplace(l.w[1], p).second) r.fail(l.number, "colour " + l.w[1] + " defined twice");
    } else if (k == "glyph") {
      if (l.w.size() != 2 || l.w[1].size() != 1) r.fail(l.number, "glyph takes one character");
      Glyph g;
      for (++i; i < lines.size() && lines[i].w[0] != "end"; ++i) g.push_back(lines[i].w[0]);
      if (i == lines.size()) r.fail(l.number, "glyph without end");
      if (g.empty()) r.fail(l.number, "empty glyph");
      font[l.w[1][0]] = g;
    } else if (k == "sprite" || k == "picture") {
      if (l.w.size() != 2 && l.w.size() != 4) r.fail(l.number, k + " NAME [WIDTH HEIGHT]");
      Drawing d;
      d.name = l.w[1];
      d.file = file;
      if (l.w.size() == 4) {
        d.width = r.num(l, 2);
        d.height = r.num(l, 3);
      }
      for (++i; i < lines.size() && lines[i].w[0] != "end"; ++i) {
        const Line& c = lines[i];
        if (c.w[0] == "base") {
          r.expect(c, 2);
          d.base = c.w[1];
        } else {
          d.commands.push_back(r.command(c));
        }
      }
      if (i == lines.size()) r.fail(l.number, "drawing " + d.name + " has no end");
      if (drawings.contains(d.name)) r.fail(l.number, "drawing " + d.name + " defined twice");
      drawings.emplace(d.name, std::move(d));
    } else {
      r.fail(l.number, "expected colour, glyph, sprite or picture, not " + k);
    }
  }
}

const Drawing& Art::drawing(const std::string& name) const {
  auto it = drawings.find(name);
  if (it == drawings.end()) throw std::runtime_error("no drawing named " + name);
  return it->second;
}

void Art::check() const {
  std::set<std::string> done, active;
  std::function<void(const Drawing&)> visit = [&](const Drawing& d) {
    if (done.contains(d.name)) return;
    if (!active.insert(d.name).second) throw ArtError(d.file, 0, d.name + " uses itself");
    auto need = [&](const std::string& n, int line) {
      auto it = drawings.find(n);
      if (it == drawings.end()) throw ArtError(d.file, line, "no drawing named " + n);
      visit(it->second);
    };
    if (!d.base.empty()) need(d.base, 0);
    for (const Command& c : d.commands)
      if (c.op == Op::Use) need(c.name, c.line);
    active.erase(d.name);
    done.insert(d.name);
  };
  for (const auto& [name, d] : drawings) visit(d);
}

Art loadArt(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    if (e.path().extension() == ".art") files.push_back(e.path());
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    bool pa = a.filename() == "palette.art", pb = b.filename() == "palette.art";
    return pa != pb ? pa : a < b;
  });
  Art art;
  for (const auto& f : files) {
    auto bytes = readFile(f.string());
    if (!bytes) throw std::runtime_error("cannot read " + f.string());
    art.parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
              f.filename().string());
  }
  art.check();
  return art;
}

}  // namespace kelvorn::artgen
