// What makes a boss more than a monster: the scripts of his appearance, the guard ring of
// floor 49, the seal on Zeno and its undoing, and his strength in a later game.
#pragma once

#include <span>

#include "rules/floor_store.h"
#include "rules/game_state.h"
#include "rules/monsters.h"
#include "rules/scene_script.h"

namespace kelvorn {

// A figure fades in over a background picture on a cell through the appearance masks
// (drawn only: the caller writes the figure where it stays).
SceneScript fadeIn(int cell, int background, int figure);
// Zeno appears on a cell, with his sound.
SceneScript zenoAppearance(int cell);
// Magic Sergeants fade in together on the given cells (drawn only).
SceneScript sergeantsAppearance(std::span<const int> cells);
// Zeno's guard ring on `floor`: eight Magic Sergeants round cell 27 are written at once;
// the script shows them rising, clockwise from the top-left corner.
SceneScript guardRing(FloorStore& floors, int floor);

// The seal of five is undone: Zeno's row is multiplied back by ten. Nothing happens
// while the seal is not set.
void liftSeal(GameState& state, MonsterTable& monsters);
// Zeno met on floor 50 of a later game without carry-over fights with life 1000,
// offense 625 and defense 125 (before the level factor), whoever starts the battle.
void weakenZenoForLaterGame(const GameState& state, int foe, MonsterTable& monsters);

}  // namespace kelvorn
