#include "ui/key_bindings.h"

#include <algorithm>
#include <vector>

namespace kelvorn::ui {

namespace {
constexpr std::array<ActionInfo, kActions> kActionInfo = {{
    {"up", "Walk up", SDLK_UP, {SDLK_UP, SDLK_w, SDLK_KP_8}},
    {"left", "Walk left", SDLK_LEFT, {SDLK_LEFT, SDLK_a, SDLK_KP_4}},
    {"right", "Walk right", SDLK_RIGHT, {SDLK_RIGHT, SDLK_d, SDLK_KP_6}},
    {"down", "Walk down", SDLK_DOWN, {SDLK_DOWN, SDLK_s, SDLK_KP_2}},
    {"confirm", "Items, OK, Yes, Use", SDLK_RETURN, {SDLK_RETURN, SDLK_KP_ENTER, SDLK_UNKNOWN}},
    {"cancel", "Close, No, Don't use", SDLK_ESCAPE, {SDLK_ESCAPE, SDLK_UNKNOWN, SDLK_UNKNOWN}},
}};
constexpr const char* kNone = "none";

std::string settingName(int action, int slot) {
  return std::string("key.") + kActionInfo[action].id + "." + std::to_string(slot + 1);
}
}  // namespace

const ActionInfo& actionInfo(Action action) { return kActionInfo[int(action)]; }

bool reservedKey(SDL_Keycode key) {
  return key == SDLK_F1 || key == SDLK_F2 || key == SDLK_F9 || key == SDLK_F11 || key == SDLK_SPACE;
}

KeyBindings::KeyBindings() {
  for (int a = 0; a < kActions; ++a) keys_[a] = kActionInfo[a].defaults;
}

std::optional<Action> KeyBindings::actionOf(SDL_Keycode key) const {
  if (key == SDLK_UNKNOWN) return std::nullopt;
  for (int a = 0; a < kActions; ++a)
    if (std::find(keys_[a].begin(), keys_[a].end(), key) != keys_[a].end()) return Action(a);
  return std::nullopt;
}

SDL_Keycode KeyBindings::translate(SDL_Keycode key) const {
  if (const auto action = actionOf(key)) return kActionInfo[int(*action)].meaning;
  for (const ActionInfo& info : kActionInfo)
    if (key == info.meaning) return SDLK_UNKNOWN;
  return key;
}

bool KeyBindings::bind(Action action, int slot, SDL_Keycode key) {
  if (slot < 0 || slot >= kKeysPerAction || key == SDLK_UNKNOWN || reservedKey(key)) return false;
  for (auto& keys : keys_) std::replace(keys.begin(), keys.end(), key, SDL_Keycode(SDLK_UNKNOWN));
  keys_[int(action)][slot] = key;
  return true;
}

bool KeyBindings::clear(Action action, int slot) {
  auto& keys = keys_[int(action)];
  if (slot < 0 || slot >= kKeysPerAction || keys[slot] == SDLK_UNKNOWN) return false;
  if (std::count(keys.begin(), keys.end(), SDL_Keycode(SDLK_UNKNOWN)) == kKeysPerAction - 1)
    return false;
  keys[slot] = SDLK_UNKNOWN;
  return true;
}

std::string KeyBindings::names(Action action) const {
  std::string text;
  for (const SDL_Keycode key : keys_[int(action)]) {
    if (key == SDLK_UNKNOWN) continue;
    if (!text.empty()) text += ", ";
    text += SDL_GetKeyName(key);
  }
  return text;
}

void KeyBindings::load(const storage::SettingsFile& settings) {
  KeyBindings loaded;
  std::vector<SDL_Keycode> taken;
  auto take = [&](SDL_Keycode key) {
    if (key == SDLK_UNKNOWN || reservedKey(key) ||
        std::find(taken.begin(), taken.end(), key) != taken.end())
      return SDL_Keycode(SDLK_UNKNOWN);
    taken.push_back(key);
    return key;
  };
  // Keys read from the file take their places first, in the order of the actions; then
  // the actions the file leaves alone take those of their defaults still free.
  for (const bool fromFile : {true, false})
    for (int a = 0; a < kActions; ++a) {
      std::array<std::string, kKeysPerAction> names;
      for (int s = 0; s < kKeysPerAction; ++s) names[s] = settings.text(settingName(a, s));
      const bool inFile =
          std::any_of(names.begin(), names.end(), [](const auto& n) { return !n.empty(); });
      if (inFile != fromFile) continue;
      for (int s = 0; s < kKeysPerAction; ++s)
        loaded.keys_[a][s] = take(!fromFile           ? kActionInfo[a].defaults[s]
                                  : names[s] == kNone ? SDL_Keycode(SDLK_UNKNOWN)
                                                      : SDL_GetKeyFromName(names[s].c_str()));
    }
  // An action left without a key means the file cannot be right: keep what is in force.
  for (const auto& keys : loaded.keys_)
    if (std::all_of(keys.begin(), keys.end(), [](SDL_Keycode k) { return k == SDLK_UNKNOWN; }))
      return;
  *this = loaded;
}

void KeyBindings::store(storage::SettingsFile& settings) const {
  for (int a = 0; a < kActions; ++a)
    for (int s = 0; s < kKeysPerAction; ++s)
      settings.setText(settingName(a, s),
                       keys_[a][s] == SDLK_UNKNOWN ? kNone : SDL_GetKeyName(keys_[a][s]));
}

}  // namespace kelvorn::ui
