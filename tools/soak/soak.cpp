#include "tools/soak/soak.h"

#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <ostream>
#include <sstream>

#include "commands/command_table.h"
#include "storage/files.h"
#include "storage/save_file.h"
#include "storage/save_holder.h"
#include "tools/soak/checked_game.h"
#include "tools/soak/commands.h"
#include "tools/soak/script_file.h"
#include "tools/soak/shrink.h"

namespace kelvorn::soak {

namespace fs = std::filesystem;

double nowSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

namespace {

constexpr double kShrinkSeconds = 20;
constexpr std::size_t kLinesShown = 40;

SavedGame newGameSave() {
  Game game;
  game.startUp(std::nullopt);
  return {game.floors, game.state};
}

// The unknown codes the save files of a holder folder may bring into the game.
std::bitset<256> loadableCodes(const fs::path& folder) {
  std::bitset<256> codes;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (const auto bytes = storage::readFile(it->path()))
      if (const auto decoded = storage::decodeSave(*bytes))
        codes |= unknownCodes(decoded->game.floors);
  return codes;
}

void copyFolder(const fs::path& from, const fs::path& to) {
  fs::remove_all(to);
  fs::create_directories(to);
  fs::copy(from, to, fs::copy_options::recursive);
}

// Keeps the whole script as full.txt and writes the shortest one found as script.txt.
Shortened shortenKept(const KeptGame& kept, const Outcome& target) {
  bool prologue = false;
  const fs::path script = kept.folder / "script.txt";
  std::ifstream in(script);
  std::string title;
  std::getline(in, title);
  in.close();
  const std::vector<std::string> full = readScript(script, prologue);
  fs::rename(script, kept.folder / "full.txt");
  Shortened shortest = shrink(kept, full, target, kShrinkSeconds);
  ScriptFile out(
      script, scriptHeader(title.substr(title.rfind("# ", 0) == 0 ? 2 : 0), prologue, kept.folder));
  for (const std::string& line : shortest.lines) out.add(line);
  return shortest;
}

void printScript(std::ostream& out, const std::vector<std::string>& lines, std::size_t full) {
  out << "  script.txt (" << lines.size() << " commands, shortened from " << full << "):\n";
  const std::size_t from = lines.size() > kLinesShown ? lines.size() - kLinesShown : 0;
  if (from > 0) out << "    ... (" << from << " more before)\n";
  for (std::size_t i = from; i < lines.size(); ++i) out << "    " << lines[i] << "\n";
}

}  // namespace

Soak::Soak(SoakOptions options, std::ostream& out)
    : options_(std::move(options)), out_(out), pool_(newGameSave()) {}

bool Soak::budgetLeft() const {
  return (options_.commands == 0 || counts_.commands < options_.commands) &&
         (options_.seconds == 0 || nowSeconds() - startedAt_ < options_.seconds);
}

int Soak::run() {
  startedAt_ = nowSeconds();
  for (long index = 0; budgetLeft(); ++index)
    if (!playGame(index) && !options_.keepGoing) break;
  fs::remove_all(currentFolder(options_.folder));
  return counts_.findings == 0 ? 0 : 1;
}

Soak::Start Soak::prepare(long index, Rng& rng, const fs::path& game) {
  Start start;
  std::string what = "a new game";
  const fs::path folder = game / "start";
  fs::create_directories(folder);
  const storage::SaveHolder files(folder);
  const int kind = rng.weighted({3, 3, 4});  // new game, valid save, mutated save
  const int slot = rng.between(1, 4);
  for (int n = 1; n <= 4; ++n) {
    const bool first = n == slot && kind != 0;
    if (!first && !rng.percent(35)) continue;
    const bool mutated = first ? kind == 2 : rng.percent(50);
    const SaveFile file = mutated ? mutatedSave(pool_.pick(rng), rng) : validSave(pool_.pick(rng));
    std::string error;
    if (!storage::writeFileAtomic(files.slotPath(n), file.bytes, error))
      throw std::runtime_error(error);
    ++counts_.savesWritten;
    counts_.mutatedWritten += mutated;
    start.clean = start.clean && !mutated;
    if (first) what = file.what + " save in slot " + std::to_string(n);
  }
  start.prologue = rng.percent(15);
  ++counts_.games;
  if (kind == 0) {
    ++counts_.newGames;
  } else {
    ++(kind == 1 ? counts_.fromValid : counts_.fromMutated);
    start.mutatedStart = kind == 2;
    start.lines.push_back(commands::line(commands::Verb::MenuLoad, slot));
  }
  start.title = "kelvorn-soak --seed " + std::to_string(options_.seed) + ", game " +
                std::to_string(index) + ": " + what;
  start.loadable = loadableCodes(folder);
  copyFolder(folder, game / "holder");
  return start;
}

bool Soak::playGame(long index) {
  Rng rng(gameSeed(options_.seed, index));
  const fs::path folder = currentFolder(options_.folder);
  fs::remove_all(folder);
  const Start start = prepare(index, rng, folder);
  ScriptFile script(folder / "script.txt", scriptHeader(start.title, start.prologue, folder));
  if (options_.note)
    options_.note("kelvorn-soak: FINDING: the process stopped in game " + std::to_string(index) +
                  " of seed " + std::to_string(options_.seed) +
                  "; the game and its script, up to the command that stopped it, are in " +
                  folder.string() + "\n  shorten it: kelvorn-soak --shrink " + folder.string() +
                  "\n");

  CheckedGame game(folder / "holder", start.prologue, start.loadable);
  Player player(rng);
  const int length = rng.percent(80) ? rng.between(20, 300) : rng.between(300, 3000);
  std::optional<Finding> finding = game.start();
  int played = 0;
  for (; !finding && played < length && budgetLeft() && !game.over(); ++played) {
    const std::size_t i = static_cast<std::size_t>(played);
    const std::string line = i < start.lines.size() ? start.lines[i] : player.next(game.driver());
    script.add(line);
    if (options_.heartbeat) options_.heartbeat->store(nowSeconds());
    bool refused = false;
    finding = game.play(line, refused);
    if (options_.heartbeat) options_.heartbeat->store(0);
    ++counts_.commands;
    if (refused) {
      ++counts_.refused;
      script.takeBack();
    }
    const Game& g = game.game();
    if (played == 0 && start.mutatedStart && g.bar.code == msg::Loaded) ++counts_.mutatedAccepted;
    // Games that started from nothing mutated give the pool saves reached by playing,
    // taken where the Save menu could have written them.
    const OpenWindows windows{game.driver().ranking() != nullptr,
                              game.driver().chooser() != nullptr};
    if (start.clean && g.controls.optionsEnabled && g.stack.count() == 0 &&
        !waitingForPlayer(g, windows) && rng.percent(3))
      pool_.add({g.floors, g.state}, rng);
  }
  counts_.checks += game.checks();
  if (finding) report(index, start, *finding, played);
  return !finding;
}

void Soak::report(long index, const Start& start, const Finding& finding, int command) {
  ++counts_.findings;
  const fs::path kept =
      options_.folder / ("finding-" + std::to_string(options_.seed) + "-" + std::to_string(index));
  fs::remove_all(kept);
  fs::rename(currentFolder(options_.folder), kept);
  fs::remove_all(kept / "holder");
  const Shortened shortest = shortenKept(KeptGame{kept, start.prologue, start.loadable},
                                         Outcome{Outcome::Broken, finding.invariant, {}});
  bool prologue = false;
  const std::size_t full = readScript(kept / "full.txt", prologue).size();

  out_ << "kelvorn-soak: FINDING in game " << index << " of seed " << options_.seed << ", command "
       << command << " of the game, " << counts_.commands << " of the run:\n  ";
  if (shortest.outcome.kind == Outcome::Clean) {
    out_ << finding.text()
         << "\n  (a replay of the script did not show it again: the run was not deterministic)\n";
  } else {
    out_ << shortest.outcome.text() << "\n";
    if (shortest.outcome.detail != finding.detail)
      out_ << "  (in the whole game: " << finding.text() << ")\n";
  }
  out_ << "  " << start.title << (start.prologue ? " (prologue on)" : "") << "\n  kept in "
       << kept.string()
       << " (start/: the save holder before the first command; full.txt: every command played)"
       << "\n  replay with the checks: kelvorn-soak --replay " << kept.string()
       << "\n  the run again:          kelvorn-soak --seed " << options_.seed
       << (options_.keepGoing ? " --keep-going" : "") << " --commands " << counts_.commands << "\n";
  printScript(out_, shortest.lines, full);
  out_.flush();
}

std::string Soak::summary(double seconds) const {
  const SoakCounts& c = counts_;
  std::ostringstream s;
  s << "kelvorn-soak: seed " << options_.seed << ", " << std::fixed << std::setprecision(1)
    << seconds << " s: " << c.commands << " commands (" << c.refused << " refused), " << c.games
    << " games (" << c.newGames << " new, " << c.fromValid << " from valid saves, " << c.fromMutated
    << " from mutated saves, " << c.mutatedAccepted << " of them loaded), " << c.savesWritten
    << " saves written (" << c.mutatedWritten << " mutated), " << c.checks << " invariant checks, "
    << c.findings << (c.findings == 1 ? " finding" : " findings");
  return s.str();
}

int replayFolder(const fs::path& folder, std::ostream& out) {
  bool prologue = false;
  const std::vector<std::string> lines = readScript(folder / "script.txt", prologue);
  std::string pattern = (fs::temp_directory_path() / "kelvorn-soak-replay-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    out << "kelvorn-soak: cannot make a temporary save holder\n";
    return 2;
  }
  copyFolder(folder / "start", pattern);
  const ReplayResult r = replay(pattern, prologue, loadableCodes(folder / "start"), lines);
  fs::remove_all(pattern);
  if (!r.finding) {
    out << "kelvorn-soak: replayed " << lines.size() << " commands of " << folder.string()
        << ": every invariant held\n";
    return 0;
  }
  out << "kelvorn-soak: FINDING at command " << r.line;
  if (r.line > 0) out << " (" << lines[static_cast<std::size_t>(r.line - 1)] << ")";
  out << " of " << folder.string() << ":\n  " << r.finding->text() << "\n";
  return 1;
}

int shrinkFolder(const fs::path& folder, std::ostream& out) {
  bool prologue = false;
  const std::vector<std::string> lines = readScript(folder / "script.txt", prologue);
  const KeptGame kept{folder, prologue, loadableCodes(folder / "start")};
  const Outcome whole = replayApart(kept, lines, folder / "replay-script.txt");
  fs::remove_all(folder / "replay-holder");
  if (whole.kind == Outcome::Clean) {
    out << "kelvorn-soak: " << folder.string() << ": every invariant held; nothing to shorten\n";
    return 0;
  }
  const Shortened shortest = shortenKept(kept, whole);
  out << "kelvorn-soak: " << folder.string() << ": " << shortest.outcome.text() << "\n";
  printScript(out, shortest.lines, lines.size());
  return 1;
}

}  // namespace kelvorn::soak
