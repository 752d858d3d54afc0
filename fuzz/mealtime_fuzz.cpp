// A feeding time as the user types it into the stable's meal table: any bytes are refused or
// give a time of day in whole minutes, and the time shown for it reads back as the same time.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "forms/stable_editor.h"

using namespace stallora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto seconds = ParseMealTime(text);
  if (!seconds) return 0;
  if (*seconds < 0 || *seconds >= 24 * 3600 || *seconds % 60 != 0) {
    std::fprintf(stderr, "out of the day: %d\n", *seconds);
    std::abort();
  }
  char shown[8];
  std::snprintf(shown, sizeof shown, "%02d:%02d", *seconds / 3600, *seconds / 60 % 60);
  if (ParseMealTime(shown) != seconds) {
    std::fprintf(stderr, "%s does not read back as %d\n", shown, *seconds);
    std::abort();
  }
  return 0;
}
