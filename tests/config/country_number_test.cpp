// The country number chooses paths, web addresses and energy objects: a value in the
// settings file that is no country number is refused, naming the file and the key, rather
// than silently becoming another country.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include <fmt/format.h>

#include "config/country_settings.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

// Everything the program needs, and the given [EnergyRecord] lines.
std::string Settings(const std::string& energyRecord) {
  std::string s = "[FeedType_Names]\n";
  for (int i = 0; i < 12; ++i) s += fmt::format("Fortypenavn{}=Type {}\n", i, i);
  s += "[Nutrient]\nNumberOfNutrients=24\n";
  for (int i = 0; i < 24; ++i) s += fmt::format("Nutrient{}Name=N{}\n", i, i);
  auto list = [&](const char* section, const char* countKey, const char* pattern, int n) {
    s += fmt::format("[{}]\n{}={}\n", section, countKey, n);
    for (int i = 0; i < n; ++i) s += fmt::format(fmt::runtime(pattern), i) + "=Name\n";
  };
  list("Categories", "NumberOfCategories", "Category{}Name", 7);
  list("WorkNames", "NumberOfNames", "WorkName{}", 5);
  list("YoungTrainingNames", "NumberOfNames", "YoungTraining{}Name", 4);
  list("BloodTypeNames", "NumberOfNames", "BloodTypeName{}", 3);
  list("SexTypeNames", "NumberOfNames", "SexTypeName{}", 3);
  list("ConditionTypeNames", "NumberOfNames", "ConditionTypeName{}", 3);
  list("ProteinTypeNames", "NumberOfNames", "ProteinTypeName{}", 2);
  list("AdressTypeNames", "NumberOfNames", "AdressTypeName{}", 4);
  return s + "[EnergyRecord]\n" + energyRecord;
}

class CountryNumber : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("stallora-countryno-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  CountrySettingsResult Load(const std::string& energyRecord) {
    std::ofstream(dir_ / "dan.ini", std::ios::binary) << Settings(energyRecord);
    return LoadCountrySettings(dir_, "dan.ini", "");
  }
  fs::path dir_;
};

TEST_F(CountryNumber, AValueThatIsNoCountryNumberIsRefusedNamingFileAndKey) {
  for (const char* value : {"abc", "-45", "0", "45x", "4.5", "1000"}) {
    SCOPED_TRACE(value);
    const CountrySettingsResult r = Load(std::string("GSpraaknr=") + value + "\n");
    EXPECT_FALSE(r.settings);
    EXPECT_FALSE(r.missingFile);
    EXPECT_EQ(r.message, "Indstillingsfilen " + (dir_ / "dan.ini").string() + " kan ikke bruges: [EnergyRecord] GSpraaknr = " +
                             value + " er ikke et landenummer (et helt tal fra 1 til 999)");
  }
}

TEST_F(CountryNumber, ACountryNumberOrNoneIsTaken) {
  CountrySettingsResult r = Load("GSpraaknr=45\n");
  ASSERT_TRUE(r.settings) << r.message;
  EXPECT_EQ(r.settings->countryNumber, 45);
  r = Load("gspraaknr = 358\n");
  ASSERT_TRUE(r.settings) << r.message;
  EXPECT_EQ(r.settings->countryNumber, 358);
  // A file without the key keeps the default.
  r = Load("CurrencyDecimals=2\n");
  ASSERT_TRUE(r.settings) << r.message;
  EXPECT_EQ(r.settings->countryNumber, 47);
}

TEST_F(CountryNumber, ASettingsFileThatCannotBeReadSaysWhyWithoutWaiting) {
  const fs::path file = dir_ / "dan.ini";
  ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
  const CountrySettingsResult r = LoadCountrySettings(dir_, "dan.ini", "");
  EXPECT_FALSE(r.settings);
  EXPECT_EQ(r.message.rfind(file.string() + " er ikke en almindelig fil og l\xE6ses ikke\n", 0), 0u) << r.message;
  EXPECT_NE(r.message.find("Stallora will now terminate"), std::string::npos);
}

}  // namespace
}  // namespace stallora
