// A save holder kept in memory: the eight save slots, the options block, the stored
// top tens a fairy's judgement reads and the game it hands over to the ranking window.
// MemoryHost answers the rules' save-holder calls from it, so a game played for a
// search (or a test) saves, loads and is judged without touching a disk.
#pragma once

#include <array>
#include <map>
#include <optional>

#include "rules/host.h"

namespace kelvorn {

struct HolderContents {
  std::map<int, SavedGame> slots;  // by slot number 1..8
  std::optional<OptionBytes> options;
  // The stored top ten of checkpoints 1..5; one never written reads as the temporary one.
  std::array<std::optional<RankingRows>, 5> rankings;
  std::optional<SavedGame> handedOver;  // the last game a judgement handed over
};

class MemoryHost : public Host {
 public:
  explicit MemoryHost(HolderContents& contents) : contents_(contents) {}

  RankingLookup judgementRanking(int n, int saveVersion) override;
  std::string handOver(const SavedGame& game) override;
  bool slotExists(int n) override;
  std::string writeSlot(int n, const SavedGame& game) override;
  SlotRead readSlot(int n) override;
  std::string writeOptions(const OptionBytes& block) override;

 private:
  HolderContents& contents_;
};

}  // namespace kelvorn
