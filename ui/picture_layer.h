// The pictures the engine draws, as textures under everything else: the board (a walk
// shown one picture per frame), the side panels, the scene pictures and the item
// cursor. The layout's pictures are read from the program folder.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <filesystem>

#include "rules/game.h"
#include "ui/picture_files.h"
#include "ui/texture.h"
#include "view/game_drawing.h"

namespace kelvorn::ui {

class PictureLayer {
 public:
  PictureLayer(const Game& game, GameDrawing& drawing, std::filesystem::path programFolder)
      : game_(game), drawing_(drawing), folder_(std::move(programFolder)) {}

  const std::filesystem::path& programFolder() const { return folder_; }
  // Reads the pictures of `layout` and gives them to the drawing.
  void load(SDL_Renderer* renderer, const Layout& layout);
  // The board is uploaded afresh on the next frame.
  void refreshBoard() { boardGeneration_ = ~0ull; }
  void draw(SDL_Renderer* renderer, int top);

 private:
  void uploadPanels(SDL_Renderer* renderer);

  const Game& game_;
  GameDrawing& drawing_;
  std::filesystem::path folder_;
  LayoutPictures pictures_;
  std::uint64_t boardGeneration_ = ~0ull;
  Texture board_, centre_, left_, right_, scene_, keyPanel_, swordIcon_, shieldIcon_, monster_;
  std::array<Texture, kItemSlots> icons_;
};

}  // namespace kelvorn::ui
