// The menu bar. The game's commands follow the input lock and the options block; the
// window's own (the route check, undo, replays, size, full screen, keys, help) go back
// to the window that hands the bar its context. A gamepad's Start opens the bar, and the
// pad moves through it as the keyboard would.
#pragma once

#include <array>
#include <functional>

#include "rules/game.h"
#include "storage/save_holder.h"
#include "ui/gamepad.h"
#include "view/layout.h"

namespace kelvorn::ui {

enum class WindowCommand {
  RouteCheck,
  Undo,
  Redo,
  SaveReplay,
  SmallSize,
  LargeSize,
  FullScreen,
  Keys,
  Help,
  About
};

// What the bar reads and asks of the window around it, for one frame.
struct MenuContext {
  Game& game;
  const Layout& layout;
  const storage::SaveHolder& holder;  // for the details of its slots
  bool slotDetails;                   // the comfort that shows them
  // Whether a command's item is offered (Undo, Redo, LargeSize) or checked (FullScreen),
  // asked as it is drawn.
  std::function<bool(WindowCommand)> state;
  std::function<void(WindowCommand)> carryOut;
  std::function<void()> loadItems;      // the Load menu's entries below the slots
  std::function<void()> settingsItems;  // the volumes and comforts in the Options menu
};

class MenuBar {
 public:
  // Start on a pad: the bar opens on its next frame.
  void openByPad() { padWanted_ = true; }
  // The pad moves through the menus until they close.
  bool padOpen() const { return padOpen_; }
  // While a pad has the bar open, its buttons and stick move Dear ImGui's navigation
  // through the menus (read before each frame).
  void padToMenus(Gamepads& pads);
  void draw(const MenuContext& c);

 private:
  void drawSlotMenu(const MenuContext& c, bool load);
  void drawOptionsMenu(const MenuContext& c);

  bool padWanted_ = false;
  bool padOpen_ = false;
  std::array<storage::SlotSummary, 9> slots_;  // read as the Save or Load menu opens
};

}  // namespace kelvorn::ui
