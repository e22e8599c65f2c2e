// Options, Change Save Holder: the save holder named in KVN12.INI, and the window that
// picks another folder (or makes one) for it.
#pragma once

#include <array>
#include <filesystem>
#include <optional>

#include "rules/game.h"
#include "storage/holder_chooser.h"
#include "storage/holder_host.h"
#include "storage/holder_ini.h"
#include "ui/widgets.h"

namespace kelvorn::ui {

class HolderChooserWindow {
 public:
  // The chosen holder is handed to `host`; what goes wrong is said in the game's notice.
  HolderChooserWindow(Game& game, storage::HolderHost& host) : game_(game), host_(host) {}

  // Reads KVN12.INI at start-up (the program folder stands in for a line that cannot be
  // used) and takes up its holder.
  void start(const std::filesystem::path& programFolder);
  void open();
  bool isOpen() const { return chooser_.has_value(); }
  void draw(const Canvas& canvas);

 private:
  Game& game_;
  storage::HolderHost& host_;
  storage::HolderIni ini_;
  std::optional<storage::HolderChooser> chooser_;
  std::array<char, 256> folder_{};  // the text box of a new holder
};

}  // namespace kelvorn::ui
