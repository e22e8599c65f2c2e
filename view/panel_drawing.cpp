// The side panels: key icons, sword and shield, the fifteen item icons and the
// monster just fought.
#include "view/game_drawing.h"

namespace kelvorn {

namespace {
struct Equipment {
  const char* shortName;
  const char* sword;
  const char* shield;
};
constexpr Equipment kEquipment[] = {{"      ", "", ""},
                                    {"Iron", "Iron Sword", "Iron Shield"},
                                    {"Silver", "Silver Sword", "Silver Shield"},
                                    {"Knight", "Knight Sword", "Knight Shield"},
                                    {"Holy", "Holy Sword", "Holy Shield"},
                                    {"Sacred", "Sacred Sword", "Sacred Shield"}};
}  // namespace

void GameDrawing::drawKeyPanel() {
  const GameState& state = game_.play.state;
  int red = state[gs::RedKeys], blue = state[gs::BlueKeys], yellow = state[gs::YellowKeys];
  panels.keyPanelVisible = red + blue + yellow > 0;
  if (!panels.keyPanelVisible) return;
  const int half = layout.tileSize / 2;
  panels.keyPanel = Bitmap(6 * half, 4 * half);
  for (int i = 0; i < 24; ++i) {
    int icon = keyicon::Empty;
    if (red > 0)
      --red, icon = keyicon::Red;
    else if (blue > 0)
      --blue, icon = keyicon::Blue;
    else if (yellow > 0)
      --yellow, icon = keyicon::Yellow;
    draw(panels.keyPanel, (i % 6) * half, (i / 6) * half, pictures.keys[icon]);
  }
}

void GameDrawing::drawItemPanel() {
  const GameState& state = game_.play.state;
  const Bitmap& blank = pictures.tiles[image::EmptySlot];
  auto equipment = [&](int level, int firstImage, Bitmap& icon, std::string& name,
                       std::string& hint, bool sword) {
    const bool held = level >= 1 && level <= 5;
    // At level 0 the icon shows the empty slot rather than a weapon no longer held.
    icon =
        held ? composeOver(blank, firstImage + level, pictures.masks, firstImage + level) : blank;
    const Equipment& e = kEquipment[held ? level : 0];
    name = e.shortName;
    hint = sword ? e.sword : e.shield;
  };
  equipment(state[gs::SwordLevel], image::FirstSword, panels.swordIcon, panels.swordName,
            panels.swordHint, true);
  equipment(state[gs::ShieldLevel], image::FirstShield, panels.shieldIcon, panels.shieldName,
            panels.shieldHint, false);
  for (int s = 0; s < kItemSlots; ++s) {
    const int picture = image::FirstItem + s;
    panels.itemIcons[s] =
        state.itemSlot(s) != 0 ? composeOver(blank, picture, pictures.masks, picture) : blank;
  }
}

Bitmap GameDrawing::portrait(int kind) const {
  const int picture = portraitImage(kind);
  return composeOver(pictures.tiles[image::EmptySlot], picture, pictures.masks, picture);
}

void GameDrawing::drawMonsterPanel() {
  const int monsterKind = game_.scene.monsterKind;
  const MessageTable& messages = game_.messages;
  panels.monsterPicture = pictures.tiles[image::EmptySlot];
  if (monsterKind >= 0) {
    panels.monsterPicture = portrait(monsterKind);
    panels.monsterPictureVisible = true;
    panels.monsterName = messages.entry(monsterNameEntry(monsterKind));
    panels.monsterStatsRightAligned = true;
    if (monsterKind < kMonsterKinds) {
      const MonsterStats& m = game_.play.monsters[monsterKind];
      const std::int64_t factor = game_.play.state.levelFactor();
      panels.monsterStats = {std::to_string(m.life * factor), std::to_string(m.offense * factor),
                             std::to_string(m.defense * factor)};
    }
    return;
  }
  panels.monsterPictureVisible = false;
  panels.monsterName = messages.entry(msg::TheName);
  panels.monsterStatsRightAligned = false;
  panels.monsterStats = {messages.entry(214), messages.entry(215), messages.entry(216)};
}

void GameDrawing::foeLifeChanged() {
  panels.monsterStats[0] = std::to_string(game_.scene.monsterLife);
}

}  // namespace kelvorn
