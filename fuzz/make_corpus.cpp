// Writes the seed files of every fuzz target into the folder named on the command line
// (one subfolder per target): a few files the game itself writes and a few damaged ones,
// so fuzzing starts from the shapes that matter instead of from nothing.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "rules/game.h"
#include "storage/holder_ini.h"
#include "storage/names_file.h"
#include "storage/ranking_file.h"
#include "storage/save_file.h"

namespace {
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void put(const fs::path& dir, const std::string& name, const Bytes& bytes) {
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
void put(const fs::path& dir, const std::string& name, const std::string& text) {
  put(dir, name, Bytes(text.begin(), text.end()));
}
Bytes prefixed(std::uint8_t first, const Bytes& rest) {
  Bytes out{first};
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}
}  // namespace

int main(int argc, char** argv) {
  using namespace kelvorn;
  if (argc != 2) return 2;
  const fs::path root = argv[1];

  Game game;
  game.startUp(std::nullopt);
  SavedGame good{game.floors, game.state};
  good.state.itemSlot(0) = 1;
  storage::stampChecksums(good.state);
  SavedGame later = good;
  later.state[gs::Floor] = 50, later.state[gs::HighestFloor] = 50;
  for (int c = 0; c < kCells; ++c) later.floors.setCell(7, c, static_cast<TileCode>(c * 2));
  storage::stampChecksums(later.state);
  SavedGame outOfRange = good;
  outOfRange.state[gs::HeroX] = 11;
  storage::stampChecksums(outOfRange.state);
  Bytes badSum = storage::encodeSave(good);
  badSum[6273] ^= 1;
  const Bytes goodBytes = storage::encodeSave(good);

  put(root / "save", "good", goodBytes);
  put(root / "save", "later", storage::encodeSave(later));
  put(root / "save", "out-of-range", storage::encodeSave(outOfRange));
  put(root / "save", "bad-sum", badSum);
  put(root / "save", "short", Bytes(goodBytes.begin(), goodBytes.begin() + 700));

  put(root / "load", "good", prefixed(0, goodBytes));
  put(root / "load", "later", prefixed(0, storage::encodeSave(later)));
  put(root / "load", "forced", prefixed(1, Bytes(goodBytes.begin(), goodBytes.begin() + 6273)));
  put(root / "load", "out-of-range", prefixed(0, storage::encodeSave(outOfRange)));
  put(root / "load", "bad-sum", prefixed(2, badSum));

  const OptionBytes builtIn = builtInOptions();
  put(root / "options", "built-in", Bytes(builtIn.begin(), builtIn.end()));
  put(root / "options", "large-keyboard", Bytes{12, 14, 0, 3, 1, 0, 1, 1, 1, 0});
  put(root / "options", "out-of-range", Bytes{0, 255, 7, 9, 2, 5, 3, 2, 9, 1});
  put(root / "options", "short", Bytes{10, 12, 0});

  RankingRows rows = temporaryRanking(1);
  rows[0] = {321, 4000, 90, 80};
  for (int n = 1; n <= 5; ++n)
    put(root / "ranking", "table" + std::to_string(n),
        prefixed(static_cast<std::uint8_t>(n - 1), storage::encodeRanking(rows, n, gs::kSaveVersion)));
  Bytes damaged = storage::encodeRanking(rows, 2, gs::kSaveVersion);
  damaged[40] ^= 4;
  put(root / "ranking", "damaged", prefixed(1, damaged));
  put(root / "ranking", "short", Bytes{0, 1, 2, 3});

  put(root / "names", "defaults", storage::formatNames(storage::defaultNames(3)));
  put(root / "names", "crlf-short", std::string("Ann\r\nBob\r\n"));
  put(root / "names", "bad-utf8", std::string("A\xff\xc3(\n\xf0\x9f\x98\x80 name\n") + std::string(80, 'x'));

  put(root / "ini", "three", storage::formatHolderIni({"/home/p/.local/share/kelvorn/savedat",
                                                       "/usr/share/kelvorn", ""}));
  put(root / "ini", "crlf", std::string("C:\\kvn\\savedat\r\nC:\\kvn\r\nreserved12345\r\n"));
  put(root / "ini", "one-line", std::string("/only\n"));
  return 0;
}
