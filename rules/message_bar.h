// MessageBarState: the message bar's code (0 clears the bar, 1 shows the composed text,
// n from 2 on shows entry n + 127) and what the floor label and the bar last showed while
// a script plays.
#pragma once

#include <string>

namespace kelvorn {

struct MessageBarState {
  int code = 0;
  std::string composed;
  int shownFloor = 1;
  std::string shownMessage;
};

}  // namespace kelvorn
