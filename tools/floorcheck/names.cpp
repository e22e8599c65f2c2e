#include "tools/floorcheck/names.h"

#include "content/tables.h"
#include "rules/monsters.h"

namespace kelvorn::floorcheck {

namespace {
// Codes 0..60 by name; an empty name is a code no map stores.
constexpr const char* kNames[] = {"",
                                  "door",
                                  "blue door",
                                  "red door",
                                  "gate",
                                  "prison bars",
                                  "floor",
                                  "event cell",
                                  "wall",
                                  "false wall",
                                  "hidden trigger",
                                  "stairs up",
                                  "stairs down",
                                  "lava",
                                  "background",
                                  "altar's left part",
                                  "altar centre",
                                  "altar's right part",
                                  "",
                                  "merchant",
                                  "",
                                  "thief",
                                  "",
                                  "fairy",
                                  "",
                                  "old man",
                                  "",
                                  "princess",
                                  "",
                                  "key",
                                  "red key",
                                  "blue key",
                                  "red elixir",
                                  "blue elixir",
                                  "red crystal",
                                  "blue crystal",
                                  "",
                                  "orb of wisdom",
                                  "orb of flying",
                                  "cross",
                                  "magic elixir",
                                  "magic mattock",
                                  "destructible ball",
                                  "warp staff",
                                  "wings to fly up",
                                  "wings to fly down",
                                  "dragon slayer",
                                  "snow crystal",
                                  "magic key",
                                  "super magic mattock",
                                  "lucky gold",
                                  "iron sword",
                                  "silver sword",
                                  "knight sword",
                                  "holy sword",
                                  "sacred sword",
                                  "iron shield",
                                  "silver shield",
                                  "knight shield",
                                  "holy shield",
                                  "sacred shield"};
}  // namespace

std::string codeName(int code) {
  std::string name;
  if (code >= 0 && code < static_cast<int>(std::size(kNames))) name = kNames[code];
  const int kind = code >= 0 && code <= 255 ? monsterKindOf(static_cast<TileCode>(code)) : -1;
  if (name.empty() && kind >= 0 && code != 96 && code != 158 && code % 2 == 1)
    name = content::builtIn().messages[monsterNameEntry(kind)];
  if (code >= 97 && code <= 105) name = "giant octopus";
  if (code >= 115 && code <= 123) name = "dragon";
  if (name.empty()) name = "unused code";
  return name + " (" + std::to_string(code) + ")";
}

std::string numberList(const std::vector<int>& numbers, const char* last) {
  std::string out;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) out += i + 1 == numbers.size() ? std::string(" ") + last + " " : ", ";
    out += std::to_string(numbers[i]);
  }
  return out;
}

std::string cellList(const std::vector<int>& cells) {
  return (cells.size() == 1 ? "cell " : "cells ") + numberList(cells, "and");
}

}  // namespace kelvorn::floorcheck
