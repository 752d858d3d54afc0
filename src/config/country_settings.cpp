#include "config/country_settings.h"

#include <algorithm>

#include <fmt/format.h>

#include "config/ini.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"

namespace stallora {
namespace {

inline constexpr Text kIncompleteFile{"config.incomplete", "Indstillingsfilen {} er ufuldstændig og kan ikke bruges:"};
inline constexpr Text kBadCountryNumber{"config.badcountry",
                                        "Indstillingsfilen {} kan ikke bruges: [EnergyRecord] GSpraaknr = {} er "
                                        "ikke et landenummer (et helt tal fra 1 til 999)"};
inline constexpr Text kMissingFileFooter{
    "config.missing.web",
    "Programmet og sprogversionerne kan hentes på https://stallora.example/ (support@stallora.example)"};

// How many names the windows and enumerations need at least, per list.
struct NeededList {
  const char* section;
  const char* countKey;
  const char* keyPattern;  // {} is the index
  int needed;
};
constexpr NeededList kNeededLists[] = {
    {"Categories", "NumberOfCategories", "Category{}Name", 6},
    {"WorkNames", "NumberOfNames", "WorkName{}", 4},
    {"YoungTrainingNames", "NumberOfNames", "YoungTraining{}Name", 4},
    {"BloodTypeNames", "NumberOfNames", "BloodTypeName{}", 3},
    {"SexTypeNames", "NumberOfNames", "SexTypeName{}", 3},
    {"ConditionTypeNames", "NumberOfNames", "ConditionTypeName{}", 3},
    {"ProteinTypeNames", "NumberOfNames", "ProteinTypeName{}", 2},
    {"AdressTypeNames", "NumberOfNames", "AdressTypeName{}", 1},
};

std::string Key(const char* pattern, int i) { return fmt::format(fmt::runtime(pattern), i); }

std::vector<std::string> ReadList(const IniFile& ini, const char* section, const char* countKey,
                                  const char* keyPattern) {
  const int count = std::max(0, std::min(ini.ReadInteger(section, countKey, 1), 100000));
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) names.push_back(ini.ReadString(section, Key(keyPattern, i)));
  return names;
}

std::vector<FeedCompany> ReadCompanies(const IniFile& ini) {
  const int count = std::max(0, std::min(ini.ReadInteger("FeedCompanies", "NumberOfFeedCompanies", 1), 100000));
  std::vector<FeedCompany> companies;
  for (int i = 0; i < count; ++i) {
    FeedCompany c;
    c.name = ini.ReadString("FeedCompanies", Key("Company{}Name", i));
    c.logoFile = ini.ReadString("FeedCompanies", Key("Company{}LogoFile", i));
    c.web = ini.ReadString("FeedCompanies", Key("Company{}web", i));
    c.brands = ini.ReadString("FeedCompanies", Key("Company{}Brands", i));
    companies.push_back(std::move(c));
  }
  return companies;
}

// Breeds are held in name order; a name that differs only in case from an earlier one
// shares its record, so the later one overwrites it and the table ends with an empty record.
std::vector<Breed> ReadBreeds(const IniFile& ini) {
  const int count = std::max(0, std::min(ini.ReadInteger("Breeds", "NumberOfBreeds", 1), 100000));
  std::vector<std::string> sorted;
  for (int i = 0; i < count; ++i) {
    std::string name = ini.ReadString("Breeds", Key("Breed{}Name", i));
    auto pos = std::lower_bound(sorted.begin(), sorted.end(), name,
                                [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    if (pos == sorted.end() || CompareText(*pos, name) != 0) sorted.insert(pos, name);
  }
  std::vector<Breed> breeds(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Breed b;
    b.name = ini.ReadString("Breeds", Key("Breed{}Name", i));
    b.maleWeight = ini.ReadString("Breeds", Key("Breed{}MaleWeight", i));
    b.femaleWeight = ini.ReadString("Breeds", Key("Breed{}FemaleWeight", i));
    const std::string blood = UpperCase(ini.ReadString("Breeds", Key("Breed{}BloodType", i)));
    b.bloodType = blood == "COLDBLOOD"   ? TBlodsType::ColdBlood
                  : blood == "FULLBLOOD" ? TBlodsType::FullBlood
                                         : TBlodsType::WarmBlood;
    b.image = ini.ReadString("Breeds", Key("Breed{}Image", i));
    auto pos = std::lower_bound(sorted.begin(), sorted.end(), b.name,
                                [](const std::string& a, const std::string& x) { return CompareText(a, x) < 0; });
    breeds[static_cast<size_t>(pos - sorted.begin())] = std::move(b);
  }
  return breeds;
}

CountrySettings FromIni(const IniFile& ini) {
  CountrySettings s;
  for (int i = 0; i < kFeedTypeCount; ++i)
    s.feedTypeNames[static_cast<size_t>(i)] = ini.ReadString("FeedType_Names", Key("Fortypenavn{}", i));
  s.countryNumber = ini.ReadInteger("EnergyRecord", "GSpraaknr", 47);
  s.guaranteeFeedFile = ini.ReadString("EnergyRecord", "Guarantyfeedfile");
  s.currencyDecimals = ini.ReadInteger("EnergyRecord", "CurrencyDecimals", 2);
  s.breeds = ReadBreeds(ini);
  s.categoryNames = ReadList(ini, "Categories", "NumberOfCategories", "Category{}Name");
  s.workNames = ReadList(ini, "WorkNames", "NumberOfNames", "WorkName{}");
  s.youngTrainingNames = ReadList(ini, "YoungTrainingNames", "NumberOfNames", "YoungTraining{}Name");
  s.bloodTypeNames = ReadList(ini, "BloodTypeNames", "NumberOfNames", "BloodTypeName{}");
  s.sexNames = ReadList(ini, "SexTypeNames", "NumberOfNames", "SexTypeName{}");
  s.conditionNames = ReadList(ini, "ConditionTypeNames", "NumberOfNames", "ConditionTypeName{}");
  s.contactTypeNames = ReadList(ini, "AdressTypeNames", "NumberOfNames", "AdressTypeName{}");
  s.contactTypeCount = static_cast<int>(s.contactTypeNames.size());
  const auto protein = ReadList(ini, "ProteinTypeNames", "NumberOfNames", "ProteinTypeName{}");
  for (size_t i = 0; i < 2 && i < protein.size(); ++i) s.proteinTypeNames[i] = protein[i];
  const int nutrients = std::max(0, std::min(ini.ReadInteger("Nutrient", "NumberOfNutrients", 1), 100000));
  // The program indexes exactly 24 nutrients everywhere; the table always has them.
  s.nutrients.resize(kNutrientCount);
  for (int i = 0; i < std::min(nutrients, kNutrientCount); ++i) {
    Nutrient& n = s.nutrients[static_cast<size_t>(i)];
    n.name = ini.ReadString("Nutrient", Key("Nutrient{}Name", i));
    n.unit = ini.ReadString("Nutrient", Key("Nutrient{}WeightUnit", i));
    n.precision = ini.ReadInteger("Nutrient", Key("Nutrient{}Precision", i), 2);
  }
  s.feedCompanies = ReadCompanies(ini);
  s.webBase = ini.ReadString("Service", "WebBase", s.webBase);
  s.resourceBase = ini.ReadString("Service", "ResourceBase", s.resourceBase);
  if (!s.webBase.empty() && s.webBase.back() != '/') s.webBase += '/';
  if (!s.resourceBase.empty() && s.resourceBase.back() != '/') s.resourceBase += '/';
  return s;
}

std::vector<std::string> Missing(const IniFile& ini) {
  std::vector<std::string> missing;
  for (int i = 0; i < kFeedTypeCount; ++i)
    if (ini.ReadString("FeedType_Names", Key("Fortypenavn{}", i)).empty())
      missing.push_back("[FeedType_Names] " + Key("Fortypenavn{}", i));
  const int nutrients = ini.ReadInteger("Nutrient", "NumberOfNutrients", 1);
  if (nutrients != kNutrientCount)
    missing.push_back(fmt::format("[Nutrient] NumberOfNutrients = {} ({} needed)", nutrients, kNutrientCount));
  for (int i = 0; i < kNutrientCount; ++i)
    if (ini.ReadString("Nutrient", Key("Nutrient{}Name", i)).empty())
      missing.push_back("[Nutrient] " + Key("Nutrient{}Name", i));
  for (const NeededList& list : kNeededLists) {
    const int count = ini.ReadInteger(list.section, list.countKey, 1);
    if (count < list.needed)
      missing.push_back(fmt::format("[{}] {} = {} ({} needed)", list.section, list.countKey, count, list.needed));
    for (int i = 0; i < list.needed; ++i)
      if (ini.ReadString(list.section, Key(list.keyPattern, i)).empty())
        missing.push_back(fmt::format("[{}] {}", list.section, Key(list.keyPattern, i)));
  }
  return missing;
}

// A file in a directory whose name matches without regard to case (the exact name first).
std::optional<std::filesystem::path> FindNoCase(const std::filesystem::path& dir, std::string_view name) {
  std::error_code ec;
  const auto exact = dir / std::string(name);
  if (std::filesystem::is_regular_file(exact, ec)) return exact;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (SameText(entry.path().filename().string(), name) && entry.is_regular_file(ec)) return entry.path();
  }
  return std::nullopt;
}

}  // namespace

const std::string& CountrySettings::NameAt(const std::vector<std::string>& names, int i) {
  static const std::string empty;
  return i >= 0 && static_cast<size_t>(i) < names.size() ? names[static_cast<size_t>(i)] : empty;
}

CountrySettings ParseCountrySettings(std::string_view iniText) { return FromIni(IniFile::Parse(iniText)); }

std::vector<std::string> MissingCountryEntries(std::string_view iniText) { return Missing(IniFile::Parse(iniText)); }

CountrySettingsResult LoadCountrySettings(const std::filesystem::path& programDir, std::string_view mainFileName,
                                          std::string_view languageAbbreviation) {
  CountrySettingsResult result;
  const auto mainPath = FindNoCase(programDir, mainFileName);
  std::string readError;
  const auto mainText = mainPath ? ReadWholeFile(*mainPath, &readError) : std::nullopt;
  if (!mainText) {
    const std::filesystem::path exact = programDir / std::string(mainFileName);
    std::error_code ec;
    // Something that is there but cannot be read (a FIFO, a directory, a file without
    // read permission) says why, naming it; only a file that is not there is missing.
    if (!mainPath && std::filesystem::exists(std::filesystem::symlink_status(exact, ec))) ReadWholeFile(exact, &readError);
    result.missingFile = true;
    result.message = (!readError.empty() ? readError + "\n"
                                         : "Stallora could not find the expected initialisation file " +
                                               PathText(exact) +
                                               "\nPlease check that you have downloaded and installed the "
                                               "language version you planned\n") +
                     Tr(kMissingFileFooter) + "\n\nStallora will now terminate";
    return result;
  }
  const IniFile ini = IniFile::Parse(*mainText);
  if (auto missing = Missing(ini); !missing.empty()) {
    result.message = fmt::format(fmt::runtime(Tr(kIncompleteFile)), PathText(*mainPath));
    for (const auto& m : missing) result.message += "\n" + m;
    return result;
  }
  // The country number chooses paths, web addresses, energy objects and feed lists: a
  // value that is no number (or a negative one) must not silently pick another country.
  // A missing key keeps the default.
  if (const auto number = ini.Value("EnergyRecord", "GSpraaknr")) {
    const int n = ini.ReadInteger("EnergyRecord", "GSpraaknr", -1);
    if (n < 1 || n > 999) {
      result.message = fmt::format(fmt::runtime(Tr(kBadCountryNumber)), PathText(*mainPath), *number);
      return result;
    }
  }
  CountrySettings s = FromIni(ini);
  s.settingsFile = *mainPath;

  if (!languageAbbreviation.empty()) {
    const auto localePath = FindNoCase(programDir, std::string(languageAbbreviation) + ".ini");
    if (localePath && localePath->string() != mainPath->string()) {
      if (const auto localeText = ReadWholeFile(*localePath)) {
        const IniFile locale = IniFile::Parse(*localeText);
        // A locale file that leaves a value out keeps the main file's value.
        s.guaranteeFeedFile = locale.ReadString("EnergyRecord", "Guarantyfeedfile", s.guaranteeFeedFile);
        s.currencyDecimals = locale.ReadInteger("EnergyRecord", "CurrencyDecimals", s.currencyDecimals);
        s.feedCompanies = ReadCompanies(locale);
        s.settingsFile = *localePath;
      }
    }
  }
  if (s.countryNumber == 33) s.energyUnitNames[2] = "UFC";
  result.settings = std::move(s);
  return result;
}

const std::vector<std::string>& CountryList() {
  static const std::vector<std::string> list = {
      "1 Canada, USA", "31 Netherlands", "32 Belgium", "33 France",  "39 Italy",   "44 United Kingdom",
      "45 Danmark",    "46 Sverige",     "47 Norge",   "49 Deutschland", "61 Australia", "353 Ireland",
      "358 Finland",   "00 Unknown"};
  return list;
}

std::string CountryName(int number) {
  for (const std::string& entry : CountryList()) {
    const size_t blank = entry.find(' ');
    int leading = 0;
    for (size_t i = 0; i < blank; ++i) leading = leading * 10 + (entry[i] - '0');
    if (leading == number) return entry;
  }
  return {};
}

}  // namespace stallora
