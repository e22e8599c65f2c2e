#include "solver/state_key.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace kelvorn::solve {

namespace {

constexpr int kValues = gs::kSize + extra::kSize;

std::int32_t value(const GameState& s, int i) {
  return i < gs::kSize ? s.v[static_cast<std::size_t>(i)]
                       : s.extra[static_cast<std::size_t>(i - gs::kSize)];
}
std::int32_t& value(GameState& s, int i) {
  return i < gs::kSize ? s.v[static_cast<std::size_t>(i)]
                       : s.extra[static_cast<std::size_t>(i - gs::kSize)];
}

bool ignored(int i) {
  return i == gs::Facing || i == gs::MusicTrack || i == gs::SoundOff ||
         i == gs::kSize + extra::Sum || i == gs::kSize + extra::AlternatingSum;
}
bool monotone(int i) { return std::find(kMonotone.begin(), kMonotone.end(), i) != kMonotone.end(); }

// What the hashes read of each value: nothing, only the whole position, or both.
enum Read : std::uint8_t { kNotRead, kWholeOnly, kBoth };
const std::array<std::uint8_t, kValues>& reads() {
  static const auto table = [] {
    std::array<std::uint8_t, kValues> t{};
    for (int i = 0; i < kValues; ++i) t[static_cast<std::size_t>(i)] = ignored(i) ? kNotRead : monotone(i) ? kWholeOnly : kBoth;
    return t;
  }();
  return table;
}

// Two independent 64-bit mixes over the same words: a collision would have to fool both.
struct Hasher {
  std::uint64_t a = 0x9e3779b97f4a7c15ull, b = 0xc2b2ae3d27d4eb4full;
  void add(std::uint64_t w) {
    a = (a ^ w) * 0xff51afd7ed558ccdull;
    a ^= a >> 32;
    b = (b + w) * 0xc4ceb9fe1a85ec53ull;
    b ^= b >> 29;
  }
};

void put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int k = 0; k < bytes; ++k) out.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
}
std::uint32_t get(const std::vector<std::uint8_t>& in, std::size_t& at, int bytes) {
  std::uint32_t v = 0;
  for (int k = 0; k < bytes; ++k) v |= std::uint32_t{in.at(at++)} << (8 * k);
  return v;
}

}  // namespace

// Layout: the holder's files version; 1 and Zeno's row when it differs, else 0; the count
// of changed values, then (index byte, value) for each; the count of changed cells, then
// (offset, byte) for each.
std::vector<std::uint8_t> Packer::pack(const Snapshot& s, const Cells& cells) const {
  return packAgainst(base_, s, cells);
}

std::vector<std::uint8_t> packAgainst(const Snapshot& base, const Snapshot& s, const Cells& cells) {
  std::vector<int> values;
  for (int i = 0; i < kValues; ++i)
    if (value(s.state, i) != value(base.state, i)) values.push_back(i);
  std::vector<std::uint8_t> out;
  out.reserve(4 + 1 + 5 * values.size() + 2 + 3 * cells.size());
  put(out, static_cast<std::uint32_t>(s.files), 4);
  const bool zeno = s.zeno != base.zeno;
  put(out, zeno ? 1 : 0, 1);
  if (zeno)
    for (const std::int32_t v : {s.zeno.life, s.zeno.offense, s.zeno.defense, s.zeno.gold})
      put(out, static_cast<std::uint32_t>(v), 4);
  put(out, static_cast<std::uint32_t>(values.size()), 1);
  for (const int i : values) {
    put(out, static_cast<std::uint32_t>(i), 1);
    put(out, static_cast<std::uint32_t>(value(s.state, i)), 4);
  }
  put(out, static_cast<std::uint32_t>(cells.size()), 2);
  for (const std::uint16_t c : cells) {
    put(out, c, 2);
    put(out, s.floors.bytes()[c], 1);
  }
  return out;
}

Snapshot Packer::unpack(const std::vector<std::uint8_t>& packed) const {
  Snapshot s = base_;
  unpackOnto(s, packed);
  return s;
}

void unpackOnto(Snapshot& s, const std::vector<std::uint8_t>& packed) {
  std::size_t at = 0;
  s.files = static_cast<int>(get(packed, at, 4));
  if (get(packed, at, 1) != 0)
    for (std::int32_t* v : {&s.zeno.life, &s.zeno.offense, &s.zeno.defense, &s.zeno.gold})
      *v = static_cast<std::int32_t>(get(packed, at, 4));
  for (std::uint32_t n = get(packed, at, 1); n > 0; --n) {
    const int i = static_cast<int>(get(packed, at, 1));
    value(s.state, i) = static_cast<std::int32_t>(get(packed, at, 4));
  }
  for (std::uint32_t n = get(packed, at, 2); n > 0; --n) {
    const std::uint32_t c = get(packed, at, 2);
    s.floors.bytes().at(c) = static_cast<std::uint8_t>(get(packed, at, 1));
  }
}

