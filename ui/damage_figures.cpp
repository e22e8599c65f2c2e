#include "ui/damage_figures.h"

namespace kelvorn::ui {

namespace {
constexpr const char* kCannotHurt = "\xc3\x97";  // a multiplication sign: no fight
}  // namespace

std::string compactFigure(std::int64_t n) {
  if (n < 0) n = 0;
  if (n < 10000) return std::to_string(n);
  static constexpr const char* kUnits = "kMGTP";
  std::int64_t scale = 1000;
  for (const char* unit = kUnits; *unit; ++unit, scale *= 1000) {
    const std::int64_t whole = n / scale;
    // One decimal below ten of a unit ("1.2M"); whole units from there ("12k", "999k").
    if (whole < 10 && scale > 1000)
      return std::to_string(whole) + "." + std::to_string(n / (scale / 10) % 10) + *unit;
    if (whole < 1000) return std::to_string(whole) + *unit;
  }
  return std::to_string(n / scale) + "E";
}

Danger dangerOf(const FightCost& cost) {
  if (!cost.canHurt) return Danger::CannotHurt;
  if (cost.lost) return Danger::Deadly;
  return cost.damage > 0 ? Danger::Costly : Danger::Safe;
}

std::vector<DamageFigure> damageFigures(const Game& game) {
  std::vector<DamageFigure> figures;
  const int hero = game.state.heroCell();
  for (int cell = 0; cell < kCells; ++cell) {
    if (cell == hero) continue;
    const auto cost = game.bumpCost(cell);
    if (!cost) continue;
    const Danger danger = dangerOf(*cost);
    figures.push_back(
        {cell, danger == Danger::CannotHurt ? kCannotHurt : compactFigure(cost->damage), danger});
  }
  return figures;
}

}  // namespace kelvorn::ui
