#include "ui/app.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <iostream>

#include "storage/files.h"
#include "ui/paths.h"
#include "ui/recovery.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace fs = std::filesystem;

namespace {
constexpr const char* kCaption = "Kelvorn Ver1.2";
constexpr int kMotionFrameMs = 16;  // one picture of a walk per display frame
}  // namespace

App::App(AppOptions options)
    : HolderHost(std::filesystem::path()),
      options_(std::move(options)),
      game_(content::builtIn(), this) {}

App::~App() {
  audio_.reset();
  if (imguiReady_) {
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
  }
  // Textures belong to the renderer: free them before it goes.
  for (Texture* t : {&board_, &centre_, &left_, &right_, &scene_, &keyPanel_, &swordIcon_,
                     &shieldIcon_, &monster_})
    t->reset();
  for (Texture& t : icons_) t.reset();
  for (Texture& t : forecastPortraits_) t.reset();
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_Quit();
}

bool App::init(std::string& error) {
  instance_ = std::make_unique<SingleInstance>(runtimeFolder());
  if (!instance_->first()) {
    error = "Sorry, cannot execute plural 'Kelvorn'.";
    if (options_.refusalBox)
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, kCaption, error.c_str(), nullptr);
    return false;
  }
  // The picture is small and changes a few times a second: drawing it in software keeps
  // the game light (no GL driver loaded, a few MB instead of a hundred) and identical on
  // every desktop. The environment can still choose another renderer.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    error = std::string("cannot open a window: ") + SDL_GetError();
    return false;
  }
  if (!openWindow(error)) return false;
  startUp();
  return true;
}

bool App::largeAllowed() const {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return true;
  return mode.w >= 800;
}

bool App::openWindow(std::string& error) {
  window_ = SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 424,
                             SDL_WINDOW_HIDDEN);
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

int App::menuHeight() const {
  return static_cast<int>(fonts_.get(10, false)->FontSize + 2 * ImGui::GetStyle().FramePadding.y);
}

// The start-up order of the window: where the files are, the options, the layout,
// then the engine's own start-up (options applied, intro, new game).
void App::startUp() {
  programFolder_ = programFolder();
  audio_ = std::make_unique<audio::Player>(programFolder_);
  const fs::path iniPath = configFolder() / "KVN12.INI";
  std::optional<storage::HolderIni> ini;
  if (auto bytes = storage::readFile(iniPath))
    ini = storage::parseHolderIni(std::string(bytes->begin(), bytes->end()));
  if (!ini || !readPicture(programFolder_ / "data" / "center.bmp")) {
    if (!ini) ini = storage::HolderIni{defaultSaveHolder().string(), "", ""};
    ini->programFolder = programFolder_.string();
    std::error_code ec;
    fs::create_directories(configFolder(), ec);
    std::string error;
    if (!storage::writeTextAtomic(iniPath, storage::formatHolderIni(*ini), error))
      std::cerr << "kelvorn: " << error << "\n";
  }
  ini_ = *ini;
  std::error_code ec;
  fs::create_directories(ini_.holder, ec);
  setHolder(ini_.holder);
  recoveryOffered_ = fs::exists(recoveryFile(), ec);

  const std::optional<OptionBytes> stored = holder().readOptions();
  OptionBytes block = stored.value_or(builtInOptions());
  if (options_.prologue) block[opt::Prologue] = *options_.prologue ? 1 : 0;
  if (block[opt::Size] == 1 && !largeAllowed()) block[opt::Size] = 0;
  applyLayout(block[opt::Size] == 1);
  game_.startUp((stored || options_.prologue) ? std::optional(block) : std::nullopt);
  game_.options[opt::Size] = block[opt::Size];
  SDL_ShowWindow(window_);
  lastTicks_ = SDL_GetTicks64();
}

void App::applyLayout(bool large) {
  const Layout layout = makeLayout(large);
  pictures_ = loadLayoutPictures(programFolder_, layout);
  if (!pictures_.missing.empty()) {
    std::cerr << "kelvorn: pictures missing in " << programFolder_.string() << ":";
    for (const auto& name : pictures_.missing) std::cerr << " " << name;
    std::cerr << "\n";
  }
  game_.setLayout(layout, pictures_.sheets);
  game_.scenes = {pictures_.opening[0], pictures_.opening[1], pictures_.opening[2],
                  pictures_.centre,     pictures_.title,      pictures_.titleWon,
                  pictures_.left,       pictures_.right,      pictures_.leftWon,
                  pictures_.rightWon,   pictures_.endings,    pictures_.endingScroll,
                  pictures_.endingLast};
  SDL_SetWindowSize(window_, layout.clientWidth, layout.clientHeight + menuHeight());
  centre_.upload(renderer_, pictures_.centre);
  boardGeneration_ = ~0ull;
  framesToDraw_ = 2;
}

