#pragma once
// What the feed tests share: a fixed day, the Danish edition's settings with its active
// energy/protein object (net energy in feed units, digestible protein), and a workspace
// directory of its own.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "config/country_settings.h"
#include "config/energy_protein.h"
#include "config/environment.h"
#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/daynum.h"
#include "core/seams.h"
#include "feeds/feedlist.h"

namespace stallora::testing {

inline EnergyRecord DanishRecord() {
  return {TEnergiBeregning::fransk, EnergiBasisType::NE, EnergiEnhetstype::fe, 1.0, TProteinBeregning::DCP};
}
inline EnergyRecord NrcRecord() {
  return {TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal, 1.0, TProteinBeregning::CP};
}

class FeedsEnv {
 public:
  explicit FeedsEnv(char decimalSeparator = ',', bool withWorkspace = true) : clock(EncodeDate(2025, 1, 15) + 0.5) {
    RegisterConfigClasses();
    RegisterFeedClasses();
    CountrySettingsResult r = LoadCountrySettings(STALLORA_DATA_DIR, "dan.ini", "DAN");
    settings = std::move(*r.settings);
    active.Navn = "Danmark";
    active.CountryNo = 45;
    active.Energiberegning = TEnergiBeregning::fransk;
    active.EnergiBasis = EnergiBasisType::NE;
    active.EnergiEnhet = EnergiEnhetstype::fe;
    active.EnergiFaktor = 1;
    active.ProteinBeregning = TProteinBeregning::DCP;
    ApplyActiveEnergyObject(active, settings, 45);
    Regional regional;
    regional.decimalSeparator = decimalSeparator;
    env = std::make_unique<RecordEnvironment>(clock, regional, 45, &active, &settings);
    if (withWorkspace) {
      static std::atomic<int> counter{0};
      dir = std::filesystem::temp_directory_path() /
            ("stallora-feeds-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
      std::filesystem::remove_all(dir);
      std::filesystem::create_directories(dir);
      prefs.programDir = dir;
      prefs.ActiveSaveDirectory = TextFromPath(dir / "Save");
      prefs.countryNumber = 45;
      env->preferences = &prefs;
    }
  }
  ~FeedsEnv() {
    if (!dir.empty()) std::filesystem::remove_all(dir);
  }
  FeedsEnv(const FeedsEnv&) = delete;
  FeedsEnv& operator=(const FeedsEnv&) = delete;

  std::filesystem::path FeedDir() const { return dir / "Save" / "Feeds" / "45"; }

  FixedClock clock;
  CountrySettings settings;
  TEnergyProteinObj active;
  TPreferences prefs;
  std::unique_ptr<RecordEnvironment> env;
  std::filesystem::path dir;
};

}  // namespace stallora::testing
