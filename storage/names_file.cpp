#include "storage/names_file.h"

#include <algorithm>

namespace kelvorn::storage {

namespace {
// Length of the UTF-8 sequence starting at `s[i]`, or 0 when it is not valid there.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return 0;
  return n;
}
}  // namespace

std::string cleanName(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t n = sequenceLength(name, i);
    const std::size_t width = std::max<std::size_t>(n, 1);
    if (out.size() + width > kMaxNameBytes) break;
    if (n == 0) {
      out.push_back('?');  // not UTF-8
    } else if (n == 1 && static_cast<unsigned char>(name[i]) < 0x20) {
      out.push_back(' ');  // line breaks and other control characters
    } else {
      out.append(name.data() + i, n);
    }
    i += width;
  }
  return out;
}

RankingNames parseNames(std::string_view text) {
  RankingNames names;
  for (std::size_t line = 0; line < names.size() && !text.empty(); ++line) {
    const auto end = text.find('\n');
    names[line] = std::string(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return names;
}

std::string formatNames(const RankingNames& names) {
  std::string out;
  for (const std::string& n : names) {
    std::string line = n;
    std::replace(line.begin(), line.end(), '\n', ' ');  // one name, one line
    out += line + "\n";
  }
  return out;
}

std::string displayName(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return cleanName(line);
}

RankingNames defaultNames(int n) {
  static const RankingNames kNames[5] = {
      {"Skeleton A", "Priest", "Skeleton B", "Gate-Keeper C", "Skeleton C", "Bat", "Red Slime",
       "Green Slime", "Iron Sword", "Iron Shield"},
      {"Vampire", "Superion Priest", "Zombie Knight", "Gate-Keeper B", "Rock", "Big Octopus",
       "Zombie", "Big Bat", "Big Slime", "Blue Crystal"},
      {"Magic Master", "Thief", "Fairy", "Merchant", "Princess", "Old Man", "Brave Man", "Mattock",
       "Cross", "Lucky Gold"},
      {"Golden Knight", "Knight", "Fancer", "Soldier", "Ghost Soldier", "Dragon", "Swordsman",
       "Slime Man", "Sword of Knight", "Shield of Knight"},
      {"Zeno", "Magician A", "Black Knight", "Magic Sergeant", "Gate-Keeper A", "Bloodsucker Bat",
       "Magician B", "King Slime", "Holy Sword", "Holy Shield"}};
  return kNames[std::clamp(n, 1, 5) - 1];
}

}  // namespace kelvorn::storage
