// kelvorn-prepare-save: writes a save file holding a new game changed by staging words,
// so that a route segment can start from a chosen floor with a chosen hero.
//
//   kelvorn-prepare-save OUT.dat [--words FILE] [WORD...]
//
// Words (from FILE first, then the command line; in a file, # starts a comment):
//   set:I=V      GameState index I holds V
//   cell:F:C=T   cell C of floor F holds TileCode T
// The file gets fresh checksums, so the game loads it like any save it wrote.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "content/tables.h"
#include "storage/files.h"
#include "storage/save_file.h"

namespace {

constexpr const char* kUsage = "usage: kelvorn-prepare-save OUT.dat [--words FILE] [WORD...]\n";

bool readWords(const std::string& path, std::vector<std::string>& words) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream split(line.substr(0, line.find('#')));
    for (std::string w; split >> w;) words.push_back(w);
  }
  return true;
}

// Applies one word; false when it is not a word or its numbers are out of range.
bool apply(const std::string& word, kelvorn::SavedGame& game) {
  int a = 0, b = 0, c = 0;
  char end = 0;
  if (std::sscanf(word.c_str(), "set:%d=%d%c", &a, &b, &end) == 2) {
    if (a < 0 || a >= kelvorn::gs::kSize) return false;
    game.state[a] = b;
    return true;
  }
  if (std::sscanf(word.c_str(), "cell:%d:%d=%d%c", &a, &b, &c, &end) == 3) {
    if (a < 0 || a > 50 || b < 0 || b > 120 || c < 0 || c > 255) return false;
    game.floors.setCell(a, b, static_cast<kelvorn::TileCode>(c));
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsage;
    return 2;
  }
  std::vector<std::string> words;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--words") {
      if (i + 1 >= argc || !readWords(argv[i + 1], words)) {
        std::cerr << "kelvorn-prepare-save: cannot read the words file\n" << kUsage;
        return 2;
      }
      ++i;
    } else {
      words.push_back(arg);
    }
  }
  kelvorn::SavedGame game{kelvorn::FloorStore(kelvorn::content::builtIn().floors), {}};
  kelvorn::applyNewGameValues(game.state);
  // What every save the game writes carries besides the new-game values.
  game.state[kelvorn::gs::SaveVersion] = kelvorn::gs::kSaveVersion;
  game.state.extra[kelvorn::extra::Marker] = kelvorn::extra::kMarkerValue;
  for (const std::string& w : words) {
    if (!apply(w, game)) {
      std::cerr << "kelvorn-prepare-save: not a staging word: " << w << "\n" << kUsage;
      return 2;
    }
  }
  kelvorn::storage::stampChecksums(game.state);
  std::string error;
  if (!kelvorn::storage::writeFileAtomic(argv[1], kelvorn::storage::encodeSave(game), error)) {
    std::cerr << "kelvorn-prepare-save: " << error << "\n";
    return 1;
  }
  return 0;
}
