// kelvorn-shot: plays a few key presses in the real window and saves it as PNG, so a
// developer can look at what a player sees (and attach it to a review).
//
//   kelvorn-shot OUT.png [--large] [--prologue] [KEY|wait:MS ...]
//
// KEY is left, right, up, down, enter or escape; each is followed by 250 ms of play.
#include <SDL.h>

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
