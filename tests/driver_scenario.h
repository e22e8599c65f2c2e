// The fixture of the scenarios played through the headless driver: a prepared game is
// saved to a file, loaded in a fresh driver and played by a script; the dumps it prints
// are read back as numbers and texts.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "storage/files.h"
#include "storage/save_file.h"
#include "commands/driver.h"
#include "tools/play/memory_drawing.h"

namespace kelvorn::commands {

// One `dump` line, reduced to what these scenarios look at.
struct Dump {
  std::vector<long> state, cells;
  std::string message, dialog;
  long pending = 0;
  std::string line;  // the whole dump, for the controls and the forecast rows
  bool offers(const std::string& control) const {
    const auto at = line.find("\"controls\":[");
    return at != std::string::npos &&
           line.substr(at, line.find(']', at) - at).find("\"" + control + "\"") !=
               std::string::npos;
  }
};

inline std::vector<long> numbersAfter(const std::string& line, const std::string& key) {
  std::vector<long> out;
  const auto at = line.find("\"" + key + "\":[");
  if (at == std::string::npos) return out;
  std::istringstream in(line.substr(at + key.size() + 4));
  long v = 0;
  char sep = ',';
  while (sep == ',' && in >> v >> sep) out.push_back(v);
  return out;
}

inline Dump parse(const std::string& line) {
  Dump d;
  d.state = numbersAfter(line, "state");
  d.cells = numbersAfter(line, "cells");
  const auto m = line.find("\"message\":\"");
  if (m != std::string::npos) d.message = line.substr(m + 11, line.find('"', m + 11) - m - 11);
  const auto w = line.find("\"dialog\":\"");
  if (w != std::string::npos) d.dialog = line.substr(w + 10, line.find('"', w + 10) - w - 10);
  d.line = line;
  const auto p = line.find("\"pending\":");
  if (p != std::string::npos) d.pending = std::stol(line.substr(p + 10));
  return d;
}

class ScenarioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    holder_ = std::filesystem::temp_directory_path() /
              (std::string("kelvorn-scenario-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(holder_);
    std::filesystem::create_directories(holder_);
    source_.startUp(std::nullopt);
  }
  void TearDown() override { std::filesystem::remove_all(holder_); }

  // The prepared game: `floor` all plain floor, the hero at (x, y) facing up.
  void prepare(int floor, int x, int y, int life, int offense, int defense) {
    GameState& s = source_.state;
    s[gs::Floor] = floor;
    s[gs::HighestFloor] = std::max(s[gs::HighestFloor], floor);
    s[gs::HeroX] = x, s[gs::HeroY] = y, s[gs::Facing] = kFaceUp;
    s[gs::Life] = life, s[gs::Offense] = offense, s[gs::Defense] = defense;
    s[gs::ShieldOwned0 + 4] = 0;
    for (int c = 0; c < kCells; ++c) source_.floors.setCell(floor, c, tile::Floor);
  }
  void put(int x, int y, int code) {
    source_.floors.setCell(source_.state[gs::Floor], cellIndex(x, y), static_cast<TileCode>(code));
  }

  // Saves the prepared game, loads it in a fresh driver and plays `script`; returns
  // the dumps it printed.
  std::vector<Dump> play(const std::string& script) {
    storage::stampChecksums(source_.state);
    std::string error;
    const auto file = holder_ / "prepared.dat";
    EXPECT_TRUE(
        storage::writeFileAtomic(file, storage::encodeSave({source_.floors, source_.state}), error))
        << error;
    // Played once drawing every picture as the window does, then by the rules alone:
    // drawing must change nothing the dumps show.
    std::ostringstream drawnOut, drawnErr;
    play::MemoryDrawing drawing;
    Driver drawn(DriverOptions{holder_, file, false, &drawing}, drawnOut, drawnErr);
    drawn.startUp();
    std::istringstream drawnScript(script);
    EXPECT_EQ(drawn.run(drawnScript), kExitOk) << drawnErr.str();
    out_.str("");
    err_.str("");
    driver_.emplace(DriverOptions{holder_, file, false}, out_, err_);
    driver_->startUp();
    std::istringstream in(script);
    EXPECT_EQ(driver_->run(in), kExitOk) << err_.str();
    EXPECT_EQ(drawnOut.str(), out_.str()) << "drawing changed the game";
    std::vector<Dump> dumps;
    std::istringstream lines(out_.str());
    for (std::string line; std::getline(lines, line);) dumps.push_back(parse(line));
    return dumps;
  }
  // A dump after every tick of the step timer until the game is idle, then one more.
  static std::string tickByTick(const std::string& keys, int ticks) {
    std::string script = keys;
    for (int i = 0; i < ticks; ++i) script += "tick 150\ndump\n";
    return script + "wait\ndump\n";
  }
  Game& game() { return driver_->game(); }
  const std::string& text(int entry) { return source_.messages.entry(entry); }

  Game source_;
  std::filesystem::path holder_;
  std::ostringstream out_, err_;
  std::optional<Driver> driver_;
};

}  // namespace kelvorn::commands
