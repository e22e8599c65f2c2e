#include "ui/app.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <iostream>
#include <string_view>
#include <utility>

#include "storage/files.h"
#include "ui/paths.h"
#include "ui/recovery.h"
#include "ui/scaling.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace fs = std::filesystem;

namespace {
constexpr const char* kCaption = "Kelvorn Ver1.2";
constexpr int kMotionFrameMs = 16;  // one picture of a walk per display frame
// A walk key pressed while a short script plays (a pickup, a door: under a second at
// every speed) is acted on when input unlocks; one pressed longer ago than this, early in
// a long scene or fight, is dropped. A key held down keeps repeating, so it always acts.
constexpr int kHeldKeyMs = 1000;

// The engine's key codes for the window's keys (0: none of them).
int engineKey(SDL_Keycode key) {
  switch (key) {
    case SDLK_RETURN: return 13;
    case SDLK_ESCAPE: return 27;
    case SDLK_LEFT: return 37;
    case SDLK_UP: return 38;
    case SDLK_RIGHT: return 39;
    case SDLK_DOWN: return 40;
    default: return 0;
  }
}
bool isWalkKey(SDL_Keycode key) {
  return key == SDLK_LEFT || key == SDLK_UP || key == SDLK_RIGHT || key == SDLK_DOWN;
}
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

App::App(AppOptions options)
    : HolderHost(std::filesystem::path()),
      options_(std::move(options)),
      game_(content::builtIn(), this) {}

App::~App() {
  if (!replayHolder_.empty()) {
    std::error_code ec;
    fs::remove_all(replayHolder_, ec);
  }
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
  if (frame_) SDL_DestroyTexture(frame_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_Quit();
}

bool App::init(std::string& error) {
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
    error = "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY leads to "
            "one); SDL_VIDEODRIVER=offscreen runs the game unseen on purpose";
    return false;
  }
  instance_ = std::make_unique<SingleInstance>(runtimeFolder());
  if (!instance_->first()) {
    error = "Sorry, cannot execute plural 'Kelvorn'.";
    if (options_.refusalBox)
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, kCaption, error.c_str(), nullptr);
    return false;
  }
  // Without gamepads the game still plays: the subsystem is only asked for, not needed.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
    std::cerr << "kelvorn: no gamepads (" << SDL_GetError() << ")\n";
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

int App::menuHeight() const {
  return static_cast<int>(fonts_.get(10, false)->FontSize + 2 * ImGui::GetStyle().FramePadding.y);
}

// The start-up order of the window: where the files are, the options, the layout,
// then the engine's own start-up (options applied, intro, new game).
void App::startUp() {
  programFolder_ = programFolder();
  settings_ = storage::SettingsFile(configFolder() / "settings.ini");
  if (const std::string note = settings_.load(); !note.empty())
    std::cerr << "kelvorn: " << note << "\n";
  keys_.load(settings_);
  game_.skipFightAnimations = comfort(setting::SkipFights, false);
  audio_ = std::make_unique<audio::Player>(programFolder_);
  applyVolumes();
  std::string iniNote;
  ini_ = storage::openHolderIni(
      configFolder() / "KVN12.INI", {defaultSaveHolder().string(), programFolder_.string(), ""},
      readPicture(programFolder_ / "data" / "center.bmp").has_value(), iniNote);
  if (!iniNote.empty()) std::cerr << "kelvorn: " << iniNote << "\n";
  std::error_code ec;
  fs::create_directories(ini_.holder, ec);
  setHolder(ini_.holder);
  recoveryOffered_ = fs::exists(recoveryFile(), ec);
  autosaves_ = storage::Autosaves(dataFolder());
  continueOffer_ = autosaves_.newest();
  game_.records.replay.enabled = true;

  const std::optional<OptionBytes> stored = holder().readOptions();
  OptionBytes block = stored.value_or(builtInOptions());
  if (options_.prologue) block[opt::Prologue] = *options_.prologue ? 1 : 0;
  if (block[opt::Size] == 1 && !largeAllowed()) block[opt::Size] = 0;
  windowScale_ = startingScale();
  applyLayout(block[opt::Size] == 1);
  game_.startUp((stored || options_.prologue) ? std::optional(block) : std::nullopt);
  game_.options[opt::Size] = block[opt::Size];
  if (std::string error; !options_.replay.empty() && !startReplay(error))
    std::cerr << "kelvorn: " << error << "\n";
  SDL_ShowWindow(window_);
  if (settings_.flag(setting::FullScreen, false))
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  lastTicks_ = SDL_GetTicks64();
}

int App::startingScale() const {
  const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
  float dpi = 0;
  SDL_Rect usable{};
  if (SDL_GetDisplayDPI(display, &dpi, nullptr, nullptr) != 0 ||
      SDL_GetDisplayUsableBounds(display, &usable) != 0)
    return 1;
  // Where the system already gives the window more pixels than points, that part of the
  // density is taken care of.
  int windowW = 0, windowH = 0, outputW = 0, outputH = 0;
  SDL_GetWindowSize(window_, &windowW, &windowH);
  SDL_GetRendererOutputSize(renderer_, &outputW, &outputH);
  const float pixelsPerPoint = windowW > 0 ? float(outputW) / float(windowW) : 1.0f;
  const Layout small = makeLayout(false);
  const int fits =
      std::min(usable.w / small.clientWidth, usable.h / (small.clientHeight + menuHeight()));
  return std::clamp(int(dpi / 96.0f / std::max(pixelsPerPoint, 1.0f)), 1, std::max(fits, 1));
}

void App::applyLayout(bool large) {
  const Layout layout = makeLayout(large);
  pictures_ = loadLayoutPictures(programFolder_, layout);
  if (!pictures_.missing.empty()) {
    std::cerr << "kelvorn: pictures missing in " << programFolder_.string() << ":";
    for (const auto& name : pictures_.missing) std::cerr << " " << name;
    std::cerr << "\n";
  }
  drawing_.setLayout(layout, pictures_.sheets);
  drawing_.scenes = {pictures_.opening[0], pictures_.opening[1], pictures_.opening[2],
                     pictures_.centre,     pictures_.title,      pictures_.titleWon,
                     pictures_.left,       pictures_.right,      pictures_.leftWon,
                     pictures_.rightWon,   pictures_.endings,    pictures_.endingScroll,
                     pictures_.endingLast};
  game_.attachView(&drawing_);
  // The picture is drawn at its own size into a texture that is then scaled into the
  // window, whatever its size.
  const int w = layout.clientWidth, h = layout.clientHeight + menuHeight();
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
  centre_.upload(renderer_, pictures_.centre);
  boardGeneration_ = ~0ull;
  framesToDraw_ = 2;
}

void App::changeSize(bool large) {
  if (large == drawing_.layout.large || (large && !largeAllowed())) return;
  noteWindowInput(large ? "menu size large" : "menu size small");
  game_.options[opt::Size] = large ? 1 : 0;
  applyLayout(large);
  game_.afterSizeChange();
}

bool App::fullScreen() const {
  return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
         SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void App::toggleFullScreen() {
  const bool on = !fullScreen();
  SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  // Not every desktop gives the window its size back by itself.
  if (!on)
    SDL_SetWindowSize(window_, pictureWidth() * windowScale_, pictureHeight() * windowScale_);
  settings_.setFlag(setting::FullScreen, on);
  saveSettings();
  requestFrame();
}

void App::setComfort(const char* name, bool on) {
  settings_.setFlag(name, on);
  saveSettings();
  game_.skipFightAnimations = comfort(setting::SkipFights, false);
}

void App::saveSettings() {
  if (const std::string error = settings_.save(); !error.empty())
    std::cerr << "kelvorn: the window's settings were not kept: " << error << "\n";
}

void App::applyVolumes() {
  if (audio_)
    audio_->setVolumes(settings_.number(setting::MusicVolume, 0, 100, 100),
                       settings_.number(setting::EffectsVolume, 0, 100, 100));
}

void App::run() {
  while (running_) guardedLoopOnce(1000);
  if (!failed()) autosaveIfDue(true);
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
  if (!drawing_.board.motion.empty() || replay_) wait = std::min(wait, kMotionFrameMs);
  if (const auto due = pads_.untilRepeat(SDL_GetTicks64())) wait = std::min(wait, *due);
  // While "Can I still win?" is open its progress and answer show within 100 ms.
  if (routeWindowOpen_) wait = std::min(wait, 100);
  if (framesToDraw_ > 0) wait = 0;
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, std::max(wait, 0))) {
    handleEvent(event);
    while (SDL_PollEvent(&event)) handleEvent(event);
    framesToDraw_ = std::max(framesToDraw_, 2);  // ImGui settles within two frames
  }
  if (routeWindowOpen_) framesToDraw_ = std::max(framesToDraw_, 1);
  const std::uint64_t now = SDL_GetTicks64();
  const int elapsed = static_cast<int>(std::min<std::uint64_t>(now - lastTicks_, 60'000));
  lastTicks_ = now;
  followFastPlay();
  if (replay_)
    playReplay(elapsed);
  else
    game_.advance(elapsed);
  if (const auto press = pads_.repeat(now)) handlePad(*press);
  feedWaitingInput();
  history_.observe(game_);
  autosaveIfDue();
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
  if (framesToDraw_ > 0 || !drawing_.board.motion.empty()) {
    render();
    if (framesToDraw_ > 0) --framesToDraw_;
    if (padKeyUp_ != SDLK_UNKNOWN) imguiKey(std::exchange(padKeyUp_, SDLK_UNKNOWN), false);
  }
}

void App::handleEvent(const SDL_Event& event) {
  // A replay plays alone: the player's keys, clicks and buttons wait until it ends, and
  // Escape ends it where it stands.
  if (replay_ && (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP ||
                  event.type == SDL_TEXTINPUT || event.type == SDL_MOUSEBUTTONDOWN ||
                  event.type == SDL_MOUSEBUTTONUP || event.type == SDL_CONTROLLERBUTTONDOWN)) {
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) endReplay();
    return;
  }
  ImGui_ImplSDL2_ProcessEvent(&event);
  switch (event.type) {
    case SDL_QUIT: running_ = false; break;
    case SDL_KEYDOWN:
      if (event.key.keysym.sym == SDLK_SPACE) spaceHeld_ = true;
      handleKey(event.key.keysym);
      break;
    case SDL_KEYUP:
      if (event.key.keysym.sym == SDLK_SPACE) spaceHeld_ = false;
      break;
    case SDL_WINDOWEVENT:
      // A key let go while another window had the keyboard is never seen here.
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) spaceHeld_ = false;
      // A window the player sized keeps its whole scale through a change of layout.
      if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && !fullScreen())
        windowScale_ = std::max(
            1, std::min(event.window.data1 / pictureWidth(), event.window.data2 / pictureHeight()));
      break;
    default:
      if (const auto press = pads_.handle(event, SDL_GetTicks64())) handlePad(*press);
      break;
  }
}

