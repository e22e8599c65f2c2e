// What the Save and Load menus write beside "Data 1" .. "Data 8": the slot's floor, life
// and the date its file was written, or that it is empty or cannot be loaded.
#pragma once

#include <string>

#include "storage/save_holder.h"

namespace kelvorn::ui {

// "Floor 12  Life 4321  2024-05-01 14:03" in local time; "empty"; "cannot be loaded".
std::string slotDetails(const storage::SlotSummary& slot);

}  // namespace kelvorn::ui
