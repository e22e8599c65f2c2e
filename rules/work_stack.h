// The WorkStack: a last-in, first-out list of small steps that show over time what
// the game logic has already decided. StepCount is at once the number of pending
// steps and the 1-based index of the step that runs next; entry 0 is never used.
// Storage grows as needed, so no script can overflow it.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvorn {

enum Op : std::int16_t {
  wsPause = 0,
  wsSound = 1,
  wsMessage = 2,
  wsDeath = 3,
  wsMonsterStrike = 4,
  wsHeroStrike = 5,
  wsSetCell = 6,
  wsAddGold = 7,
  wsShowPanels = 8,
  wsOverlay = 9,
  wsAsk = 10,
  wsScript = 11,
  wsMoveSprite = 12,
  wsDoor = 13,
  wsHeroStrikeFlash = 14,
  wsRestartMusic = 15,
  wsAddLife = 16,
  wsPutCell = 17,
  wsHalveLife = 19,
  wsSetState = 20,
  wsReveal = 21,
  wsNewGame = 22,
  // A long fight's rounds: ops of this program only, never in a script of the game.
  wsRounds = 23,      // rounds not yet written out (a count), the round's data below
  wsRoundData = 24,   // the cell plus 256 x the round's form, and the hero's tile
  wsSkipRounds = 25,  // the blows of that many rounds struck in one step (a count)
};

// Sub-steps of wsScript (its first argument).
namespace script {
inline constexpr int PrisonScene = 1, SergeantRevives = 2, SergeantsStrike = 3, VampireGrowth = 4,
                     MonsterReactions = 5, NextGame = 6, EndingTitle = 7, HeroComposite = 8,
                     DrawHero = 9, BossSecondPhase = 10, ChangeFloor = 11, PictureFrame = 12,
                     StopAnimation = 13, HidePanels = 14, PresentBackBuffer = 15;
}  // namespace script

// A step argument from a wider integer (cells, codes, amounts all fit in 16 bits).
constexpr std::int16_t i16(std::int64_t v) { return static_cast<std::int16_t>(v); }

// The picture number (image + 1) of the hero's fighting pose for a facing; its mask is
// the next picture.
constexpr int fightingPose(int facing) {
  return 191 + 8 * ((facing < 1 ? 1 : facing > 4 ? 4 : facing) - 1);
}

struct WorkStep {
  std::int16_t op = 0;
  std::int16_t arg1 = 0;
  std::int16_t arg2 = 0;
  bool operator==(const WorkStep&) const = default;
};

// A step whose two arguments hold one count of up to 31 bits, high half first.
constexpr WorkStep countStep(std::int16_t op, std::int64_t n) {
  n = n < 0 ? 0 : n > 0x7fffffff ? 0x7fffffff : n;
  return {op, static_cast<std::int16_t>(n >> 16), static_cast<std::int16_t>(n & 0xffff)};
}
constexpr std::int64_t countOf(const WorkStep& s) {
  return (std::int64_t{static_cast<std::uint16_t>(s.arg1)} << 16) |
         static_cast<std::uint16_t>(s.arg2);
}

class WorkStack {
 public:
  WorkStack() : entries_(1) {}

  // Puts a step on top: it runs before everything pushed earlier.
  void push(std::int16_t op, std::int16_t arg1 = 0, std::int16_t arg2 = 0);
  void push(WorkStep step) { push(step.op, step.arg1, step.arg2); }

  int count() const { return count_; }
  // Sets StepCount directly, as the replace-step mechanism and the death flush do.
  // Entries above the new count are kept but no longer pending.
  void setCount(int count) { count_ = count; }
  void clear() { count_ = 0; }

  // The entry at a 1-based index, or an all-zero step for an index that holds none.
  WorkStep at(int index) const;
  WorkStep top() const { return at(count_); }
  WorkStep below() const { return at(count_ - 1); }

 private:
  std::vector<WorkStep> entries_;
  int count_ = 0;
};

}  // namespace kelvorn
