// Battles. The outcome is computed at once from the hero's and the monster's numbers;
// the script that shows it blow by blow is pushed in reverse order of showing.
#include <algorithm>

#include "rules/bosses.h"
#include "rules/fight_cost.h"
#include "rules/game.h"

namespace kelvorn {

namespace {
// Pictures named as tile codes (image n - 1): the slash and its mask.
constexpr int kSlash = 184, kSlashMask = 183;

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }

// The rounds of the four scripts, by who strikes first and what the two strikes carry
// (arguments the strikes themselves ignore).
struct RoundForm {
  bool heroFirst;
  int heroArg, monsterArg;
};
constexpr RoundForm kRoundForms[] = {
    {true, kSlashMask, 0}, {true, kSlashMask, kSlash}, {false, 193, 0}, {false, 0, 250}};
enum RoundKind { kHeroFirstWin, kHeroFirstLoss, kMonsterFirstWin, kMonsterFirstLoss };

// Rounds written out at once; the rest of a long fight waits in one entry.
constexpr std::int64_t kRoundsAtOnce = 32;
}  // namespace

// One full round as two halves of six steps: a slash over the monster with the hero's
// blow, and the hero in his fighting pose with the monster's blow. `monsterArg`, when
// not negative, replaces what the monster's strike carries.
void Game::pushBattleRound(int target, TileCode heroTile, int form, int monsterArg) {
  const RoundForm& f = kRoundForms[form];
  const int pose = fightingPose(state[gs::Facing]);
  const auto cell = i16(target);
  auto monsterHalf = [&] {
    stack.push(wsPause);
    stack.push(wsMonsterStrike, cell, i16(monsterArg >= 0 ? monsterArg : f.monsterArg));
    stack.push(wsPause, heroTile, i16(pose));
    stack.push(wsOverlay, cell, i16(pose + 1));
    stack.push(wsPause);
    stack.push(wsSound, 3);
  };
  auto heroHalf = [&] {
    stack.push(wsPause);
    stack.push(wsHeroStrike, cell, i16(f.heroArg));
    stack.push(wsPause, heroTile, kSlash);
    stack.push(wsOverlay, cell, kSlashMask);
    stack.push(wsPause);
    stack.push(wsSound, 3);
  };
  // Pushed in reverse: the half pushed second shows first.
  if (f.heroFirst) {
    monsterHalf();
    heroHalf();
  } else {
    heroHalf();
    monsterHalf();
  }
}

// `n` rounds of one form. Only the first few are written out: the rest wait in one
// entry (the round's cell, form and hero tile in the entry below it) that writes out the
// next ones when it comes to the top, so a fight of any length keeps the stack short.
// When fights are skipped, the first and the last round show and one step between them
// strikes all the others.
void Game::pushRounds(std::int64_t n, int target, TileCode heroTile, int form) {
  if (n <= 0) return;
  if (skipFights() && n >= 3) {
    pushBattleRound(target, heroTile, form);
    stack.push(countStep(wsSkipRounds, n - 2));
    pushBattleRound(target, heroTile, form);
    return;
  }
  const std::int64_t now = std::min(n, kRoundsAtOnce);
  if (n > now) {
    stack.push(wsRoundData, i16(target + (form << 8)), heroTile);
    stack.push(countStep(wsRounds, n - now));
  }
  for (std::int64_t i = 0; i < now; ++i) pushBattleRound(target, heroTile, form);
}

void Game::writeOutRounds() {
  const std::int64_t n = countOf(stack.top());
  const WorkStep data = stack.below();
  stack.setCount(stack.count() - 2);
  pushRounds(n, data.arg1 & 0xff, static_cast<TileCode>(data.arg2 & 0xff), (data.arg1 >> 8) & 3);
}

void Game::battle() {
  const TileCode code = floors.cell(state[gs::Floor], targetCell);
  monsterKind = monsterKindOf(code);
  drawMonsterPanel();
  const MonsterStats& m = monsters[monsterKind];
  const FightCost cost = fightCost(state, m, monsterKind, true);
  if (cost.canHurt) {
    walk();
    state[gs::BoardHold] = 1;
  }
  monsterLife = static_cast<std::int32_t>(m.life * state.levelFactor());
  if (!cost.canHurt) {
    showOnMessageBar(messages.entry(217));
    timer2on();
    return;
  }
  const int target = targetCell;
  const TileCode heroTile = code;  // the hero stands on the monster's cell

  if (!cost.lost) {
    state[gs::BoardHold] = 0;
    stack.push(wsScript, script::MonsterReactions, 5);
    const bool octopusEdge = monsterKind == kind::Octopus && code != 104;
    const std::int32_t gold = octopusEdge ? m.gold / 2 : m.gold;
    stack.push(wsAddGold, i16(gold));
    const std::int64_t shown = octopusEdge ? (state.itemSlot(14) != 0 ? m.gold : m.gold / 2)
                                           : std::int64_t{m.gold} * (state.itemSlot(14) + 1);
    messageCode = msg::Composed;
    composedMessage = messages.entry(octopusEdge ? 240 : 199) + " " +
                      messages.entry(monsterNameEntry(monsterKind)) + ". " + messages.entry(200) +
                      " " + std::to_string(shown) + messages.entry(201);
    stack.push(wsMessage, 0);
    stack.push(wsPutCell, i16(target), tile::Floor);
    const bool wholeBody = (monsterKind == kind::Octopus && code == 104) ||
                           (monsterKind == kind::Dragon && code == 122);
    if (wholeBody)
      for (const int d : {-21, -22, -23, -12, -11, -10, -1, 0, 1})
        if (target + d >= 0 && target + d < kCells)
          stack.push(wsPutCell, i16(target + d), tile::Floor);
    stack.push(wsPause);
    stack.push(wsScript, script::DrawHero, 0);
    stack.push(wsPause);
    // The killing blow.
    stack.push(wsHeroStrike, i16(target), 0);
    stack.push(wsPause, heroTile, kSlash);
    stack.push(wholeBody ? wsHeroStrikeFlash : wsOverlay, i16(target), kSlashMask);
    stack.push(wsPause);
    stack.push(wsSound, 3);
    pushRounds(cost.strikes - 1, target, heroTile, kHeroFirstWin);
  } else {
    stack.push(wsDeath);
    for (int i = 0; i < 6; ++i) stack.push(wsPause);
    // The rounds until his life is used up; the one that shows last carries his tile.
    const std::int64_t blow = cost.monsterBlow;
    const std::int64_t rounds = blow <= 0 ? 0 : ceilDiv(state[gs::Life], blow);
    if (rounds >= 1) {
      pushBattleRound(target, heroTile, kHeroFirstLoss, heroTile);
      pushRounds(rounds - 1, target, heroTile, kHeroFirstLoss);
    }
  }
  timer2on();
}

