#include "ui/synthetic_input.h"

namespace kelvorn::ui {

void pointAt(App& app, int x, int y, int settleMs) {
  SDL_WarpMouseInWindow(SDL_GetWindowFromID(1), x, y);
  app.pump(settleMs);
}

void clickAt(App& app, int x, int y, int settleMs) {
  pointAt(app, x, y, settleMs);
  for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
    SDL_Event e{};
    e.type = type;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
    app.pump(settleMs);
  }
}

}  // namespace kelvorn::ui
