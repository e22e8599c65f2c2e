// The game's replay: kept from the Game menu's Save Replay... box, and played back in the
// window (kelvorn --replay), from its starting game in a save holder of its own, its
// commands carried out as the player's input would be.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "rules/game.h"
#include "storage/holder_host.h"
#include "ui/replay_player.h"
#include "ui/widgets.h"

namespace kelvorn::ui {

class Replays {
 public:
  // A replay played back saves into a holder of its own, handed to `host` while it plays.
  Replays(Game& game, storage::HolderHost& host) : game_(game), host_(host) {}
  ~Replays();
  Replays(const Replays&) = delete;
  Replays& operator=(const Replays&) = delete;

  // Writes the game's replay to `script` and its starting game beside it; an error text,
  // or empty.
  std::string save(const std::filesystem::path& script) const;
  void openSaveBox() { saveBoxOpen_ = true; }
  bool saveBoxOpen() const { return saveBoxOpen_; }
  void drawSaveBox(const Canvas& canvas);

  // Begins the replay of `script`, `speed` times as fast as it was played; false with
  // the reason when it cannot.
  bool start(const std::filesystem::path& script, int speed, std::string& error);
  bool playing() const { return player_.has_value(); }
  // Plays on for `elapsed` ms of real time, each command through `command`; false once
  // the replay has played out or stopped at a command that cannot be carried out.
  bool play(int elapsed, const std::function<bool(const std::string&)>& command);
  // The replay ends (played out or stopped by Escape): the player's own holder takes
  // over again.
  void end();

 private:
  Game& game_;
  storage::HolderHost& host_;
  bool saveBoxOpen_ = false;
  std::array<char, 1024> path_{};
  std::string note_;  // what the Save Replay box says after a try
  std::optional<ReplayPlayer> player_;
  int speed_ = 1;
  std::filesystem::path folder_;         // the replay's own holder; removed when it ends
  std::filesystem::path playersHolder_;  // the holder it stands in for
};

}  // namespace kelvorn::ui
