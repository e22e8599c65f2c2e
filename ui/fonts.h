// The game's typeface at every size the window uses, regular and bold. The Font option
// chooses sizes from 8 to 14 points; 7 points serves only as the last step when a text
// must shrink to fit its place.
#pragma once

#include <array>

struct ImFont;

namespace kelvorn::ui {

class FontSet {
 public:
  static constexpr std::array<int, 7> kPoints = {7, 8, 9, 10, 11, 12, 14};

  // Adds every size to the current Dear ImGui context's font atlas. False when the
  // typeface is not installed and Dear ImGui's built-in font stands in.
  bool load();
  // The loaded size nearest to `points`.
  ImFont* get(int points, bool bold) const;
  // The next size below `points`, or 0 when there is none.
  static int smaller(int points);

 private:
  std::array<std::array<ImFont*, 2>, kPoints.size()> fonts_{};
};

}  // namespace kelvorn::ui
