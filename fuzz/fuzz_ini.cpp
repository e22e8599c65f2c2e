// Any bytes as KVN12.INI: either refused (and recreated by the caller) or three lines
// that survive being written and read again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "storage/holder_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvorn::storage;
  const auto ini = parseHolderIni(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!ini) return 0;
  if (ini->holder.empty() || ini->programFolder.empty() || ini->reserved.size() > 10)
    __builtin_trap();
  for (const std::string* line : {&ini->holder, &ini->programFolder, &ini->reserved})
    if (line->find('\n') != std::string::npos || line->find('\0') != std::string::npos)
      __builtin_trap();
  // Lines that do not end in '\r' are written and read back unchanged. (A line read as
  // "\r" alone, from "\r\r\n", is kept but comes back empty, so the rewritten file is
  // refused and recreated at the next start: safe, so not checked here.)
  auto endsInCr = [](const std::string& l) { return !l.empty() && l.back() == '\r'; };
  if (!endsInCr(ini->holder) && !endsInCr(ini->programFolder) && !endsInCr(ini->reserved)) {
    const auto again = parseHolderIni(formatHolderIni(*ini));
    if (!again || again->holder != ini->holder || again->programFolder != ini->programFolder ||
        again->reserved != ini->reserved)
      __builtin_trap();
  }
  return 0;
}
