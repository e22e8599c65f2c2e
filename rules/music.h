// Music tracks: which tune plays on which floor band, and the file of each track.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelvorn {

namespace track {
inline constexpr int Off = 0, Title = 11, Fairy = 12, Princess = 13, Death = 14, Floor10 = 15,
                     Floor20 = 16, Floor25 = 7, Floor40 = 18, Floor49 = 19;
}  // namespace track

// The tune of the ending's thanks screen, a file no track number names.
inline constexpr std::string_view kThanksTune = "midi/b_014xgw.mid";

// The band tune of a floor, or 0 for a floor outside 0..50 (the caller then keeps the
// track it has).
int trackForFloor(int floor);

// The file of a track below the program folder ("midi/..."), or empty for no track.
std::string_view trackFile(int track);

}  // namespace kelvorn
