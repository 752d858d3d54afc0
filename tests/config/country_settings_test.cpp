#include "config/country_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <fmt/format.h>

namespace stallora {
namespace {

// A settings file with everything the program needs; tests change what they look at.
std::string CompleteIni(const std::string& extra = "", int nutrients = 24) {
  std::string s = "[FeedType_Names]\n";
  for (int i = 0; i < 12; ++i) s += fmt::format("Fortypenavn{}=Type {}\n", i, i);
  s += "[Nutrient]\nNumberOfNutrients=" + std::to_string(nutrients) + "\n";
  for (int i = 0; i < nutrients; ++i) s += fmt::format("Nutrient{}Name=N{}\nNutrient{}WeightUnit=g\n", i, i, i);
  auto list = [&](const char* section, const char* countKey, const char* pattern, int n) {
    s += fmt::format("[{}]\n{}={}\n", section, countKey, n);
    for (int i = 0; i < n; ++i) s += fmt::format(fmt::runtime(pattern), i) + "=Name" + std::to_string(i) + "\n";
  };
  list("Categories", "NumberOfCategories", "Category{}Name", 7);
  list("WorkNames", "NumberOfNames", "WorkName{}", 5);
  list("YoungTrainingNames", "NumberOfNames", "YoungTraining{}Name", 4);
  list("BloodTypeNames", "NumberOfNames", "BloodTypeName{}", 3);
  list("SexTypeNames", "NumberOfNames", "SexTypeName{}", 3);
  list("ConditionTypeNames", "NumberOfNames", "ConditionTypeName{}", 3);
  list("ProteinTypeNames", "NumberOfNames", "ProteinTypeName{}", 2);
  list("AdressTypeNames", "NumberOfNames", "AdressTypeName{}", 4);
  return s + extra;
}

TEST(CountrySettings, BreedsAreSortedByNameEachKeepingItsValues) {
  CountrySettings s = ParseCountrySettings(
      "[Breeds]\nNumberOfBreeds=3\n"
      "Breed0Name=Shetland\nBreed0MaleWeight=200\nBreed0BloodType=coldblood\n"
      "Breed1Name=Arab\nBreed1MaleWeight=450\nBreed1FemaleWeight=420\nBreed1BloodType=FULLBLOOD\nBreed1Image=arab.jpg\n"
      "Breed2Name=Fjord\nBreed2MaleWeight=460\nBreed2BloodType=Ponny\n");
  ASSERT_EQ(s.breeds.size(), 3u);
  EXPECT_EQ(s.breeds[0].name, "Arab");
  EXPECT_EQ(s.breeds[0].maleWeight, "450");
  EXPECT_EQ(s.breeds[0].femaleWeight, "420");
  EXPECT_EQ(s.breeds[0].bloodType, TBlodsType::FullBlood);
  EXPECT_EQ(s.breeds[0].image, "arab.jpg");
  EXPECT_EQ(s.breeds[1].name, "Fjord");
  EXPECT_EQ(s.breeds[1].bloodType, TBlodsType::WarmBlood);
  EXPECT_EQ(s.breeds[2].name, "Shetland");
  EXPECT_EQ(s.breeds[2].maleWeight, "200");
  EXPECT_EQ(s.breeds[2].bloodType, TBlodsType::ColdBlood);
}

TEST(CountrySettings, BreedsDifferingOnlyInCaseShareARecord) {
  CountrySettings s = ParseCountrySettings(
      "[Breeds]\nNumberOfBreeds=3\nBreed0Name=Fjord\nBreed0MaleWeight=1\n"
      "Breed1Name=arab\nBreed1MaleWeight=2\nBreed2Name=FJORD\nBreed2MaleWeight=3\nBreed2BloodType=WARMBLOOD\n");
  ASSERT_EQ(s.breeds.size(), 3u);
  EXPECT_EQ(s.breeds[0].name, "arab");
  EXPECT_EQ(s.breeds[1].name, "FJORD");  // the later one overwrote the earlier
  EXPECT_EQ(s.breeds[1].maleWeight, "3");
  EXPECT_EQ(s.breeds[2].name, "");  // and the table ends with an empty record
}

TEST(CountrySettings, BloodTypeValues) {
  CountrySettings s = ParseCountrySettings(
      "[Breeds]\nNumberOfBreeds=4\nBreed0Name=a\nBreed0BloodType=WARMBLOOD\nBreed1Name=b\nBreed1BloodType=Ponny\n"
      "Breed2Name=c\nBreed2BloodType=\nBreed3Name=d\nBreed3BloodType=ColdBlood\n");
  EXPECT_EQ(s.breeds[0].bloodType, TBlodsType::WarmBlood);
  EXPECT_EQ(s.breeds[1].bloodType, TBlodsType::WarmBlood);
  EXPECT_EQ(s.breeds[2].bloodType, TBlodsType::WarmBlood);
  EXPECT_EQ(s.breeds[3].bloodType, TBlodsType::ColdBlood);
}

TEST(CountrySettings, DefaultsForMissingOrInvalidValues) {
  CountrySettings s = ParseCountrySettings("[Nutrient]\nNumberOfNutrients=24\nNutrient5Precision=two\nNutrient6Precision=0\n");
  EXPECT_EQ(s.countryNumber, 47);
  EXPECT_EQ(s.currencyDecimals, 2);
  EXPECT_EQ(s.nutrients[5].precision, 2);
  EXPECT_EQ(s.nutrients[6].precision, 0);
  // Indexed lists always have their count of entries; a missing key is an empty entry.
  CountrySettings t = ParseCountrySettings("[WorkNames]\nNumberOfNames=3\nWorkName2=Hard\n");
  ASSERT_EQ(t.workNames.size(), 3u);
  EXPECT_EQ(t.workNames[0], "");
  EXPECT_EQ(t.workNames[2], "Hard");
  EXPECT_EQ(t.categoryNames.size(), 1u);  // the count's default is 1
}

TEST(CountrySettings, CountryNamesByLeadingNumber) {
  EXPECT_EQ(CountryName(1), "1 Canada, USA");
  EXPECT_EQ(CountryName(353), "353 Ireland");
  EXPECT_EQ(CountryName(0), "00 Unknown");
  EXPECT_EQ(CountryName(7), "");
  EXPECT_EQ(CountryName(47), "47 Norge");
  EXPECT_EQ(CountryList().size(), 14u);
}

TEST(CountrySettings, IncompleteFilesNameWhatIsMissing) {
  EXPECT_TRUE(MissingCountryEntries(CompleteIni()).empty());
  auto missing = MissingCountryEntries(CompleteIni("", 22));
  ASSERT_FALSE(missing.empty());
  EXPECT_EQ(missing[0], "[Nutrient] NumberOfNutrients = 22 (24 needed)");
  EXPECT_NE(std::find(missing.begin(), missing.end(), "[Nutrient] Nutrient23Name"), missing.end());
  std::string noCategories = CompleteIni();
  noCategories.replace(noCategories.find("NumberOfCategories=7"), 20, "NumberOfCategories=5");
  noCategories.replace(noCategories.find("Category5Name=Name5"), 19, "Category5Name=");
  missing = MissingCountryEntries(noCategories);
  ASSERT_EQ(missing.size(), 2u);
  EXPECT_EQ(missing[0], "[Categories] NumberOfCategories = 5 (6 needed)");
  EXPECT_EQ(missing[1], "[Categories] Category5Name");
}

class CountryFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("stallora-country-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name, std::ios::binary) << text; }
  std::filesystem::path dir_;
};

TEST_F(CountryFiles, MissingMainFileGivesTheWarning) {
  CountrySettingsResult r = LoadCountrySettings(dir_, "dan.ini", "DAN");
  EXPECT_FALSE(r.settings);
  EXPECT_TRUE(r.missingFile);
  EXPECT_EQ(r.message.find("Stallora could not find the expected initialisation file " + (dir_ / "dan.ini").string()),
            0u);
  EXPECT_NE(r.message.find("\nPlease check that you have downloaded and installed the language version you planned\n"),
            std::string::npos);
  EXPECT_NE(r.message.find("\n\nStallora will now terminate"), std::string::npos);
}

TEST_F(CountryFiles, AnIncompleteFileIsRefused) {
  Write("dan.ini", CompleteIni("", 23));
  CountrySettingsResult r = LoadCountrySettings(dir_, "dan.ini", "DAN");
  EXPECT_FALSE(r.settings);
  EXPECT_FALSE(r.missingFile);
  EXPECT_NE(r.message.find("[Nutrient] NumberOfNutrients = 23 (24 needed)"), std::string::npos);
}

TEST_F(CountryFiles, TheLocaleFileReplacesCompaniesGuaranteeListAndDecimals) {
  Write("dan.ini", CompleteIni("[EnergyRecord]\nGSpraaknr=45\nGuarantyfeedfile=main.eqf\nCurrencyDecimals=2\n"
                               "[FeedCompanies]\nNumberOfFeedCompanies=5\nCompany0Name=A\nCompany1Name=B\n"
                               "Company2Name=C\nCompany3Name=D\nCompany4Name=E\n"
                               "[Breeds]\nNumberOfBreeds=1\nBreed0Name=Main breed\n"));
  Write("ENG.ini", "[EnergyRecord]\nGSpraaknr=44\nGuarantyfeedfile=locale.eqf\nCurrencyDecimals=3\n"
                   "[FeedCompanies]\nNumberOfFeedCompanies=2\nCompany0Name=X\nCompany1Name=Y\n"
                   "[Breeds]\nNumberOfBreeds=1\nBreed0Name=Locale breed\n");
  CountrySettingsResult r = LoadCountrySettings(dir_, "dan.ini", "ENG");
  ASSERT_TRUE(r.settings) << r.message;
  const CountrySettings& s = *r.settings;
  ASSERT_EQ(s.feedCompanies.size(), 2u);
  EXPECT_EQ(s.feedCompanies[1].name, "Y");
  EXPECT_EQ(s.guaranteeFeedFile, "locale.eqf");
  EXPECT_EQ(s.currencyDecimals, 3);
  EXPECT_EQ(s.countryNumber, 45);                 // everything else from the main file
  EXPECT_EQ(s.breeds[0].name, "Main breed");
  EXPECT_EQ(s.settingsFile, dir_ / "ENG.ini");  // the locale file was read last
}

TEST_F(CountryFiles, TheLocaleFileIsFoundWithoutRegardToCaseAndNotReadTwice) {
  Write("dan.ini", CompleteIni("[FeedCompanies]\nNumberOfFeedCompanies=1\nCompany0Name=Main\n"
                               "[EnergyRecord]\nGuarantyfeedfile=main.eqf\n"));
  CountrySettingsResult r = LoadCountrySettings(dir_, "dan.ini", "DAN");
  ASSERT_TRUE(r.settings);
  EXPECT_EQ(r.settings->settingsFile, dir_ / "dan.ini");
  Write("eng.ini", "[FeedCompanies]\nNumberOfFeedCompanies=1\nCompany0Name=Locale\n");
  r = LoadCountrySettings(dir_, "dan.ini", "ENG");
  ASSERT_TRUE(r.settings);
  EXPECT_EQ(r.settings->feedCompanies[0].name, "Locale");
  // A locale file without the keys keeps the main file's guarantee list name.
  EXPECT_EQ(r.settings->guaranteeFeedFile, "main.eqf");
}

TEST_F(CountryFiles, FranceCallsItsFeedUnitUFC) {
  Write("fra.ini", CompleteIni("[EnergyRecord]\nGSpraaknr=33\n"));
  CountrySettingsResult r = LoadCountrySettings(dir_, "fra.ini", "");
  ASSERT_TRUE(r.settings);
  EXPECT_EQ(r.settings->energyUnitNames[2], "UFC");
  Write("dan.ini", CompleteIni("[EnergyRecord]\nGSpraaknr=45\n"));
  r = LoadCountrySettings(dir_, "dan.ini", "");
  EXPECT_EQ(r.settings->energyUnitNames[2], "FU");
}

}  // namespace
}  // namespace stallora
