// Battles. The outcome is computed at once from the hero's and the monster's numbers;
// the script that shows it blow by blow is pushed in reverse order of showing.
#include <algorithm>

#include "engine/bosses.h"
#include "engine/game.h"

namespace kelvorn {

namespace {
// Pictures named as tile codes (image n - 1): the slash and its mask.
constexpr int kSlash = 184, kSlashMask = 183;

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }

bool doubled(int kind, const GameState& s) {
  return ((kind == kind::Zombie || kind == kind::ZombieKnight || kind == kind::Vampire) &&
          s.itemSlot(3) != 0) ||
         (kind == kind::Dragon && s.itemSlot(10) != 0);
}
}  // namespace

// One full round as two halves of six steps: a slash over the monster with the hero's
// blow, and the hero in his fighting pose with the monster's blow. `heroFirst` decides
// which half shows first.
void Game::pushBattleRound(int target, TileCode heroTile, bool heroFirst, int monsterArg) {
  const int pose = fightingPose(state[gs::Facing]);
  const auto cell = i16(target);
  auto monsterHalf = [&] {
    stack.push(wsPause);
    stack.push(wsMonsterStrike, cell, i16(monsterArg));
    stack.push(wsPause, heroTile, i16(pose));
    stack.push(wsOverlay, cell, i16(pose + 1));
    stack.push(wsPause);
    stack.push(wsSound, 3);
  };
  auto heroHalf = [&](int heroArg) {
    stack.push(wsPause);
    stack.push(wsHeroStrike, cell, i16(heroArg));
    stack.push(wsPause, heroTile, kSlash);
    stack.push(wsOverlay, cell, kSlashMask);
    stack.push(wsPause);
    stack.push(wsSound, 3);
  };
  // Pushed in reverse: the half pushed second shows first.
  if (heroFirst) {
    monsterHalf();
    heroHalf(kSlashMask);
  } else {
    heroHalf(193);
    monsterHalf();
  }
}

void Game::battle() {
  const TileCode code = floors.cell(state[gs::Floor], targetCell);
  monsterKind = monsterKindOf(code);
  drawMonsterPanel();
  const MonsterStats& m = monsters[monsterKind];
  const std::int64_t L = state.levelFactor();
  const std::int64_t defense = m.defense * L;
  const std::int64_t offense = state[gs::Offense];
  // The cannot-hurt test ignores the doubling of the cross and the Dragon Slayer.
  if (defense - offense < 0) {
    walk();
    state[gs::BoardHold] = 1;
  }
  monsterLife = static_cast<std::int32_t>(m.life * L);
  if (defense - offense >= 0) {
    messageCode = msg::Composed;
    composedMessage = messages.entry(217);
    disp();
    timer2on();
    return;
  }
  const std::int64_t k = doubled(monsterKind, state) ? 2 : 1;
  const std::int64_t hit = offense * k - defense;
  const std::int64_t strikes = ceilDiv(m.life * L, hit);
  const std::int64_t blow = m.offense * L - state[gs::Defense];
  const std::int64_t expected = blow <= 0 ? 0 : blow * (strikes - 1);
  const int target = targetCell;
  const TileCode heroTile = code;  // the hero stands on the monster's cell

  if (state[gs::Life] > expected) {
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
    for (std::int64_t i = 1; i < strikes; ++i) pushBattleRound(target, heroTile, true, 0);
  } else {
    stack.push(wsDeath);
    for (int i = 0; i < 6; ++i) stack.push(wsPause);
    const std::int64_t rounds = blow <= 0 ? 0 : ceilDiv(state[gs::Life], blow);
    for (std::int64_t j = 1; j <= rounds; ++j)
      pushBattleRound(target, heroTile, true, j == 1 ? heroTile : kSlash);
  }
  timer2on();
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
  const std::int64_t L = state.levelFactor();
  monsterLife = static_cast<std::int32_t>(m.life * L);
  const std::int64_t hit = state[gs::Offense] - m.defense * L;
  const std::int64_t blow = m.offense * L - state[gs::Defense];
  const TileCode heroTile = floors.cell(state[gs::Floor], state.heroCell());
  // A monster the hero cannot hurt would never be beaten: the battle is lost.
  const bool canWin = hit > 0;
  const std::int64_t strikes = canWin ? ceilDiv(m.life * L, hit) : 0;
  const std::int64_t expected = blow <= 0 ? 0 : blow * strikes;

  if (canWin && state[gs::Life] > expected) {
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
    for (std::int64_t i = 0; i < strikes; ++i) pushBattleRound(cell, heroTile, false, 0);
  } else {
    stack.push(wsPause);
    stack.push(wsDeath);
    for (int i = 0; i < 6; ++i) stack.push(wsPause);
    const std::int64_t rounds =
        blow <= 0 ? 1 : std::max<std::int64_t>(ceilDiv(state[gs::Life], blow), 1);
    const int pose = fightingPose(state[gs::Facing]);
    for (std::int64_t j = 1; j <= rounds; ++j) {
      if (j == 1) {
        for (int i = 0; i < 12; ++i) stack.push(wsPause);
      } else {
        stack.push(wsPause);
        stack.push(wsHeroStrike, i16(cell), 0);
        stack.push(wsPause, heroTile, kSlash);
        stack.push(wsOverlay, i16(cell), kSlashMask);
        stack.push(wsPause);
        stack.push(wsSound, 3);
      }
      stack.push(wsPause);
      stack.push(wsMonsterStrike, i16(cell), j == 1 ? heroTile : 250);
      stack.push(wsPause, heroTile, i16(pose));
      stack.push(wsOverlay, i16(cell), i16(pose + 1));
      stack.push(wsPause);
      stack.push(wsSound, 3);
    }
  }
  timer2on();
}

}  // namespace kelvorn
