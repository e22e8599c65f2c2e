#include "rules/fight_cost.h"

namespace kelvorn {

bool blowDoubled(int kind, const GameState& s) {
  return ((kind == kind::Zombie || kind == kind::ZombieKnight || kind == kind::Vampire) &&
          s.itemSlot(3) != 0) ||
         (kind == kind::Dragon && s.itemSlot(10) != 0);
}

FightCost fightCost(const GameState& s, const MonsterStats& row, int kind, bool withDoubling) {
  FightCost cost;
  const std::int64_t L = s.levelFactor();
  const std::int64_t offense = s[gs::Offense];
  const std::int64_t defense = std::int64_t{row.defense} * L;
  cost.monsterBlow = std::int64_t{row.offense} * L - s[gs::Defense];
  cost.canHurt = offense - defense > 0;
  if (!cost.canHurt) return cost;
  const std::int64_t hit = offense * (withDoubling && blowDoubled(kind, s) ? 2 : 1) - defense;
  const std::int64_t life = std::int64_t{row.life} * L;
  cost.strikes = (life + hit - 1) / hit;  // the blows that take the life to 0 or below
  cost.damage = cost.monsterBlow > 0 ? cost.monsterBlow * (cost.strikes - 1) : 0;
  cost.lost = s[gs::Life] <= cost.damage;
  return cost;
}

}  // namespace kelvorn
