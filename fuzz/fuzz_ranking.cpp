// Any bytes as a ranking table, read as any of the five rankings: the reader either
// trusts the table or gives the temporary one with a reason, and a trusted table is
// written back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "rules/game_state.h"
#include "storage/ranking_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvorn;
  if (size == 0) return 0;
  const int n = data[0] % 5 + 1;
  const std::vector<std::uint8_t> bytes(data + 1, data + size);
  const RankingLookup lookup = storage::decodeRanking(bytes, n, gs::kSaveVersion);
  if (lookup.problem.empty()) {
    const auto again = storage::encodeRanking(lookup.rows, n, gs::kSaveVersion);
    if (bytes.size() < storage::kRankingFileSize ||
        std::memcmp(again.data(), bytes.data(), storage::kRankingFileSize) != 0)
      __builtin_trap();
  } else if (lookup.rows != temporaryRanking(n)) {
    __builtin_trap();
  }
  return 0;
}