// Fast play lasts while Space or a shoulder button is held down. The pictures of a walk
// are dropped then: the hero stands where he went at once.
void App::followFastPlay() {
  const bool fast = spaceHeld_ || pads_.shoulderHeld();
  if (fast != game_.fastPlay()) game_.setFastPlay(fast);
  if (fast && !drawing_.board.motion.empty()) {
    drawing_.board.motion.clear();
    boardGeneration_ = ~0ull;
    framesToDraw_ = std::max(framesToDraw_, 1);
  }
}

void App::handleKey(const SDL_Keysym& key) {
  if (capturing_) {  // the Keys window takes the next key for the slot it waits on
    const auto [action, slot] = *capturing_;
    if (reservedKey(key.sym)) {
      keysNote_ = std::string(SDL_GetKeyName(key.sym)) + " is kept by the window.";
      return;
    }
    if (const auto before = keys_.actionOf(key.sym); before && *before != action)
      keysNote_ = std::string(SDL_GetKeyName(key.sym)) + " no longer means " +
                  actionInfo(*before).label + ".";
    else
      keysNote_.clear();
    keys_.bind(action, slot, key.sym);
    keys_.store(settings_);
    saveSettings();
    capturing_.reset();
    return;
  }
  if (keysOpen_ && key.sym == SDLK_ESCAPE) {
    keysOpen_ = false;
    return;
  }
  if (key.sym == SDLK_F11) return toggleFullScreen();
  if (continueOfferShowing()) {
    // A modifier alone, or a key that means nothing, leaves the offer as it is.
    const SDL_Keycode meaning = keys_.translate(key.sym);
    const bool modifier = key.sym >= SDLK_LCTRL && key.sym <= SDLK_RGUI;
    if (modifier || meaning == SDLK_UNKNOWN) return;
    if (answerContinueOffer(meaning)) return;
  }
  if ((key.mod & KMOD_CTRL) && (key.sym == SDLK_z || key.sym == SDLK_y))
    return key.sym == SDLK_z ? undo() : redo();
  if (key.sym == SDLK_F1 && !modalWindowOpen()) {
    helpOpen_ = !helpOpen_;
    return;
  }
  handleMeaning(keys_.translate(key.sym));
}

