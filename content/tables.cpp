#include "content/tables.h"

#include <charconv>
#include <optional>

namespace kelvorn::content {
namespace {

// Walks a text line by line, tracking line numbers and skipping comments and blanks.
class Lines {
 public:
  explicit Lines(std::string_view text) : rest_(text) {}

  // Next line with content, '#' comments and surrounding blanks removed.
  std::optional<std::string_view> next(bool stripComments = true) {
    while (!rest_.empty()) {
      const auto end = rest_.find('\n');
      std::string_view line = rest_.substr(0, end);
      rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
      ++number_;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (stripComments) line = line.substr(0, line.find('#'));
      line = trim(line);
      if (line.empty() || line.front() == '#') continue;
      return line;
    }
    return std::nullopt;
  }
  int number() const { return number_; }

  static std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
  }

 private:
  std::string_view rest_;
  int number_ = 0;
};

// Splits on blanks and parses each word as an integer in [lo, hi].
std::vector<long> numbers(std::string_view line, long lo, long hi, int lineNo) {
  std::vector<long> out;
  while (!(line = Lines::trim(line)).empty()) {
    const auto end = line.find_first_of(" \t");
    const std::string_view word = line.substr(0, end);
    long value = 0;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || ptr != word.data() + word.size())
      throw ParseError(lineNo, "'" + std::string(word) + "' is not a number");
    if (value < lo || value > hi)
      throw ParseError(lineNo, std::to_string(value) + " is outside " + std::to_string(lo) + ".." +
                                   std::to_string(hi));
    out.push_back(value);
    line = end == std::string_view::npos ? std::string_view{} : line.substr(end);
  }
  return out;
}

std::vector<long> expectCount(std::vector<long> values, std::size_t count, int lineNo,
                              const char* what) {
  if (values.size() != count)
    throw ParseError(lineNo, std::string("expected ") + std::to_string(count) + " " + what +
                                 ", found " + std::to_string(values.size()));
  return values;
}

}  // namespace

MessageList parseMessages(std::string_view text) {
  MessageList messages(kMessageCount);
  std::vector<bool> seen(kMessageCount, false);
  Lines lines(text);
  // Message texts may contain '#', so comments are only whole lines here.
  while (auto line = lines.next(false)) {
    const int no = lines.number();
    const auto space = line->find_first_of(" \t");
    if (space == std::string_view::npos) throw ParseError(no, "expected NUMBER \"TEXT\"");
    const long entry = numbers(line->substr(0, space), 0, kMessageCount - 1, no).front();
    if (seen[entry]) throw ParseError(no, "entry " + std::to_string(entry) + " appears twice");
    seen[entry] = true;
    std::string_view quoted = Lines::trim(line->substr(space));
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"')
      throw ParseError(no, "the text must stand in double quotes");
    quoted = quoted.substr(1, quoted.size() - 2);
    std::string value;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
      char c = quoted[i];
      if (c == '\\') {
        if (i + 1 == quoted.size() || (quoted[i + 1] != '"' && quoted[i + 1] != '\\'))
          throw ParseError(no, "only \\\" and \\\\ may be escaped");
        c = quoted[++i];
      } else if (c == '"') {
        throw ParseError(no, "a quote inside the text must be written \\\"");
      }
      value += c;
    }
    messages[entry] = std::move(value);
  }
  return messages;
}

MonsterRows parseMonsters(std::string_view text) {
  MonsterRows rows{};
  std::vector<bool> seen(kMonsterKinds, false);
  Lines lines(text);
  while (auto line = lines.next()) {
    const int no = lines.number();
    const auto v = expectCount(numbers(*line, 0, 2'000'000'000, no), 5, no, "numbers");
    if (v[0] >= kMonsterKinds) throw ParseError(no, "no monster kind " + std::to_string(v[0]));
    if (seen[v[0]]) throw ParseError(no, "kind " + std::to_string(v[0]) + " appears twice");
    seen[v[0]] = true;
    rows[v[0]] = MonsterRow{static_cast<std::int32_t>(v[1]), static_cast<std::int32_t>(v[2]),
                            static_cast<std::int32_t>(v[3]), static_cast<std::int32_t>(v[4])};
  }
  for (int k = 0; k < kMonsterKinds; ++k)
    if (!seen[k]) throw ParseError(lines.number(), "kind " + std::to_string(k) + " is missing");
  return rows;
}

FloorImage parseFloors(std::string_view text) {
  FloorImage image{};
  std::vector<bool> seen(kFloorCount, false);
  Lines lines(text);
  auto require = [&](const char* what) {
    auto line = lines.next();
    if (!line) throw ParseError(lines.number(), std::string("the file ends before ") + what);
    return *line;
  };
  while (auto line = lines.next()) {
    int no = lines.number();
    if (!line->starts_with("floor "))
      throw ParseError(no, "expected 'floor N', found '" + std::string(*line) + "'");
    const long floor =
        expectCount(numbers(line->substr(6), 0, kFloorCount - 1, no), 1, no, "floor number")
            .front();
    if (seen[floor]) throw ParseError(no, "floor " + std::to_string(floor) + " appears twice");
    seen[floor] = true;
    std::uint8_t* record = image.data() + floor * kFloorRecordSize;

    std::string_view arrival = require("the arrival line");
    no = lines.number();
    if (!arrival.starts_with("arrival "))
      throw ParseError(no, "expected 'arrival UP DOWN' after 'floor'");
    const auto cells =
        expectCount(numbers(arrival.substr(8), 0, kCellCount - 1, no), 2, no, "arrival cells");
    record[0] = static_cast<std::uint8_t>(cells[0]);
    record[1] = static_cast<std::uint8_t>(cells[1]);

    for (int row = 0; row < kBoardSide; ++row) {
      std::string_view rowText = require("the eleventh row of a floor");
      no = lines.number();
      const auto codes = expectCount(numbers(rowText, 0, 255, no), kBoardSide, no, "tile codes");
      for (int col = 0; col < kBoardSide; ++col)
        record[2 + row * kBoardSide + col] = static_cast<std::uint8_t>(codes[col]);
    }
  }
  for (int f = 0; f < kFloorCount; ++f)
    if (!seen[f]) throw ParseError(lines.number(), "floor " + std::to_string(f) + " is missing");
  return image;
}

}  // namespace kelvorn::content
