// kelvorn-shot: plays a few key presses in the real window and saves it as PNG, so a
// developer can look at what a player sees (and attach it to a review).
//
//   kelvorn-shot OUT.png [--large] [--prologue] [set:I=V] [cell:F:C=T]
//                [KEY|click:N|ok|wait:MS ...]
//
// KEY is left, right, up, down, enter or escape; each is followed by 250 ms of play.
// set:I=V puts V into GameState index I and cell:F:C=T TileCode T into cell C of floor
// F before play starts, to stage a situation; click:N clicks item icon N; ok presses the
// message window's OK (no play follows: time a scene's moment with wait:MS); ranking
// and holder open those windows.
#include <SDL.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "engine/png.h"
#include "storage/files.h"
#include "ui/app.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: kelvorn-shot OUT.png [--large] [--prologue] [KEY|wait:MS ...]\n";
    return 2;
  }
  kelvorn::ui::AppOptions options;
  options.prologue = false;
  options.refusalBox = false;
  bool large = false;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--large") large = true;
    if (std::string(argv[i]) == "--prologue") options.prologue = true;
  }
  kelvorn::ui::App app(options);
  std::string error;
  if (!app.init(error)) {
    std::cerr << "kelvorn-shot: " << error << "\n";
    return 1;
  }
  app.pump(300);
  kelvorn::Game& game = app.game();
  bool staged = false;
  for (int i = 2; i < argc; ++i) {
    const std::string word = argv[i];
    int a = 0, b = 0, c = 0;
    if (std::sscanf(word.c_str(), "set:%d=%d", &a, &b) == 2 && a >= 0 && a < kelvorn::gs::kSize) {
      game.state[a] = b;
      staged = true;
    } else if (std::sscanf(word.c_str(), "cell:%d:%d=%d", &a, &b, &c) == 3 && a >= 0 && a <= 50 &&
               b >= 0 && b <= 120) {
      game.floors.setCell(a, b, static_cast<kelvorn::TileCode>(c));
      staged = true;
    }
  }
  if (staged) {
    game.redrawAll();
    game.unlockInput();
    app.requestFrame();
  }
  if (large) app.changeSize(true);
  const std::pair<const char*, SDL_Keycode> keys[] = {
      {"left", SDLK_LEFT}, {"right", SDLK_RIGHT}, {"up", SDLK_UP},
      {"down", SDLK_DOWN}, {"enter", SDLK_RETURN}, {"escape", SDLK_ESCAPE}};
  for (int i = 2; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.rfind("wait:", 0) == 0) {
      app.pump(std::stoi(word.substr(5)));
      continue;
    }
    if (word == "ranking" || word == "holder") {
      word == "ranking" ? game.menuRanking() : game.menuHolder();
      app.requestFrame();
      app.pump(250);
      continue;
    }
    if (word == "ok") {
      if (game.controls.windowVisible && game.controls.okVisible) game.pressOk();
      app.requestFrame();
      continue;
    }
    if (word.rfind("click:", 0) == 0) {
      game.clickItem(std::stoi(word.substr(6)));
      app.requestFrame();
      app.pump(250);
      continue;
    }
    for (const auto& [name, code] : keys) {
      if (word != name) continue;
      SDL_Event e{};
      e.type = SDL_KEYDOWN;
      e.key.keysym.sym = code;
      SDL_PushEvent(&e);
      e.type = SDL_KEYUP;
      SDL_PushEvent(&e);
      app.pump(250);
    }
  }
  app.pump(100);
  std::string writeError;
  if (!kelvorn::storage::writeFileAtomic(argv[1], kelvorn::encodePng(app.capture()), writeError)) {
    std::cerr << "kelvorn-shot: " << writeError << "\n";
    return 1;
  }
  return 0;
}
