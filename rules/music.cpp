#include "rules/music.h"

namespace kelvorn {

int trackForFloor(int floor) {
  if (floor == 0) return 21;
  if (floor >= 1 && floor <= 10) return 5;
  if (floor >= 11 && floor <= 20) return 6;
  if (floor >= 21 && floor <= 30) return 17;
  if (floor >= 31 && floor <= 40) return 8;
  if (floor >= 41 && floor <= 49) return 9;
  if (floor == 50) return 10;
  return 0;
}

std::string_view trackFile(int track) {
  switch (track) {
    case 5: return "midi/b_067xgw.mid";
    case 6: return "midi/b_058xgw.mid";
    case 17: return "midi/b_110xgw.mid";
    case 8: return "midi/a_118xgw.mid";
    case 9: return "midi/a_019xgw.mid";
    case 10: return "midi/b_018xgw.mid";
    case 21: return "midi/A_027xgw.mid";
    case 11: return "midi/a_050xgw.mid";
    case 12: return "midi/a_085xgw.mid";
    case 13: return "midi/a_032xgw.mid";
    case 14: return "midi/a_046xgw.mid";
    case 15: return "midi/a_005xgw.mid";
    case 16: return "midi/a_007xgw.mid";
    case 7: return "midi/a_008xgw.mid";
    case 18: return "midi/a_023xgw.mid";
    case 19: return "midi/b_117xgw.mid";
    default: return {};
  }
}

}  // namespace kelvorn
