// Which keys do what: the six actions of play, each with up to three keys the player
// can change (Options, Keys...). The window turns a bound key into the key the rest of
// the window and the engine know (the arrows, Enter, Escape) and ignores those when they
// are no longer bound, so every box, button group and the hero follow the new keys.
#pragma once

#include <SDL.h>

#include <array>
#include <optional>
#include <string>

#include "storage/settings_file.h"

namespace kelvorn::ui {

enum class Action { Up, Left, Right, Down, Confirm, Cancel };
inline constexpr int kActions = 6;
inline constexpr int kKeysPerAction = 3;

struct ActionInfo {
  const char* id;       // in the settings file: key.ID.1 .. key.ID.3
  const char* label;    // in the Keys and help windows
  SDL_Keycode meaning;  // the key the window and the engine act on
  std::array<SDL_Keycode, kKeysPerAction> defaults;
};
const ActionInfo& actionInfo(Action action);

// Keys the window keeps for itself (help, new game, end, full screen, fast play): never
// bound.
bool reservedKey(SDL_Keycode key);

class KeyBindings {
 public:
  KeyBindings();  // the defaults: arrows, WASD and the keypad walk; Enter; Escape

  SDL_Keycode key(Action action, int slot) const { return keys_[int(action)][slot]; }
  std::optional<Action> actionOf(SDL_Keycode key) const;
  // What a pressed key means to the window: a bound key becomes its action's meaning;
  // an arrow, Enter or Escape that is bound to nothing means nothing (SDLK_UNKNOWN);
  // other keys (Tab, Y, N, the function keys) stay as they are.
  SDL_Keycode translate(SDL_Keycode key) const;

  // Puts `key` into a slot; it leaves whatever place it held before, so a key always
  // does one thing. A reserved key is refused (false).
  bool bind(Action action, int slot, SDL_Keycode key);
  // Empties a slot; an action's last key stays (false), so nothing becomes unplayable.
  bool clear(Action action, int slot);
  void resetToDefaults() { *this = KeyBindings(); }

  // The keys of an action by name, joined with ", " ("Up, W, Keypad 8").
  std::string names(Action action) const;

  // Read from and written to the settings: slot by slot as SDL key names, "none" for an
  // empty slot. An action none of whose slots is set keeps its defaults; unknown names
  // and keys already taken are dropped.
  void load(const storage::SettingsFile& settings);
  void store(storage::SettingsFile& settings) const;

 private:
  std::array<std::array<SDL_Keycode, kKeysPerAction>, kActions> keys_{};
};

}  // namespace kelvorn::ui
