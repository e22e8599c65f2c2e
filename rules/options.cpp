#include "rules/options.h"

namespace kelvorn {

OptionBytes builtInOptions() { return {10, 12, 0, 1, 0, 1, 0, 0, 0, 0}; }

OptionBytes initialOptions() { return {10, 12, 0, 2, 0, 1, 0, 0, 0, 0}; }

FontPair fontPair(FontChoice choice) {
  switch (choice) {
    case FontChoice::Tiny: return {8, 10};
    case FontChoice::Small: return {9, 11};
    case FontChoice::Normal: return {10, 12};
    case FontChoice::Big: return {12, 14};
  }
  return {10, 12};
}

std::optional<FontChoice> checkedFont(const OptionBytes& b) {
  for (auto choice : {FontChoice::Tiny, FontChoice::Small, FontChoice::Normal, FontChoice::Big}) {
    const FontPair p = fontPair(choice);
    if (b[opt::SmallFont] == p.small) {
      if (b[opt::LargeFont] == p.large) return choice;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

std::optional<Speed> checkedSpeed(const OptionBytes& b) {
  const int s = b[opt::Speed];
  if (s >= 1 && s <= 3) return static_cast<Speed>(s);
  return std::nullopt;
}

int speedInterval(Speed speed) {
  switch (speed) {
    case Speed::High: return 150;
    case Speed::Middle: return 250;
    case Speed::Low: return 350;
  }
  return 250;
}

}  // namespace kelvorn
