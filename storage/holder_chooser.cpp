#include "storage/holder_chooser.h"

#include <algorithm>

#include "storage/files.h"
#include "storage/save_holder.h"

namespace kelvorn::storage {

namespace fs = std::filesystem;

HolderChooser::HolderChooser(HolderIni ini, fs::path iniPath)
    : ini_(std::move(ini)), iniPath_(std::move(iniPath)), selected_(ini_.holder) {}

bool HolderChooser::select(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return false;
  selected_ = fs::absolute(folder, ec).lexically_normal();
  return true;
}

namespace {
std::vector<std::string> entries(const fs::path& folder, bool wantFolders) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError) == wantFolders) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}
}  // namespace

std::vector<std::string> HolderChooser::folders() const { return entries(selected_, true); }
std::vector<std::string> HolderChooser::files() const { return entries(selected_, false); }

std::string HolderChooser::make(const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return "cannot make " + folder.string() + ": " + ec.message();
  select(folder);
  return {};
}

std::string HolderChooser::confirm() {
  const fs::path from = ini_.holder;
  std::error_code ec;
  if (fs::equivalent(from, selected_, ec)) return {};
  for (const char* name : kHolderFiles) {
    if (!fs::exists(from / name, ec)) continue;
    const auto bytes = readFile(from / name);
    if (!bytes) return "cannot read " + (from / name).string();
    std::string error;
    if (!writeFileAtomic(selected_ / name, *bytes, error)) return error;
  }
  ini_.holder = selected_.string();
  if (!iniPath_.empty()) {
    std::string error;
    if (!writeTextAtomic(iniPath_, formatHolderIni(ini_), error)) return error;
  }
  return {};
}

}  // namespace kelvorn::storage
