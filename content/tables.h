// The game's built-in tables (messages, monsters, initial floor maps), parsed from
// the readable text files in content/data. Parsers throw ParseError with the line
// number of the first fault, so a bad edit to a table is found at once by the tests.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorn::content {

inline constexpr int kMessageCount = 268;
inline constexpr int kMonsterKinds = 33;
inline constexpr int kFloorCount = 51;
inline constexpr int kBoardSide = 11;
inline constexpr int kCellCount = kBoardSide * kBoardSide;              // 121
inline constexpr int kFloorRecordSize = 2 + kCellCount;                 // 123
inline constexpr int kFloorStoreSize = kFloorCount * kFloorRecordSize;  // 6273

class ParseError : public std::runtime_error {
 public:
  ParseError(int line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

struct MonsterRow {
  std::int32_t life = 0;
  std::int32_t offense = 0;
  std::int32_t defense = 0;
  std::int32_t gold = 0;
  bool operator==(const MonsterRow&) const = default;
};

using MessageList = std::vector<std::string>;  // exactly kMessageCount entries
using MonsterRows = std::array<MonsterRow, kMonsterKinds>;
using FloorImage = std::array<std::uint8_t, kFloorStoreSize>;

// `NUMBER "TEXT"` per line; entries not listed are empty; each number at most once.
MessageList parseMessages(std::string_view text);
// `KIND LIFE OFFENSE DEFENSE GOLD` per line, every kind 0..32 exactly once.
MonsterRows parseMonsters(std::string_view text);
// `floor N`, `arrival UP DOWN`, then 11 rows of 11 tile codes; every floor exactly once.
FloorImage parseFloors(std::string_view text);

// The tables built into the program, parsed once on first use.
struct BuiltIn {
  MessageList messages;
  MonsterRows monsters;
  FloorImage floors;
};
const BuiltIn& builtIn();

// Raw text of the embedded data files.
std::string_view messagesText();
std::string_view monstersText();
std::string_view floorsText();

}  // namespace kelvorn::content
