// GameState: the hero's whole per-game memory as one flat block of 164 signed 32-bit
// integers with fixed indices (the indices are part of the save format), followed by
// the seven integers that a saved game stores after it.
#pragma once

#include <array>
#include <cstdint>

namespace kelvorn {

namespace gs {
inline constexpr int kSize = 164;

inline constexpr int Life = 0;
inline constexpr int Offense = 1;
inline constexpr int Defense = 2;
inline constexpr int Gold = 3;
inline constexpr int Floor = 4;
inline constexpr int HighestFloor = 5;
inline constexpr int HeroX = 6;
inline constexpr int HeroY = 7;
inline constexpr int YellowKeys = 8;
inline constexpr int RedKeys = 9;  // red before blue: 9 red, 10 blue
inline constexpr int BlueKeys = 10;
inline constexpr int AltarCount = 11;
inline constexpr int BoardHold = 12;
inline constexpr int FairyVisits = 14;
inline constexpr int SwordLevel = 15;
inline constexpr int ShieldLevel = 16;
inline constexpr int ItemSlot0 = 17;      // ItemSlot s lives at 17 + s, s = 0..14
inline constexpr int SwordOwned0 = 32;    // iron, silver, knight, holy, sacred: 32..36
inline constexpr int ShieldOwned0 = 37;   // same order: 37..41
inline constexpr int MerchantDeal0 = 42;  // 42..53
inline constexpr int MerchantHint0 = 54;  // 54..65
inline constexpr int OldManTalk0 = 66;    // 66..83
inline constexpr int LastScore = 85;
inline constexpr int RankWon = 86;
inline constexpr int Checkpoint = 87;
inline constexpr int Facing = 88;
inline constexpr int SoundOff = 89;
inline constexpr int MusicTrack = 90;
inline constexpr int EventFlags0 = 91;  // 91..151 story and event flags
inline constexpr int OctopusShown15 = 152;
inline constexpr int OctopusShown35 = 153;
inline constexpr int EventFlag154 = 154;
inline constexpr int Floor32Event = 155;
inline constexpr int SergeantSealed = 156;  // also selects the stats of monster row 15
inline constexpr int SaveVersion = 157;
inline constexpr int FlyDirection = 158;
inline constexpr int LevelBoost = 159;
inline constexpr int CarryOver = 160;
// 1 once floor 38's guards have placed their false wall (so it is placed only once).
inline constexpr int Floor38Reward = 161;

// Named story flags.
inline constexpr int OldManGiftGiven = 98;   // the floor-2 old man's 3 % gift
inline constexpr int ElixirGiftGiven = 109;  // the floor-16 old man's elixir
inline constexpr int PrincessStill = 116;    // stops the princess's animation
inline constexpr int Floor42Event = 131;
// Dialogue 48 closed: the floor-24 scene has carried the hero up to floor 50.
inline constexpr int RideToFloor50 = 138;

inline constexpr std::int32_t kSaveVersion = -4;
inline constexpr std::int32_t kLevelBoostAfterWin = 43;
}  // namespace gs

// The seven integers stored after GameState in a saved game, numbered on from it.
namespace extra {
inline constexpr int kSize = 7;
inline constexpr int Sum = 0;             // 164: plain sum over GameState
inline constexpr int AlternatingSum = 1;  // 165
inline constexpr int NearStairs = 2;      // 166
inline constexpr int RecallShown = 3;     // 167: a hint recalled with the orb of wisdom is open
inline constexpr int Marker = 6;          // 170: always 12
inline constexpr std::int32_t kMarkerValue = 12;
}  // namespace extra

// Facing values.
enum Facing : std::int32_t { kFaceDown = 1, kFaceLeft = 2, kFaceRight = 3, kFaceUp = 4 };

inline constexpr int kItemSlots = 15;

// A value the game computes in 64 bits, held at the 32-bit limits so it never wraps
// (and a saved game always loads again).
constexpr std::int32_t saturate(std::int64_t value) {
  return value > INT32_MAX   ? INT32_MAX
         : value < INT32_MIN ? INT32_MIN
                             : static_cast<std::int32_t>(value);
}

struct GameState {
  std::array<std::int32_t, gs::kSize> v{};
  std::array<std::int32_t, extra::kSize> extra{};

  std::int32_t& operator[](int i) { return v.at(static_cast<std::size_t>(i)); }
  std::int32_t operator[](int i) const { return v.at(static_cast<std::size_t>(i)); }

  // Adds `delta` to value i, saturating at the 32-bit limits.
  void add(int i, std::int64_t delta) { (*this)[i] = saturate(std::int64_t{(*this)[i]} + delta); }

  std::int32_t& itemSlot(int s) { return (*this)[gs::ItemSlot0 + s]; }
  std::int32_t itemSlot(int s) const { return (*this)[gs::ItemSlot0 + s]; }

  // LevelBoost + 1: 1 in a first game, 44 in the games after a win.
  std::int32_t levelFactor() const { return v[gs::LevelBoost] + 1; }
  int heroCell() const { return v[gs::HeroY] * 11 + v[gs::HeroX]; }

  bool operator==(const GameState&) const = default;
};

// The two checksums a save slot carries: a plain 32-bit wrapping sum, and an
// alternating one (even indices added, odd subtracted).
std::int32_t plainSum(const GameState& s);
std::int32_t alternatingSum(const GameState& s);

// The new-game values, applied in order; keeps stats after a won game and gold,
// items and weapon flags after a second win.
void applyNewGameValues(GameState& s);

// True when every value the game indexes or draws with lies in its range, so the
// state can be played without reading outside any table.
bool isPlayable(const GameState& s);

}  // namespace kelvorn
