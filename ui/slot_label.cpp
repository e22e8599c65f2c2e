#include "ui/slot_label.h"

#include <array>
#include <ctime>

namespace kelvorn::ui {

std::string slotDetails(const storage::SlotSummary& slot) {
  if (!slot.present) return "empty";
  if (!slot.usable) return "cannot be loaded";
  std::string text = "Floor " + std::to_string(slot.floor) + "  Life " + std::to_string(slot.life);
  std::tm local{};
  if (slot.written && localtime_r(&*slot.written, &local)) {
    std::array<char, 32> date{};
    if (std::strftime(date.data(), date.size(), "%Y-%m-%d %H:%M", &local) > 0)
      text += std::string("  ") + date.data();
  }
  return text;
}

}  // namespace kelvorn::ui
