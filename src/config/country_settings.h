#pragma once
// The country settings: everything that differs between country editions and is not a
// formula — nutrients, breeds, display names, feed companies — read once at start-up
// from the edition's settings file into tables the whole program reads by index.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/enums.h"
#include "core/texts.h"

namespace stallora {

inline constexpr int kNutrientCount = 24;
inline constexpr int kFeedTypeCount = 12;

// The string-table entry naming the settings file of the language edition.
inline constexpr Text kSettingsFileName{"config.settingsfile", "dan.ini"};

struct Breed {
  std::string name;
  std::string maleWeight;    // as text, as the file has it
  std::string femaleWeight;
  TBlodsType bloodType = TBlodsType::WarmBlood;
  std::string image;
};

struct Nutrient {
  std::string name;
  std::string unit;
  int precision = 2;  // decimals shown
};

struct FeedCompany {
  std::string name;
  std::string logoFile;
  std::string web;
  std::string brands;
};

struct CountrySettings {
  std::array<std::string, kFeedTypeCount> feedTypeNames;
  int countryNumber = 47;  // nr
  std::string guaranteeFeedFile;
  int currencyDecimals = 2;
  std::vector<Breed> breeds;  // sorted by name, case-insensitively
  std::vector<std::string> categoryNames;
  std::vector<std::string> workNames;
  std::vector<std::string> youngTrainingNames;
  std::vector<std::string> bloodTypeNames;
  std::vector<std::string> sexNames;
  std::vector<std::string> conditionNames;
  std::vector<std::string> contactTypeNames;
  int contactTypeCount = 0;
  std::vector<Nutrient> nutrients;  // exactly kNutrientCount
  std::array<std::string, 2> proteinTypeNames;
  std::vector<FeedCompany> feedCompanies;
  std::array<std::string, 3> energyUnitNames{"MCal", "MJ", "FU"};
  // Base addresses of the maker's web site (W) and resource server (R), both ending in "/".
  // Kept in the settings file so a deployment can point the program at its own server.
  std::string webBase = "https://stallora.example/";
  std::string resourceBase = "https://resources.stallora.example/";
  // The settings file last read (the locale file when one was read).
  std::filesystem::path settingsFile;

  const std::string& NutrientName(int i) const { return nutrients.at(static_cast<size_t>(i)).name; }
  const std::string& NutrientUnit(int i) const { return nutrients.at(static_cast<size_t>(i)).unit; }
  const std::string& ProteinTypeName(TProteinBeregning p) const { return proteinTypeNames[static_cast<size_t>(p)]; }
  // A name of a list, or empty when the list is shorter.
  static const std::string& NameAt(const std::vector<std::string>& names, int i);
};

struct CountrySettingsResult {
  std::optional<CountrySettings> settings;
  // When there are no settings: the message for the user (Windows-1252, lines joined by
  // "\n"). `missingFile` tells the missing-file warning from an incomplete file.
  std::string message;
  bool missingFile = false;
};

// Reads P/<main file> and, when present, the locale file P/<ABR>.ini (found without regard
// to case), whose guarantee feed list name, currency decimals and feed companies replace
// the main file's. A settings file that lacks entries the program needs is refused with a
// message naming them.
CountrySettingsResult LoadCountrySettings(const std::filesystem::path& programDir, std::string_view mainFileName,
                                          std::string_view languageAbbreviation);

// Parses one settings file's text (no locale file, no completeness check).
CountrySettings ParseCountrySettings(std::string_view iniText);

// Names what a settings file lacks that the program needs; empty when complete.
std::vector<std::string> MissingCountryEntries(std::string_view iniText);

// "47 Norge" for 47; empty when the number is not in the fixed country list.
std::string CountryName(int number);
// The fixed country list, in its order.
const std::vector<std::string>& CountryList();

}  // namespace stallora
