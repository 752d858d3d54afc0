// The installed data of the editions loads through the code the program uses.

#include <gtest/gtest.h>

#include <filesystem>

#include "config/country_settings.h"
#include "config/energy_protein.h"
#include "config/preferences.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora {
namespace {

const std::filesystem::path kData = STALLORA_DATA_DIR;

TEST(InstalledData, DanishEditionIsComplete) {
  CountrySettingsResult r = LoadCountrySettings(kData, "dan.ini", "DAN");
  ASSERT_TRUE(r.settings) << r.message;
  const CountrySettings& s = *r.settings;
  EXPECT_EQ(s.countryNumber, 45);
  EXPECT_GE(s.breeds.size(), 25u);
  for (size_t i = 1; i < s.breeds.size(); ++i) EXPECT_LT(CompareText(s.breeds[i - 1].name, s.breeds[i].name), 0);
  for (const Breed& b : s.breeds) {
    EXPECT_FALSE(b.name.empty());
    EXPECT_GT(std::stoi(b.maleWeight), 100) << b.name;
    EXPECT_GE(std::stoi(b.maleWeight), std::stoi(b.femaleWeight)) << b.name;
  }
  EXPECT_EQ(s.nutrients.size(), 24u);
  EXPECT_EQ(s.NutrientName(2), "Lysin");
  EXPECT_EQ(s.NutrientName(7), "Salt (NaCl)");
  EXPECT_EQ(s.feedTypeNames[10], "Gr\xE6sning");
  EXPECT_EQ(s.proteinTypeNames[1], "Ford\xF8jeligt r\xE5protein");
  EXPECT_EQ(s.settingsFile, kData / "dan.ini");
  EXPECT_EQ(s.feedCompanies.size(), 3u);
}

TEST(InstalledData, EnglishEditionAndAsLocaleFile) {
  CountrySettingsResult eng = LoadCountrySettings(kData, "eng.ini", "ENG");
  ASSERT_TRUE(eng.settings) << eng.message;
  EXPECT_EQ(eng.settings->countryNumber, 44);
  EXPECT_EQ(eng.settings->NutrientName(0), "Energy");
  // Danish edition on an English (UK) locale: the English companies and guarantee list.
  CountrySettingsResult mixed = LoadCountrySettings(kData, "dan.ini", "ENG");
  ASSERT_TRUE(mixed.settings);
  EXPECT_EQ(mixed.settings->countryNumber, 45);
  EXPECT_EQ(mixed.settings->feedCompanies.size(), 2u);
  EXPECT_EQ(mixed.settings->guaranteeFeedFile, "Northoat Feeds.eqf");
  EXPECT_EQ(mixed.settings->NutrientName(2), "Lysin");
}

TEST(InstalledData, EnergyProteinListHasOneObjectPerCountry) {
  RegisterConfigClasses();
  TEnProList list;
  list.LoadfromFile(kData / "Resources" / "EPListe.eqe");
  // One per country, and a second one for Denmark and the United Kingdom to switch to.
  EXPECT_EQ(list.Antall(), static_cast<int>(CountryList().size()) + 2);
  int danish = 0, british = 0;
  for (const auto& o : list.Liste) {
    danish += o->CountryNo == 45;
    british += o->CountryNo == 44;
  }
  EXPECT_EQ(danish, 2);
  EXPECT_EQ(british, 2);
  EXPECT_EQ(list.Element(list.Antall() - 2)->Energiberegning, TEnergiBeregning::nrc2007);
  EXPECT_EQ(list.Element(list.Antall() - 1)->Energiberegning, TEnergiBeregning::fransk);
  for (const std::string& entry : CountryList()) {
    const int nr = std::stoi(entry.substr(0, entry.find(' ')));
    EXPECT_NE(list.FinnLand(nr, "kr"), nullptr) << entry;
  }
  EXPECT_EQ(list.FinnLand(1, "$")->Energiberegning, TEnergiBeregning::nrc2007);
  EXPECT_EQ(list.FinnLand(33, "\x80")->Energiberegning, TEnergiBeregning::fransk);
  EXPECT_EQ(list.FinnLand(31, "\x80")->Energiberegning, TEnergiBeregning::dutch);
  EXPECT_EQ(list.FinnLand(45, "kr")->EnergiEnhet, EnergiEnhetstype::fe);
  EXPECT_EQ(list.FinnLand(44, "kr")->Energiberegning, TEnergiBeregning::nrc2007);
  // The installed file is exactly what saving it writes.
  EXPECT_EQ(RecordText(list), *ReadWholeFile(kData / "Resources" / "EPListe.eqe"));
}

TEST(InstalledData, DanishTreatmentRegisterHasSixLines) {
  CountrySettingsResult r = LoadCountrySettings(kData, "dan.ini", "DAN");
  ASSERT_TRUE(r.settings);
  const auto tmp = std::filesystem::temp_directory_path() / "stallora-installed-prefs";
  std::filesystem::remove_all(tmp);
  std::filesystem::create_directories(tmp / "Resources");
  std::filesystem::copy_file(kData / "Resources" / "treatmentregister45.txt",
                             tmp / "Resources" / "treatmentregister45.txt");
  TPreferences p;
  RecordingMessages messages;
  p.Initialise(tmp, *r.settings, Regional{}, ScreenSize{}, messages);
  EXPECT_TRUE(messages.entries.empty());
  ASSERT_EQ(p.TreatmentRegister.size(), 6u);
  for (int t = 0; t < 6; ++t) {
    std::vector<std::string> names, addresses;
    p.TreatmentEntries(t, names, addresses);
    EXPECT_GE(names.size(), 3u) << t;
  }
  std::filesystem::remove_all(tmp);
}

}  // namespace
}  // namespace stallora
