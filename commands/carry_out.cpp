#include "commands/carry_out.h"

#include <algorithm>
#include <stdexcept>

namespace kelvorn::commands {

namespace {

std::string nameOf(const Command& c) { return std::string(form(c.verb).name); }

// What the player does in the ranking window is the front's, not the game's: it goes
// into the game's replay from here.
void noteWindowInput(Game& game, const std::string& command) {
  const auto noted = game.records.replay.note(game, command);
}

bool rankingIdle(const storage::RankingBoard* r) {
  return r && r->notices.empty() && !r->nameRequested() && !r->clearAsked();
}

struct Key {
  Verb verb;
  int code;
};
constexpr Key kKeys[] = {{Verb::Enter, 13}, {Verb::Escape, 27}, {Verb::Left, 37},
                         {Verb::Up, 38},    {Verb::Right, 39},  {Verb::Down, 40}};

// The game's buttons without an argument: their target must be visible and enabled.
struct Button {
  Verb verb;
  bool (*available)(const Controls&);
  void (Game::*press)();
};
constexpr Button kButtons[] = {
    {Verb::ClickOk, [](const Controls& c) { return c.windowVisible && c.okVisible; },
     &Game::pressOk},
    {Verb::ClickYes, [](const Controls& c) { return c.yesNoVisible; }, &Game::pressYes},
    {Verb::ClickNo, [](const Controls& c) { return c.yesNoVisible && c.noEnabled; },
     &Game::pressNo},
    {Verb::ClickUse, [](const Controls& c) { return c.confirmSlot >= 0; }, &Game::pressUse},
    {Verb::ClickDontUse, [](const Controls& c) { return c.confirmSlot >= 0; }, &Game::pressDontUse},
    {Verb::ClickFlyUp, [](const Controls& c) { return c.flightVisible && c.flightUpEnabled; },
     &Game::pressFlyUp},
    {Verb::ClickFlyDown, [](const Controls& c) { return c.flightVisible && c.flightDownEnabled; },
     &Game::pressFlyDown},
    {Verb::ClickFlyOk, [](const Controls& c) { return c.flightVisible; }, &Game::pressFlyOk},
    {Verb::ClickHintOk, [](const Controls& c) { return c.hintGridVisible; }, &Game::pressHintOk},
    {Verb::ClickForecastOk, [](const Controls& c) { return c.forecastVisible; },
     &Game::pressForecastOk},
    {Verb::ClickBackSide, [](const Controls& c) { return c.backSideVisible; }, &Game::goToBackSide},
};

// The menu items that switch an option, open while the options are.
struct Switch {
  Verb verb;
  void (Game::*press)();
};
constexpr Switch kSwitches[] = {
    {Verb::MenuPrologue, &Game::menuPrologue},     {Verb::MenuMusic, &Game::menuMusic},
    {Verb::MenuSound, &Game::menuSound},           {Verb::MenuOptionSave, &Game::menuOptionSave},
    {Verb::MenuOptionInit, &Game::menuOptionInit}, {Verb::MenuHolder, &Game::menuHolder}};

void waitUntilIdle(Game& game) {
  int spent = 0;
  while (!game.idle()) {
    const auto due = game.timers.untilNext({TimerId::Steps, TimerId::Intro});
    if (!due) break;
    const int step = std::max(*due, 1);
    if (spent + step > kWaitLimitMs)
      fail(kExitNotIdle, "wait: the game was still busy after " +
                             std::to_string(kWaitLimitMs / 1000) + " s of game time");
    game.advance(step);
    spent += step;
  }
}

void answer(const Command& c, Game& game, Front& front) {
  const auto reply = static_cast<Reply>(c.number);
  const bool ok = reply == Reply::Ok, yes = reply == Reply::Yes;
  // The boxes of the main window come first, then those of the ranking window.
  if (ok && game.dialogs.notice) return game.acknowledge();
  if (!ok && game.question) return game.answer(yes);
  storage::RankingBoard* ranking = front.rankingBoard();
  if (ranking && ok && !ranking->notices.empty()) {
    noteWindowInput(game, nameOf(c) + " " + c.word);
    return ranking->notices.pop_front();
  }
  if (ranking && !ok && ranking->clearAsked()) {
    noteWindowInput(game, nameOf(c) + " " + c.word);
    return ranking->answerClear(yes);
  }
  requireTarget(false, nameOf(c) + " " + c.word);
}

// The input of a text box: the ranking window's name, or the chooser's new folder.
void input(const Command& c, Game& game, Front& front) {
  storage::RankingBoard* ranking = front.rankingBoard();
  if (ranking && ranking->notices.empty() && ranking->nameRequested()) {
    noteWindowInput(game, c.line);
    ranking->enterName(c.verb == Verb::Input ? std::optional<std::string>(c.text) : std::nullopt);
  } else if (!front.chooserInput(c)) {
    requireTarget(false, nameOf(c));
  }
}

// The clicks with an argument, and those of the ranking window.
void click(const Command& c, Game& game, Front& front) {
  const Controls& controls = game.controls;
  const int n = static_cast<int>(c.number);
  const std::string what = nameOf(c) + (c.word.empty() ? "" : " " + c.word);
  storage::RankingBoard* ranking = front.rankingBoard();
  switch (c.verb) {
    case Verb::ClickItem:
      requireTarget(controls.iconVisible[n] && controls.iconEnabled[n], what);
      return game.clickItem(n);
    case Verb::ClickHint:
      requireTarget(controls.hintGridVisible && controls.hintEnabled[n - 1], what);
      return game.pressHint(n);
    case Verb::ClickAltar:
      requireTarget(controls.altarChoicesVisible, what);
      return game.pressAltarChoice(n);
    case Verb::ClickArrow:
      requireTarget(controls.arrowsVisible && controls.arrowsEnabled, what);
      return game.arrowClick(n + 1);
    case Verb::ClickRank:
      requireTarget(rankingIdle(ranking), what);
      noteWindowInput(game, what);
      return ranking->select(n);
    case Verb::ClickRankOk:
      requireTarget(rankingIdle(ranking), what);
      front.closeRanking();
      return game.rankingClosed();
    case Verb::ClickRankClear:
      requireTarget(rankingIdle(ranking) && ranking->clearEnabled(), what);
      noteWindowInput(game, what);
      return ranking->askClear();
    default:
      if (!front.chooserInput(c)) requireTarget(false, what);
  }
}

// The menu items with an argument, and those that are not always open.
void menu(const Command& c, Game& game, Front& front) {
  const Controls& controls = game.controls;
  const std::string what = nameOf(c);
  switch (c.verb) {
    case Verb::MenuLoad:
      requireTarget(controls.loadEnabled, what);
      return game.menuLoad(static_cast<int>(c.number));
    case Verb::MenuSave:
      requireTarget(controls.saveEnabled, what);
      return game.menuSave(static_cast<int>(c.number));
    case Verb::MenuSpeed: {
      requireTarget(controls.optionsEnabled, what);
      constexpr Speed kSpeeds[] = {Speed::High, Speed::Middle, Speed::Low};
      return game.menuSpeed(kSpeeds[c.number]);
    }
    case Verb::MenuFont:
      requireTarget(controls.optionsEnabled, what);
      return game.menuFont(static_cast<FontChoice>(c.number));  // tiny|small|normal|big
    case Verb::MenuControl:
      requireTarget(controls.optionsEnabled, what);
      return game.menuControl(c.number == 0 ? Control::Keyboard : Control::Mouse);
    case Verb::MenuSize:
      // As the window's Size menu: closed while a script plays.
      requireTarget(controls.sizeEnabled && controls.optionsEnabled, what);
      return front.setSize(c.number == 1);
    case Verb::MenuRanking: requireTarget(controls.rankingEnabled, what); return game.menuRanking();
    default:
      for (const Switch& s : kSwitches)
        if (s.verb == c.verb) {
          requireTarget(controls.optionsEnabled, what);
          return (game.*s.press)();
        }
      throw std::logic_error("no menu item " + what);
  }
}

}  // namespace

void carryOut(const Command& c, Game& game, Front& front) {
  for (const Key& k : kKeys)
    if (k.verb == c.verb) return game.keyDown(k.code);
  for (const Button& b : kButtons)
    if (b.verb == c.verb) {
      requireTarget(b.available(game.controls), nameOf(c));
      return (game.*b.press)();
    }
  switch (c.verb) {
    case Verb::MenuGameStart: return game.menuGameStart();
    case Verb::MenuGameQuit: return game.menuGameQuit();
    case Verb::MenuGameExit: return game.menuGameExit();
    case Verb::Hold: {
      // A flight button held down until `release`, as the window's mouse holds it.
      const bool up = c.number == 0;
      const Controls& controls = game.controls;
      requireTarget(
          controls.flightVisible && (up ? controls.flightUpEnabled : controls.flightDownEnabled),
          c.line);
      return game.flightButtonDown(up);
    }
    case Verb::Release: return game.flightButtonUp();
    case Verb::Undo: requireTarget(front.canUndo(), nameOf(c)); return front.undo();
    case Verb::Redo: requireTarget(front.canRedo(), nameOf(c)); return front.redo();
    case Verb::Answer: return answer(c, game, front);
    case Verb::Input:
    case Verb::InputCancel: return input(c, game, front);
    case Verb::Select:
      if (!front.chooserInput(c)) requireTarget(false, nameOf(c) + " " + c.text);
      return;
    case Verb::Wait: return waitUntilIdle(game);
    case Verb::Tick: return game.advance(static_cast<int>(c.number));
    case Verb::Dump:
    case Verb::Include: throw std::logic_error("'" + c.line + "' is played by the driver");
    default:
      return form(c.verb).name.starts_with(kMenu) ? menu(c, game, front) : click(c, game, front);
  }
}

}  // namespace kelvorn::commands
