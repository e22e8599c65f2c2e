// Taking what lies on a cell: keys, potions, gems, the special items, swords and
// shields. The gain is applied at once; a short script shows it.
#include "rules/pickups.h"

#include "rules/input.h"

namespace kelvorn {

namespace {
// Floors 1..10 give 1, 11..20 give 2, ... 41..50 give 5; floor 0 gives 0.
int floorBand(int floor) { return (floor + 9) / 10; }
}  // namespace

void pickup(Game& game, TileCode item) {
  const std::int64_t r = game.state.levelFactor();
  const std::int64_t b = floorBand(game.state[gs::Floor]);
  // "Got ... was", a blank, the gain, then " points up!" (or " point up!" for one).
  auto compose = [&](int entry, int stat, std::int64_t gain, bool singular) {
    game.state.add(stat, gain);
    game.bar.code = msg::Composed;
    game.bar.composed =
        game.messages.entry(entry) + " " + std::to_string(gain) +
        (singular && gain == 1 ? std::string(" point up!") : game.messages.entry(166));
  };
  auto key = [&](int field, int entry) {
    game.state.add(field, 1);
    game.bar.code = msg::Composed;
    game.bar.composed = game.messages.entry(entry);
  };
  switch (item) {
    case 29: key(gs::YellowKeys, 128); break;
    case 30: key(gs::RedKeys, 130); break;
    case 31: key(gs::BlueKeys, 129); break;
    case 32: compose(162, gs::Life, 50 * b * r, false); break;
    case 33: compose(163, gs::Life, 200 * b * r, false); break;
    case 34: compose(164, gs::Offense, b * r, true); break;
    case 35: compose(165, gs::Defense, b * r, true); break;
    case 36: break;  // an empty pickup: no gain, the last message stays
    default:
      if (item >= 37 && item <= 50) {
        static constexpr int kEntry[] = {149, 148, 167, 168, 169, 170, 171,
                                         172, 173, 174, 175, 176, 177, 178};
        const int slot = item - 36;
        game.state.itemSlot(slot) = slot == 7 ? 3 : 1;  // the warp staff comes with three uses
        game.bar.code = kEntry[item - 37] - 127;
      } else if (item >= 51 && item <= 60) {
        static constexpr int kGain[] = {10, 20, 40, 50, 100};
        const bool sword = item <= 55;
        const int level = sword ? item - 50 : item - 55;
        game.state[sword ? gs::SwordLevel : gs::ShieldLevel] = level;
        game.state[(sword ? gs::SwordOwned0 : gs::ShieldOwned0) + level - 1] = 1;
        compose((sword ? 151 : 156) + level, sword ? gs::Offense : gs::Defense,
                kGain[level - 1] * r, false);
      }
      break;
  }
  game.stack.push(wsMessage, static_cast<std::int16_t>(game.bar.code));
  game.stack.push(wsShowPanels);
  game.stack.push(wsPause);
  game.stack.push(wsSound, 2);
  game.timer2on();
  game.floors.setCell(game.state[gs::Floor], game.scene.targetCell, tile::Floor);
  walk(game);
}

}  // namespace kelvorn
