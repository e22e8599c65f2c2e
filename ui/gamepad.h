// Gamepads through SDL's game controller API: pads plugged in or pulled out at any time,
// the d-pad and the left stick as the four walks (repeating while held, as a held key
// does), A and B as confirm and cancel, Start for the menu bar. The window acts on the
// presses; this class only tells them.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <optional>

namespace kelvorn::ui {

enum class PadPress { Up, Left, Right, Down, Confirm, Cancel, Menu };

class Gamepads {
 public:
  Gamepads() = default;
  ~Gamepads();
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  // Opens and closes pads as they come and go, and turns a button or a stick movement
  // into a press. `now` is the window's clock in milliseconds.
  std::optional<PadPress> handle(const SDL_Event& event, std::uint64_t now);
  // A walk held on the d-pad or the stick repeats: the press due at `now`, if any.
  std::optional<PadPress> repeat(std::uint64_t now);
  // Milliseconds until the next repeat, while a walk is held.
  std::optional<int> untilRepeat(std::uint64_t now) const;

  int connected() const { return int(pads_.size()); }
  // For the menu bar: whether a button is down on any pad, or was pressed since the
  // last time it was asked (so a press shorter than a frame still counts).
  bool down(SDL_GameControllerButton button);
  // Forgets the presses not asked about yet (those meant for the game before the menu).
  void forgetPresses() { pressedSinceAsked_ = 0; }
  // Whether a shoulder button is held down on any pad (fast play).
  bool shoulderHeld() const;
  // Whether the stick points in a direction now.
  std::optional<PadPress> stickDirection() const { return stick_; }

 private:
  void hold(std::optional<PadPress> direction, bool fromStick, std::uint64_t now);
  std::optional<PadPress> stickPress(std::uint64_t now);

  std::map<SDL_JoystickID, SDL_GameController*> pads_;
  std::uint32_t pressedSinceAsked_ = 0;  // one bit per SDL_GameControllerButton
  std::int16_t stickX_ = 0, stickY_ = 0;
  std::optional<PadPress> stick_;  // where the stick points, with a margin against jitter
  std::optional<PadPress> held_;   // the walk that repeats
  bool heldByStick_ = false;
  std::uint64_t nextRepeat_ = 0;
};

// The first repeat of a held walk comes after this delay, the next ones at this interval.
inline constexpr int kPadRepeatDelayMs = 300;
inline constexpr int kPadRepeatMs = 150;

}  // namespace kelvorn::ui
