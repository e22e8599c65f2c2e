// What the engine asks of the program around it. The engine never touches a window,
// a sound device or a file; it calls these and the host does the work (or nothing:
// every method has a silent default, which is what tests and the driver use).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/floor_store.h"
#include "rules/game_state.h"
#include "rules/options.h"
#include "rules/ranking.h"

namespace kelvorn {

// A game as a save slot holds it.
struct SavedGame {
  FloorStore floors;
  GameState state;
};

// A save file as read: nullopt when missing or too short; `valid` when it may be loaded
// (marker, checksums and every value the game relies on in range).
struct SlotRead {
  std::optional<SavedGame> game;
  bool valid = false;
};

class Host {
 public:
  virtual ~Host() = default;
  // Plays effect 1..4 (preloaded) or 7..10 (loaded anew each time). Only called while
  // effects are switched on.
  virtual void playEffect(int /*number*/) {}
  // Restarts the music with the file of `track`; a track without a file replays the
  // file that was set last.
  virtual void playMusic(int /*track*/) {}
  // Restarts the music with a file below the program folder that no track names (the
  // ending's thanks tune).
  virtual void playMusicFile(std::string_view /*relativePath*/) {}
  virtual void closeMusic() {}
  // The player asked to end the program.
  virtual void quit() {}

  // The stored top ten of checkpoint `n` (1..5) for a fairy's judgement. A table not
  // written yet is replaced by the temporary one quietly; one that fails its checks
  // also, with the message that says so in `problem`.
  virtual RankingLookup judgementRanking(int n, int /*saveVersion*/) {
    return RankingLookup{temporaryRanking(n), {}};
  }
  // Keeps the game as the hand-over copy for the ranking window; returns an error text
  // when it could not be written (the judgement completes all the same).
  virtual std::string handOver(const SavedGame& /*game*/) { return {}; }

  // Save slots 1..8 in the save holder.
  virtual bool slotExists(int /*n*/) { return false; }
  // Returns an error text, or empty when the game was written.
  virtual std::string writeSlot(int /*n*/, const SavedGame& /*game*/) { return "no save holder"; }
  virtual SlotRead readSlot(int /*n*/) { return {}; }
  virtual std::string writeOptions(const OptionBytes& /*block*/) { return "no save holder"; }

  // Windows of their own: the rankings, and the chooser of the save holder.
  virtual void openRanking() {}
  virtual void openHolderChooser() {}
  // The window takes its small or large layout and pictures; the game redraws itself
  // in it afterwards.
  virtual void changeWindowSize(bool /*large*/) {}
};

}  // namespace kelvorn
