// Monsters that act without a battle: magicians and sergeants strike a hero who stops
// beside them, and each floor reacts to a won battle (gates open, rewards appear).
#include "rules/reactions.h"

#include <algorithm>
#include <initializer_list>

#include "rules/cell_entry.h"
#include "rules/doors.h"
#include "rules/game_upkeep.h"
#include "rules/input.h"

namespace kelvorn {

// After every step: magicians beside the hero cast, two sergeants flanking him halve
// his life, and otherwise the bar tells what stands around him.
void afterMoveChecks(Game& game) {
  const int floor = game.state[gs::Floor];
  const int x = game.state[gs::HeroX], y = game.state[gs::HeroY], h = game.state.heroCell();
  bool struck = false;
  // The first look around already marks stairs beside the hero (NearStairs), even when
  // a magician's attack then takes over the bar.
  scanNeighbours(game);
  game.bar.code = msg::None;
  const std::pair<int, int> around[] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
  for (const auto& [dx, dy] : around) {
    if (!onBoard(x + dx, y + dy)) continue;
    const TileCode t = game.floors.cell(floor, cellIndex(x + dx, y + dy));
    if (magician(t)) {
      magicAttack(game, t <= 152 ? 110 : 111, 2 * (dx + 11 * dy));
      struck = true;
    }
  }
  for (int pairs = sergeantPairs(game.state, game.floors, h); pairs > 0; --pairs) {
    sergeantsStrike(game);
    struck = true;
  }
  if (struck) {
    game.bar.code = msg::None;
    return;
  }
  scanNeighbours(game);
  disp(game);
}

void magicAttack(Game& game, int code, int offset) {
  const int floor = game.state[gs::Floor];
  const int x = game.state[gs::HeroX], y = game.state[gs::HeroY], h = game.state.heroCell();
  const int dx = offset == 2 ? 1 : offset == -2 ? -1 : 0;
  const int dy = offset == 22 ? 1 : offset == -22 ? -1 : 0;
  // On floor 47 Magician A steps back after casting, but only straight away from the
  // hero onto plain floor that is on the board.
  if (code == 110 && floor == 47 && y >= 1 && y <= 9 && onBoard(x + 2 * dx, y + 2 * dy) &&
      game.floors.cell(floor, h + offset) == tile::Floor) {
    game.stack.push(wsPause);
    game.stack.push(wsMoveSprite, i16(h + offset / 2), i16(h + offset));
    game.stack.push(wsPause);
    game.stack.push(wsSound, 2);
  }
  if (game.state[gs::ShieldOwned0 + 4] == 0) {
    const bool second = game.state[gs::LevelBoost] != 0;
    const std::int64_t L = game.state.levelFactor();
    const int pose = fightingPose(game.state[gs::Facing]);
    game.stack.push(wsPause);
    game.stack.push(wsAddLife, i16((code == 110 ? -200 : -100) * L));
    game.stack.push(wsPause);
    game.stack.push(wsMessage, i16(second ? code + 29 : code));
    game.stack.push(wsPause, tile::Floor, i16(pose));
    game.stack.push(wsOverlay, i16(h), i16(pose + 1));
    game.stack.push(wsPause);
    game.stack.push(wsSound, 1);
  }
  game.timer2on();
}

void sergeantsStrike(Game& game) {
  const int pose = fightingPose(game.state[gs::Facing]);
  game.stack.push(wsPause);
  game.stack.push(wsHalveLife);
  game.stack.push(wsPause);
  game.stack.push(wsMessage, 112);
  game.stack.push(wsPause, tile::Floor, i16(pose));
  game.stack.push(wsOverlay, i16(game.state.heroCell()), i16(pose + 1));
  game.stack.push(wsPause);
  game.stack.push(wsSound, 1);
  game.timer2on();
}

// The floor's reactions after a won battle. Each test adds the codes of some cells; the
// sums hold exactly while the guards are gone and the gates still closed.
void monsterReactions(Game& game) {
  const int floor = game.state[gs::Floor];
  const bool music = game.state[gs::MusicTrack] != 0;
  auto sum = [&](std::initializer_list<int> cells) {
    int total = 0;
    for (const int c : cells) total += game.floors.cell(floor, c);
    return total;
  };
  auto gate = [&](int cell, int kind = 4) {
    pushDoor(game, cell, kind);
    game.stack.push(wsPause);
    game.stack.push(wsSound, 1);
  };
  auto reward = [&](int cell, int code, int sound = 2) {
    game.stack.push(wsPause);
    game.stack.push(wsSetCell, i16(cell), i16(code));
    game.stack.push(wsPause);
    game.stack.push(wsSound, i16(sound));
  };
  auto rewards = [&](std::initializer_list<std::pair<int, int>> list) {
    for (const auto& [cell, code] : list) reward(cell, code);
  };
  auto end = [&] {
    game.stack.push(wsPause);
    game.stack.push(wsPause);
  };
  auto once = [&](int flag) {
    if (game.state[flag] != 0) return false;
    game.state[flag] = 1;
    return true;
  };

  switch (floor) {
    case 2:
      if (sum({16, 18, 48}) == 17) {
        end();
        for (const int c : {118, 114, 85, 81, 52, 48}) gate(c, 6);
      }
      break;
    case 8:
      if (sum({52, 54, 42}) == 16) end(), gate(42);
      break;
    case 10:
      if (sum({37, 38, 39, 48, 50, 59, 60, 61, 27}) == 52) {
        end();
        if (music) game.stack.push(wsSound, 5);
        gate(27);
        for (int i = 0; i < 3; ++i) game.stack.push(wsPause);
        game.stack.push(wsAsk, 14);
      } else if (sum({5, 71, 40, 36}) == 18) {
        end();
        rewards({{93, 7},
                 {115, 11},
                 {43, 29},
                 {42, 29},
                 {41, 29},
                 {35, 33},
                 {34, 33},
                 {33, 33},
                 {32, 35},
                 {31, 35},
                 {30, 35},
                 {24, 34},
                 {23, 34},
                 {22, 34},
                 {27, 23}});
        for (const int c : {71, 40, 36}) gate(c);
        game.stack.push(wsAsk, 15);
        if (music) game.stack.push(wsSound, 6);
      }
      break;
    case 11:
      if (sum({44, 46, 34}) == 16) end(), gate(34);
      break;
    case 14:
      if (sum({0, 2, 12, 22}) == 26) end(), reward(22, 30);
      break;
    case 15:
      if (sum({60, 27, 93}) == 14) {
        end();
        reward(49, 41);
        gate(93);
        gate(27);
      }
      break;
    case 17: {
      static constexpr int kGuards[4][3] = {{52, 54, 42}, {85, 87, 75}, {44, 46, 34}, {77, 79, 67}};
      for (const auto& g : kGuards)
        if (sum({g[0], g[1], g[2]}) == 16) end(), gate(g[2]);
      break;
    }
    case 20:
      if (sum({48, 49, 50, 59, 61, 70, 71, 72, 60, 27, 93}) == 62) {
        end();
        rewards({{5, 11},
                 {39, 29},
                 {38, 29},
                 {37, 29},
                 {83, 33},
                 {82, 33},
                 {81, 33},
                 {73, 35},
                 {62, 35},
                 {51, 35},
                 {69, 34},
                 {58, 34},
                 {47, 34},
                 {49, 23}});
        if (music) game.stack.push(wsSound, 6);
        game.stack.push(wsAsk, 21);
        gate(93);
        gate(27);
      }
      break;
    case 25:
      // The master's fall always pays; floor 24 opens only once the princess has spoken.
      if (sum({60, 104}) == 10) {
        if (game.state[gs::PrincessStill] == 1) {
          for (const int c : {4, 6}) game.floors.setCell(24, c, tile::Wall);
          for (const int c : {16, 27, 38}) game.floors.setCell(24, c, tile::Floor);
          game.floors.setCell(24, 5, tile::Event);
        }
        end();
        rewards({{84, 30}, {83, 30}, {82, 30}, {81, 30}, {80, 30}, {71, 23}});
        gate(104);
      }
      break;
    case 30:
      if (sum({46, 47, 48, 50, 51, 52, 38, 71}) == 44) {
        end();
        reward(5, 11);
        gate(71);
        gate(38);
      }
      break;
    case 32:
      if (sum({99, 101, 89}) == 16) {
        end();
        gate(89);
      } else if (game.floors.cell(floor, 60) == tile::Event) {
        end();
        reward(9, tile::Floor);
        static constexpr int kWalk[][2] = {{8, 9},   {7, 8},   {6, 7},   {5, 6},   {16, 5},
                                           {27, 16}, {38, 27}, {49, 38}, {60, 49}, {71, 60},
                                           {82, 71}, {93, 82}, {104, 93}};
        for (const auto& [from, to] : kWalk) {
          for (int i = 0; i < 3; ++i) game.stack.push(wsPause);
          game.stack.push(wsMoveSprite, i16(from), i16(to));
        }
        game.stack.push(wsPutCell, 104, 133);
        game.stack.push(wsAsk, 31);
      }
      break;
    case 33:
      if (sum({52, 54, 74, 76, 42, 86}) == 32) end(), gate(86), gate(42);
      break;
    case 34:
      if (sum({37, 39, 41, 43, 81, 83, 85, 87}) == 48 && once(148)) {
        end();
        rewards({{68, 29}, {66, 29}, {46, 29}, {44, 29}, {56, 30}});
      }
      break;
    case 35:
      if (sum({71, 27}) == 10 && once(149)) {
        end();
        rewards({{50, 33}, {49, 33}, {48, 33}, {60, 47}});
        gate(27);
      }
      break;
    case 38:
      // The reward stays true after the guards die; place the false wall only once so a
      // later battle cannot raise it again where it was already broken.
      if (sum({99, 101}) == 12 && once(gs::Floor38Reward))
        game.floors.setCell(floor, 89, tile::FalseWall);
      break;
    case 40:
      if (sum({16, 5}) == 17 && once(150)) {
        end();
        rewards({{41, 29},
                 {40, 29},
                 {39, 29},
                 {37, 33},
                 {36, 33},
                 {35, 33},
                 {20, 35},
                 {19, 35},
                 {18, 35},
                 {14, 34},
                 {13, 34},
                 {12, 34},
                 {60, 23}});
        if (music) game.stack.push(wsSound, 6);
      }
      break;
    case 41:
      if (sum({12, 20}) == 12 && once(gs::EventFlag154)) {
        end();
        reward(49, 45);
        for (const auto& [cell, code] : {std::pair{72, 6}, {70, 6}, {61, 8}, {60, 8}, {59, 8}})
          reward(cell, code, 1);
      }
      break;
    case 44:
      if (sum({92, 94, 82}) == 16) end(), gate(82);
      break;
    case 45:
      if (sum({92, 114, 102}) == 16) end(), gate(102);
      if (sum({95, 117, 105}) == 16) end(), gate(105);
      break;
    case 48:
      if (sum({0, 84}) == 10) end(), gate(84);
      break;
    case 49:
      if (sum({103, 105, 93}) == 16) {
        end();
        gate(93);
      } else if (sum({81, 83, 71, 60}) == 23) {
        end();
        gate(71);
      }
      // Zeno's defeat and the seal of five are both tested after every battle: the
      // seal's words (whenever its pattern holds) show first, then the defeat's rewards.
      if (sum({27, 71, 60}) == 16) {
        end();
        rewards({{17, 46},
                 {15, 30},
                 {42, 35},
                 {41, 35},
                 {40, 35},
                 {36, 34},
                 {35, 34},
                 {34, 34},
                 {50, 33},
                 {49, 33},
                 {48, 33},
                 {16, 23}});
        gate(71);
        for (const int c : {39, 37, 17, 15}) game.stack.push(wsSetCell, i16(c), tile::Floor);
        if (music) game.stack.push(wsSound, 6);
      }
      if (sum({16, 26, 28, 38}) == 24 && sum({15, 17, 37, 39}) == 372) {
        if (once(gs::SergeantSealed)) {
          MonsterStats& zeno = game.monsters.zenoRow();
          zeno.life /= 10, zeno.offense /= 10, zeno.defense /= 10;
        }
        end();
        if (music) game.stack.push(wsSound, 5);
        game.stack.push(wsAsk, 46);
        if (music) game.stack.push(wsSound, 6);
      }
      break;
    case 50:
      // A later game is won when Zeno falls here (the ball fights no one).
      if (game.state[gs::LevelBoost] != 0 && game.scene.monsterKind == kind::Zeno) {
        game.stack.push(wsScript, script::NextGame);
        for (int p = 247; p >= 232; --p) {
          game.stack.push(wsSound, 1);
          game.stack.push(wsPause, 2, 0);
          game.stack.push(wsScript, script::PictureFrame, i16(p));
        }
        game.stack.push(wsScript, script::PresentBackBuffer);
        game.stack.push(wsScript, script::HidePanels);
        game.stack.push(wsScript, script::StopAnimation);
        // The message bar keeps the victory's line through the ending: code 140 would
        // show a magician's attack of a later game there.
        game.stack.push(wsAsk, 62);
      }
      break;
    default: break;
  }
}

}  // namespace kelvorn
