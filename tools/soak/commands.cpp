#include "tools/soak/commands.h"

#include <vector>

namespace kelvorn::soak {

namespace {
constexpr const char* kDirections[] = {"up", "left", "right", "down"};
}

std::string Player::next(const play::Driver& driver) {
  const Game& game = driver.game();
  // The driver's windows first, as their boxes sit over the game's.
  if (const storage::RankingBoard* board = driver.ranking(); board && rng_.percent(90))
    return rankingWindow(*board);
  if (driver.chooser() && rng_.percent(90))
    return rng_.percent(70) ? "click holder-ok" : "click holder-cancel";
  if (game.dialogs.notice && rng_.percent(90)) return "answer ok";
  if (game.question && rng_.percent(90)) {
    // Quitting ends the game being played: rare, as are the new games the soak starts
    // itself.
    const bool quit = game.question->kind == QuestionKind::GameQuit;
    return rng_.percent(quit ? 3 : 60) ? "answer yes" : "answer no";
  }

  std::vector<std::string> controls;
  for (std::string& name : play::activeControls(game))
    if (name.rfind("arrow ", 0) != 0) controls.push_back(std::move(name));
  arrows_ =
      game.controls.arrowsVisible && game.controls.arrowsEnabled && (arrows_ || rng_.percent(5));
  switch (rng_.weighted({60, controls.empty() ? 0 : 30, 3, 12, 8, 1})) {
    case 0: return move();
    case 1: return "click " + controls[rng_.below(static_cast<int>(controls.size()))];
    case 2: return rng_.percent(60) ? "enter" : "escape";
    case 3: return time();
    case 4: return menu();
    default: return "dump";
  }
}

// Runs of the same direction, so the hero walks along corridors and meets what lies
// further than a step away.
std::string Player::move() {
  if (rng_.percent(40)) direction_ = rng_.below(4);
  const std::string dir = kDirections[direction_];
  return arrows_ && rng_.percent(80) ? "click arrow " + dir : dir;
}

std::string Player::time() {
  if (rng_.percent(60)) return "wait";
  static constexpr int kMs[] = {1, 10, 150, 250, 350, 1000, 5000};
  return "tick " + std::to_string(kMs[rng_.below(std::size(kMs))]);
}

std::string Player::menu() {
  const std::string slot =
      " " + std::to_string(rng_.percent(80) ? rng_.between(1, 4) : rng_.between(5, 8));
  static constexpr const char* kSpeeds[] = {"high", "middle", "low"};
  static constexpr const char* kFonts[] = {"tiny", "small", "normal", "big"};
  switch (rng_.weighted({6, 2, 14, 12, 8, 3, 6, 2, 4, 4, 3, 3, 4, 4, 2})) {
    case 0: return "menu game-start";
    case 1: return "menu game-quit";
    case 2: return "menu load" + slot;
    case 3: return "menu save" + slot;
    case 4: return std::string("menu speed ") + kSpeeds[rng_.below(3)];
    case 5: return std::string("menu font ") + kFonts[rng_.below(4)];
    case 6: return rng_.percent(50) ? "menu control keyboard" : "menu control mouse";
    case 7: return "menu prologue";
    case 8: return "menu music";
    case 9: return "menu sound";
    case 10: return "menu option-save";
    case 11: return "menu option-init";
    case 12: return rng_.percent(50) ? "menu size small" : "menu size large";
    case 13: return "menu ranking";
    default: return "menu holder";
  }
}

std::string Player::rankingWindow(const storage::RankingBoard& board) {
  if (!board.notices.empty()) return "answer ok";
  if (board.nameRequested())
    return rng_.percent(80) ? "input Soak " + std::to_string(rng_.below(100)) : "input-cancel";
  if (board.clearAsked()) return rng_.percent(50) ? "answer yes" : "answer no";
  switch (rng_.weighted({6, 3, board.clearEnabled() ? 1 : 0})) {
    case 0: return "click rank-ok";
    case 1: return "click rank " + std::to_string(rng_.between(1, 5));
    default: return "click rank-clear";
  }
}

}  // namespace kelvorn::soak
