// The key and button help (F1, Help > Keys and Buttons) and the About box.
#pragma once

#include "ui/settings.h"
#include "ui/widgets.h"

namespace kelvorn::ui {

class HelpWindows {
 public:
  // The help lists the keys as the settings bind them, and the comforts switched on.
  explicit HelpWindows(const Settings& settings) : settings_(settings) {}

  void toggleHelp() { helpOpen_ = !helpOpen_; }
  void openHelp() { helpOpen_ = true; }
  void openAbout() { aboutOpen_ = true; }
  bool isOpen() const { return helpOpen_ || aboutOpen_; }
  // Enter or Escape closes whichever is open: true when one was.
  bool takeKey(SDL_Keycode key);
  void draw(const Canvas& canvas);

 private:
  void drawAbout(const Canvas& canvas);
  void drawHelp(const Canvas& canvas);

  const Settings& settings_;
  bool helpOpen_ = false;
  bool aboutOpen_ = false;
};

}  // namespace kelvorn::ui
