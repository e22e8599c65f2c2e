#include "assets/sheet_index.h"

#include <charconv>
#include <set>
#include <sstream>

namespace kelvorn::art {
namespace {

std::vector<std::string> words(std::string_view line) {
  std::vector<std::string> out;
  std::istringstream in{std::string(line)};
  std::string w;
  while (in >> w) {
    if (w[0] == '#') break;
    out.push_back(w);
  }
  return out;
}

int number(const std::string& s, int line) {
  int v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size() || v < 0)
    throw IndexError(line, "not a number: " + s);
  return v;
}

// "A..B" or "A" as an inclusive range.
std::pair<int, int> range(const std::string& s, int line) {
  auto dots = s.find("..");
  if (dots == std::string::npos) {
    int v = number(s, line);
    return {v, v};
  }
  int a = number(s.substr(0, dots), line), b = number(s.substr(dots + 2), line);
  if (b < a) throw IndexError(line, "empty range " + s);
  return {a, b};
}

struct Pending {
  Sheet sheet;
  std::vector<bool> named;
};

void name(Pending& p, int index, SheetImage image, int line) {
  if (index >= p.sheet.count())
    throw IndexError(line, "index " + std::to_string(index) + " beyond " + p.sheet.name);
  if (p.named[index]) throw IndexError(line, "index " + std::to_string(index) + " named twice");
  p.named[index] = true;
  p.sheet.images[index] = std::move(image);
}

}  // namespace

PictureRef parsePictureRef(std::string_view picture) {
  PictureRef ref;
  if (picture == "-") return ref;
  if (picture.starts_with("mask:")) {
    ref.mask = true;
    picture.remove_prefix(5);
  }
  auto open = picture.find('[');
  if (open != std::string_view::npos && picture.ends_with("]")) {
    std::string_view digits = picture.substr(open + 1, picture.size() - open - 2);
    int piece = -1;
    auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), piece);
    if (ec == std::errc() && p == digits.data() + digits.size() && piece >= 0 && piece < 9) {
      ref.piece = piece;
      picture = picture.substr(0, open);
    }
  }
  ref.drawing = std::string(picture);
  return ref;
}

std::optional<int> Sheet::find(std::string_view n) const {
  for (int i = 0; i < count(); ++i)
    if (images[i].name == n) return i;
  return std::nullopt;
}

int Sheet::pixelWidth(int tileSize) const { return perRow * (halfCell ? tileSize / 2 : tileSize); }

int Sheet::pixelHeight(int tileSize) const {
  int rows = (count() + perRow - 1) / perRow;
  return rows * (halfCell ? tileSize / 2 : tileSize);
}

const Sheet* SheetIndex::sheet(std::string_view n) const {
  for (const Sheet& s : sheets)
    if (s.name == n) return &s;
  return nullptr;
}

SheetIndex parseSheetIndex(std::string_view text) {
  std::vector<Pending> pending;
  auto find = [&](const std::string& n) -> Pending* {
    for (Pending& p : pending)
      if (p.sheet.name == n) return &p;
    return nullptr;
  };
  std::istringstream in{std::string(text)};
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    auto w = words(raw);
    if (w.empty()) continue;
    if (w[0] == "sheet") {
      if (w.size() != 10 || w[2] != "file" || w[4] != "images" || w[6] != "per-row" ||
          w[8] != "cell" || (w[9] != "tile" && w[9] != "half"))
        throw IndexError(line, "expected: sheet NAME file FILE images N per-row K cell tile|half");
      if (find(w[1])) throw IndexError(line, "sheet " + w[1] + " declared twice");
      Pending p;
      p.sheet.name = w[1];
      p.sheet.file = w[3];
      p.sheet.images.resize(number(w[5], line));
      p.sheet.perRow = number(w[7], line);
      if (p.sheet.perRow == 0) throw IndexError(line, "a sheet needs cells in a row");
      p.sheet.halfCell = w[9] == "half";
      p.named.assign(p.sheet.images.size(), false);
      pending.push_back(std::move(p));
      continue;
    }
    Pending* p = find(w[0]);
    if (!p) throw IndexError(line, "unknown sheet " + w[0]);
    if (w.size() == 5 && w[2] == "masks") {
      auto [a, b] = range(w[1], line);
      Pending* other = find(w[3]);
      if (!other) throw IndexError(line, "unknown sheet " + w[3]);
      int from = number(w[4], line);
      for (int i = a; i <= b; ++i) {
        int j = from + (i - a);
        if (j >= other->sheet.count() || !other->named[j])
          throw IndexError(line, w[3] + " image " + std::to_string(j) + " is not named yet");
        const SheetImage& src = other->sheet.images[j];
        if (src.picture == "-" || src.picture.starts_with("mask:"))
          throw IndexError(line, "no mask can be taken of " + src.name);
        name(*p, i, {src.name, "mask:" + src.picture}, line);
      }
      continue;
    }
    if (w.size() != 4) throw IndexError(line, "expected: SHEET INDEX NAME PICTURE");
    int index = number(w[1], line);
    if (p->sheet.find(w[2])) throw IndexError(line, "name " + w[2] + " used twice");
    if (w[3] != "-" && parsePictureRef(w[3]).drawing.empty())
      throw IndexError(line, "empty picture reference");
    name(*p, index, {w[2], w[3]}, line);
  }
  SheetIndex out;
  for (Pending& p : pending) {
    for (int i = 0; i < p.sheet.count(); ++i)
      if (!p.named[i])
        throw IndexError(line, p.sheet.name + " image " + std::to_string(i) + " is not named");
    out.sheets.push_back(std::move(p.sheet));
  }
  return out;
}

const SheetIndex& builtInSheetIndex() {
  static const SheetIndex index = parseSheetIndex(sheetIndexText());
  return index;
}

}  // namespace kelvorn::art
