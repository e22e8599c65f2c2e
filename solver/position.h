// The solver's one seam onto the rules: a game played by the command library on its own,
// with its save holder kept in memory, which can be set to any position and asked what
// the player may do. Every outcome comes from the rules; nothing here knows a rule of
// the game. The commands it carries out are the lines of a kelvorn-play script, so a
// route it finds replays through kelvorn-play as it was found. Nothing is written to disk.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "commands/carry_out.h"
#include "rules/game.h"
#include "rules/holder_memory.h"

namespace kelvorn::solve {

struct Snapshot {
  GameState state;
  FloorStore floors;
  // Which of the rankings seen in the search the holder had (see `Position`): the
  // fairies' rankings written so far decide which boxes a later judgement shows.
  int files = 0;
  // The monster row that changes in play (Zeno's: his seal, the final battle).
  MonsterStats zeno;
};

class Position {
 public:
  // A new game (prologue off unless asked), then `start` loaded as `kelvorn-play --load`
  // loads a file, into an empty holder as kelvorn-play's own starts.
  Position(const std::optional<SavedGame>& start, std::optional<bool> prologue);
  ~Position();
  Position(const Position&) = delete;
  Position& operator=(const Position&) = delete;

  const Game& game() const { return *game_; }
  Snapshot snapshot() const {
    return {game_->state, game_->floors, files_, game_->monsters[kind::Zeno]};
  }
  // Puts the game at `s` with nothing pending, as after a move played to its end.
  void restore(const Snapshot& s);

  // Carries out one script line, then `wait` when the game is busy; appends what ran to
  // `log`. False when the line had no target or the game did not settle.
  bool run(const std::string& command, std::vector<std::string>& log);
  // The answers the game waits for now (a box, a window, the rankings), as script lines;
  // empty when it waits for none.
  std::vector<std::string> choices() const;
  // True when the hero can be moved: nothing plays, nothing asks.
  bool free() const;

 private:
  class Host;
  class Front;
  // The ranking window a judgement opens, kept here as kelvorn-play keeps it: it asks
  // for the hero's name when he won a place, and registers the place under it.
  struct RankingWindow {
    int checkpoint = 0;
    bool nameAsked = false;
  };
  void openRanking();
  void enterName();
  // Notes the rankings now in the holder as a version of their own (see `files_`).
  void noteRankings();
  bool carryOut(const std::string& command);

  HolderContents holder_;
  std::unique_ptr<Host> host_;
  std::unique_ptr<Front> front_;
  // The game as it started, before anything was loaded: a position put back in the
  // middle of something (a scene, a box) is loaded into a copy of it, as a save is.
  std::unique_ptr<const Game> started_;
  std::optional<Game> game_;
  std::optional<RankingWindow> ranking_;
  // The lines carried out so far, read once: a search carries out a few kinds of line
  // many thousand times.
  std::unordered_map<std::string, commands::Command> parsed_;
  // Every set of rankings the holder has had in this search; version 0 is the empty
  // holder a replay through kelvorn-play starts with.
  std::vector<decltype(HolderContents::rankings)> versions_;
  int files_ = 0;  // the version in the holder now
};

}  // namespace kelvorn::solve