Amounts amounts(const GameState& s) {
  Amounts a{};
  for (std::size_t k = 0; k < kMonotone.size(); ++k) a[k] = s[kMonotone[k]];
  return a;
}

Cells changedCells(const FloorStore& a, const FloorStore& b) {
  // Blocks that match are passed over by memcmp, which compares wide words; a block
  // that differs is looked into by smaller blocks, then byte by byte.
  Cells cells;
  const std::uint8_t* p = a.bytes().data();
  const std::uint8_t* q = b.bytes().data();
  constexpr std::size_t n = kFloorStoreSize, kLarge = 512, kSmall = 32;
  for (std::size_t i = 0; i < n; i += kLarge) {
    const std::size_t end = std::min(n, i + kLarge);
    if (std::memcmp(p + i, q + i, end - i) == 0) continue;
    for (std::size_t j = i; j < end; j += kSmall) {
      const std::size_t stop = std::min(end, j + kSmall);
      if (std::memcmp(p + j, q + j, stop - j) == 0) continue;
      for (std::size_t k = j; k < stop; ++k)
        if (p[k] != q[k]) cells.push_back(static_cast<std::uint16_t>(k));
    }
  }
  return cells;
}

namespace {
Hash128 hashOf(const GameState& s, const FloorStore& floors, const MonsterStats& zeno,
               const Cells& cells, bool withAmounts) {
  Hasher h;
  h.add(std::uint64_t(std::uint32_t(zeno.life)) << 32 | std::uint32_t(zeno.offense));
  h.add(std::uint64_t(std::uint32_t(zeno.defense)) << 32 | std::uint32_t(zeno.gold));
  for (const std::uint16_t c : cells) h.add(std::uint64_t{c} << 8 | floors.bytes()[c]);
  h.add(~std::uint64_t{0});  // the cells end here
  // The values read, two to a word.
  const auto& read = reads();
  const std::uint8_t least = withAmounts ? kWholeOnly : kBoth;
  std::uint64_t word = 0;
  int half = 0;
  for (int i = 0; i < kValues; ++i) {
    if (read[static_cast<std::size_t>(i)] < least) continue;
    word = word << 32 | std::uint32_t(value(s, i));
    if (++half == 2) h.add(word), word = 0, half = 0;
  }
  h.add(word);
  return {h.a, h.b};
}
}  // namespace

Cells Packer::changesAfter(const Cells& before, const Cells& moved, const Snapshot& s) const {
  Cells either, now;
  std::set_union(before.begin(), before.end(), moved.begin(), moved.end(),
                 std::back_inserter(either));
  now.reserve(either.size());
  for (const std::uint16_t c : either)
    if (s.floors.bytes()[c] != base_.floors.bytes()[c]) now.push_back(c);
  return now;
}

Hash128 Packer::hashOf(const Snapshot& s, const Cells& cells, bool withAmounts) const {
  return solve::hashOf(s.state, s.floors, s.zeno, cells, withAmounts);
}

Hash128 positionAgainst(const FloorStore& reference, const Snapshot& s) {
  return hashOf(s.state, s.floors, s.zeno, changedCells(reference, s.floors), true);
}

namespace {
bool atLeast(const Amounts& x, const Amounts& y) {
  for (std::size_t k = 0; k < x.size(); ++k)
    if (x[k] < y[k]) return false;
  return true;
}
}  // namespace

bool DominanceTable::covered(const Hash128& exact, const Amounts& a) const {
  const auto front = fronts_.find(exact);
  return front != fronts_.end() &&
         std::any_of(front->second.begin(), front->second.end(),
                     [&](const Amounts& seen) { return atLeast(seen, a); });
}

bool DominanceTable::dominated(const Hash128& exact, const Amounts& a) {
  std::vector<Amounts>& front = fronts_[exact];
  for (const Amounts& seen : front)
    if (atLeast(seen, a)) return true;
  std::erase_if(front, [&](const Amounts& seen) { return atLeast(a, seen); });
  front.push_back(a);
  return false;
}

}  // namespace kelvorn::solve
