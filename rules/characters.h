// The characters: the old men, merchants, the thief, the fairies and the altar, and the message
// window they talk in. Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

// Characters.
void oldMan(Game& game);
void merchant(Game& game);
void thief(Game& game);
void fairy(Game& game);
void altarOffer(Game& game);
void openDialog(Game& game, const std::string& text, bool ok);
void closeDialog(Game& game);
void moveThiefOn29(Game& game);
void jailTunnelThief(Game& game);

}  // namespace kelvorn
