#include "solver/position.h"

#include <cstdlib>
#include <stdexcept>

#include "commands/command_table.h"
#include "storage/files.h"

namespace kelvorn::solve {

using commands::answer, commands::line, commands::Reply, commands::Verb;

namespace {
// A save holder of the solver's own, so the fairies' rankings it plays through never
// touch a player's files.
std::filesystem::path makeHolder() {
  std::error_code ec;
  std::string pattern =
      (std::filesystem::temp_directory_path(ec) / "kelvorn-solve-XXXXXX").string();
  if (ec || !mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  return pattern;
}
}  // namespace

Position::Position(const std::optional<SavedGame>& start, std::optional<bool> prologue)
    : prologue_(start ? prologue : prologue.value_or(false)), holder_(makeHolder()) {
  startDriver();
  if (start) driver_->game().loadGame(start, true);
  readFiles();
}

Position::~Position() {
  driver_.reset();
  std::error_code ec;
  std::filesystem::remove_all(holder_, ec);
}

void Position::startDriver() {
  commands::DriverOptions options{holder_, std::nullopt, prologue_};
  options.undo = false;  // a search goes back by restoring positions, never by undo
  driver_.emplace(std::move(options), quiet_, quiet_);
  driver_->startUp();  // no view is attached: the game plays by its rules alone
}

void Position::readFiles() {
  Files now;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(holder_, ec))
    if (auto bytes = storage::readFile(entry.path()))
      now.emplace(entry.path().filename().string(), std::move(*bytes));
  const auto [known, fresh] =
      versionOf_.emplace(std::move(now), static_cast<int>(versions_.size()));
  if (fresh) versions_.push_back(&known->first);
  files_ = known->second;
}

void Position::writeFiles(int n) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(holder_, ec))
    std::filesystem::remove_all(entry.path(), ec);
  std::string error;
  for (const auto& [name, bytes] : *versions_.at(static_cast<std::size_t>(n)))
    if (!storage::writeFileAtomic(holder_ / name, bytes, error))
      throw std::runtime_error("cannot write the solver's save holder: " + error);
  files_ = n;
}

void Position::restore(const Snapshot& s) {
  if (s.files != files_) writeFiles(s.files);
  if (!free()) {
    // A move left the game in the middle of something (a scene, a box, the rankings):
    // a fresh game loads the position as a saved game loads.
    startDriver();
    driver_->game().loadGame(SavedGame{s.floors, s.state}, true);
  }
  Game& fresh = driver_->game();
  // The load redraws the floor, which forgets the stairs the hero stood beside: the
  // position's own values are put back over it.
  fresh.state = s.state;
  fresh.floors = s.floors;
  fresh.unlockInput();  // the item icons follow the items of the position
}

bool Position::run(const std::string& command, std::vector<std::string>& log) {
  // Only a judgement (the game handed to the rankings) and the rankings write to the
  // holder.
  const bool ranking = driver_->ranking();
  const int visits = game().state[gs::FairyVisits];
  bool ok = driver_->runLine(command) == commands::kExitOk;
  if (ok) log.push_back(command);
  if (ok && !game().idle()) {
    const std::string wait = line(Verb::Wait);
    ok = driver_->runLine(wait) == commands::kExitOk;
    if (ok) log.push_back(wait);
  }
  if (ranking || driver_->ranking() || game().state[gs::FairyVisits] != visits) readFiles();
  return ok;
}

std::vector<std::string> Position::choices() const {
  const Game& g = game();
  const Controls& c = g.controls;
  if (const storage::RankingBoard* r = driver_->ranking()) {
    if (!r->notices.empty()) return {answer(Reply::Ok)};
    if (r->nameRequested()) return {line(Verb::Input, "Hero")};
    if (r->clearAsked()) return {answer(Reply::No)};
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
  const Game& g = game();
  return g.idle() && !g.waitingForPlayer() && !g.timers.enabled(TimerId::Steps) &&
         g.stack.count() == 0 && g.controls.optionsEnabled && !driver_->chooser() &&
         choices().empty();
}

}  // namespace kelvorn::solve
