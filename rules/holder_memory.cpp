#include "rules/holder_memory.h"

namespace kelvorn {

namespace {
bool validSlot(int n) { return n >= 1 && n <= 8; }
bool validRanking(int n) { return n >= 1 && n <= 5; }
}  // namespace

RankingLookup MemoryHost::judgementRanking(int n, int /*saveVersion*/) {
  if (validRanking(n) && contents_.rankings[static_cast<std::size_t>(n - 1)])
    return RankingLookup{*contents_.rankings[static_cast<std::size_t>(n - 1)], {}};
  return RankingLookup{temporaryRanking(n), {}};
}

std::string MemoryHost::handOver(const SavedGame& game) {
  contents_.handedOver = game;
  return {};
}

bool MemoryHost::slotExists(int n) { return contents_.slots.contains(n); }

std::string MemoryHost::writeSlot(int n, const SavedGame& game) {
  if (!validSlot(n)) return "no save slot " + std::to_string(n);
  contents_.slots.insert_or_assign(n, game);
  return {};
}

// A game kept in memory was checked when it was saved, so it is always valid.
SlotRead MemoryHost::readSlot(int n) {
  const auto found = contents_.slots.find(n);
  if (found == contents_.slots.end()) return {};
  return SlotRead{found->second, true};
}

std::string MemoryHost::writeOptions(const OptionBytes& block) {
  contents_.options = block;
  return {};
}

}  // namespace kelvorn
