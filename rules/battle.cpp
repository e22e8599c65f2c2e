// Battles. The outcome is computed at once from the hero's and the monster's numbers;
// the script that shows it blow by blow is pushed in reverse order of showing.
#include "rules/battle.h"

#include <algorithm>

#include "rules/bosses.h"
#include "rules/fight_cost.h"
#include "rules/input.h"

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
void pushBattleRound(Game& game, int target, TileCode heroTile, int form, int monsterArg) {
  const RoundForm& f = kRoundForms[form];
  const int pose = fightingPose(game.state[gs::Facing]);
  const auto cell = i16(target);
  auto monsterHalf = [&] {
    game.stack.push(wsPause);
    game.stack.push(wsMonsterStrike, cell, i16(monsterArg >= 0 ? monsterArg : f.monsterArg));
    game.stack.push(wsPause, heroTile, i16(pose));
    game.stack.push(wsOverlay, cell, i16(pose + 1));
    game.stack.push(wsPause);
    game.stack.push(wsSound, 3);
  };
  auto heroHalf = [&] {
    game.stack.push(wsPause);
    game.stack.push(wsHeroStrike, cell, i16(f.heroArg));
    game.stack.push(wsPause, heroTile, kSlash);
    game.stack.push(wsOverlay, cell, kSlashMask);
    game.stack.push(wsPause);
    game.stack.push(wsSound, 3);
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
void pushRounds(Game& game, std::int64_t n, int target, TileCode heroTile, int form) {
  if (n <= 0) return;
  if (game.skipFights() && n >= 3) {
    pushBattleRound(game, target, heroTile, form);
    game.stack.push(countStep(wsSkipRounds, n - 2));
    pushBattleRound(game, target, heroTile, form);
    return;
  }
  const std::int64_t now = std::min(n, kRoundsAtOnce);
  if (n > now) {
    game.stack.push(wsRoundData, i16(target + (form << 8)), heroTile);
    game.stack.push(countStep(wsRounds, n - now));
  }
  for (std::int64_t i = 0; i < now; ++i) pushBattleRound(game, target, heroTile, form);
}

void writeOutRounds(Game& game) {
  const std::int64_t n = countOf(game.stack.top());
  const WorkStep data = game.stack.below();
  game.stack.setCount(game.stack.count() - 2);
  pushRounds(game, n, data.arg1 & 0xff, static_cast<TileCode>(data.arg2 & 0xff),
             (data.arg1 >> 8) & 3);
}

void battle(Game& game) {
  const TileCode code = game.floors.cell(game.state[gs::Floor], game.scene.targetCell);
  game.scene.monsterKind = monsterKindOf(code);
  game.drawMonsterPanel();
  const MonsterStats& m = game.monsters[game.scene.monsterKind];
  const FightCost cost = fightCost(game.state, m, game.scene.monsterKind, true);
  if (cost.canHurt) {
    walk(game);
    game.state[gs::BoardHold] = 1;
  }
  game.scene.monsterLife = static_cast<std::int32_t>(m.life * game.state.levelFactor());
  if (!cost.canHurt) {
    game.showOnMessageBar(game.messages.entry(217));
    game.timer2on();
    return;
  }
  const int target = game.scene.targetCell;
  const TileCode heroTile = code;  // the hero stands on the monster's cell

  if (!cost.lost) {
    game.state[gs::BoardHold] = 0;
    game.stack.push(wsScript, script::MonsterReactions, 5);
    const bool octopusEdge = game.scene.monsterKind == kind::Octopus && code != 104;
    const std::int32_t gold = octopusEdge ? m.gold / 2 : m.gold;
    game.stack.push(wsAddGold, i16(gold));
    const std::int64_t shown = octopusEdge ? (game.state.itemSlot(14) != 0 ? m.gold : m.gold / 2)
                                           : std::int64_t{m.gold} * (game.state.itemSlot(14) + 1);
    game.bar.code = msg::Composed;
    game.bar.composed = game.messages.entry(octopusEdge ? 240 : 199) + " " +
                        game.messages.entry(monsterNameEntry(game.scene.monsterKind)) + ". " +
                        game.messages.entry(200) + " " + std::to_string(shown) +
                        game.messages.entry(201);
    game.stack.push(wsMessage, 0);
    game.stack.push(wsPutCell, i16(target), tile::Floor);
    const bool wholeBody = (game.scene.monsterKind == kind::Octopus && code == 104) ||
                           (game.scene.monsterKind == kind::Dragon && code == 122);
    if (wholeBody)
      for (const int d : {-21, -22, -23, -12, -11, -10, -1, 0, 1})
        if (target + d >= 0 && target + d < kCells)
          game.stack.push(wsPutCell, i16(target + d), tile::Floor);
    game.stack.push(wsPause);
    game.stack.push(wsScript, script::DrawHero, 0);
    game.stack.push(wsPause);
    // The killing blow.
    game.stack.push(wsHeroStrike, i16(target), 0);
    game.stack.push(wsPause, heroTile, kSlash);
    game.stack.push(wholeBody ? wsHeroStrikeFlash : wsOverlay, i16(target), kSlashMask);
    game.stack.push(wsPause);
    game.stack.push(wsSound, 3);
    pushRounds(game, cost.strikes - 1, target, heroTile, kHeroFirstWin);
  } else {
    game.stack.push(wsDeath);
    for (int i = 0; i < 6; ++i) game.stack.push(wsPause);
    // The rounds until his life is used up; the one that shows last carries his tile.
    const std::int64_t blow = cost.monsterBlow;
    const std::int64_t rounds = blow <= 0 ? 0 : ceilDiv(game.state[gs::Life], blow);
    if (rounds >= 1) {
      pushBattleRound(game, target, heroTile, kHeroFirstLoss, heroTile);
      pushRounds(game, rounds - 1, target, heroTile, kHeroFirstLoss);
    }
  }
  game.timer2on();
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
void scriptedBattle(Game& game, int cell) {
  if (cell < 0 || cell >= kCells) return;
  const TileCode code = game.floors.cell(game.state[gs::Floor], cell);
  int kindFound = -1;
  if (code >= 61 && code <= 95) kindFound = (code + 1) / 2 - 31;
  if (code >= 132 && code <= 157) kindFound = (code + 1) / 2 - 47;
  // Only a plain monster can be ordered into battle, and on floor 50 only Zeno (a later
  // game ends with any battle won there).
  if (kindFound < 0 || (game.state[gs::Floor] == 50 && kindFound != kind::Zeno)) return;
  weakenZenoForLaterGame(game.state, kindFound, game.monsters);
  game.scene.monsterKind = kindFound;
  game.drawMonsterPanel();
  game.state[gs::BoardHold] = 1;
  const MonsterStats& m = game.monsters[game.scene.monsterKind];
  game.scene.monsterLife = static_cast<std::int32_t>(m.life * game.state.levelFactor());
  // Blows counted without the doubling. The monster strikes first, so it strikes as
  // often as the hero: once more than in a battle the hero starts.
  const FightCost cost = fightCost(game.state, m, game.scene.monsterKind, false);
  const std::int64_t blow = cost.monsterBlow;
  const TileCode heroTile = game.floors.cell(game.state[gs::Floor], game.state.heroCell());
  const std::int64_t expected = blow <= 0 ? 0 : blow * cost.strikes;
  // A monster the hero cannot hurt would never be beaten: the battle is lost.
  if (cost.canHurt && game.state[gs::Life] > expected) {
    game.state[gs::BoardHold] = 0;
    game.stack.push(wsScript, script::MonsterReactions, 5);
    game.stack.push(wsAddGold, i16(m.gold));
    game.bar.code = msg::Composed;
    game.bar.composed = game.messages.entry(199) + " " +
                        game.messages.entry(monsterNameEntry(game.scene.monsterKind)) + ". " +
                        game.messages.entry(200) + " " +
                        std::to_string(std::int64_t{m.gold} * (game.state.itemSlot(14) + 1)) +
                        game.messages.entry(201);
    game.stack.push(wsMessage, 0);
    game.stack.push(wsPutCell, i16(game.state.heroCell()), tile::Floor);
    game.stack.push(wsPause);
    game.stack.push(wsScript, script::DrawHero, 0);
    pushRounds(game, cost.strikes, cell, heroTile, kMonsterFirstWin);
  } else {
    game.stack.push(wsPause);
    game.stack.push(wsDeath);
    for (int i = 0; i < 6; ++i) game.stack.push(wsPause);
    const std::int64_t rounds =
        blow <= 0 ? 1 : std::max<std::int64_t>(ceilDiv(game.state[gs::Life], blow), 1);
    // The round that shows last is the monster's killing blow, then twelve pauses.
    const int pose = fightingPose(game.state[gs::Facing]);
    for (int i = 0; i < 12; ++i) game.stack.push(wsPause);
    game.stack.push(wsPause);
    game.stack.push(wsMonsterStrike, i16(cell), heroTile);
    game.stack.push(wsPause, heroTile, i16(pose));
    game.stack.push(wsOverlay, i16(cell), i16(pose + 1));
    game.stack.push(wsPause);
    game.stack.push(wsSound, 3);
    pushRounds(game, rounds - 1, cell, heroTile, kMonsterFirstLoss);
  }
  game.timer2on();
}

}  // namespace kelvorn
