#include "storage/save_file.h"

#include <algorithm>

#include "storage/bytes.h"

namespace kelvorn::storage {

namespace {
constexpr std::size_t kStateOffset = kFloorStoreSize;               // 6273
constexpr std::size_t kExtraOffset = kStateOffset + gs::kSize * 4;  // 6929
static_assert(kExtraOffset + extra::kSize * 4 == kSaveFileSize);
}  // namespace

void stampChecksums(GameState& state) {
  state.extra[extra::Sum] = plainSum(state);
  state.extra[extra::AlternatingSum] = alternatingSum(state);
}

std::vector<std::uint8_t> encodeSave(const SavedGame& game) {
  std::vector<std::uint8_t> out(game.floors.bytes().begin(), game.floors.bytes().end());
  out.reserve(kSaveFileSize);
  for (std::int32_t v : game.state.v) appendI32(out, v);
  for (std::int32_t v : game.state.extra) appendI32(out, v);
  return out;
}

std::optional<DecodedSave> decodeSave(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kSaveFileSize) return std::nullopt;
  DecodedSave result;
  std::copy_n(bytes.begin(), kFloorStoreSize, result.game.floors.bytes().begin());
  for (int i = 0; i < gs::kSize; ++i) result.game.state.v[i] = readI32(bytes, kStateOffset + 4 * i);
  for (int i = 0; i < extra::kSize; ++i)
    result.game.state.extra[i] = readI32(bytes, kExtraOffset + 4 * i);
  const GameState& s = result.game.state;
  result.valid = bytes.size() == kSaveFileSize && s[gs::SaveVersion] == gs::kSaveVersion &&
                 s.extra[extra::Sum] == plainSum(s) &&
                 s.extra[extra::AlternatingSum] == alternatingSum(s);
  return result;
}

}  // namespace kelvorn::storage
