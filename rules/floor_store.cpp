#include "rules/floor_store.h"

#include <stdexcept>

namespace kelvorn {

void FloorStore::outOfRange(const char* what) { throw std::out_of_range(what); }

namespace {
std::array<std::uint8_t, kCells> buildRevealOrder() {
  std::array<std::uint8_t, kCells> order{};
  int n = 0;
  for (int ring = 0; ring <= kBoardSide / 2; ++ring) {
    const int lo = ring, hi = kBoardSide - 1 - ring;
    if (lo == hi) {
      order[n++] = static_cast<std::uint8_t>(cellIndex(lo, lo));
      break;
    }
    for (int r = lo; r <= hi; ++r) order[n++] = static_cast<std::uint8_t>(cellIndex(lo, r));
    for (int c = lo + 1; c <= hi; ++c) order[n++] = static_cast<std::uint8_t>(cellIndex(c, hi));
    for (int r = hi - 1; r >= lo; --r) order[n++] = static_cast<std::uint8_t>(cellIndex(hi, r));
    for (int c = hi - 1; c > lo; --c) order[n++] = static_cast<std::uint8_t>(cellIndex(c, lo));
  }
  return order;
}
}  // namespace

int revealCell(int k) {
  static const auto order = buildRevealOrder();
  if (k < 1 || k > kCells) throw std::out_of_range("reveal position out of range");
  return order[k - 1];
}

int frameOffset(TileCode t, bool princessStill) {
  if (t == 13 || t == 14) return 147;
  if (t == 16) return 2;
  if (t == 19 || t == 21 || t == 23 || t == 25) return 1;
  if (t == 27) return princessStill ? 0 : 1;
  if (t >= 61 && t <= 96) return 1;
  if (t >= 97 && t <= 105) return 9;
  if (t >= 115 && t <= 123) return 9;
  if (t >= 133 && t <= 157) return 1;
  return 0;
}

bool arrivalCellsValid(const FloorStore& floors) {
  for (int f = 0; f < kFloors; ++f)
    if (floors.upArrivalCell(f) >= kCells || floors.downArrivalCell(f) >= kCells) return false;
  return true;
}

}  // namespace kelvorn
