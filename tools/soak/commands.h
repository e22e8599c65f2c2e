// The soak's player: one random driver command at a time, chosen from what the game
// shows (arrows above all, then the visible controls, the boxes' answers, the menus and
// time), so most commands do something and a few try what is not there.
#pragma once

#include <string>

#include "commands/driver.h"
#include "tools/soak/rng.h"

namespace kelvorn::soak {

class Player {
 public:
  explicit Player(Rng& rng) : rng_(rng) {}
  // The next command, as a line of a kelvorn-play script.
  std::string next(const commands::Driver& driver);

 private:
  std::string move();
  std::string menu();
  std::string time();
  std::string rankingWindow(const storage::RankingBoard& board);

  Rng& rng_;
  int direction_ = 0;
  bool arrows_ = false;  // clicks the on-screen arrows instead of pressing keys
};

}  // namespace kelvorn::soak
