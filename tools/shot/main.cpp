// kelvorn-shot: plays a few key presses in the real window and saves it as PNG, so a
// developer can look at what a player sees (and attach it to a review). The PNG is the
// whole window, the picture scaled into it as the player sees it (full screen too).
//
//   kelvorn-shot OUT.png [--large] [--prologue] WORD...
//
// Staging, applied before play starts: set:I=V puts V into GameState index I and
// cell:F:C=T TileCode T into cell C of floor F.
// Play, in order: a key (left, right, up, down, enter, escape, tab, f1, f2, f11, y, n,
// w, a, s, d) is followed by 250 ms of play; wait:MS plays on; click:N clicks item icon N;
// mouse:X,Y clicks the window at (X, Y) (the menu bar is at the top) and point:X,Y only
// moves the pointer there; save:N saves into slot N; keys opens the Keys window; type:TEXT types
// text into the box that has the keyboard; font:tiny|small|normal|big chooses a Font
// item; message:N shows message code N in the message bar; monster:K shows monster
// kind K in the monster panel; ranking, holder and about open those windows; route:G
// asks "Can I still win?" for goal G (0 the next floor, 1 the next checkpoint, 2 the
// ending) and plays on until it answers.
// ok presses the message window's OK and back-side the ending's back-side control;
// steps:N plays the next N steps of a script at once (it stops at a step that waits for
// the player), to catch a scene at a chosen moment.
#include <SDL.h>

#include <cstdio>
#include <iostream>
#include <span>
#include <string>
#include <string_view>

#include "commands/program_options.h"
#include "rules/messages.h"
#include "rules/monsters.h"
#include "view/png.h"
#include "storage/files.h"
#include "ui/app.h"
#include "tools/stage/staging.h"
#include "ui/synthetic_input.h"

namespace {

constexpr const char* kUsage =
    "usage: kelvorn-shot OUT.png [--large] [--prologue] WORD...\n"
    "  staging: set:I=V  cell:F:C=T\n"
    "  play:    left right up down enter escape tab f1 f2 f11 y n w a s d  wait:MS  click:N\n"
    "           mouse:X,Y  point:X,Y  save:N  type:TEXT  font:tiny|small|normal|big\n"
    "           message:N  monster:K  ranking  holder  about  keys  ok  back-side  steps:N\n"
    "           route:G\n"
    "       kelvorn-shot --help | --version";

const option kOptions[] = {{"large", no_argument, nullptr, 'L'},
                           {"prologue", no_argument, nullptr, 'p'},
                           {"help", no_argument, nullptr, 'h'},
                           {"version", no_argument, nullptr, 'v'},
                           {nullptr, 0, nullptr, 0}};

const std::pair<const char*, SDL_Keycode> kKeys[] = {
    {"left", SDLK_LEFT},    {"right", SDLK_RIGHT},   {"up", SDLK_UP},   {"down", SDLK_DOWN},
    {"enter", SDLK_RETURN}, {"escape", SDLK_ESCAPE}, {"tab", SDLK_TAB}, {"f1", SDLK_F1},
    {"f2", SDLK_F2},        {"f11", SDLK_F11},       {"y", SDLK_y},     {"n", SDLK_n},
    {"w", SDLK_w},          {"a", SDLK_a},           {"s", SDLK_s},     {"d", SDLK_d}};
const std::pair<const char*, kelvorn::FontChoice> kFonts[] = {
    {"font:tiny", kelvorn::FontChoice::Tiny},
    {"font:small", kelvorn::FontChoice::Small},
    {"font:normal", kelvorn::FontChoice::Normal},
    {"font:big", kelvorn::FontChoice::Big}};

// Whether the word is one of the camera's, with its numbers in their ranges: the words
// are all checked before the window opens.
bool knownWord(std::string_view word) {
  using kelvorn::commands::numbersIn;
  const auto colon = word.find(':');
  const std::string_view name = word.substr(0, colon);
  const std::string_view rest = colon == std::string_view::npos ? "" : word.substr(colon + 1);
  if (colon == std::string_view::npos) {
    for (const auto& [key, code] : kKeys)
      if (word == key) return true;
    for (const char* other : {"ranking", "holder", "about", "keys", "ok", "back-side"})
      if (word == other) return true;
    return false;
  }
  if (name == "type") return true;
  if (name == "font") {
    for (const auto& [font, choice] : kFonts)
      if (word == font) return true;
    return false;
  }
  if (name == "set" || name == "cell") return kelvorn::staging::isStagingWord(word);
  if (name == "mouse" || name == "point")
    return numbersIn(rest, ",", {{0, 100000}, {0, 100000}}).has_value();
  const std::pair<std::string_view, std::pair<long long, long long>> single[] = {
      {"wait", {0, 3'600'000}}, {"click", {0, 14}},
      {"save", {1, 8}},         {"message", {0, kelvorn::kMessageCount - 1}},
      {"monster", {-1, kelvorn::kMonsterKinds - 1}}, {"steps", {0, 1'000'000}},
      {"route", {0, 2}}};
  for (const auto& [known, range] : single)
    if (name == known) return numbersIn(rest, "", {range}).has_value();
  return false;
}

// A key held for a few frames: the boxes read keys from Dear ImGui, which sees a key
// only while it is down at the start of a frame.
void pressKey(kelvorn::ui::App& app, SDL_Keycode code) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = code;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(code);
  e.key.state = SDL_PRESSED;
  SDL_PushEvent(&e);
  app.pump(50);
  e.type = SDL_KEYUP;
  e.key.state = SDL_RELEASED;
  SDL_PushEvent(&e);
}

