#include "ui/window_frame.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cfloat>
#include <iostream>
#include <string_view>

#include "ui/paths.h"
#include "ui/scaling.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
constexpr const char* kCaption = "Kelvorn Ver1.2";

// Without a display SDL falls back to a video driver that draws off screen: the game
// would run where nobody sees it. Such a driver is only used when the environment asks
// for it by name (SDL_VIDEODRIVER, as tests and tools do).
bool screenlessFallback() {
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (asked && *asked) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  return !driver || std::string_view(driver) == "offscreen" || std::string_view(driver) == "dummy";
}
}  // namespace

WindowFrame::~WindowFrame() {
  if (imguiReady_) {
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
  }
  if (frame_) SDL_DestroyTexture(frame_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_Quit();
}

bool WindowFrame::open(bool refusalBox, std::string& error) {
  // The picture is small and changes a few times a second: drawing it in software keeps
  // the game light (no GL driver loaded, a few MB instead of a hundred) and identical on
  // every desktop. The environment can still choose another renderer.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    error = std::string("cannot open a window: ") + SDL_GetError();
    return false;
  }
  // Checked before the single-instance lock: a game nobody can see must not hold it.
  if (screenlessFallback()) {
    error =
        "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY leads to "
        "one); SDL_VIDEODRIVER=offscreen runs the game unseen on purpose";
    return false;
  }
  instance_ = std::make_unique<SingleInstance>(runtimeFolder());
  if (!instance_->first()) {
    error = "Sorry, cannot execute plural 'Kelvorn'.";
    if (refusalBox)
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, kCaption, error.c_str(), nullptr);
    return false;
  }
  // Without gamepads the game still plays: the subsystem is only asked for, not needed.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
    std::cerr << "kelvorn: no gamepads (" << SDL_GetError() << ")\n";
  window_ = SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 424,
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!window_) {
    error = std::string("cannot open a window: ") + SDL_GetError();
    return false;
  }
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) {
    error = std::string("cannot draw in the window: ") + SDL_GetError();
    return false;
  }
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // the layout is fixed; nothing to remember
  applyTheme(ImGui::GetStyle());
  if (!fonts_.load()) std::cerr << "kelvorn: DejaVu Sans is missing; using the built-in font\n";
  io.FontDefault = fonts_.get(10, false);
  io.Fonts->Build();  // font sizes are known from here on (the menu bar's height needs them)
  ImGui_ImplSDL2_InitForSDLRenderer(window_);
  ImGui_ImplSDLRenderer_Init(renderer_);
  imguiReady_ = true;
  return true;
}

int WindowFrame::menuHeight() const {
  return static_cast<int>(fonts_.get(10, false)->FontSize + 2 * ImGui::GetStyle().FramePadding.y);
}

bool WindowFrame::largeAllowed() {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return true;
  return mode.w >= 800;
}

void WindowFrame::chooseStartingScale() {
  windowScale_ = 1;
  const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
  float dpi = 0;
  SDL_Rect usable{};
  if (SDL_GetDisplayDPI(display, &dpi, nullptr, nullptr) != 0 ||
      SDL_GetDisplayUsableBounds(display, &usable) != 0)
    return;
  // Where the system already gives the window more pixels than points, that part of the
  // density is taken care of.
  int windowW = 0, windowH = 0, outputW = 0, outputH = 0;
  SDL_GetWindowSize(window_, &windowW, &windowH);
  SDL_GetRendererOutputSize(renderer_, &outputW, &outputH);
  const float pixelsPerPoint = windowW > 0 ? float(outputW) / float(windowW) : 1.0f;
  const Layout small = makeLayout(false);
  const int fits =
      std::min(usable.w / small.clientWidth, usable.h / (small.clientHeight + menuHeight()));
  windowScale_ =
      std::clamp(int(dpi / 96.0f / std::max(pixelsPerPoint, 1.0f)), 1, std::max(fits, 1));
}

