// The upkeep behind the facade (game.cpp): a new game's controls, the icons, the message bar and
// the music. Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void refreshIcons(Game& game);
void hideDialogControls(Game& game);
void startNewGameFromMenu(Game& game);
// True while a script plays: steps wait on the stack or the step timer runs.
bool scriptPending(const Game& game);
// Refreshes the floor label and the message bar from the floor and the message code.
void disp(Game& game);
// The band tune of the current floor becomes the track; playTrack (re)starts the track.
void chooseFloorTrack(Game& game);
void playTrack(Game& game);

}  // namespace kelvorn
