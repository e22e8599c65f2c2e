// What the engine asks of the program around it. The engine never touches a window,
// a sound device or a file; it calls these and the host does the work (or nothing:
// every method has a silent default, which is what tests and the driver use).
#pragma once

#include <string>

#include "engine/ranking.h"

namespace kelvorn {

struct SavedGame;

class Host {
 public:
  virtual ~Host() = default;
  // Plays effect 1..4 (preloaded) or 7..10 (loaded anew each time). Only called while
  // effects are switched on.
  virtual void playEffect(int /*number*/) {}
  // Restarts the music with the file of `track`; a track without a file replays the
  // file that was set last.
  virtual void playMusic(int /*track*/) {}
  virtual void closeMusic() {}
  // The player asked to end the program.
  virtual void quit() {}

  // The stored top ten of checkpoint `n` (1..5) for a fairy's judgement. A table that
  // is missing or fails its checks is replaced by the temporary one, with the message
  // that says so in `problem`.
  virtual RankingLookup judgementRanking(int n, int /*saveVersion*/) {
    return RankingLookup{temporaryRanking(n), {}};
  }
  // Keeps the game as the hand-over copy for the ranking window; returns an error text
  // when it could not be written (the judgement completes all the same).
  virtual std::string handOver(const SavedGame& /*game*/) { return {}; }
};

}  // namespace kelvorn
