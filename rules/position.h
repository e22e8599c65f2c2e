// A position: what a game at rest is, to be taken back to later (undo) or to begin a
// replay from. It holds what the rules decide (GameState and FloorStore) and what the
// window shows of them when nothing is under way (the message bar and the monster
// panel); everything else is drawn again from these.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rules/floor_store.h"
#include "rules/game_state.h"

namespace kelvorn {

class Game;

struct Position {
  GameState state;
  FloorStore floors;
  int messageCode = 0;
  std::string composedMessage;
  int monsterKind = -1;
  std::int32_t monsterLife = 0;
  bool foeLifeCounted = false;  // a fight left the foe's life counted down on his panel
};

// True when the game waits for the player with nothing under way: no step pending, no
// box, window, button or cursor over the board, no scene, and the hero alive. Only such
// a game can be taken back to, saved automatically or replayed from.
bool atRest(const Game& game);

Position positionOf(const Game& game);

// Puts the game at a position as a load does, without the load's message.
void restorePosition(Game& game, const Position& position);

}  // namespace kelvorn
