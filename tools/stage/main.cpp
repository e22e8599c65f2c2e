// kelvorn-stage: writes a save file of a new first game with chosen values, so a
// scenario or a route segment can start from any point of the story without playing
// the floors before it.
//
//   kelvorn-stage OUT.sav WORD...
//
// set:I=V puts V into GameState index I; cell:F:C=T puts TileCode T into cell C of
// floor F. The words apply in order; the checksums are stamped last, so the file loads
// like any save the game wrote.
#include <iostream>
#include <string>

#include "commands/program_options.h"
#include "content/tables.h"
#include "rules/game.h"
#include "storage/files.h"
#include "storage/save_file.h"
#include "tools/stage/staging.h"

namespace {

constexpr const char* kUsage = "usage: kelvorn-stage OUT.sav [set:I=V] [cell:F:C=T] ...";

const option kOptions[] = {{"help", no_argument, nullptr, 'h'},
                           {"version", no_argument, nullptr, 'v'},
                           {nullptr, 0, nullptr, 0}};

}  // namespace

int main(int argc, char** argv) {
  kelvorn::storage::reportFileSizeLimitAsError();
  namespace commands = kelvorn::commands;
  std::span<char* const> operands;
  try {
    commands::ProgramOptions args(argc, argv, "h", kOptions);
    for (int code; (code = args.next()) != -1;) {
      if (code == 'h') return std::cout << kUsage << "\n", 0;
      if (code == 'v') return std::cout << commands::versionLine("kelvorn-stage") << "\n", 0;
    }
    operands = args.operands();
    if (operands.empty()) throw commands::UsageError{"the file to write is missing"};
    for (const std::string_view word : operands.subspan(1)) {
      if (!kelvorn::staging::isStagingWord(word))
        throw commands::UsageError{"'" + std::string(word) + "' is neither set:I=V nor cell:F:C=T"};
    }
  } catch (const commands::UsageError& e) {
    return commands::refuse("kelvorn-stage", e, kUsage);
  }
  kelvorn::Game game(kelvorn::content::builtIn(), nullptr);
  game.startUp(std::nullopt);
  for (const std::string_view word : operands.subspan(1)) kelvorn::staging::stage(game, word);
  kelvorn::SavedGame saved{game.floors, game.state};
  kelvorn::storage::stampChecksums(saved.state);
  std::string error;
  if (!kelvorn::storage::writeFileAtomic(operands[0], kelvorn::storage::encodeSave(saved), error)) {
    std::cerr << "kelvorn-stage: " << error << "\n";
    return 1;
  }
  return 0;
}
