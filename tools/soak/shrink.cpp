#include "tools/soak/shrink.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "storage/files.h"
#include "tools/soak/checked_game.h"
#include "tools/soak/soak.h"

namespace kelvorn::soak {

namespace fs = std::filesystem;

namespace {

constexpr double kReplaySeconds = 60;  // a replay that runs longer hangs
enum ChildExit { kClean = 0, kBroken = 10 };

fs::path freshCopy(const fs::path& from, const fs::path& to) {
  fs::remove_all(to);
  fs::create_directories(to);
  fs::copy(from, to, fs::copy_options::recursive);
  return to;
}

}  // namespace

std::string Outcome::text() const {
  switch (kind) {
    case Clean: return "every invariant held";
    case Broken: return detail.empty() ? invariant : invariant + ": " + detail;
    case Stopped: return "the process stopped (a crash, a sanitizer's report or an abort)";
    default: return "a command ran for " + std::to_string(static_cast<int>(kReplaySeconds)) + " s";
  }
}

Outcome replayApart(const KeptGame& game, const std::vector<std::string>& lines,
                    const fs::path& record) {
  const fs::path holder = freshCopy(game.folder / "start", game.folder / "replay-holder");
  const fs::path invariantFile = game.folder / "replay-invariant.txt";
  fs::remove(invariantFile);
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    // The child's own reports would repeat the finding for every try.
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    ScriptFile script(record, "");
    const ReplayResult r = replay(holder, game.prologue, game.loadable, lines, &script);
    std::string error;
    if (r.finding)
      storage::writeTextAtomic(invariantFile, r.finding->invariant + "\n" + r.finding->detail,
                               error);
    std::_Exit(r.finding ? kBroken : kClean);
  }
  int status = 0;
  const double until = nowSeconds() + kReplaySeconds;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (nowSeconds() > until) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return {Outcome::Hung, {}, {}};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kClean) return {};
  if (WIFEXITED(status) && WEXITSTATUS(status) == kBroken) {
    std::ifstream in(invariantFile);
    Outcome broken{Outcome::Broken, {}, {}};
    std::getline(in, broken.invariant);
    std::getline(in, broken.detail);
    return broken;
  }
  return {Outcome::Stopped, {}, {}};
}

Shortened shrink(const KeptGame& game, const std::vector<std::string>& lines, const Outcome& target,
                 double seconds) {
  const double until = nowSeconds() + seconds;
  const fs::path record = game.folder / "replay-script.txt";
  Shortened best{lines, {}};
  auto attempt = [&](const std::vector<std::string>& candidate) {
    const Outcome outcome = replayApart(game, candidate, record);
    if (outcome != target) return false;
    bool prologue = false;
    best = {readScript(record, prologue), outcome};
    return true;
  };
  attempt(lines);
  for (std::size_t chunk = best.lines.size() / 2;
       best.outcome.kind != Outcome::Clean && chunk >= 1 && nowSeconds() < until;) {
    bool shorter = false;
    for (std::size_t at = 0; at < best.lines.size() && nowSeconds() < until;) {
      const std::vector<std::string>& now = best.lines;
      std::vector<std::string> candidate(now.begin(), now.begin() + at);
      candidate.insert(candidate.end(), now.begin() + std::min(at + chunk, now.size()), now.end());
      if (attempt(candidate))
        shorter = true;
      else
        at += chunk;
    }
    if (!shorter) chunk /= 2;
  }
  for (const char* name : {"replay-holder", "replay-invariant.txt", "replay-script.txt"})
    fs::remove_all(game.folder / name);
  return best;
}

}  // namespace kelvorn::soak