void App::changeSize(bool large) {
  if (large == game_.layout.large || (large && !largeAllowed())) return;
  game_.options[opt::Size] = large ? 1 : 0;
  applyLayout(large);
  game_.afterSizeChange();
}

void App::run() {
  while (running_) guardedLoopOnce(1000);
}

void App::pump(int ms) {
  const std::uint64_t end = SDL_GetTicks64() + static_cast<std::uint64_t>(std::max(ms, 0));
  while (running_ && SDL_GetTicks64() < end)
    guardedLoopOnce(static_cast<int>(std::min<std::uint64_t>(end - SDL_GetTicks64(), 1000)));
}

// One turn of the event loop: sleep until an event or the next timer tick, hand the
// elapsed time to the engine, and draw a frame if anything changed.
void App::loopOnce(int maxWaitMs) {
  int wait = maxWaitMs;
  if (const auto due = game_.timers.untilNext()) wait = std::min(wait, *due);
  if (!game_.board.motion.empty()) wait = std::min(wait, kMotionFrameMs);
  if (framesToDraw_ > 0) wait = 0;
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, std::max(wait, 0))) {
    handleEvent(event);
    while (SDL_PollEvent(&event)) handleEvent(event);
    framesToDraw_ = std::max(framesToDraw_, 2);  // ImGui settles within two frames
  }
  const std::uint64_t now = SDL_GetTicks64();
  const int elapsed = static_cast<int>(std::min<std::uint64_t>(now - lastTicks_, 60'000));
  lastTicks_ = now;
  game_.advance(elapsed);
  if (game_.timerFirings != lastTimerCount_) {
    lastTimerCount_ = game_.timerFirings;
    framesToDraw_ = std::max(framesToDraw_, 1);
  }
  if (audio_) audio_->poll();
  if (instance_ && instance_->raiseRequested()) {
    SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
  }
  if (game_.quitRequested) running_ = false;
  if (framesToDraw_ > 0 || !game_.board.motion.empty()) {
    render();
    if (framesToDraw_ > 0) --framesToDraw_;
  }
}

void App::handleEvent(const SDL_Event& event) {
  ImGui_ImplSDL2_ProcessEvent(&event);
  switch (event.type) {
    case SDL_QUIT: running_ = false; break;
    case SDL_KEYDOWN: handleKey(event.key.keysym); break;
    default: break;
  }
}

void App::handleKey(const SDL_Keysym& key) {
  // Boxes answer the keyboard first: Enter takes the focused button, Escape says No,
  // the arrow keys and Tab move between Yes and No.
  if (game_.question) {
    if (key.sym == SDLK_LEFT || key.sym == SDLK_RIGHT || key.sym == SDLK_TAB)
      yesFocused_ = !yesFocused_;
    else if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER)
      game_.answer(yesFocused_);
    else if (key.sym == SDLK_ESCAPE || key.sym == SDLK_n)
      game_.answer(false);
    else if (key.sym == SDLK_y)
      game_.answer(true);
    return;
  }
  if (game_.notice) {
    if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER || key.sym == SDLK_ESCAPE)
      game_.acknowledge();
    return;
  }
  if (modalWindowOpen()) return;  // its own buttons and text box take the keys
  if (aboutOpen_) {
    if (key.sym == SDLK_RETURN || key.sym == SDLK_ESCAPE) aboutOpen_ = false;
    return;
  }
  if (key.sym == SDLK_F2) return game_.menuGameStart();
  if (key.sym == SDLK_F9) return game_.menuGameQuit();
  if (handleButtonKey(key.sym)) return;
  if (ImGui::GetIO().WantCaptureKeyboard || !game_.board.motion.empty()) return;
  switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: game_.keyDown(13); break;
    case SDLK_ESCAPE: game_.keyDown(27); break;
    case SDLK_LEFT: game_.keyDown(37); break;
    case SDLK_UP: game_.keyDown(38); break;
    case SDLK_RIGHT: game_.keyDown(39); break;
    case SDLK_DOWN: game_.keyDown(40); break;
    default: break;
  }
}

void App::openRanking() {
  ranking_.emplace(holder());
  ranking_->open();
}

void App::openHolderChooser() {
  chooser_.emplace(ini_, configFolder() / "KVN12.INI");
  makingHolder_ = false;
}

Bitmap App::capture() {
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  Bitmap out(w, h);
  SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, out.pixels.data(),
                       w * static_cast<int>(sizeof(Pixel)));
  return out;
}

}  // namespace kelvorn::ui