void WindowFrame::fit(const Layout& layout) {
  const int w = layout.clientWidth, h = layout.clientHeight + menuHeight();
  pictureWidth_ = w;
  pictureHeight_ = h;
  int frameW = 0, frameH = 0;
  if (frame_) SDL_QueryTexture(frame_, nullptr, nullptr, &frameW, &frameH);
  if (!frame_ || frameW != w || frameH != h) {
    if (frame_) SDL_DestroyTexture(frame_);
    frame_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
  }
  SDL_SetWindowMinimumSize(window_, w, h);
  if (!fullScreen()) {
    SDL_Rect usable{};
    int scale = windowScale_;
    if (SDL_GetDisplayUsableBounds(std::max(SDL_GetWindowDisplayIndex(window_), 0), &usable) == 0)
      scale = std::clamp(std::min(usable.w / w, usable.h / h), 1, scale);
    SDL_SetWindowSize(window_, w * scale, h * scale);
  }
}

void WindowFrame::show(bool fullScreen) {
  SDL_ShowWindow(window_);
  if (fullScreen) SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void WindowFrame::raiseIfAsked() {
  if (instance_ && instance_->raiseRequested()) {
    SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
  }
}

void WindowFrame::sizeChanged(int width, int height) {
  if (!fullScreen())
    windowScale_ = std::max(1, std::min(width / pictureWidth_, height / pictureHeight_));
}

bool WindowFrame::fullScreen() const {
  return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
         SDL_WINDOW_FULLSCREEN_DESKTOP;
}

bool WindowFrame::toggleFullScreen() {
  const bool on = !fullScreen();
  SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  // Not every desktop gives the window its size back by itself.
  if (!on) SDL_SetWindowSize(window_, pictureWidth_ * windowScale_, pictureHeight_ * windowScale_);
  return on;
}

// Dear ImGui works in the picture's own coordinates, whatever the window's size.
void WindowFrame::newFrame() {
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGuiIO& io = ImGui::GetIO();
  int windowW = 0, windowH = 0, outputW = 0, outputH = 0;
  SDL_GetWindowSize(window_, &windowW, &windowH);
  SDL_GetRendererOutputSize(renderer_, &outputW, &outputH);
  io.DisplaySize = ImVec2(float(pictureWidth_), float(pictureHeight_));
  io.DisplayFramebufferScale = ImVec2(1, 1);
  if (io.MousePos.x == -FLT_MAX || windowW <= 0 || windowH <= 0) return;
  const PictureFit fit = fitPicture(outputW, outputH, pictureWidth_, pictureHeight_);
  const PicturePoint p =
      toPicture(fit, io.MousePos.x * float(outputW) / float(windowW),
                io.MousePos.y * float(outputH) / float(windowH), pictureWidth_, pictureHeight_);
  io.MousePos = ImVec2(p.x, p.y);
}

void WindowFrame::beginPicture() {
  SDL_SetRenderTarget(renderer_, frame_);
  SDL_SetRenderDrawColor(renderer_, 0xC0, 0xC0, 0xC0, 0xFF);
  SDL_RenderClear(renderer_);
}

void WindowFrame::finishPicture() {
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  composeWindow();
  SDL_RenderPresent(renderer_);
}

bool WindowFrame::recoverFrame() {
  if (!imguiReady_) return false;
  if (ImGui::GetCurrentContext()->WithinFrameScope) {
    ImGui::ErrorCheckEndFrameRecover(nullptr);
    ImGui::EndFrame();
  }
  return true;
}

void WindowFrame::composeWindow() {
  SDL_SetRenderTarget(renderer_, nullptr);
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  const PictureFit fit = fitPicture(w, h, pictureWidth_, pictureHeight_);
  SDL_SetTextureScaleMode(frame_, fit.smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 0xFF);
  SDL_RenderClear(renderer_);
  const SDL_Rect to{fit.place.x, fit.place.y, fit.place.w, fit.place.h};
  SDL_RenderCopy(renderer_, frame_, nullptr, &to);
}

Bitmap WindowFrame::capture() {
  Bitmap out(pictureWidth_, pictureHeight_);
  SDL_SetRenderTarget(renderer_, frame_);
  SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, out.pixels.data(),
                       out.width * static_cast<int>(sizeof(Pixel)));
  SDL_SetRenderTarget(renderer_, nullptr);
  return out;
}

Bitmap WindowFrame::captureWindow() {
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  composeWindow();
  Bitmap out(w, h);
  SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, out.pixels.data(),
                       w * static_cast<int>(sizeof(Pixel)));
  return out;
}

}  // namespace kelvorn::ui
