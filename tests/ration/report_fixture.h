#pragma once
// A program directory with the installed Danish data and a fixed date, a requirement list
// of simple formulas (so report tests do not follow changes of the real norms), the NRC
// energy object (no unit conversion), and a test horse "Blakken" with a ration, weighings
// and treatments. Shared by the horse, stable and meal chart tests.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "config/country_settings.h"
#include "config/energy_protein.h"
#include "config/preferences.h"
#include "core/fileio.h"
#include "nutrition/behovsliste.h"
#include "nutrition/hest.h"

namespace stallora::testing {

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Compares a report with its golden file byte for byte. With STALLORA_UPDATE_GOLDEN set the
// golden is written instead (to be checked by hand before it is kept).
inline void ExpectGolden(const std::string& actual, const std::string& name) {
  const std::filesystem::path golden = std::filesystem::path(STALLORA_TEST_DATA) / "reports" / name;
  if (std::getenv("STALLORA_UPDATE_GOLDEN")) {
    std::ofstream(golden, std::ios::binary) << actual;
    return;
  }
  const std::string expected = ReadBytes(golden);
  ASSERT_FALSE(expected.empty()) << "missing golden " << golden;
  if (actual == expected) return;
  // Point at the first differing line.
  std::istringstream a(actual), e(expected);
  std::string la, le;
  int line = 1;
  while (std::getline(a, la) && std::getline(e, le) && la == le) ++line;
  ADD_FAILURE() << name << " differs at line " << line << "\n  actual:   " << la << "\n  expected: " << le;
}

class ReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("stallora-reports-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "Resources");
    const std::filesystem::path data = STALLORA_DATA_DIR;
    std::filesystem::copy_file(data / "dan.ini", dir_ / "dan.ini");
    for (const char* f : {"EPListe.eqe", "treatmentregister45.txt", "fpinf45.txt"})
      std::filesystem::copy_file(data / "Resources" / f, dir_ / "Resources" / f);

    RegisterConfigClasses();
    RegisterFeedClasses();
    RegisterNutritionClasses();
    CountrySettingsResult r = LoadCountrySettings(dir_, "dan.ini", regional_.languageAbbreviation);
    ASSERT_TRUE(r.settings) << r.message;
    settings_ = std::move(*r.settings);
    prefs_.Initialise(dir_, settings_, regional_, ScreenSize{}, messages_);
    prefs_.ActiveSaveDirectory = (dir_ / "Save").string();
    prefs_.KonsulentNavn = "Karen Holm";
    prefs_.ConsultantMobile = "20 30 40 50";
    prefs_.ConsultantMail = "karen@example.dk";
    prefs_.FirmaInfoTekst = "Holm Foder & R\xE5" "dgivning";
    active_.Navn = "nrc2007:DE:MCal:1:CP";
    ApplyActiveEnergyObject(active_, settings_, settings_.countryNumber);
    env_ = std::make_unique<RecordEnvironment>(clock_, regional_, settings_.countryNumber, &active_, &settings_);
    env_->preferences = &prefs_;
    requirements_ = std::make_unique<TBehovsListe>(*env_);
    // Per nutrient one formula for every category.
    const char* formulas[kNutrientCount] = {"bw*0.0333", "bw*1.26", "bw*0.054", "bw*0.04",  "bw*0.028", "bw*0.015",
                                            "1.43",      "bw*0.05", "bw*0.8",   "bw*0.8",   "bw*0.2",   "bw*0.8",
                                            "bw*0.002",  "bw*0.001", "bw*0.007", "bw*30",   "bw*6.6",   "bw*1",
                                            "0",         "0",       "0",        "0",        "0",        "0"};
    for (int i = 0; i < kNutrientCount; ++i) {
      auto obj = std::make_unique<TBehovsobj>();
      obj->NutrientNo = i;
      obj->GlobalNutrientName = settings_.NutrientName(i);
      obj->Behovsstrenger.assign(6, formulas[i]);
      requirements_->Add(std::move(obj));
    }
    env_->requirementList = requirements_.get();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  DayNumber today() const { return clock_.Today(); }

  // A feed with its analysis per kg as fed.
  TFor& Feed(THest& h, const std::string& name, int category, double kg, double price,
             std::initializer_list<double> analysis, double dm = 85) {
    TFor& f = h.ForListe->AddFeed(std::make_unique<TFor>(*env_));
    f.Fornavn = name;
    f.Fortype = static_cast<uint8_t>(category);
    f.Valgt = true;
    f.TildeltKg = kg;
    f.Pris = price;
    f.TorrStoff = dm;
    int i = 0;
    for (double v : analysis) f.SetValue(i++, v);
    f.UpdateRatio();
    return f;
  }

  // Blakken: a 500 kg mare in maintenance with hay, oats and a mineral feed, three meals,
  // two weighings and three treatments.
  std::unique_ptr<THest> Blakken() {
    auto h = std::make_unique<THest>(*env_);
    h->Navn = "Blakken";
    h->Description = "Rolig vallak";
    h->EierNavn = "Hansen & S\xF8n";
    h->Kjonn = TKjonn::Kastrert;
    h->Kategori = TDyreKategori::Vedlikehold;
    h->Fodselsdato = EncodeDate(2015, 5, 1);
    h->VektListe->LeggTil(505, EncodeDate(2026, 6, 1));
    h->VektListe->LeggTil(500, EncodeDate(2026, 11, 20) + EncodeTime(9, 15));
    h->ForListe->EndretDato = EncodeDate(2026, 12, 1) + EncodeTime(14, 5);
    Feed(*h, "H\xF8 1. sl\xE6t", 1, 9, 1.5,
         {1.9, 80, 3, 3.5, 2.0, 1.5, 0, 1, 200, 20, 5, 60, 0.03, 0.1, 0.2, 2000, 500, 20, 2, 8, 2, 0, 20, 1});
    Feed(*h, "Havre", 3, 1.5, 3.2,
         {2.9, 105, 4, 0.8, 3.4, 1.2, 0, 0.5, 60, 30, 4, 35, 0.1, 0.05, 0.1, 0, 0, 10, 5, 1, 1, 0, 10, 0.5});
    Feed(*h, "Mineral <Plus> & Co", 9, 0.05, 25,
         {0, 0, 0, 200, 60, 50, 0, 100, 0, 4000, 1000, 2000, 15, 5, 20, 500000, 50000, 5000, 100, 50, 50, 0.5, 100, 20},
         95);
    h->HestNoMeals = 3;
    h->HFTider = {"25200", "43200", "64800"};
    h->ForListe->FeedAt(0)->Fordeling = {"3,00", "3,00", "3,00"};
    h->ForListe->FeedAt(1)->Fordeling = {"0,75", "0", "0,75"};
    h->ForListe->FeedAt(2)->Fordeling = {"0,05", "0", "0"};
    TTreatmentList& t = *h->TreatmentListe;
    TTreatmentObj& done = t.AddNew();
    done.TreatmentType = TTreatmentType::Vacc;
    done.TreatmentName = "Influenza";
    done.PlannedDate = EncodeDate(2026, 11, 25);
    done.DoneDate = EncodeDate(2026, 11, 26);
    done.OKToStartDate = EncodeDate(2026, 12, 20);
    done.Cost = 450;
    done.Notes = "Lidt h\xE6vet & varm";
    TTreatmentObj& overdue = t.AddNew();
    overdue.TreatmentType = TTreatmentType::Worm;
    overdue.TreatmentName = "Ormekur <for\xE5r>";
    overdue.PlannedDate = EncodeDate(2026, 12, 1);
    overdue.Cost = 120;
    TTreatmentObj& later = t.AddNew();
    later.TreatmentType = TTreatmentType::Shoe;
    later.TreatmentName = "Skoning";
    later.PlannedDate = EncodeDate(2027, 1, 15);
    later.Cost = 900;
    t.UpdateBan();
    return h;
  }

  std::filesystem::path dir_;
  FixedClock clock_{EncodeDate(2026, 12, 8) + EncodeTime(10, 30)};
  Regional regional_;
  RecordingMessages messages_;
  CountrySettings settings_;
  TPreferences prefs_;
  TEnergyProteinObj active_;
  std::unique_ptr<RecordEnvironment> env_;
  std::unique_ptr<TBehovsListe> requirements_;
};

}  // namespace stallora::testing
