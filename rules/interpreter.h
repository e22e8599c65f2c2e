// The interpreter of the work stack: what each step does, the scene scripts, life changes and
// death. Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void strikeMonster(Game& game, std::int64_t n, bool doubling);
void strikeHero(Game& game, std::int64_t n);
void perform(Game& game, const WorkStep& step);
void performScript(Game& game, int subStep, int param);
// Runs a scene function whose script replaces the running step.
void replaceRunningStep(Game& game, int subStep, int param);
void pushSceneScript(Game& game, int subStep, int param);
void revealStep(Game& game, const WorkStep& step);
void changeLife(Game& game, std::int32_t newLife);
void startDeath(Game& game, bool flush);

}  // namespace kelvorn
