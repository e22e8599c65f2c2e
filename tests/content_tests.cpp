// The table parsers and the tables built into the game: a malformed table is refused
// with the line of its first fault, and the built-in numbers stay as designed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/tables.h"

namespace kelvorn::content {
namespace {

struct BadInput {
  const char* name;
  std::string text;
  int line;  // the line the error must name
};

template <typename Parse>
void expectErrorsAt(Parse parse, const std::vector<BadInput>& cases) {
  for (const auto& in : cases) {
    SCOPED_TRACE(in.name);
    try {
      parse(in.text);
      ADD_FAILURE() << "malformed input accepted";
    } catch (const ParseError& e) {
      EXPECT_EQ(e.line(), in.line) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(in.line) + ": ", 0), 0u);
    }
  }
}

// Joins lines, replacing line `index` (0-based) by `line`, or dropping it when empty.
std::string join(std::vector<std::string> lines, std::size_t index = SIZE_MAX,
                 const std::string& line = "") {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i != index) text += lines[i] + "\n";
    else if (!line.empty()) text += line + "\n";
  }
  return text;
}

TEST(MessageParser, ReadsEntriesAndEscapes) {
  const auto m = parseMessages("# comment\n\n0 \"first\"\r\n  267  \"say \\\"hi\\\" \\\\ # kept\"\n");
  ASSERT_EQ(m.size(), 268u);
  EXPECT_EQ(m[0], "first");
  EXPECT_EQ(m[267], "say \"hi\" \\ # kept");
  EXPECT_EQ(m[1], "");  // entries not listed stay empty
}

TEST(MessageParser, RefusesMalformedLines) {
  expectErrorsAt(parseMessages, {{"no quotes", "0 \"a\"\n\n# c\n5 plain\n", 4},
                                 {"no text", "7\n", 1},
                                 {"entry twice", "1 \"a\"\n2 \"b\"\n1 \"c\"\n", 3},
                                 {"entry 268", "268 \"x\"\n", 1},
                                 {"negative entry", "-1 \"x\"\n", 1},
                                 {"unknown escape", "3 \"a\\n\"\n", 1},
                                 {"bare quote inside", "0 \"ok\"\r\n3 \"a\"b\"\r\n", 2},
                                 {"unclosed quote", "3 \"abc\n", 1}});
}

TEST(MonsterParser, RefusesMalformedTables) {
  std::vector<std::string> rows;
  for (int k = 0; k < kMonsterKinds; ++k) rows.push_back(std::to_string(k) + " 10 20 30 40");
  EXPECT_EQ(parseMonsters(join(rows, 5, "5 1 2 3 4  # comment"))[5], (MonsterRow{1, 2, 3, 4}));
  expectErrorsAt(parseMonsters, {{"four numbers", join(rows, 3, "3 1 2 3"), 4},
                                 {"six numbers", join(rows, 3, "3 1 2 3 4 5"), 4},
                                 {"kind 33", join(rows, 10, "33 1 1 1 1"), 11},
                                 {"kind twice", join(rows, 10, "4 1 1 1 1"), 11},
                                 {"negative life", join(rows, 0, "0 -5 1 1 1"), 1},
                                 {"not a number", join(rows, 7, "7 1 2x 3 4"), 8},
                                 {"kind missing, at the end", join(rows, 7), 32}});
}

// 13 lines per floor: floor f's header is line 13 f + 1, its arrival line 13 f + 2 and
// its row r line 13 f + 3 + r.
std::vector<std::string> floorLines() {
  std::vector<std::string> lines;
  for (int f = 0; f < kFloorCount; ++f) {
    lines.push_back("floor " + std::to_string(f));
    lines.push_back("arrival 0 1");
    for (int r = 0; r < kBoardSide; ++r) lines.push_back("6 6 6 6 6 6 6 6 6 6 6");
  }
  return lines;
}

TEST(FloorParser, RefusesMalformedFloors) {
  const auto l = floorLines();
  const std::string six10 = "6 6 6 6 6 6 6 6 6 6";
  auto firstLines = [&](long n) { return join(std::vector<std::string>(l.begin(), l.begin() + n)); };
  expectErrorsAt(parseFloors, {{"misspelt header", join(l, 0, "flor 0"), 1},
                               {"floor 51", join(l, 0, "floor 51"), 1},
                               {"floor twice", join(l, 5 * 13, "floor 4"), 66},
                               {"arrival missing", join(l, 14, six10 + " 6"), 15},
                               {"arrival off the board", join(l, 27, "arrival 121 0"), 28},
                               {"one arrival cell", join(l, 27, "arrival 5"), 28},
                               {"row of ten codes", join(l, 3 * 13 + 7, six10), 3 * 13 + 8},
                               {"code 256", join(l, 2, "256 " + six10), 3},
                               {"ends inside a floor", firstLines(13 + 7), 13 + 7},
                               {"floor 50 missing", firstLines(50 * 13), 50 * 13}});
}

TEST(BuiltInTables, MonsterRowsAndNames) {
  const std::int32_t stats[kMonsterKinds][4] = {
      {35, 18, 1, 1},       {45, 20, 2, 2},         {130, 60, 3, 8},     {35, 38, 3, 3},
      {60, 32, 8, 5},       {100, 95, 30, 22},      {50, 48, 22, 12},    {100, 180, 110, 100},
      {50, 42, 6, 6},       {55, 52, 12, 8},        {100, 65, 15, 30},   {60, 100, 8, 12},
      {260, 85, 5, 18},     {320, 120, 15, 30},     {20, 100, 68, 28},   {8000, 5000, 1000, 500},
      {230, 450, 100, 100}, {444, 199, 66, 144},    {1200, 180, 20, 100}, {1500, 600, 250, 800},
      {120, 150, 50, 100},  {160, 230, 105, 65},    {100, 680, 50, 55},  {210, 200, 65, 45},
      {220, 180, 30, 35},   {320, 140, 20, 30},     {4500, 560, 310, 1000}, {200, 390, 90, 50},
      {360, 310, 20, 40},   {200, 380, 130, 90},    {220, 370, 110, 80}, {180, 430, 210, 120},
      {180, 460, 360, 200}};
  const char* names[kMonsterKinds] = {
      "Green Slime", "Red Slime", "Big Slime", "Bat", "Priest", "Superion Priest",
      "Gate-Keeper C", "Gate-Keeper B", "Skeleton C", "Skeleton B", "Skeleton A", "Big Bat",
      "Zombie", "Zombie Knight", "Rock", "The Magic Sergeant, Zeno", "The Magic Sergeant",
      "Vampire", "Giant Octopus", "Dragon", "Golden Knight", "Knight", "Swordsman", "Soldier",
      "Ghost Soldier", "Slime Man", "Great Magic Master", "Vampire Bat", "SlimeLord",
      "Magician A", "Magician B", "Dark Knight", "Gate-Keeper A"};
  const auto& t = builtIn();
  for (std::size_t k = 0; k < kMonsterKinds; ++k) {
    const auto& s = stats[k];
    EXPECT_EQ(t.monsters[k], (MonsterRow{s[0], s[1], s[2], s[3]})) << "kind " << k;
    EXPECT_EQ(t.messages[94 + k], names[k]) << "kind " << k;
  }
}

}  // namespace
}  // namespace kelvorn::content