void pushText(const std::string& text) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::snprintf(e.text.text, sizeof e.text.text, "%s", text.c_str());
  SDL_PushEvent(&e);
}

}  // namespace

int main(int argc, char** argv) {
  namespace commands = kelvorn::commands;
  kelvorn::storage::reportFileSizeLimitAsError();
  kelvorn::ui::AppOptions options;
  options.prologue = false;
  options.refusalBox = false;
  bool large = false;
  std::span<char* const> operands;
  try {
    commands::ProgramOptions args(argc, argv, "h", kOptions);
    for (int code; (code = args.next()) != -1;) {
      switch (code) {
        case 'L': large = true; break;
        case 'p': options.prologue = true; break;
        case 'h': std::cout << kUsage << "\n"; return 0;
        case 'v': std::cout << commands::versionLine("kelvorn-shot") << "\n"; return 0;
      }
    }
    operands = args.operands();
    if (operands.empty()) throw commands::UsageError{"the picture to write is missing"};
    for (const std::string_view word : operands.subspan(1))
      if (!knownWord(word)) throw commands::UsageError{"unknown word '" + std::string(word) + "'"};
  } catch (const commands::UsageError& e) {
    return commands::refuse("kelvorn-shot", e, kUsage);
  }
  const std::span<char* const> words = operands.subspan(1);
  kelvorn::ui::App app(options);
  std::string error;
  if (!app.init(error)) {
    std::cerr << "kelvorn-shot: " << error << "\n";
    return 1;
  }
  app.pump(300);
  kelvorn::Game& game = app.game();
  bool staged = false;
  for (const std::string_view word : words) staged |= kelvorn::staging::stage(game, word);
  if (staged) {
    game.redrawAll();
    game.unlockInput();
    app.requestFrame();
  }
  if (large) app.changeSize(true);
  for (const std::string word : words) {
    int a = 0, b = 0;
    if (word.rfind("wait:", 0) == 0) {
      app.pump(std::stoi(word.substr(5)));
      continue;
    }
    if (word == "ranking" || word == "holder") {
      word == "ranking" ? game.menuRanking() : game.menuHolder();
    } else if (word == "about") {
      app.helpWindows().openAbout();
    } else if (word == "keys") {
      app.keysWindow().open();
    } else if (word == "ok") {
      if (game.controls.windowVisible && game.controls.okVisible) game.pressOk();
    } else if (word == "back-side") {
      game.goToBackSide();
    } else if (std::sscanf(word.c_str(), "steps:%d", &a) == 1) {
      for (; a > 0 && game.stack.count() > 0 && game.timers.enabled(kelvorn::TimerId::Steps); --a)
        game.runStep();
      app.drawing().board.motion.clear();
      // Restarting the step timer's count keeps the next tick from running another step
      // before the picture is taken.
      if (game.timers.enabled(kelvorn::TimerId::Steps)) {
        game.timers.enable(kelvorn::TimerId::Steps, false);
        game.timers.enable(kelvorn::TimerId::Steps, true);
      }
      app.requestFrame();
      app.pump(100);
      continue;
    } else if (word.rfind("click:", 0) == 0) {
      game.clickItem(std::stoi(word.substr(6)));
    } else if (std::sscanf(word.c_str(), "mouse:%d,%d", &a, &b) == 2) {
      kelvorn::ui::clickAt(app, a, b, 50);
    } else if (std::sscanf(word.c_str(), "point:%d,%d", &a, &b) == 2) {
      kelvorn::ui::pointAt(app, a, b, 50);
    } else if (std::sscanf(word.c_str(), "save:%d", &a) == 1) {
      game.menuSave(a);
      if (game.question) game.answer(true);
    } else if (word.rfind("type:", 0) == 0) {
      pushText(word.substr(5));
    } else if (std::sscanf(word.c_str(), "message:%d", &a) == 1) {
      game.bar.code = a;
    } else if (std::sscanf(word.c_str(), "route:%d", &a) == 1) {
      app.routeWindow().ask(a);
      while (app.routeWindow().answer().empty()) app.pump(50);
    } else if (std::sscanf(word.c_str(), "monster:%d", &a) == 1) {
      game.scene.monsterKind = a;
      game.drawMonsterPanel();
    } else {
      bool known = false;
      for (const auto& [name, choice] : kFonts)
        if (word == name) {
          game.menuFont(choice);
          known = true;
        }
      for (const auto& [name, code] : kKeys)
        if (word == name) {
          pressKey(app, code);
          known = true;
        }
      if (!known) continue;  // a staging word
    }
    app.requestFrame();
    app.pump(250);
  }
  app.pump(100);
  std::string writeError;
  if (!kelvorn::storage::writeFileAtomic(
          operands[0], kelvorn::encodePng(app.frame().captureWindow()), writeError)) {
    std::cerr << "kelvorn-shot: " << writeError << "\n";
    return 1;
  }
  return 0;
}
