#include "ui/paths.h"

#include <unistd.h>

#include <cstdlib>

namespace kelvorn::ui {

namespace fs = std::filesystem;

namespace {
fs::path home() {
  const char* h = std::getenv("HOME");
  return h && *h ? fs::path(h) : fs::temp_directory_path();
}
fs::path xdg(const char* variable, const char* fallbackBelowHome) {
  const char* v = std::getenv(variable);
  if (v && *v && fs::path(v).is_absolute()) return v;
  return home() / fallbackBelowHome;
}
}  // namespace

fs::path configFolder() { return xdg("XDG_CONFIG_HOME", ".config") / "kelvorn"; }

fs::path dataFolder() { return xdg("XDG_DATA_HOME", ".local/share") / "kelvorn"; }

fs::path defaultSaveHolder() { return dataFolder() / "savedat"; }

fs::path runtimeFolder() {
  const char* v = std::getenv("XDG_RUNTIME_DIR");
  if (v && *v && fs::is_directory(v)) return v;
  return fs::temp_directory_path();
}

fs::path programFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  const fs::path dir = ec ? fs::current_path(ec) : exe.parent_path();
  if (fs::is_directory(dir / "data", ec)) return dir;
  const fs::path installed = dir.parent_path() / "share" / "kelvorn";
  if (fs::is_directory(installed / "data", ec)) return installed;
  return dir;
}

}  // namespace kelvorn::ui
