// What the engine asks of the program around it. The engine never touches a window,
// a sound device or a file; it calls these and the host does the work (or nothing:
// every method has a silent default, which is what tests and the driver use).
#pragma once

namespace kelvorn {

class Host {
 public:
  virtual ~Host() = default;
  // Plays effect 1..4 (preloaded) or 7..10 (loaded anew each time). Only called while
  // effects are switched on.
  virtual void playEffect(int /*number*/) {}
  // Restarts the music with the file of `track`; a track without a file replays the
  // file that was set last.
  virtual void playMusic(int /*track*/) {}
  virtual void closeMusic() {}
  // The player asked to end the program.
  virtual void quit() {}
};

}  // namespace kelvorn
