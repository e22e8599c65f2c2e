// Changing the save holder: pick a folder (or make one), then the options and ranking
// files follow into it and KVN12.INI names it. Save slots stay where they were.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "storage/holder_ini.h"

namespace kelvorn::storage {

class HolderChooser {
 public:
  // `ini` names the current holder; `iniPath` is where KVN12.INI lives (empty: none is
  // written, as for the headless driver).
  HolderChooser(HolderIni ini, std::filesystem::path iniPath);

  const std::filesystem::path& selected() const { return selected_; }
  // Selects a folder; false when it is not one.
  bool select(const std::filesystem::path& folder);
  // The folders and files inside the selected folder, sorted by name.
  std::vector<std::string> folders() const;
  std::vector<std::string> files() const;
  // Creates a folder and selects it. Returns an error text, or empty.
  std::string make(const std::filesystem::path& folder);
  // Copies the eleven files from the old holder into the selected folder, in order,
  // stopping at the first one that cannot be copied (a missing one is skipped), then
  // names the new holder in KVN12.INI. Returns an error text, or empty.
  std::string confirm();
  const HolderIni& ini() const { return ini_; }

 private:
  HolderIni ini_;
  std::filesystem::path iniPath_;
  std::filesystem::path selected_;
};

}  // namespace kelvorn::storage
