// A feed list or mix file (.eqf, .mix) on arbitrary bytes, and then what the mix calculator
// and the generate dialog do with what was read: never a crash; a list that reads writes
// text that reads back to the same text.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/country_settings.h"
#include "config/environment.h"
#include "core/daynum.h"
#include "core/objtext.h"
#include "feeds/mix.h"
#include "feeds/mix_sources.h"

using namespace stallora;

namespace {

struct Setup {
  Setup() : clock(EncodeDate(2025, 1, 15)), env(clock, Regional{}, 45, &active) {
    RegisterConfigClasses();
    RegisterFeedClasses();
  }
  FixedClock clock;
  TEnergyProteinObj active;
  RecordEnvironment env;
  CountrySettings settings;
};

[[noreturn]] void Die(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup s;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TForListe list(s.env);
  try {
    list.LoadFromText(bytes, "fuzz.mix");
  } catch (const ObjTextError&) {
    return 0;
  }
  const std::string first = RecordText(list);
  TForListe again(s.env);
  try {
    again.LoadFromText(first, "fuzz.mix");
  } catch (const ObjTextError&) {
    Die("written text does not read back");
  }
  // An empty name is not written and reads back as the constructor's "foderliste" (known,
  // reported); every other difference is a fault.
  if (!list.ForlisteNavn.empty() && RecordText(again) != first) Die("text changed on reading back");
  list.ForBlanding = true;
  MixPriceLabel(list);
  (void)list.MixAsFeed();
  (void)MixFeedFor(list, DefaultMixChoice(list), "x");
  (void)BuildMixSourceTree(list, s.settings);
  (void)GenerateBrandChoices(list);
  RescaleMix(list, 8);
  RebuildFromBrands(again, list, GenerateBrandChoices(list), KeepFeeds{true, true, true});
  return 0;
}
