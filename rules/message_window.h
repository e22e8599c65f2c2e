// The message boxes and Yes/No questions, and the death script.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void pushDeathScript(Game& game);
// Shows the question last covered, when none shows.
void uncoverQuestion(Game& game);
// Asks a Yes/No question. One already showing waits under it and shows again once
// this one is answered, so no question (and the input it holds) is ever lost.
void ask(Game& game, Question asked);
// Shows a plain message box, after the one already showing if there is one.
void showNotice(Game& game, std::string text);

}  // namespace kelvorn
