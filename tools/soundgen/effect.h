// The sound effects of assets/sound/effects.sfx: each effect is a few voices
// (an oscillator or filtered noise with a pitch sweep, an envelope and a level) mixed
// into one mono 16-bit WAV file. The notation is described in assets/sound/README.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorn::soundgen {

inline constexpr int kSampleRate = 44100;

enum class Wave { Sine, Triangle, Soft, Organ, Bell, Noise };

struct Voice {
  Wave wave = Wave::Sine;
  double from = 440, to = 0;    // Hz; `to` 0 keeps the pitch (noise: low-pass cut-off)
  double at = 0, length = 0.1;  // seconds
  double attack = 0.005;        // seconds of linear rise
  double decay = 0;             // exponential fall per second after the attack
  double volume = 0.5;
  double vibratoRate = 0, vibratoDepth = 0;  // Hz and fraction of the pitch
  int line = 0;
};

struct Effect {
  std::string name;     // file name without ".wav"
  double length = 0.5;  // seconds
  double peak = 0.7;    // the loudest sample, as a fraction of full scale
  std::vector<Voice> voices;

  int samples() const { return int(length * kSampleRate + 0.5); }
};

// Parses every effect of one source; `source` names the file in error messages.
std::vector<Effect> parseEffects(std::string_view text, const std::string& source);

// Renders an effect to samples in -1..1, its loudest sample at `peak`.
std::vector<float> renderEffect(const Effect& effect);

// A mono 16-bit PCM WAV file of the samples.
std::vector<std::uint8_t> encodeWav(const std::vector<float>& samples);

}  // namespace kelvorn::soundgen
