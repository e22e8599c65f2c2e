// Sound effects and music on SDL2_mixer. Effects 1..4 stay loaded on channels of their
// own, so each plays from the start when asked again; effects 7..10 are loaded afresh
// into a sixth channel each time. Music is one MIDI file at a time, played by
// FluidSynth with the General MIDI soundfont of the system, and starts again from the
// beginning whenever it ends by itself (never after a stop or a change): the synthesiser
// loops it seamlessly, and poll() restarts any tune that stops by itself all the same.
//
// Without a sound device every method is a silent no-op; a missing or broken sound file
// is skipped without a word. Call everything from one thread (the window's).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace kelvorn::audio {

// The soundfont the music is played with.
inline constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

class Player {
 public:
  // Opens the sound device and loads effects 1..4 from `programFolder`/wav. On failure
  // writes one line to stderr and stays silent.
  explicit Player(std::filesystem::path programFolder);
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  bool available() const { return open_; }

  // Loads effects 1..4 again (the files may have changed, e.g. a new program folder).
  void reloadEffects();
  // 1 open, 2 get, 3 taisen, 4 zeno; 7 3f, 8 20f, 9 kai, 10 kai2. Others do nothing.
  void playEffect(int number);

  // Restarts the music with the file of `track`; a track without a file plays the file
  // set last again.
  void playMusic(int track);
  // Restarts the music with a file below the program folder ("midi/b_014xgw.mid").
  void playMusicFile(std::string_view relativePath);
  void closeMusic();
  // From the window loop: starts the music again if it stopped by itself since the last
  // call (not after closeMusic or a change). Returns true when it did.
  bool poll();
  bool musicPlaying() const;
  // Loudness of the music and of the effects, each 0..100 percent of full volume.
  void setVolumes(int musicPercent, int effectsPercent);

 private:
  void freeEffects();
  void startMusic();

  std::filesystem::path folder_;
  bool open_ = false;
  std::vector<Mix_Chunk*> fixed_;  // effects 1..4
  Mix_Chunk* loaded_ = nullptr;    // the effect now on the sixth channel
  Mix_Music* music_ = nullptr;
  std::string musicFile_;  // the file set last, below the program folder
};

}  // namespace kelvorn::audio