void App::handleMeaning(SDL_Keycode key) {
  // Boxes answer the keyboard first: Enter takes the focused button, Escape says No,
  // the arrow keys and Tab move between Yes and No.
  if (game_.question) {
    if (key == SDLK_LEFT || key == SDLK_RIGHT || key == SDLK_TAB)
      yesFocused_ = !yesFocused_;
    else if (key == SDLK_RETURN)
      game_.answer(yesFocused_);
    else if (key == SDLK_ESCAPE || key == SDLK_n)
      game_.answer(false);
    else if (key == SDLK_y)
      game_.answer(true);
    return;
  }
  if (game_.dialogs.notice) {
    if (key == SDLK_RETURN || key == SDLK_ESCAPE) game_.acknowledge();
    return;
  }
  if (modalWindowOpen()) return;  // its own buttons and text box take the keys
  if (aboutOpen_ || helpOpen_) {
    if (key == SDLK_RETURN || key == SDLK_ESCAPE) aboutOpen_ = helpOpen_ = false;
    return;
  }
  if (key == SDLK_F2) return game_.menuGameStart();
  if (key == SDLK_F9) return game_.menuGameQuit();
  clickWalk_.reset();  // a key takes over from a click's walk
  if (handleButtonKey(key)) return;
  const int code = engineKey(key);
  if (ImGui::GetIO().WantCaptureKeyboard || code == 0) return;
  // Keep keys: a walk key pressed during a short script or a walk's pictures is
  // kept and acted on once input unlocks, instead of being lost.
  if (isWalkKey(key) && !inputUnlocked() && !buttonsShowing() && comfort(setting::KeepKeys)) {
    heldKey_ = HeldKey{key, SDL_GetTicks64()};
    return;
  }
  if (!drawing_.board.motion.empty()) return;
  game_.keyDown(code);
}

