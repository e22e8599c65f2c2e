#include "solver/position.h"

#include <algorithm>

#include "commands/command_table.h"

namespace kelvorn::solve {

using commands::answer, commands::line, commands::Reply, commands::Verb;

// The holder in memory, and the ranking window opened by the position itself.
class Position::Host : public MemoryHost {
 public:
  Host(HolderContents& holder, Position& position) : MemoryHost(holder), position_(position) {}
  void openRanking() override { position_.openRanking(); }

 private:
  Position& position_;
};

// The front end of the commands: the ranking window's input is taken by `run` before it
// gets here, and a search neither undoes nor resizes nor changes its holder.
class Position::Front : public commands::Front {
 public:
  storage::RankingBoard* rankingBoard() override { return nullptr; }
  void closeRanking() override {}
  bool canUndo() const override { return false; }
  bool canRedo() const override { return false; }
  void undo() override {}
  void redo() override {}
  void setSize(bool) override {}
  bool chooserInput(const commands::Command&) override { return false; }
};

Position::Position(const std::optional<SavedGame>& start, std::optional<bool> prologue)
    : host_(std::make_unique<Host>(holder_, *this)), front_(std::make_unique<Front>()) {
  // As kelvorn-play starts on a holder without an options file.
  std::optional<OptionBytes> options;
  if (const std::optional<bool> p = start ? prologue : prologue.value_or(false)) {
    options = builtInOptions();
    (*options)[opt::Prologue] = *p ? 1 : 0;
  }
  auto started = std::make_unique<Game>(content::builtIn(), host_.get());
  started->startUp(options);
  started_ = std::move(started);
  game_.emplace(*started_);
  if (start) game_->loadGame(start, true);
  versions_.push_back(holder_.rankings);
}

Position::~Position() = default;

void Position::noteRankings() {
  const auto known = std::find(versions_.begin(), versions_.end(), holder_.rankings);
  files_ = static_cast<int>(known - versions_.begin());
  if (known == versions_.end()) versions_.push_back(holder_.rankings);
}

void Position::restore(const Snapshot& s) {
  if (s.files != files_) {
    holder_.rankings = versions_.at(static_cast<std::size_t>(s.files));
    files_ = s.files;
  }
  if (!free()) {
    // A move left the game in the middle of something (a scene, a box, the rankings):
    // a fresh game loads the position as a saved game loads.
    ranking_.reset();
    game_.emplace(*started_);
    game_->loadGame(SavedGame{s.floors, s.state}, true);
  }
  // The load redraws the floor, which forgets the stairs the hero stood beside: the
  // position's own values are put back over it.
  game_->state = s.state;
  game_->floors = s.floors;
  game_->monsters.zenoRow() = s.zeno;
  game_->unlockInput();  // the item icons follow the items of the position
}

void Position::openRanking() {
  RankingWindow window;
  const std::optional<SavedGame>& handed = holder_.handedOver;
  window.checkpoint = handed ? handed->state[gs::Checkpoint] : 0;
  const int place = handed ? handed->state[gs::RankWon] : 0;
  window.nameAsked = window.checkpoint >= 1 && window.checkpoint <= 5 && place >= 1 && place <= 10;
  ranking_ = window;
}

void Position::enterName() {
  ranking_->nameAsked = false;
  SavedGame& copy = *holder_.handedOver;
  const int n = ranking_->checkpoint, place = copy.state[gs::RankWon];
  auto& stored = holder_.rankings[static_cast<std::size_t>(n - 1)];
  RankingRows rows = stored ? *stored : temporaryRanking(n);
  std::copy_backward(rows.begin() + place - 1, rows.end() - 1, rows.end());
  rows[static_cast<std::size_t>(place - 1)] = {copy.state[gs::LastScore], copy.state[gs::Life],
                                               copy.state[gs::Offense], copy.state[gs::Defense]};
  stored = rows;
  for (const int i : {gs::LastScore, gs::RankWon, gs::Checkpoint}) copy.state[i] = 0;
  noteRankings();
}

bool Position::carryOut(const std::string& command) {
  try {
    auto known = parsed_.find(command);
    if (known == parsed_.end()) known = parsed_.emplace(command, commands::parse(command)).first;
    const commands::Command& c = known->second;
    if (ranking_ && ranking_->nameAsked && c.verb == Verb::Input) {
      enterName();
    } else if (ranking_ && !ranking_->nameAsked && c.verb == Verb::ClickRankOk) {
      ranking_.reset();
      game_->rankingClosed();
    } else {
      commands::carryOut(c, *game_, *front_);
    }
    return true;
  } catch (const commands::CommandError&) {
    return false;
  }
}

bool Position::run(const std::string& command, std::vector<std::string>& log) {
  bool ok = carryOut(command);
  if (ok) log.push_back(command);
  if (ok && !game_->idle()) {
    const std::string wait = line(Verb::Wait);
    ok = carryOut(wait);
    if (ok) log.push_back(wait);
  }
  return ok;
}

std::vector<std::string> Position::choices() const {
  const Game& g = *game_;
  const Controls& c = g.controls;
  if (ranking_) {
    if (ranking_->nameAsked) return {line(Verb::Input, "Hero")};
    return {line(Verb::ClickRankOk)};
  }
  if (g.dialogs.notice) return {answer(Reply::Ok)};
  if (g.question) return {answer(Reply::Yes), answer(Reply::No)};
  if (c.altarChoicesVisible)
    return {line(Verb::ClickAltar, 1), line(Verb::ClickAltar, 2), line(Verb::ClickAltar, 3),
            line(Verb::ClickAltar, 4)};
  if (c.yesNoVisible) {
    if (c.noEnabled) return {line(Verb::ClickYes), line(Verb::ClickNo)};
    return {line(Verb::ClickYes)};
  }
  if (c.windowVisible && c.okVisible) return {line(Verb::ClickOk)};
  if (c.confirmSlot >= 0) return {line(Verb::ClickUse)};
  if (c.flightVisible) {
    std::vector<std::string> out;
    if (c.flightUpEnabled) out.push_back(line(Verb::ClickFlyUp));
    if (c.flightDownEnabled) out.push_back(line(Verb::ClickFlyDown));
    out.push_back(line(Verb::ClickFlyOk));
    return out;
  }
  if (c.hintGridVisible) return {line(Verb::ClickHintOk)};
  if (c.forecastVisible) return {line(Verb::ClickForecastOk)};
  return {};
}

bool Position::free() const {
  const Game& g = *game_;
  return g.idle() && !g.waitingForPlayer() && !g.timers.enabled(TimerId::Steps) &&
         g.stack.count() == 0 && g.controls.optionsEnabled && choices().empty();
}

}  // namespace kelvorn::solve
