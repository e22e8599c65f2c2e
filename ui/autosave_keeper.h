// The window's forgiveness of a lost game: three rolling autosaves in the data folder,
// kept after each floor change once the game rests and on quitting; the offer at
// start-up to continue the newest, and Continue (autosave) in the Load menu; and the
// game an internal error kept in the recovery file, offered in the Load menu until it
// has been loaded.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "rules/game.h"
#include "storage/autosaves.h"
#include "ui/widgets.h"

namespace kelvorn::ui {

class AutosaveKeeper {
 public:
  // `loaded` is told whenever a kept game has been loaded, for the window to redraw.
  AutosaveKeeper(Game& game, std::function<void()> loaded)
      : game_(game), loaded_(std::move(loaded)) {}

  // Finds the autosaves in `folder`, the offer to continue among them, and a recovered
  // game.
  void start(const std::filesystem::path& folder);
  // Keeps the game as the newest autosave when it rests on another floor than the last
  // one kept (or, with `now`, whenever it rests: on quitting).
  void keepIfDue(bool now = false);

  bool offered() const { return offer_.has_value(); }
  // The offer is on the screen: it waits behind the game's own boxes and the window's.
  bool offerShowing(bool windowOpen) const {
    return offer_ && !game_.question && !game_.dialogs.notice && !windowOpen;
  }
  // A key while the offer shows: the arrows and Tab move between Yes and No, Enter,
  // Escape, Y and N answer it; true when the key was taken. Any other key declines the
  // offer (the autosave stays under Load) and then does what it always does.
  bool answerOffer(SDL_Keycode key);
  void declineOffer() { offer_.reset(); }
  void drawOffer(const Canvas& canvas, bool windowOpen);
  // The Load menu's entries below the slots.
  void drawLoadItems();

 private:
  void load(const std::filesystem::path& file);

  Game& game_;
  std::function<void()> loaded_;
  storage::Autosaves autosaves_{std::filesystem::path()};
  // The floor of the last autosave, and the game (counted by its beginnings) it was in.
  int floor_ = -1;
  std::uint64_t gameBegun_ = ~std::uint64_t{0};
  std::optional<storage::Autosaves::Newest> continuable_;  // read as the Load menu opens
  std::optional<storage::Autosaves::Newest> offer_;        // asked once at start-up
  bool yesFocused_ = true;
  bool recoveryOffered_ = false;  // the Load menu offers the recovery file
};

}  // namespace kelvorn::ui
