#pragma once
// The facts new records take their starting values from: today's date, the regional
// settings, the country, the active energy/protein object. The application's start-up owns
// one and hands it to every load and to every record it creates.

#include <functional>

#include "config/country_settings.h"
#include "config/energy_protein.h"
#include "core/record.h"
#include "core/seams.h"

namespace stallora {

class TPreferences;
class TBehovsListe;

class RecordEnvironment : public LoadEnvironment {
 public:
  RecordEnvironment(const Clock& clock, Regional regional, int countryNumber, const TEnergyProteinObj* active,
                    const CountrySettings* settings = nullptr)
      : clock(&clock), regional(std::move(regional)), countryNumber(countryNumber), activeEnergy(active),
        settings(settings) {}

  DayNumber Today() const { return clock->Today(); }

  const Clock* clock;
  Regional regional;
  int countryNumber;
  const TEnergyProteinObj* activeEnergy;  // null before one is chosen
  const CountrySettings* settings;        // null in tools that do without
  const TPreferences* preferences = nullptr;  // for the workspace's directories; may be null
  const TBehovsListe* requirementList = nullptr;  // the requirement formulas; may be null
  // Told just before a record of the workspace (a stable, a horse, a feed list) is freed,
  // while it is still whole, so that whatever shows it lets go of it first. May be empty.
  std::function<void(const Record&)> beforeRecordGoes;

  void AnnounceGoing(const Record& record) const {
    if (beforeRecordGoes) beforeRecordGoes(record);
  }

  // The country number the preferences hold (the settings' when there are no preferences).
  int PreferenceCountry() const;

  // The currency decimals of the country settings (2 without settings).
  int CurrencyDecimals() const { return settings ? settings->currencyDecimals : 2; }

  // The environment of a load, or a fixed default (system clock, Danish regional settings,
  // country 45, the built-in NRC 2007 object) for records made without one.
  static const RecordEnvironment& Of(const LoadContext& ctx);
  static const RecordEnvironment& Default();
};

}  // namespace stallora
