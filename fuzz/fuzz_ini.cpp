// Any bytes as KVN12.INI: three lines that hold no line break, NUL byte or trailing
// carriage return and no more than 4096 bytes each, and that survive being written and
// read again whole, with nothing skipped.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "storage/holder_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvorn::storage;
  const HolderIniText read =
      parseHolderIni(std::string_view(reinterpret_cast<const char*>(data), size));
  const HolderIni& ini = read.ini;
  for (const std::string* line : {&ini.holder, &ini.programFolder, &ini.reserved})
    if (line->size() > 4096 || line->find('\n') != std::string::npos ||
        line->find('\0') != std::string::npos || (!line->empty() && line->back() == '\r'))
      __builtin_trap();
  const HolderIniText again = parseHolderIni(formatHolderIni(ini));
  if (!again.skipped.empty() || again.ini.holder != ini.holder ||
      again.ini.programFolder != ini.programFolder || again.ini.reserved != ini.reserved)
    __builtin_trap();
  return 0;
}
