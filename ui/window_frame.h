// The window itself: SDL with one instance per player, the window and its renderer,
// Dear ImGui with the game's fonts, and the frame the picture is drawn into at its own
// size before it is scaled into the window, whatever the window's size.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "ui/fonts.h"
#include "ui/single_instance.h"
#include "view/bitmap.h"
#include "view/layout.h"

namespace kelvorn::ui {

class WindowFrame {
 public:
  WindowFrame() = default;
  ~WindowFrame();
  WindowFrame(const WindowFrame&) = delete;
  WindowFrame& operator=(const WindowFrame&) = delete;

  // Starts SDL and opens the window, still hidden. False when another instance runs
  // (it has been asked to come forward; with `refusalBox` a message box says so) or no
  // window can be opened; `error` says which.
  bool open(bool refusalBox, std::string& error);
  // Chooses the whole scale the window opens at: the display's density in steps of 96
  // dots per inch, as far as the window fits the display.
  void chooseStartingScale();
  // Sizes the window and its frame for the picture of `layout`.
  void fit(const Layout& layout);
  void show(bool fullScreen);
  // Another instance asked this one to come forward.
  void raiseIfAsked();
  // The player sized the window: it keeps that whole scale through a change of layout.
  void sizeChanged(int width, int height);

  SDL_Renderer* renderer() const { return renderer_; }
  const FontSet& fonts() const { return fonts_; }
  int menuHeight() const;
  // Whether the large layout fits the desktop.
  static bool largeAllowed();
  bool fullScreen() const;
  // F11: full screen on the desktop's own size, or back to the window; true when full
  // screen now.
  bool toggleFullScreen();

  // A frame of Dear ImGui begins, the pointer read in the picture's own coordinates.
  void newFrame();
  // The picture is drawn into the frame from here on ...
  void beginPicture();
  // ... then Dear ImGui over it, and the frame is shown in the window.
  void finishPicture();
  // An error thrown while the interface was being built leaves its frame open: ends
  // it. False when there is no interface to show anything in.
  bool recoverFrame();

  // The game's picture as last drawn at its own size (menu bar and client area), as
  // 0x00RRGGBB pixels.
  Bitmap capture();
  // The whole window as last shown: the picture scaled into it, with its bars.
  Bitmap captureWindow();

 private:
  // Puts the picture into the window, scaled by the rule of fitPicture.
  void composeWindow();

  std::unique_ptr<SingleInstance> instance_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* frame_ = nullptr;  // the picture at its own size, scaled into the window
  bool imguiReady_ = false;
  FontSet fonts_;
  int windowScale_ = 1;  // the window's whole scale when not full screen
  int pictureWidth_ = 0, pictureHeight_ = 0;
};

}  // namespace kelvorn::ui