std::optional<FightCost> Game::bumpCost(int cell) const {
  if (cell < 0 || cell >= kCells) return std::nullopt;
  const int floor = state[gs::Floor];
  const TileCode t = floors.cell(floor, cell);
  const int k = monsterKindOf(t);
  // A 3 x 3 body is priced once, at its bottom middle cell, which the Dragon is only
  // fought at and the Giant Octopus is cleared from.
  if ((k == kind::Octopus && t != 104) || (k == kind::Dragon && t != 122)) return std::nullopt;
  // Zeno on floor 50 is fought only in a later game, weakened, by the final-floor rules.
  if ((t == 91 || t == 92) && floor == 50 && state[gs::LevelBoost] != 0) {
    MonsterTable met = monsters;
    weakenZenoForLaterGame(state, k, met);
    return fightCost(state, met[k], k, true);
  }
  if (!bumpFights(t, floor)) return std::nullopt;
  return fightCost(state, monsters[k], k, true);
}

// A battle ordered by a story script against the monster at `cell`: the monster
// strikes first and the hero does not move.
void Game::scriptedBattle(int cell) {
  if (cell < 0 || cell >= kCells) return;
  const TileCode code = floors.cell(state[gs::Floor], cell);
  int kindFound = -1;
  if (code >= 61 && code <= 95) kindFound = (code + 1) / 2 - 31;
  if (code >= 132 && code <= 157) kindFound = (code + 1) / 2 - 47;
  // Only a plain monster can be ordered into battle, and on floor 50 only Zeno (a later
  // game ends with any battle won there).
  if (kindFound < 0 || (state[gs::Floor] == 50 && kindFound != kind::Zeno)) return;
  weakenZenoForLaterGame(state, kindFound, monsters);
  monsterKind = kindFound;
  drawMonsterPanel();
  state[gs::BoardHold] = 1;
  const MonsterStats& m = monsters[monsterKind];
  monsterLife = static_cast<std::int32_t>(m.life * state.levelFactor());
  // Blows counted without the doubling. The monster strikes first, so it strikes as
  // often as the hero: once more than in a battle the hero starts.
  const FightCost cost = fightCost(state, m, monsterKind, false);
  const std::int64_t blow = cost.monsterBlow;
  const TileCode heroTile = floors.cell(state[gs::Floor], state.heroCell());
  const std::int64_t expected = blow <= 0 ? 0 : blow * cost.strikes;
  // A monster the hero cannot hurt would never be beaten: the battle is lost.
  if (cost.canHurt && state[gs::Life] > expected) {
    state[gs::BoardHold] = 0;
    stack.push(wsScript, script::MonsterReactions, 5);
    stack.push(wsAddGold, i16(m.gold));
    messageCode = msg::Composed;
    composedMessage = messages.entry(199) + " " + messages.entry(monsterNameEntry(monsterKind)) +
                      ". " + messages.entry(200) + " " +
                      std::to_string(std::int64_t{m.gold} * (state.itemSlot(14) + 1)) +
                      messages.entry(201);
    stack.push(wsMessage, 0);
    stack.push(wsPutCell, i16(state.heroCell()), tile::Floor);
    stack.push(wsPause);
    stack.push(wsScript, script::DrawHero, 0);
    pushRounds(cost.strikes, cell, heroTile, kMonsterFirstWin);
  } else {
    stack.push(wsPause);
    stack.push(wsDeath);
    for (int i = 0; i < 6; ++i) stack.push(wsPause);
    const std::int64_t rounds =
        blow <= 0 ? 1 : std::max<std::int64_t>(ceilDiv(state[gs::Life], blow), 1);
    // The round that shows last is the monster's killing blow, then twelve pauses.
    const int pose = fightingPose(state[gs::Facing]);
    for (int i = 0; i < 12; ++i) stack.push(wsPause);
    stack.push(wsPause);
    stack.push(wsMonsterStrike, i16(cell), heroTile);
    stack.push(wsPause, heroTile, i16(pose));
    stack.push(wsOverlay, i16(cell), i16(pose + 1));
    stack.push(wsPause);
    stack.push(wsSound, 3);
    pushRounds(rounds - 1, cell, heroTile, kMonsterFirstLoss);
  }
  timer2on();
}

}  // namespace kelvorn
