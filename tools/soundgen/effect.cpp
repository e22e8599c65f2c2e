#include "tools/soundgen/effect.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "tools/soundgen/tune.h"

namespace kelvorn::soundgen {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kEdge = 0.008;  // seconds of fade at the ends of every voice: no clicks

double number(const std::string& word, int line, const std::string& source) {
  try {
    size_t used = 0;
    const double v = std::stod(word, &used);
    if (used == word.size() && std::isfinite(v) && v >= 0) return v;
  } catch (const std::exception&) {
  }
  throw SourceError(source, line, "expected a number, found '" + word + "'");
}

Voice parseVoice(std::istringstream& words, int line, const std::string& source) {
  static const std::map<std::string, Wave> waves{{"sine", Wave::Sine}, {"triangle", Wave::Triangle},
                                                 {"soft", Wave::Soft}, {"organ", Wave::Organ},
                                                 {"bell", Wave::Bell}, {"noise", Wave::Noise}};
  Voice v;
  v.line = line;
  std::string word;
  words >> word;
  const auto wave = waves.find(word);
  if (wave == waves.end()) throw SourceError(source, line, "unknown wave '" + word + "'");
  v.wave = wave->second;
  for (std::string key, value; words >> key;) {
    if (!(words >> value)) throw SourceError(source, line, "'" + key + "' without a value");
    const double x = number(value, line, source);
    if (key == "from")
      v.from = x;
    else if (key == "to")
      v.to = x;
    else if (key == "at")
      v.at = x;
    else if (key == "len")
      v.length = x;
    else if (key == "attack")
      v.attack = x;
    else if (key == "decay")
      v.decay = x;
    else if (key == "vol")
      v.volume = x;
    else if (key == "vibrato")
      v.vibratoRate = x;
    else if (key == "depth")
      v.vibratoDepth = x;
    else
      throw SourceError(source, line, "unknown voice setting '" + key + "'");
  }
  if (v.from <= 0 || v.length <= 0)
    throw SourceError(source, line, "a voice needs from > 0 and len > 0");
  return v;
}

double oscillator(Wave wave, double phase, double t) {
  switch (wave) {
    case Wave::Sine: return std::sin(phase);
    case Wave::Triangle: return 2 / 3.141592653589793 * std::asin(std::sin(phase));
    case Wave::Soft: return std::tanh(2.5 * std::sin(phase)) / std::tanh(2.5);
    case Wave::Organ:
      return (std::sin(phase) + 0.5 * std::sin(2 * phase) + 0.25 * std::sin(3 * phase)) / 1.75;
    case Wave::Bell:
      return (std::sin(phase) + 0.5 * std::sin(2.76 * phase) * std::exp(-6 * t) +
              0.25 * std::sin(5.4 * phase) * std::exp(-12 * t)) /
             1.75;
    case Wave::Noise: break;
  }
  return 0;
}

void renderVoice(const Voice& v, std::uint32_t seed, std::vector<float>& out) {
  const int first = int(v.at * kSampleRate);
  const int count = int(v.length * kSampleRate);
  double phase = 0, low = 0;
  std::uint32_t noise = seed * 2654435761u + 1;
  for (int n = 0; n < count && first + n < int(out.size()); ++n) {
    const double t = double(n) / kSampleRate;
    const double f = v.to > 0 ? v.from * std::pow(v.to / v.from, t / v.length) : v.from;
    double level = t < v.attack ? t / v.attack : std::exp(-v.decay * (t - v.attack));
    level *= std::min({1.0, t / kEdge + 0.01, (v.length - t) / kEdge});
    double s = 0;
    if (v.wave == Wave::Noise) {
      // White noise through a one-pole low-pass at f, scaled back to the level of
      // unfiltered noise so the cut-off changes the colour, not the loudness.
      noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
      const double white = double(noise) / 2147483648.0 - 1.0;
      const double a = 1 - std::exp(-kTwoPi * std::min(f, kSampleRate / 2.0) / kSampleRate);
      low += a * (white - low);
      s = low / std::sqrt(a / (2 - a));
    } else {
      s = oscillator(v.wave, phase, t);
      const double wobble = 1 + v.vibratoDepth * std::sin(kTwoPi * v.vibratoRate * t);
      phase += kTwoPi * f * wobble / kSampleRate;
    }
    out[size_t(first + n)] += float(s * level * v.volume);
  }
}

}  // namespace

std::vector<Effect> parseEffects(std::string_view text, const std::string& source) {
  std::vector<Effect> effects;
  std::istringstream lines{std::string(text)};
  int lineNumber = 0;
  for (std::string line; std::getline(lines, line);) {
    ++lineNumber;
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string key;
    if (!(words >> key)) continue;
    if (key == "effect") {
      Effect e;
      if (!(words >> e.name)) throw SourceError(source, lineNumber, "effect without a name");
      for (std::string k, value; words >> k;) {
        if (!(words >> value)) throw SourceError(source, lineNumber, "'" + k + "' without a value");
        if (k == "length")
          e.length = number(value, lineNumber, source);
        else if (k == "peak")
          e.peak = std::min(number(value, lineNumber, source), 0.95);
        else
          throw SourceError(source, lineNumber, "unknown effect setting '" + k + "'");
      }
      if (e.length <= 0) throw SourceError(source, lineNumber, "an effect needs a length");
      effects.push_back(e);
    } else if (key == "voice") {
      if (effects.empty()) throw SourceError(source, lineNumber, "voice before the first effect");
      effects.back().voices.push_back(parseVoice(words, lineNumber, source));
    } else {
      throw SourceError(source, lineNumber, "unknown line '" + key + "'");
    }
  }
  for (const Effect& e : effects)
    if (e.voices.empty())
      throw SourceError(source, lineNumber, "effect '" + e.name + "' is silent");
  return effects;
}

std::vector<float> renderEffect(const Effect& effect) {
  std::vector<float> out(size_t(effect.samples()), 0.0f);
  for (const Voice& v : effect.voices) renderVoice(v, std::uint32_t(v.line), out);
  // Voices may run past the end of the effect; fade the whole mix out so none stops
  // with a click.
  const size_t edge = std::min(out.size(), size_t(kEdge * kSampleRate));
  for (size_t i = 0; i < edge; ++i) out[out.size() - 1 - i] *= float(i) / float(edge);
  float loudest = 0;
  for (float s : out) loudest = std::max(loudest, std::abs(s));
  if (loudest > 0)
    for (float& s : out) s *= float(effect.peak) / loudest;
  return out;
}

std::vector<std::uint8_t> encodeWav(const std::vector<float>& samples) {
  const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
  std::vector<std::uint8_t> out(44 + dataBytes);
  size_t at = 0;
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at++] = std::uint8_t(v >> (8 * i));
  };
  auto tag = [&](const char* t) {
    for (int i = 0; i < 4; ++i) out[at++] = std::uint8_t(t[i]);
  };
  tag("RIFF");
  put(36 + dataBytes, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(1, 2);  // mono
  put(kSampleRate, 4);
  put(kSampleRate * 2, 4);
  put(2, 2);
  put(16, 2);
  tag("data");
  put(dataBytes, 4);
  for (float s : samples) {
    const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
    put(std::uint32_t(std::uint16_t(std::int16_t(v))), 2);
  }
  return out;
}

}  // namespace kelvorn::soundgen
