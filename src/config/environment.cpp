#include "config/environment.h"

#include "config/preferences.h"

namespace stallora {

const RecordEnvironment& RecordEnvironment::Default() {
  static const SystemClock clock;
  static const TEnergyProteinObj* builtIn = [] {
    auto* o = new TEnergyProteinObj();
    o->Navn = "NRC 2007";
    return o;
  }();
  static const RecordEnvironment env(clock, Regional{}, 45, builtIn);
  return env;
}

int RecordEnvironment::PreferenceCountry() const {
  return preferences ? preferences->countryNumber : countryNumber;
}

const RecordEnvironment& RecordEnvironment::Of(const LoadContext& ctx) {
  if (const auto* env = dynamic_cast<const RecordEnvironment*>(ctx.environment)) return *env;
  return Default();
}

}  // namespace stallora
