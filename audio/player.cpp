#include "audio/player.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>

#include "rules/music.h"

namespace kelvorn::audio {

namespace {

constexpr std::array<const char*, 4> kFixedEffects{"wav/open.wav", "wav/get.wav", "wav/taisen.wav",
                                                   "wav/zeno.wav"};
constexpr std::array<const char*, 4> kSceneEffects{"wav/3f.wav", "wav/20f.wav", "wav/kai.wav",
                                                   "wav/kai2.wav"};
constexpr int kSceneChannel = 5;  // the sixth channel; channel 4 stays free as the game's fifth
constexpr int kChannels = 6;

// Set on the audio thread when a tune stops by itself. SDL_mixer also calls the hook from
// Mix_HaltMusic, on the calling thread; every halt clears the flag afterwards, so a stop
// or a change never counts as an ending.
std::atomic<bool> musicEnded{false};

void SDLCALL onMusicFinished() { musicEnded.store(true); }

}  // namespace

Player::Player(std::filesystem::path programFolder) : folder_(std::move(programFolder)) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "kelvorn: no sound (%s)\n", SDL_GetError());
    return;
  }
  Mix_Init(MIX_INIT_MID);
  Mix_SetSoundFonts(kSoundFont);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    std::fprintf(stderr, "kelvorn: no sound (%s)\n", Mix_GetError());
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  open_ = true;
  Mix_AllocateChannels(kChannels);
  musicEnded.store(false);
  Mix_HookMusicFinished(onMusicFinished);
  reloadEffects();
}

Player::~Player() {
  if (!open_) return;
  Mix_HookMusicFinished(nullptr);
  closeMusic();
  Mix_HaltChannel(-1);
  freeEffects();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Player::freeEffects() {
  for (Mix_Chunk* c : fixed_) Mix_FreeChunk(c);  // null is allowed
  fixed_.clear();
  Mix_FreeChunk(loaded_);
  loaded_ = nullptr;
}

void Player::reloadEffects() {
  if (!open_) return;
  for (int ch = 0; ch < int(kFixedEffects.size()); ++ch) Mix_HaltChannel(ch);
  for (Mix_Chunk* c : fixed_) Mix_FreeChunk(c);
  fixed_.clear();
  for (const char* file : kFixedEffects)
    fixed_.push_back(Mix_LoadWAV((folder_ / file).string().c_str()));
}

void Player::playEffect(int number) {
  if (!open_) return;
  if (number >= 1 && number <= 4) {
    if (Mix_Chunk* chunk = fixed_[size_t(number - 1)]) Mix_PlayChannel(number - 1, chunk, 0);
  } else if (number >= 7 && number <= 10) {
    Mix_HaltChannel(kSceneChannel);
    Mix_FreeChunk(loaded_);
    loaded_ = Mix_LoadWAV((folder_ / kSceneEffects[size_t(number - 7)]).string().c_str());
    if (loaded_) Mix_PlayChannel(kSceneChannel, loaded_, 0);
  }
}

void Player::playMusic(int track) {
  const std::string_view file = trackFile(track);
  if (!file.empty()) musicFile_ = file;
  closeMusic();
  startMusic();
}

void Player::playMusicFile(std::string_view relativePath) {
  musicFile_ = relativePath;
  closeMusic();
  startMusic();
}

void Player::startMusic() {
  if (!open_ || musicFile_.empty()) return;
  music_ = Mix_LoadMUS((folder_ / musicFile_).string().c_str());
  // The synthesiser loops the tune itself, without a gap: it reports the end of a tune
  // only some two seconds after the last note, too late to restart it from there.
  if (music_ && Mix_PlayMusic(music_, -1) != 0) {
    Mix_FreeMusic(music_);
    music_ = nullptr;
  }
}

void Player::closeMusic() {
  if (!open_) return;
  Mix_HaltMusic();
  musicEnded.store(false);
  Mix_FreeMusic(music_);
  music_ = nullptr;
}

bool Player::poll() {
  if (!open_ || !musicEnded.exchange(false) || !music_) return false;
  // The tune stopped by itself: play it again from the start, as reopening the file would.
  if (Mix_PlayMusic(music_, -1) != 0) return false;
  return true;
}

bool Player::musicPlaying() const { return open_ && Mix_PlayingMusic() != 0; }

void Player::setVolumes(int musicPercent, int effectsPercent) {
  if (!open_) return;
  auto level = [](int percent) { return std::clamp(percent, 0, 100) * MIX_MAX_VOLUME / 100; };
  Mix_VolumeMusic(level(musicPercent));
  Mix_Volume(-1, level(effectsPercent));
}

}  // namespace kelvorn::audio
