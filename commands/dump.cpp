// The driver's `dump`: the game as the player sees it, as one line of JSON.
#include <cstdio>
#include <sstream>

#include "commands/driver.h"

namespace kelvorn::commands {

namespace {

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

template <class Range>
std::string array(const Range& values) {
  std::string out = "[";
  bool first = true;
  for (const auto v : values) {
    if (!first) out += ",";
    first = false;
    out += std::to_string(static_cast<long long>(v));
  }
  return out + "]";
}

std::string stringArray(const std::vector<std::string>& values) {
  std::string out = "[";
  for (std::size_t i = 0; i < values.size(); ++i) out += (i ? "," : "") + jsonString(values[i]);
  return out + "]";
}

std::string forecastJson(const Game& game) {
  std::string out = "[";
  for (std::size_t i = 0; i < game.dialogs.forecast.size(); ++i) {
    const auto& row = game.dialogs.forecast[i];
    out += (i ? "," : "") + std::string("{\"name\":") + jsonString(row.name) +
           ",\"stats\":" + jsonString(row.stats) + ",\"damage\":" + jsonString(row.damage) + "}";
  }
  return out + "]";
}

}  // namespace

std::vector<std::string> activeControls(const Game& game) {
  const Controls& c = game.controls;
  std::vector<std::string> names;
  if (c.windowVisible && c.okVisible) names.push_back(control(Verb::ClickOk));
  if (c.yesNoVisible) names.push_back(control(Verb::ClickYes));
  if (c.yesNoVisible && c.noEnabled) names.push_back(control(Verb::ClickNo));
  if (c.altarChoicesVisible)
    for (int i = 1; i <= 4; ++i) names.push_back(control(Verb::ClickAltar, i));
  if (c.confirmSlot >= 0)
    names.insert(names.end(), {control(Verb::ClickDontUse), control(Verb::ClickUse)});
  if (c.flightVisible) {
    if (c.flightUpEnabled) names.push_back(control(Verb::ClickFlyUp));
    if (c.flightDownEnabled) names.push_back(control(Verb::ClickFlyDown));
    names.push_back(control(Verb::ClickFlyOk));
  }
  if (c.hintGridVisible) {
    for (int i = 0; i < 24; ++i)
      if (c.hintEnabled[i]) names.push_back(control(Verb::ClickHint, i + 1));
    names.push_back(control(Verb::ClickHintOk));
  }
  if (c.forecastVisible) names.push_back(control(Verb::ClickForecastOk));
  if (c.backSideVisible) names.push_back(control(Verb::ClickBackSide));
  if (c.arrowsVisible && c.arrowsEnabled)
    for (const std::string_view dir : choices(Verb::ClickArrow))
      names.push_back(control(Verb::ClickArrow, dir));
  for (int s = 0; s < kItemSlots; ++s)
    if (c.iconVisible[s] && c.iconEnabled[s]) names.push_back(control(Verb::ClickItem, s));
  return names;
}

std::string rankingJson(const storage::RankingBoard& board) {
  std::string out = "{\"current\":" + std::to_string(board.current()) +
                    ",\"clear\":" + (board.clearEnabled() ? "true" : "false") + ",\"rows\":[";
  for (int i = 0; i < 10 && board.shown(); ++i) {
    const RankingRow& r = board.rows()[i];
    out += (i ? "," : "") + std::string("{\"name\":") +
           jsonString(storage::displayName(board.names()[i])) +
           ",\"points\":" + std::to_string(r.points) + ",\"life\":" + std::to_string(r.life) +
           ",\"offense\":" + std::to_string(r.offense) +
           ",\"defense\":" + std::to_string(r.defense) + "}";
  }
  return out + "]}";
}

std::string dumpJson(const Game& game, const storage::RankingBoard* ranking,
                     const storage::HolderChooser* chooser) {
  const int floor = game.state[gs::Floor];
  std::vector<int> cells;
  if (floor >= 0 && floor < kFloors)
    for (int c = 0; c < kCells; ++c) cells.push_back(game.floors.cell(floor, c));
  std::string box;
  if (game.question)
    box = game.question->text;
  else if (game.dialogs.notice)
    box = *game.dialogs.notice;
  else if (ranking && !ranking->notices.empty())
    box = ranking->notices.front();
  else if (ranking && ranking->clearAsked())
    box = "Initialize this data. Is it true?";
  else if (ranking && ranking->nameRequested())
    box = "Please input within 18 words";

  std::ostringstream out;
  out << "{\"state\":" << array(game.state.v) << ",\"extra\":" << array(game.state.extra)
      << ",\"floor\":" << floor << ",\"cells\":" << array(cells)
      << ",\"floorLabel\":" << jsonString(game.floorLabel())
      << ",\"message\":" << jsonString(game.messageBar()) << ",\"dialog\":"
      << jsonString(game.controls.windowVisible || game.controls.forecastVisible
                        ? game.controls.windowText
                        : "")
      << ",\"box\":" << jsonString(box) << ",\"controls\":" << stringArray(activeControls(game))
      << ",\"pending\":" << game.stack.count() << ",\"dialogKind\":" << game.dialogs.dialogKind
      << ",\"intro\":" << (game.introRunning() ? "true" : "false")
      << ",\"scene\":" << (game.controls.sceneVisible ? "true" : "false")
      << ",\"sceneText\":" << jsonString(game.controls.sceneText)
      << ",\"okCaption\":" << jsonString(game.controls.okCaption)
      << ",\"options\":" << array(game.options) << ",\"forecast\":" << forecastJson(game)
      << ",\"altar\":"
      << stringArray(game.controls.altarChoicesVisible
                         ? std::vector<std::string>(game.controls.altarChoices.begin(),
                                                    game.controls.altarChoices.end())
                         : std::vector<std::string>{})
      << ",\"ranking\":" << (ranking ? rankingJson(*ranking) : std::string("null"))
      << ",\"holder\":"
      << (chooser ? "{\"selected\":" + jsonString(chooser->selected().string()) +
                        ",\"folders\":" + stringArray(chooser->folders()) +
                        ",\"files\":" + stringArray(chooser->files()) + "}"
                  : std::string("null"))
      << "}";
  return out.str();
}

}  // namespace kelvorn::commands
