// The "Analyser" block reader on arbitrary bytes: one value per line whatever the line holds,
// never a crash; what is written reads back with as many values, and a second write equals
// the first once the ten-character lines have rounded the values.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/environment.h"
#include "core/daynum.h"
#include "feeds/feed.h"

using namespace stallora;

namespace {

// Lines end at CR LF, CR or LF; a last line without an end counts when it is not empty.
int LineCount(std::string_view b) {
  int n = 0;
  size_t i = 0;
  while (i < b.size()) {
    size_t end = b.find_first_of("\r\n", i);
    ++n;
    if (end == std::string_view::npos) break;
    i = end + ((b[end] == '\r' && end + 1 < b.size() && b[end + 1] == '\n') ? 2 : 1);
  }
  return n;
}

struct Setup {
  explicit Setup(char separator) : clock(EncodeDate(2025, 1, 15)), env(clock, Regional{}, 45, &active) {
    env.regional.decimalSeparator = separator;
  }
  FixedClock clock;
  TEnergyProteinObj active;
  RecordEnvironment env;
};

[[noreturn]] void Die(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup comma(','), stop('.');
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TFor feed(comma.env);
  feed.ReadAnalyser(bytes);
  if (feed.ValueCount() != LineCount(bytes)) Die("value count differs from line count");
  for (double v : feed.Analyse.Values())
    if (!std::isfinite(v)) Die("a value that is not finite");
  const std::string first = feed.WriteAnalyser();
  TFor other(stop.env);  // read on a machine with the other separator
  other.ReadAnalyser(first);
  if (other.ValueCount() != feed.ValueCount()) Die("count changed on reading back");
  const std::string second = other.WriteAnalyser();
  TFor third(stop.env);
  third.ReadAnalyser(second);
  if (third.WriteAnalyser() != second) Die("writing is not stable after one read");
  feed.Fingerprint();
  feed.UpdateRatio();
  feed.ToDryMatterBasis();
  return 0;
}
