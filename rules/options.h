// The options block: ten bytes that mirror the Options menu and are stored as the
// options file. Every settings command updates the block at once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kelvorn {

namespace opt {
inline constexpr int SmallFont = 0, LargeFont = 1, Speed = 3, Control = 4, Prologue = 5, Music = 6,
                     SoundOff = 7, Size = 8;
inline constexpr int kSize = 10;
}  // namespace opt

enum class Speed { High = 1, Middle = 2, Low = 3 };
enum class FontChoice { Tiny = 0, Small = 1, Normal = 2, Big = 3 };
enum class Control { Mouse = 0, Keyboard = 1 };

using OptionBytes = std::array<std::uint8_t, opt::kSize>;

// The values in force before the options file is read.
OptionBytes builtInOptions();
// The values Initialize Option restores (the window size is handled apart).
OptionBytes initialOptions();

// Small and large font sizes of each Font menu item.
struct FontPair {
  std::uint8_t small;
  std::uint8_t large;
};
FontPair fontPair(FontChoice choice);
// The Font item whose pair equals the two font bytes, if any.
std::optional<FontChoice> checkedFont(const OptionBytes& bytes);
// The speed item checked for a speed byte (none for a value other than 1..3).
std::optional<Speed> checkedSpeed(const OptionBytes& bytes);
// Timer interval of a speed: 150, 250 or 350 ms.
int speedInterval(Speed speed);

}  // namespace kelvorn
