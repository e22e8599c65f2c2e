// A GPU copy of a software bitmap, re-uploaded only when asked.
#pragma once

#include <SDL.h>

#include "view/bitmap.h"

namespace kelvorn::ui {

class Texture {
 public:
  Texture() = default;
  ~Texture() { reset(); }
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // Copies the bitmap's pixels into the texture, recreating it when the size changed.
  void upload(SDL_Renderer* renderer, const Bitmap& bitmap);
  void reset();
  // Draws the whole texture at (x, y) at its own size.
  void draw(SDL_Renderer* renderer, int x, int y) const;
  bool valid() const { return texture_ != nullptr; }
  // For drawing through Dear ImGui, whose renderer takes the texture itself.
  SDL_Texture* handle() const { return texture_; }

 private:
  SDL_Texture* texture_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace kelvorn::ui
