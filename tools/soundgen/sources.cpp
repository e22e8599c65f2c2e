#include "tools/soundgen/sources.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "tools/soundgen/midi.h"

namespace kelvorn::soundgen {

namespace fs = std::filesystem;

namespace {

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (out) return true;
  std::fprintf(stderr, "kelvorn-soundgen: cannot write %s\n", path.string().c_str());
  return false;
}

}  // namespace

Sources loadSources(const std::string& folder) {
  Sources s;
  const fs::path effects = fs::path(folder) / "effects.sfx";
  s.effects = parseEffects(readText(effects), effects.string());
  std::vector<fs::path> tunes;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".tune") tunes.push_back(entry.path());
  std::sort(tunes.begin(), tunes.end());
  for (const fs::path& p : tunes) s.tunes.push_back(parseTune(readText(p), p.string()));

  std::set<std::string> names;
  for (const Effect& e : s.effects)
    if (!names.insert("wav/" + e.name).second)
      throw std::runtime_error("two effects named " + e.name);
  for (const Tune& t : s.tunes)
    if (!names.insert("midi/" + t.file).second)
      throw std::runtime_error("two tunes write " + t.file);
  return s;
}

bool writeSounds(const Sources& sources, const std::string& out) {
  const fs::path wav = fs::path(out) / "wav", midi = fs::path(out) / "midi";
  fs::create_directories(wav);
  fs::create_directories(midi);
  bool ok = true;
  for (const Effect& e : sources.effects)
    ok &= writeBytes(wav / (e.name + ".wav"), encodeWav(renderEffect(e)));
  for (const Tune& t : sources.tunes) ok &= writeBytes(midi / t.file, encodeMidi(t));
  return ok;
}

}  // namespace kelvorn::soundgen
