// The engine's file requests answered from a save holder: slots, the hand-over copy,
// options and the rankings a fairy consults. The window and the headless driver both
// build on it and add what only they can do (sound, other windows).
#pragma once

#include <filesystem>

#include "rules/host.h"
#include "storage/save_holder.h"

namespace kelvorn::storage {

class HolderHost : public Host {
 public:
  explicit HolderHost(const std::filesystem::path& folder) : holder_(folder) {}

  const SaveHolder& holder() const { return holder_; }
  void setHolder(const std::filesystem::path& folder) { holder_ = SaveHolder(folder); }

  RankingLookup judgementRanking(int n, int saveVersion) override {
    return holder_.readRanking(n, saveVersion);
  }
  std::string handOver(const SavedGame& game) override { return holder_.writeHandOver(game); }
  bool slotExists(int n) override { return holder_.slotExists(n); }
  std::string writeSlot(int n, const SavedGame& game) override { return holder_.writeSlot(n, game); }
  SlotRead readSlot(int n) override { return holder_.readSlot(n); }
  std::string writeOptions(const OptionBytes& block) override { return holder_.writeOptions(block); }

 private:
  SaveHolder holder_;
};

}  // namespace kelvorn::storage
