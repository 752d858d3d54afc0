// The settings-file reader and the country tables built from it, on arbitrary bytes.

#include <cstdint>
#include <string_view>

#include "config/country_settings.h"
#include "config/ini.h"

using namespace stallora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  IniFile ini = IniFile::Parse(text);
  (void)ini.ReadInteger("Nutrient", "NumberOfNutrients", 1);
  CountrySettings s = ParseCountrySettings(text);
  if (s.nutrients.size() != kNutrientCount) __builtin_trap();
  (void)MissingCountryEntries(text);
  return 0;
}
