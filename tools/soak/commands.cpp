#include "tools/soak/commands.h"

#include <vector>

#include "commands/command_table.h"

namespace kelvorn::soak {

using commands::answer, commands::choiceLine, commands::line, commands::Reply, commands::Verb;

std::string Player::next(const commands::Driver& driver) {
  const Game& game = driver.game();
  // The driver's windows first, as their boxes sit over the game's.
  if (const storage::RankingBoard* board = driver.ranking(); board && rng_.percent(90))
    return rankingWindow(*board);
  if (driver.chooser() && rng_.percent(90))
    return line(rng_.percent(70) ? Verb::ClickHolderOk : Verb::ClickHolderCancel);
  if (game.dialogs.notice && rng_.percent(90)) return answer(Reply::Ok);
  if (game.question && rng_.percent(90)) {
    // Quitting ends the game being played: rare, as are the new games the soak starts
    // itself.
    const bool quit = game.question->kind == QuestionKind::GameQuit;
    return answer(rng_.percent(quit ? 3 : 60) ? Reply::Yes : Reply::No);
  }

  // The controls but the arrows, which `move` clicks.
  std::vector<std::string> controls;
  const std::string arrow = commands::control(Verb::ClickArrow) + " ";
  for (const std::string& name : commands::activeControls(game))
    if (!name.starts_with(arrow)) controls.push_back(commands::clickLine(name));
  arrows_ =
      game.controls.arrowsVisible && game.controls.arrowsEnabled && (arrows_ || rng_.percent(5));
  switch (rng_.weighted({60, controls.empty() ? 0 : 30, 3, 12, 8, 1})) {
    case 0: return move();
    case 1: return controls[rng_.below(static_cast<int>(controls.size()))];
    case 2: return line(rng_.percent(60) ? Verb::Enter : Verb::Escape);
    case 3: return time();
    case 4: return menu();
    default: return line(Verb::Dump);
  }
}

// Runs of the same direction, so the hero walks along corridors and meets what lies
// further than a step away.
std::string Player::move() {
  if (rng_.percent(40)) direction_ = rng_.below(4);
  return arrows_ && rng_.percent(80) ? choiceLine(Verb::ClickArrow, direction_)
                                     : line(commands::kArrowKeys[direction_]);
}

std::string Player::time() {
  if (rng_.percent(60)) return line(Verb::Wait);
  static constexpr int kMs[] = {1, 10, 150, 250, 350, 1000, 5000};
  return line(Verb::Tick, kMs[rng_.below(std::size(kMs))]);
}

std::string Player::menu() {
  const int slot = rng_.percent(80) ? rng_.between(1, 4) : rng_.between(5, 8);
  // One of a choice item's words, at random.
  auto any = [&](Verb item) {
    return choiceLine(item, rng_.below(static_cast<int>(commands::choices(item).size())));
  };
  switch (rng_.weighted({6, 2, 14, 12, 8, 3, 6, 2, 4, 4, 3, 3, 4, 4, 2})) {
    case 0: return line(Verb::MenuGameStart);
    case 1: return line(Verb::MenuGameQuit);
    case 2: return line(Verb::MenuLoad, slot);
    case 3: return line(Verb::MenuSave, slot);
    case 4: return any(Verb::MenuSpeed);
    case 5: return any(Verb::MenuFont);
    case 6: return choiceLine(Verb::MenuControl, rng_.percent(50) ? 0 : 1);
    case 7: return line(Verb::MenuPrologue);
    case 8: return line(Verb::MenuMusic);
    case 9: return line(Verb::MenuSound);
    case 10: return line(Verb::MenuOptionSave);
    case 11: return line(Verb::MenuOptionInit);
    case 12: return choiceLine(Verb::MenuSize, rng_.percent(50) ? 0 : 1);
    case 13: return line(Verb::MenuRanking);
    default: return line(Verb::MenuHolder);
  }
}

std::string Player::rankingWindow(const storage::RankingBoard& board) {
  if (!board.notices.empty()) return answer(Reply::Ok);
  if (board.nameRequested())
    return rng_.percent(80) ? line(Verb::Input, "Soak " + std::to_string(rng_.below(100)))
                            : line(Verb::InputCancel);
  if (board.clearAsked()) return answer(rng_.percent(50) ? Reply::Yes : Reply::No);
  switch (rng_.weighted({6, 3, board.clearEnabled() ? 1 : 0})) {
    case 0: return line(Verb::ClickRankOk);
    case 1: return line(Verb::ClickRank, rng_.between(1, 5));
    default: return line(Verb::ClickRankClear);
  }
}

}  // namespace kelvorn::soak
