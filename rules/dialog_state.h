// DialogState: what the player is in the middle of: the message boxes and questions
// waiting behind the one showing, the message window's kind, a conversation's offer, an
// item about to be used, the item cursor, a held flight button and the forecast shown.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "rules/controls.h"

namespace kelvorn {

// One row of the orb of the hero's forecast: a monster kind of the floor and what
// fighting it costs.
struct ForecastRow {
  int kind;
  std::string name, stats, damage;
};

struct DialogState {
  std::optional<std::string> notice;       // the plain message box showing
  std::deque<std::string> laterNotices;    // boxes waiting behind `notice`
  std::vector<Question> coveredQuestions;  // questions waiting under the one showing
  int dialogKind = 0;
  bool dialogHold = false;
  bool recallOpen = false;  // the orb of wisdom's recall list: windows show no OK
  int hintNumber = 0;       // which hint a hint window (DialogKind 0 or 1) shows
  // The conversation under way: which merchant's or the altar's question Yes answers.
  bool altarAsked = false;
  int offerPrice = 0;
  int stairsSide = 0;       // the orb of flying took off beside up (1) or down (2) stairs
  int pendingItem = -1;     // the slot whose "Use" is showing
  bool holdRepeat = false;  // a flight button is held down
  // The keyboard's cursor on the item icons.
  bool cursorShown = false;
  int itemCursor = 0;
  bool itemSelectMode = false;
  std::vector<ForecastRow> forecast;
};

}  // namespace kelvorn
