// FloorStore: the 51 floors of 11 x 11 cells, one TileCode byte per cell, each floor
// preceded by its two arrival cells. It is kept as the exact byte image a saved game
// stores, so saving and loading copy it whole.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "content/tables.h"

namespace kelvorn {

inline constexpr int kFloors = content::kFloorCount;                // 51: floors 0..50
inline constexpr int kBoardSide = content::kBoardSide;              // 11
inline constexpr int kCells = content::kCellCount;                  // 121
inline constexpr int kFloorRecordSize = content::kFloorRecordSize;  // 123
inline constexpr int kFloorStoreSize = content::kFloorStoreSize;    // 6273

using TileCode = std::uint8_t;

namespace tile {
inline constexpr TileCode Door = 1, BlueDoor = 2, RedDoor = 3, Gate = 4, Bars = 5, Floor = 6,
                          Event = 7, Wall = 8, FalseWall = 9, Trigger = 10, StairsUp = 11,
                          StairsDown = 12, Lava = 13, Background = 14, AltarCentre = 16,
                          Merchant = 19, Thief = 21, Fairy = 23, OldMan = 25, Princess = 27,
                          Zeno = 91, Sergeant = 93, Black = 159;
inline constexpr TileCode FirstUnused = 159;  // codes from here on block and draw nothing
}  // namespace tile

// row * 11 + column; row 0 is the top row, column 0 the left column.
constexpr int cellIndex(int column, int row) { return row * kBoardSide + column; }
constexpr int cellColumn(int cell) { return cell % kBoardSide; }
constexpr int cellRow(int cell) { return cell / kBoardSide; }
constexpr bool onBoard(int column, int row) {
  return column >= 0 && column < kBoardSide && row >= 0 && row < kBoardSide;
}

class FloorStore {
 public:
  using Bytes = std::array<std::uint8_t, kFloorStoreSize>;

  FloorStore() : bytes_{} {}
  explicit FloorStore(const Bytes& bytes) : bytes_(bytes) {}

  TileCode cell(int floor, int cell) const { return bytes_[offset(floor, cell)]; }
  void setCell(int floor, int cell, TileCode code) { bytes_[offset(floor, cell)] = code; }

  int upArrivalCell(int floor) const { return bytes_[recordStart(floor)]; }
  int downArrivalCell(int floor) const { return bytes_[recordStart(floor) + 1]; }

  std::span<const std::uint8_t, kFloorRecordSize> record(int floor) const {
    return std::span<const std::uint8_t, kFloorRecordSize>(bytes_.data() + recordStart(floor),
                                                           kFloorRecordSize);
  }
  const Bytes& bytes() const { return bytes_; }
  Bytes& bytes() { return bytes_; }

  bool operator==(const FloorStore&) const = default;

 private:
  // Checked, and inline: the judge and the route search read cells by the thousand.
  static std::size_t recordStart(int floor) {
    if (floor < 0 || floor >= kFloors) outOfRange("floor out of range");
    return static_cast<std::size_t>(floor) * kFloorRecordSize;
  }
  static std::size_t offset(int floor, int cell) {
    if (cell < 0 || cell >= kCells) outOfRange("cell out of range");
    return recordStart(floor) + 2 + static_cast<std::size_t>(cell);
  }
  [[noreturn]] static void outOfRange(const char* what);
  Bytes bytes_;
};

// The spiral in which a floor is drawn and dissolved: position k = 1..121 names a cell.
// Down the left column, along the bottom, up the right, back along the top, then the
// next ring inwards, ending at the centre cell 60.
int revealCell(int k);

// How far the second animation frame's picture lies from a code's own picture.
// The princess (27) stands still once the story flag that stops her is set.
int frameOffset(TileCode code, bool princessStill);

// False when a floor header names an arrival cell beyond the board (above 120).
bool arrivalCellsValid(const FloorStore& floors);

}  // namespace kelvorn
