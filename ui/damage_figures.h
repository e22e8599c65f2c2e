// The figures over the board's monsters: what each fight would cost the hero now, by the
// battle's own rules, in a few characters and coloured by how dangerous it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/game.h"

namespace kelvorn::ui {

enum class Danger {
  Safe,        // costs no life
  Costly,      // costs life, and the hero lives
  Deadly,      // costs all his life: the battle is lost
  CannotHurt,  // refused: his blow does not pass the monster's defence
};

struct DamageFigure {
  int cell;
  std::string text;
  Danger danger;
};

// At most four characters so a figure fits under a tile: up to 9999 as it is, then
// thousands, millions and so on ("12k", "999k", "1.2M", "45M", "2.1G").
std::string compactFigure(std::int64_t n);
Danger dangerOf(const FightCost& cost);
// A figure for every cell of the current floor whose step would start a battle, in cell
// order; the cell the hero stands on (his fight under way) has none.
std::vector<DamageFigure> damageFigures(const Game& game);

}  // namespace kelvorn::ui