void App::handlePad(PadPress press) {
  if (padMenuOpen_) return;  // the menu bar reads the pad itself
  if (press == PadPress::Menu) {
    if (continueOfferShowing()) declineContinueOffer();
    if (!modalWindowOpen() && !game_.question && !game_.dialogs.notice) {
      padMenuWanted_ = true;
      pads_.forgetPresses();
    }
    return;
  }
  static constexpr SDL_Keycode kMeaning[] = {SDLK_UP,   SDLK_LEFT,   SDLK_RIGHT,
                                             SDLK_DOWN, SDLK_RETURN, SDLK_ESCAPE};
  const SDL_Keycode key = kMeaning[int(press)];
  if (continueOfferShowing()) {
    answerContinueOffer(key);
    return;
  }
  // The windows of their own read Enter and Escape through Dear ImGui: the pad presses
  // them there as a key would, held down until a frame has seen it.
  if (modalWindowOpen() && !keysOpen_ && (key == SDLK_RETURN || key == SDLK_ESCAPE)) {
    imguiKey(key, true);
    padKeyUp_ = key;
    return;
  }
  if (keysOpen_ && key == SDLK_ESCAPE && !capturing_) {
    keysOpen_ = false;
    return;
  }
  handleMeaning(key);
}

void App::imguiKey(SDL_Keycode key, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.keysym.sym = key;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  ImGui_ImplSDL2_ProcessEvent(&e);
}

