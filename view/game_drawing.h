// GameDrawing: the view the window owns. It draws what the rules of one game change into
// software bitmaps (the board's two animation frames and what is shown of them, the side
// panels, the full-window scenes) from the game's pictures and layout; the window shows
// them, and tools and tests read them. The rules never hold any of it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/game_state.h"
#include "rules/game_view.h"
#include "view/bitmap.h"
#include "view/layout.h"
#include "view/pictures.h"

namespace kelvorn {

// What the board area of the window shows, and the two animation frames behind it.
struct BoardView {
  std::array<Bitmap, 2> frames;  // each cell's first and second animation picture
  Bitmap shown;                  // what the window shows at the board origin
  // Pictures shown one after another before `shown` (a walk or a slide in motion);
  // the window plays them at its frame rate, the driver drops them.
  std::vector<Bitmap> motion;
  std::uint64_t generation = 0;  // changes whenever `shown` or `motion` change
};

// The pictures and texts of the side panels.
struct PanelView {
  Bitmap keyPanel;
  bool keyPanelVisible = false;
  std::array<Bitmap, kItemSlots> itemIcons;
  Bitmap swordIcon, shieldIcon;
  std::string swordName, shieldName;  // short names; empty hint at level 0
  std::string swordHint, shieldHint;
  Bitmap monsterPicture;
  bool monsterPictureVisible = false;
  std::string monsterName;
  std::array<std::string, 3> monsterStats;  // life, offense, defense (or their labels)
  bool monsterStatsRightAligned = false;
};

// Full-window pictures of the scenes, supplied with the layout's other pictures.
struct ScenePictures {
  Bitmap opening;          // the intro's road to the tower, also an ending picture
  Bitmap morning;          // the tower in the morning, behind the ending's title frames
  Bitmap prison;           // the prison the captured hero wakes in
  Bitmap centre;           // the centre panel behind the board
  Bitmap title, titleWon;  // the centre panel's title, plain and after a win
  Bitmap left, right, leftWon, rightWon;  // the side panels, plain and after a win
  std::vector<Bitmap> endings;            // the ending's pictures, in the order shown
  Bitmap scroll;                          // the tall picture the ending scrolls
  Bitmap last;                            // the picture after the scroll
};

class GameDrawing : public GameView {
 public:
  // Draws the game `game` was taken from (viewedGame), which must outlive it, once
  // attached to it with Game::attachView.
  explicit GameDrawing(const ViewedGame& game) : game_(game) {}

  // Switches to a layout and its pictures and makes the board frames of its size (black).
  void setLayout(const Layout& newLayout, PictureSet newPictures);
  // The hero's cell picture with pose image `pose` merged over it.
  Bitmap composeHero(int pose) const;
  // A monster kind's portrait on the empty slot, as the panel and the forecast show it.
  Bitmap portrait(int kind) const;

  Layout layout = makeLayout(false);
  PictureSet pictures;
  BoardView board;
  PanelView panels;
  ScenePictures scenes;
  // What the window shows over the whole picture area while the intro runs or a scene
  // covers it (controls.sceneVisible).
  Bitmap scenePicture;

  void drawCell(int cell) override;
  void drawHero() override;
  void drawStandingHero() override;
  void present() override;
  void clearBoard() override;
  void animate(int frame, bool outline, bool hero) override;
  void reveal(int mode, int cell) override;
  void walkFrames() override;
  void slideFrames(int from, int to) override;
  void overlayCell(int cell, int background, int sprite, int mask) override;
  void doorFrame(int cell, int kind, int frame) override;
  void vampireGrowth(int size) override;
  void drawKeyPanel() override;
  void drawItemPanel() override;
  void drawMonsterPanel() override;
  void foeLifeChanged() override;
  void introFrame() override;
  void coverWindow(ScenePicture picture, int brightness, int ending) override;
  void scrollFrame(int offset) override;
  void showTitle() override;
  void showBackBuffer() override;

 private:
  Bitmap composeOver(const Bitmap& background, int sprite, const ImageList& maskList,
                     int mask) const;
  void showPanelsAround(const Bitmap& centre);

  ViewedGame game_;
};

}  // namespace kelvorn
