// The window's settings in settings.ini beside KVN12.INI: full screen, the volumes, the
// keys of play and the comforts a purist can switch off. Each change is kept at once.
#pragma once

#include <filesystem>

#include "audio/player.h"
#include "rules/game.h"
#include "storage/settings_file.h"
#include "ui/key_bindings.h"

namespace kelvorn::ui {

// The names of the window's settings in settings.ini. The comforts are on until the
// player switches them off.
namespace setting {
inline constexpr const char* FullScreen = "full-screen";
inline constexpr const char* MusicVolume = "music-volume";  // percent
inline constexpr const char* EffectsVolume = "effects-volume";
inline constexpr const char* KeepKeys = "keep-keys";
inline constexpr const char* ClickToWalk = "click-to-walk";
inline constexpr const char* MonsterHints = "monster-hints";
inline constexpr const char* SlotDetails = "slot-details";
inline constexpr const char* ShowDamage = "show-damage";
// Off until switched on: fights show all their blows, as the game always did.
inline constexpr const char* SkipFights = "skip-battle-animations";
}  // namespace setting

class Settings {
 public:
  // The game follows the comfort that skips its fights' blows.
  explicit Settings(Game& game) : game_(game) {}

  // Reads the file (a note on what could not be used goes to the error stream).
  void load(const std::filesystem::path& file);

  bool comfort(const char* name, bool byDefault = true) const {
    return file_.flag(name, byDefault);
  }
  bool fullScreen() const { return file_.flag(setting::FullScreen, false); }
  void setFullScreen(bool on);

  const KeyBindings& keys() const { return keys_; }
  KeyBindings& keys() { return keys_; }
  // Keeps the keys as they are now bound.
  void keepKeys();

  // Gives the player the volumes of the settings.
  void applyVolumes(audio::Player* audio) const;
  // The Options menu's volumes and comforts.
  void drawMenuItems(audio::Player* audio);

 private:
  void setComfort(const char* name, bool on);
  void save();

  Game& game_;
  storage::SettingsFile file_{std::filesystem::path()};
  KeyBindings keys_;
};

}  // namespace kelvorn::ui
