#pragma once
// The installed country settings and requirement list, a fixed date and an active
// energy/protein object that a test may switch, for the ration balancer's tests on horses.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "config/country_settings.h"
#include "config/energy_protein.h"
#include "nutrition/behovsliste.h"
#include "nutrition/hest.h"

namespace stallora::testing {

class BalanceHorseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterConfigClasses();
    RegisterFeedClasses();
    RegisterNutritionClasses();
    RegisterBehovsListeClasses();
    CountrySettingsResult r = LoadCountrySettings(STALLORA_DATA_DIR, "dan.ini", "DAN");
    ASSERT_TRUE(r.settings) << r.message;
    settings_ = std::move(*r.settings);
    env_ = std::make_unique<RecordEnvironment>(clock_, Regional{}, settings_.countryNumber, &active_, &settings_);
    requirements_ = std::make_unique<TBehovsListe>(*env_);
    requirements_->LoadfromFile(std::filesystem::path(STALLORA_DATA_DIR) / "Resources" / "behovsliste.txt");
    ASSERT_GT(requirements_->Antall(), 0);
    env_->requirementList = requirements_.get();
    Use(TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal, TProteinBeregning::CP);
  }

  void Use(TEnergiBeregning model, EnergiBasisType basis, EnergiEnhetstype unit, TProteinBeregning protein) {
    active_.Energiberegning = model;
    active_.EnergiBasis = basis;
    active_.EnergiEnhet = unit;
    active_.ProteinBeregning = protein;
    ApplyActiveEnergyObject(active_, settings_, settings_.countryNumber);
  }

  // A 500 kg horse in maintenance, weighed today, its ration in the active system.
  std::unique_ptr<THest> Horse(double weight = 500) {
    auto h = std::make_unique<THest>(*env_);
    h->Navn = "Bella";
    h->Fodselsdato = clock_.Today() - 8 * 365;
    h->VektListe->LeggTil(weight, clock_.Today());
    h->ForListe->SetEnergyRecord(EnergyRecord::Of(active_));
    return h;
  }

  TFor& AddFeed(TForListe& list, const std::string& name, int category, double kg, double price,
                std::initializer_list<std::pair<int, double>> values, double dm = 88) {
    TFor& f = list.AddFeed(std::make_unique<TFor>(*env_));
    f.Fornavn = name;
    f.Fortype = static_cast<uint8_t>(category);
    f.Valgt = true;
    f.TildeltKg = kg;
    f.Pris = price;
    f.TorrStoff = dm;
    for (const auto& [i, v] : values) f.SetValue(i, v);
    f.UpdateRatio();
    return f;
  }

  FixedClock clock_{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  CountrySettings settings_;
  TEnergyProteinObj active_;
  std::unique_ptr<RecordEnvironment> env_;
  std::unique_ptr<TBehovsListe> requirements_;
};

}  // namespace stallora::testing
