#include "ui/gamepad.h"

#include <cstdlib>

namespace kelvorn::ui {

namespace {
// The stick counts as pointed past half its travel and as let go below a quarter, so a
// stick resting near the middle never walks.
constexpr int kStickOn = 16384, kStickOff = 8192;

std::optional<PadPress> buttonPress(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadPress::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadPress::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadPress::Right;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadPress::Down;
    case SDL_CONTROLLER_BUTTON_A: return PadPress::Confirm;
    case SDL_CONTROLLER_BUTTON_B: return PadPress::Cancel;
    case SDL_CONTROLLER_BUTTON_START: return PadPress::Menu;
    default: return std::nullopt;
  }
}

bool isWalk(PadPress p) { return p <= PadPress::Down; }
}  // namespace

Gamepads::~Gamepads() {
  for (const auto& [id, pad] : pads_) SDL_GameControllerClose(pad);
}

std::optional<PadPress> Gamepads::handle(const SDL_Event& event, std::uint64_t now) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      // A pad already open (announced again) keeps its one handle.
      if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which);
          pad &&
          !pads_.emplace(SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)), pad).second)
        SDL_GameControllerClose(pad);
      return std::nullopt;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (const auto it = pads_.find(event.cdevice.which); it != pads_.end()) {
        SDL_GameControllerClose(it->second);
        pads_.erase(it);
        hold(std::nullopt, false, now);
        stick_.reset();
      }
      return std::nullopt;
    case SDL_CONTROLLERBUTTONDOWN: {
      if (event.cbutton.button < 32) pressedSinceAsked_ |= 1u << event.cbutton.button;
      const auto press = buttonPress(event.cbutton.button);
      if (press && isWalk(*press)) hold(press, false, now);
      return press;
    }
    case SDL_CONTROLLERBUTTONUP:
      if (const auto press = buttonPress(event.cbutton.button);
          press && press == held_ && !heldByStick_)
        hold(std::nullopt, false, now);
      return std::nullopt;
    case SDL_CONTROLLERAXISMOTION:
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) stickX_ = event.caxis.value;
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) stickY_ = event.caxis.value;
      return stickPress(now);
    default: return std::nullopt;
  }
}

// The stick points the way of its larger deflection once that passes kStickOn, and
// keeps pointing until both fall below kStickOff.
std::optional<PadPress> Gamepads::stickPress(std::uint64_t now) {
  const int ax = std::abs(int(stickX_)), ay = std::abs(int(stickY_));
  std::optional<PadPress> direction = stick_;
  if (ax >= kStickOn || ay >= kStickOn)
    direction = ax > ay ? (stickX_ < 0 ? PadPress::Left : PadPress::Right)
                        : (stickY_ < 0 ? PadPress::Up : PadPress::Down);
  else if (ax < kStickOff && ay < kStickOff)
    direction.reset();
  if (direction == stick_) return std::nullopt;
  stick_ = direction;
  if (direction || heldByStick_) hold(direction, true, now);
  return direction;
}

void Gamepads::hold(std::optional<PadPress> direction, bool fromStick, std::uint64_t now) {
  held_ = direction;
  heldByStick_ = direction && fromStick;
  nextRepeat_ = now + kPadRepeatDelayMs;
}

std::optional<PadPress> Gamepads::repeat(std::uint64_t now) {
  if (!held_ || now < nextRepeat_) return std::nullopt;
  nextRepeat_ = now + kPadRepeatMs;
  return held_;
}

std::optional<int> Gamepads::untilRepeat(std::uint64_t now) const {
  if (!held_) return std::nullopt;
  return now >= nextRepeat_ ? 0 : int(nextRepeat_ - now);
}

bool Gamepads::shoulderHeld() const {
  for (const auto& [id, pad] : pads_)
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER) ||
        SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER))
      return true;
  return false;
}

bool Gamepads::down(SDL_GameControllerButton button) {
  const std::uint32_t bit = 1u << int(button);
  bool isDown = (pressedSinceAsked_ & bit) != 0;
  pressedSinceAsked_ &= ~bit;
  for (const auto& [id, pad] : pads_) isDown = isDown || SDL_GameControllerGetButton(pad, button);
  return isDown;
}

}  // namespace kelvorn::ui
