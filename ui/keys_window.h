// Options, Keys...: each action of play gets the keys the player chooses. While a slot
// waits for its key, the next key pressed anywhere goes to it.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>
#include <utility>

#include "ui/settings.h"
#include "ui/widgets.h"

namespace kelvorn::ui {

class KeysWindow {
 public:
  // The bindings are the settings' own, kept there as they change.
  explicit KeysWindow(Settings& settings) : settings_(settings) {}

  void open() { open_ = true; }
  bool isOpen() const { return open_; }
  // A key pressed while the window is open: the slot that waits takes it, Escape
  // closes the window. True when the key was taken.
  bool takeKey(SDL_Keycode key);
  // Escape from a pad closes the window unless a slot waits for a key.
  bool takePadEscape();
  void draw(const Canvas& canvas);

 private:
  Settings& settings_;
  bool open_ = false;
  // The window waits for the key of this action and slot.
  std::optional<std::pair<Action, int>> capturing_;
  std::string note_;  // what the window says about the last key pressed
};

}  // namespace kelvorn::ui
