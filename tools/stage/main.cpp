// kelvorn-stage: writes a save file of a new first game with chosen values, so a
// scenario or a route segment can start from any point of the story without playing
// the floors before it.
//
//   kelvorn-stage OUT.sav WORD...
//
// set:I=V puts V into GameState index I; cell:F:C=T puts TileCode T into cell C of
// floor F. The words apply in order; the checksums are stamped last, so the file loads
// like any save the game wrote.
#include <cstdio>
#include <iostream>
#include <string>

#include "content/tables.h"
#include "engine/game.h"
#include "storage/files.h"
#include "storage/save_file.h"

int main(int argc, char** argv) {
  kelvorn::storage::reportFileSizeLimitAsError();
  if (argc < 2) {
    std::cerr << "usage: kelvorn-stage OUT.sav [set:I=V] [cell:F:C=T] ...\n";
    return 2;
  }
  kelvorn::Game game(kelvorn::content::builtIn(), nullptr);
  game.startUp(std::nullopt);
  for (int i = 2; i < argc; ++i) {
    const std::string word = argv[i];
    int a = 0, b = 0, c = 0;
    if (std::sscanf(word.c_str(), "set:%d=%d", &a, &b) == 2 && a >= 0 && a < kelvorn::gs::kSize) {
      game.state[a] = b;
    } else if (std::sscanf(word.c_str(), "cell:%d:%d=%d", &a, &b, &c) == 3 && a >= 0 && a <= 50 &&
               b >= 0 && b <= 120 && c >= 0 && c <= 255) {
      game.floors.setCell(a, b, static_cast<kelvorn::TileCode>(c));
    } else {
      std::cerr << "kelvorn-stage: '" << word << "' is neither set:I=V nor cell:F:C=T\n";
      return 2;
    }
  }
  kelvorn::SavedGame saved{game.floors, game.state};
  kelvorn::storage::stampChecksums(saved.state);
  std::string error;
  if (!kelvorn::storage::writeFileAtomic(argv[1], kelvorn::storage::encodeSave(saved), error)) {
    std::cerr << "kelvorn-stage: " << error << "\n";
    return 1;
  }
  return 0;
}
