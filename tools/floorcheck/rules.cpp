#include "tools/floorcheck/rules.h"

#include <algorithm>
#include <charconv>

#include "content/tables.h"

namespace kelvorn::floorcheck {

namespace {

using content::ParseError;
constexpr int kLastCell = content::kCellCount - 1, kLastFloor = content::kFloorCount - 1;

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// The words of one rule, read front to back.
class Words {
 public:
  Words(std::string_view text, int line) : line_(line) {
    while (!(text = trim(text)).empty()) {
      const auto end = text.find_first_of(" \t");
      words_.emplace_back(text.substr(0, end));
      text = end == std::string_view::npos ? std::string_view{} : text.substr(end);
    }
  }

  bool done() const { return at_ == words_.size(); }
  std::string_view peek() const { return done() ? std::string_view{} : words_[at_]; }
  bool accept(std::string_view word) {
    if (peek() != word) return false;
    ++at_;
    return true;
  }
  void expect(std::string_view word) {
    if (!accept(word)) fail("expected '" + std::string(word) + "'");
  }
  std::string_view next(const char* what) {
    if (done()) fail(std::string("expected ") + what);
    return words_[at_++];
  }
  [[noreturn]] void fail(const std::string& what) const {
    const std::string where = done() ? "at the end" : "at '" + std::string(peek()) + "'";
    throw ParseError(line_, what + " " + where);
  }

  int number(int lo, int hi, const char* what) { return parse(next(what), lo, hi, what); }

  // `1,2,5-7`: numbers and ranges, comma separated, each in lo..hi. With `stairs` set,
  // the word `stairs` may stand among them and sets it.
  std::vector<int> list(int lo, int hi, const char* what, bool* stairs = nullptr) {
    std::string_view text = next(what);
    std::vector<int> out;
    while (!text.empty()) {
      const auto comma = text.find(',');
      const std::string_view item = text.substr(0, comma);
      text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
      if (stairs && item == "stairs") {
        *stairs = true;
        continue;
      }
      const auto dash = item.find('-', 1);
      const int first = parse(item.substr(0, dash), lo, hi, what);
      const int last =
          dash == std::string_view::npos ? first : parse(item.substr(dash + 1), lo, hi, what);
      if (last < first)
        throw ParseError(line_, "the range " + std::string(item) + " runs backwards");
      for (int v = first; v <= last; ++v) out.push_back(v);
    }
    if (out.empty() && !(stairs && *stairs)) throw ParseError(line_, std::string("empty ") + what);
    return out;
  }

 private:
  int parse(std::string_view word, int lo, int hi, const char* what) const {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || ptr != word.data() + word.size())
      throw ParseError(line_, "'" + std::string(word) + "' is not " + what);
    if (value < lo || value > hi)
      throw ParseError(line_, std::string(what) + " " + std::to_string(value) + " is outside " +
                                  std::to_string(lo) + ".." + std::to_string(hi));
    return value;
  }

