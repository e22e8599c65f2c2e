#include "rules/monsters.h"

namespace kelvorn {

int monsterKindOf(TileCode t) {
  if (t >= 61 && t <= 95) return (t + 1) / 2 - 31;
  if (t >= 97 && t <= 105) return kind::Octopus;
  if (t >= 115 && t <= 123) return kind::Dragon;
  if (t >= 132 && t <= 157) return (t + 1) / 2 - 47;
  return -1;
}

bool bumpFights(TileCode t, int floor) {
  if ((t >= 61 && t <= 90) || (t >= 93 && t <= 114) || t == 122 || (t >= 133 && t <= 157))
    return monsterKindOf(t) >= 0 && floor != 50;
  return (t == 91 || t == 92) && floor == 49;
}

int portraitImage(int k) {
  if (k >= 0 && k <= 17) return 2 * k + 60;
  if (k == kind::Octopus) return 103;
  if (k == kind::Dragon) return 121;
  if (k >= 20 && k <= 32) return 2 * k + 92;
  return 0;
}

void applySergeantRow(MonsterTable& table, std::int32_t sealed) {
  MonsterStats& row = table.zenoRow();
  if (sealed == 0) {
    row.life = 8000, row.offense = 5000, row.defense = 1000;
  } else if (sealed == 1) {
    row.life = 800, row.offense = 500, row.defense = 100;
  }
}

int monsterNameEntry(int k) { return (k >= 0 && k < 34) ? 94 + k : 93; }

}  // namespace kelvorn