bool App::buttonsShowing() const {
  const Controls& c = game_.controls;
  return c.windowVisible || c.yesNoVisible || c.altarChoicesVisible || c.confirmSlot >= 0 ||
         c.flightVisible || c.hintGridVisible || c.forecastVisible || c.sceneVisible ||
         c.backSideVisible || game_.dialogs.cursorShown || game_.introRunning();
}

bool App::inputUnlocked() const {
  return game_.controls.optionsEnabled && game_.stack.count() == 0 &&
         drawing_.board.motion.empty() && !game_.question && !game_.dialogs.notice &&
         !modalWindowOpen() && !aboutOpen_ && !helpOpen_ && !buttonsShowing();
}

void App::feedWaitingInput() {
  if (!heldKey_ && !clickWalk_) return;
  // A window or its buttons came up: what was waiting was meant for the board, not them.
  if (buttonsShowing() || game_.question || game_.dialogs.notice) {
    heldKey_.reset();
    clickWalk_.reset();
    return;
  }
  if (!inputUnlocked()) return;
  if (heldKey_) {
    const HeldKey held = *heldKey_;
    heldKey_.reset();
    clickWalk_.reset();
    if (SDL_GetTicks64() - held.at <= kHeldKeyMs) game_.keyDown(engineKey(held.key));
    return;
  }
  stepClickWalk();
}

// One move of a click's walk, found afresh from where the hero stands, so a board that
// changed on the way is walked around or stops the walk.
void App::stepClickWalk() {
  ClickWalk& walk = *clickWalk_;
  const bool onCourse = game_.state[gs::Floor] == walk.floor &&
                        game_.state[gs::Life] == walk.life &&
                        (walk.expectedCell < 0 || game_.state.heroCell() == walk.expectedCell);
  const std::vector<int> moves = onCourse ? game_.floorWalk(walk.target) : std::vector<int>{};
  if (moves.empty()) {
    clickWalk_.reset();
    return;
  }
  static constexpr int kKey[] = {0, 38, 37, 39, 40};
  static constexpr int kStep[] = {0, -kBoardSide, -1, 1, kBoardSide};
  walk.expectedCell = game_.state.heroCell() + kStep[moves.front()];
  if (moves.size() == 1) clickWalk_.reset();
  game_.keyDown(kKey[moves.front()]);
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
  Bitmap out(pictureWidth(), pictureHeight());
  SDL_SetRenderTarget(renderer_, frame_);
  SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, out.pixels.data(),
                       out.width * static_cast<int>(sizeof(Pixel)));
  SDL_SetRenderTarget(renderer_, nullptr);
  return out;
}

Bitmap App::captureWindow() {
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  composeWindow();
  Bitmap out(w, h);
  SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, out.pixels.data(),
                       w * static_cast<int>(sizeof(Pixel)));
  return out;
}

}  // namespace kelvorn::ui