  std::vector<std::string> words_;
  std::size_t at_ = 0;
  int line_;
};

constexpr const char *kCell = "a cell", *kCode = "a code", *kFloor = "a floor";

void columns(Words& w, Rule& r) {
  if (!w.accept("column")) w.expect("columns");
  r.columns = w.list(0, content::kBoardSide - 1, "a column");
}

void path(Words& w, Rule& r) {
  Path& p = r.path;
  if (w.accept("once")) {
    const std::string_view text = w.next("cell=code pairs");
    std::size_t at = 0;
    while (at <= text.size()) {
      const auto comma = std::min(text.find(',', at), text.size());
      const std::string_view pair = text.substr(at, comma - at);
      const auto eq = pair.find('=');
      if (eq == std::string_view::npos) w.fail("expected cell=code");
      Words cell(pair.substr(0, eq), 0), code(pair.substr(eq + 1), 0);
      try {
        p.once.emplace_back(cell.number(0, kLastCell, kCell), code.number(0, 255, kCode));
      } catch (const ParseError&) {
        w.fail("'" + std::string(pair) + "' is not cell=code");
      }
      at = comma + 1;
    }
  }
  if (w.accept("without")) p.without = w.list(0, kLastCell, kCell);
  p.noKeys = w.accept("no-keys");
  if (w.accept("defense-below")) p.defenseBelow = w.number(1, 1 << 30, "a defense");
  if (w.accept("from")) p.from = w.list(0, kLastCell, kCell);
  if (w.accept("misses"))
    p.misses = true;
  else
    w.expect("reaches");
  p.targets = w.list(0, kLastCell, kCell, &p.stairs);
}

void cellRule(Words& w, Rule& r) {
  r.cell = w.number(0, kLastCell, kCell);
  if (w.accept("met")) {
    r.check = Check::MetFrom;
    r.only = w.accept("only");
    w.expect("from");
    return columns(w, r);
  }
  w.expect("is");
  if (w.accept("one")) {
    w.expect("of");
    r.check = Check::CellOneOf;
    r.codes = w.list(0, 255, kCode);
  } else if (w.accept("not")) {
    r.check = Check::CellNot;
    r.codes = w.list(0, 255, kCode);
  } else if (w.accept("a")) {
    w.expect("monster");
    r.check = Check::CellMonster;
  } else if (w.accept("blocked")) {
    r.check = Check::CellBlocked;
  } else if (w.accept("beaten")) {
    w.expect("by");
    r.check = Check::CellBeaten;
    for (int i = 0; const char* stat : {"life", "offense", "defense"}) {
      w.expect(stat);
      r.hero[i++] = w.number(0, 1 << 30, "a number");
    }
  } else {
    r.check = Check::CellIs;
    r.codes = {w.number(0, 255, kCode)};
  }
}

void floorRule(Words& w, Rule& r) {
  const std::string_view word = w.peek();
  if (w.accept("arrives")) {
    r.check = Check::Arrives;
    r.cells = {w.number(0, kLastCell, kCell), w.number(0, kLastCell, kCell)};
  } else if (w.accept("enters")) {
    r.check = Check::Enters;
    r.cells = w.list(0, kLastCell, kCell);
  } else if (w.accept("cell")) {
    cellRule(w, r);
  } else if (w.accept("code")) {
    r.codes = {w.number(0, 255, kCode)};
    r.check = w.accept("not") ? Check::NotMetFrom : Check::MetFrom;
    w.expect("met");
    r.only = r.check == Check::MetFrom && w.accept("only");
    w.expect("from");
    columns(w, r);
  } else if (w.accept("count")) {
    r.check = Check::Count;
    r.codes = w.list(0, 255, kCode);
    if (w.accept("at")) {
      r.bound = Bound::AtLeast;
      if (!w.accept("least")) {
        w.expect("most");
        r.bound = Bound::AtMost;
      }
    } else {
      w.expect("is");
    }
    r.number = w.number(0, content::kCellCount, "a count");
  } else if (w.accept("one")) {
    w.expect("of");
    r.check = Check::AnyHolds;
    r.cells = w.list(0, kLastCell, kCell);
    w.expect("is");
    r.codes = {w.number(0, 255, kCode)};
  } else if (w.accept("cells")) {
    r.check = Check::BothHeld;
    r.cells = w.list(0, kLastCell, kCell);
    w.expect("hold");
    w.expect("both");
    r.codes = {w.number(0, 255, kCode)};
    w.expect("and");
    r.codes.push_back(w.number(0, 255, kCode));
  } else if (w.accept("sum")) {
    w.expect("of");
    r.check = Check::SumNot;
    r.cells = w.list(0, kLastCell, kCell);
    w.expect("is");
    w.expect("not");
    r.number = w.number(0, 255 * content::kCellCount, "a sum");
  } else if (w.accept("has")) {
    w.expect("an");
    w.expect("altar");
    r.check = Check::Altar;
  } else if (w.accept("no")) {
    w.expect("monsters");
    r.check = Check::NoMonsters;
  } else if (w.accept("never")) {
    r.check = Check::Never;
    const bool even = w.accept("even");
    r.codes = w.list(0, 255, kCode);
    if (even) std::erase_if(r.codes, [](int c) { return c % 2 != 0; });
  } else if (w.accept("row")) {
    r.check = Check::Row;
    r.number = w.number(0, content::kBoardSide - 1, "a row");
    w.expect("is");
    for (int i = 0; i < content::kBoardSide; ++i) r.cells.push_back(w.number(0, 255, kCode));
  } else if (w.accept("opens")) {
    r.check = Check::Opens;
    r.cells = w.list(0, kLastCell, kCell);
    if (w.accept("after")) r.after = w.list(0, kLastCell, kCell);
  } else if (w.accept("blocks")) {
    r.check = Check::Blocks;
    r.codes = {w.number(0, 255, kCode)};
  } else if (w.accept("landing")) {
    w.expect("from");
    w.expect("floor");
    r.check = Check::Landing;
    r.after = w.list(0, kLastFloor, kFloor);
    w.expect("reaches");
    r.path.targets = w.list(0, kLastCell, kCell, &r.path.stairs);
  } else if (word == "once" || word == "without" || word == "no-keys" || word == "defense-below" ||
             word == "from" || word == "reaches" || word == "misses") {
    r.check = Check::Path;
    path(w, r);
  } else {
    w.fail("unknown rule");
  }
}

Rule parseRule(std::string_view text, int line) {
  Rule r;
  r.line = line;
  const auto bar = text.find('|');
  if (bar == std::string_view::npos) throw ParseError(line, "a rule needs '| reason'");
  r.text = std::string(trim(text.substr(0, bar)));
  r.reason = std::string(trim(text.substr(bar + 1)));
  if (r.reason.empty()) throw ParseError(line, "the reason after '|' is empty");

  Words w(r.text, line);
  if (w.accept("building")) {
    w.expect("holds");
    r.check = Check::Unique;
    r.codes = {w.number(0, 255, kCode)};
    w.expect("once");
    w.expect("at");
    w.expect("floor");
    r.number = w.number(0, kLastFloor, kFloor);
    w.expect("cell");
    r.cell = w.number(0, kLastCell, kCell);
    r.floors = {r.number};
  } else {
    if (w.accept("every")) {
      w.expect("floor");
      std::vector<int> but;
      if (w.accept("but")) but = w.list(0, kLastFloor, kFloor);
      for (int f = 0; f <= kLastFloor; ++f)
        if (std::find(but.begin(), but.end(), f) == but.end()) r.floors.push_back(f);
    } else {
      w.expect("floor");
      r.floors = {w.number(0, kLastFloor, kFloor)};
    }
    floorRule(w, r);
  }
  if (!w.done()) w.fail("unexpected words");
  return r;
}

}  // namespace

Rules parseRules(std::string_view text) {
  Rules rules;
  int line = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view row = trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++line;
    if (row.empty() || row.front() == '#') continue;
    rules.push_back(parseRule(row, line));
  }
  return rules;
}

}  // namespace kelvorn::floorcheck
