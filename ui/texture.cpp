#include "ui/texture.h"

namespace kelvorn::ui {

void Texture::upload(SDL_Renderer* renderer, const Bitmap& bitmap) {
  if (bitmap.empty()) {
    reset();
    return;
  }
  if (!texture_ || width_ != bitmap.width || height_ != bitmap.height) {
    reset();
    texture_ = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 bitmap.width, bitmap.height);
    width_ = bitmap.width;
    height_ = bitmap.height;
  }
  if (texture_)
    SDL_UpdateTexture(texture_, nullptr, bitmap.pixels.data(),
                      bitmap.width * static_cast<int>(sizeof(Pixel)));
}

void Texture::reset() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  width_ = height_ = 0;
}

void Texture::draw(SDL_Renderer* renderer, int x, int y) const {
  if (!texture_) return;
  const SDL_Rect to{x, y, width_, height_};
  SDL_RenderCopy(renderer, texture_, nullptr, &to);
}

}  // namespace kelvorn::ui
