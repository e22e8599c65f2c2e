// The soak's random numbers: SplitMix64, so one seed plays the same commands on every
// machine and standard library (the distributions of <random> are not specified to).
#pragma once

#include <cstdint>
#include <initializer_list>

namespace kelvorn::soak {

class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
  // 0..n-1 for n > 0.
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }
  bool percent(int p) { return below(100) < p; }
  // An index into `weights`, each chosen in proportion to its weight.
  int weighted(std::initializer_list<int> weights) {
    int total = 0;
    for (const int w : weights) total += w;
    int r = below(total), i = 0;
    for (const int w : weights) {
      if (r < w) return i;
      r -= w;
      ++i;
    }
    return i - 1;
  }

 private:
  std::uint64_t state_;
};

// A seed of its own for every game of a run, so a game's commands do not depend on how
// many random numbers the games before it drew.
inline std::uint64_t gameSeed(std::uint64_t runSeed, long game) {
  return Rng(runSeed ^ (0x5851f42d4c957f2dull * static_cast<std::uint64_t>(game + 1))).next();
}

}  // namespace kelvorn::soak
