#include "rules/game_state.h"

namespace kelvorn {

std::int32_t plainSum(const GameState& s) {
  std::uint32_t sum = 0;
  for (std::int32_t x : s.v) sum += static_cast<std::uint32_t>(x);
  return static_cast<std::int32_t>(sum);
}

std::int32_t alternatingSum(const GameState& s) {
  std::uint32_t sum = 0;
  for (int i = 0; i < gs::kSize; ++i) {
    const auto x = static_cast<std::uint32_t>(s.v[i]);
    sum = (i % 2 == 0) ? sum + x : sum - x;
  }
  return static_cast<std::int32_t>(sum);
}

void applyNewGameValues(GameState& s) {
  auto fill = [&](int from, int to, std::int32_t value) {
    for (int i = from; i <= to; ++i) s[i] = value;
  };
  const bool keepStats = s[gs::LevelBoost] != 0;
  const bool carryOver = s[gs::CarryOver] != 0;
  if (!keepStats) {
    s[gs::Life] = 1000;
    s[gs::Offense] = 100;
    s[gs::Defense] = 100;
  }
  if (!carryOver) s[gs::Gold] = 0;
  s[gs::Floor] = 1;
  if (!carryOver) s[gs::HighestFloor] = 1;
  s[gs::HeroX] = 5;
  s[gs::HeroY] = 10;
  fill(8, 14, 0);
  s[gs::SwordLevel] = 5;
  s[gs::ShieldLevel] = 5;
  if (!carryOver) {
    fill(17, 41, 0);
    s[gs::SwordOwned0 + 4] = 1;
    s[gs::ShieldOwned0 + 4] = 1;
  }
  fill(42, 87, 0);
  s[gs::Facing] = kFaceUp;
  s[gs::MusicTrack] = 0;
  fill(91, 156, 0);
  s[gs::FlyDirection] = 0;
  fill(161, 163, 0);
}

bool isPlayable(const GameState& s) {
  auto in = [&](int i, std::int32_t lo, std::int32_t hi) { return s[i] >= lo && s[i] <= hi; };
  // Item slots hold 0 or 1, except the orb of the hero (2 while granted) and the warp
  // staff (its charges); the weapon flags are 0 or 1.
  for (int slot = 0; slot < kItemSlots; ++slot)
    if (!in(gs::ItemSlot0 + slot, 0, slot == 0 ? 2 : slot == 7 ? 3 : 1)) return false;
  for (int i = gs::SwordOwned0; i < gs::ShieldOwned0 + 5; ++i)
    if (!in(i, 0, 1)) return false;
  return in(gs::AltarCount, 0, INT32_MAX) && in(gs::Floor, 0, 50) && in(gs::HighestFloor, 0, 50) &&
         in(gs::HeroX, 0, 10) && in(gs::HeroY, 0, 10) && in(gs::Facing, 1, 4) &&
         in(gs::Life, 0, INT32_MAX) && in(gs::Offense, 0, INT32_MAX) &&
         in(gs::Defense, 0, INT32_MAX) && in(gs::Gold, 0, INT32_MAX) &&
         in(gs::YellowKeys, 0, INT32_MAX) && in(gs::RedKeys, 0, INT32_MAX) &&
         in(gs::BlueKeys, 0, INT32_MAX) && in(gs::SwordLevel, 0, 5) && in(gs::ShieldLevel, 0, 5) &&
         (s[gs::LevelBoost] == 0 || s[gs::LevelBoost] == gs::kLevelBoostAfterWin) &&
         in(gs::CarryOver, 0, 1);
}

}  // namespace kelvorn
