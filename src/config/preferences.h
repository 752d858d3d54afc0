#pragma once
// The user's settings of an installation, and every path and web address the program builds.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "config/country_settings.h"
#include "core/daynum.h"
#include "core/record.h"
#include "core/seams.h"
#include "core/common_texts.h"

namespace stallora {

enum class TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
STALLORA_ENUM_NAMES(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")

// Kinds of treatment, in the order of the register's lines.
enum class TTreatmentType : uint8_t { Vet, Worm, Vacc, Shoe, Repro, Own };
STALLORA_ENUM_NAMES(TTreatmentType, "Vet", "Worm", "Vacc", "Shoe", "Repro", "Own")
inline constexpr int kTreatmentTypeCount = 6;

struct ScreenSize {
  int width = 1280;
  int height = 1024;
};

inline constexpr const Text& kMissingFile = common::kFinderIkkeFilen;
inline constexpr const Text& kTreatmentInfo = common::kBehandlingsinformation;
inline constexpr const Text& kMangler = common::kMangler;

class TPreferences : public Record {
  STALLORA_RECORD(TPreferences)
 public:
  // Constructor values only; Initialise does the construction sequence that reads files.
  TPreferences();

  // ---- persistent properties, in write order ----
  std::string FirmaNavn;
  std::string KonsulentLogoFilNavn;
  std::string KonsulentNavn;
  StringList KonsulentNavnListe;
  std::string FirmaInfoTekst;
  std::string HostEmailAdress;
  std::string HostSMPTAdress;
  std::string GarantiForlisteFilnavn;
  StringList UseNutrientsList;
  StringList UseNutrientColumnList;
  TWindowState MainFormWindowState = TWindowState::wsNormal;
  int32_t MainFormHeight = 0;
  int32_t MainFormWidth = 0;
  bool ShowWelcomeScreen = true;
  bool NutrientErrorsInPrint = false;
  std::string LastGlobalEPObjectName;
  std::string ActiveSaveDirectory;
  StringList TreatmentRegister;
  int32_t ForwardReportingDays = 7;
  std::string MiniHorseName;
  std::string ShopName;
  std::string ShopStableName;
  std::string ShopAdvisorName;
  std::string ShopAdvisorMail;
  std::string ShopAdvisorMobile;
  std::string ConsultantMobile;
  std::string ConsultantMail;
  std::string ConsultantCompanyName;
  bool ShopRationmailToAdvisor = false;

  // ---- held, not written ----
  int countryNumber = 47;      // nr
  std::string currencySymbol;  // of the regional settings
  std::filesystem::path programDir;  // P
  std::string webBase = "https://stallora.example/";
  std::string resourceBase = "https://resources.stallora.example/";
  // Per nutrient: used in the evaluation; shown as a column.
  std::array<bool, kNutrientCount> useNutrient;
  std::array<bool, kNutrientCount> showNutrient;

  // The construction sequence: screen-derived sizes, values from the country settings,
  // reading P/stallora.pref when it exists (a reading error is thrown as ObjTextError),
  // applying the nutrient selections, emptying FirmaNavn, the save directory default and
  // the treatment register (from its file, else six "%#" lines after a warning).
  void Initialise(const std::filesystem::path& programDirectory, const CountrySettings& settings,
                  const Regional& regional, ScreenSize screen, Messages& messages);

  // When MiniHorseName is set at start: every nutrient column is shown and the name emptied.
  void ApplyMiniHorseStartRule();

  // Rebuilds the nutrient lists from the flags with the current names and writes
  // P/stallora.pref (throws ObjTextError "Cannot create file ..." on failure).
  void Save(const CountrySettings& settings);
  void RebuildNutrientLists(const CountrySettings& settings);
  void ApplyNutrientLists();

  // Splits register line `type` into names and web addresses.
  void TreatmentEntries(int type, std::vector<std::string>& names, std::vector<std::string>& addresses) const;

  // ---- paths (P = programDir, S = ActiveSaveDirectory) ----
  std::filesystem::path SaveDirectory() const;  // S
  std::filesystem::path PreferencesFile() const;
  std::filesystem::path FeedDirectory() const;         // created
  std::filesystem::path DefaultSaveDirectory() const;  // created
  std::filesystem::path TempDirectory() const;         // created
  std::filesystem::path TreatmentsHtmlFile() const;
  std::filesystem::path BackupDirectory() const;  // created
  std::filesystem::path EnergyProteinListFile() const;
  std::filesystem::path FeedInfoFile() const;
  std::filesystem::path ResourcesDirectory() const;
  std::filesystem::path ImagesDirectory() const;
  std::filesystem::path LogosDirectory() const;             // created
  std::filesystem::path CountryResourcesDirectory() const;  // created
  std::filesystem::path RequirementListFile() const;
  std::filesystem::path TreatmentRegisterFile() const;

  // ---- web addresses (W = webBase, R = resourceBase) ----
  std::string LanguageCode() const;  // L
  std::string ManualPage() const;
  std::string AboutPage() const;
  std::string DemoStartPage() const;
  std::string NormsPage() const;
  std::string DigestionPage() const;
  std::string SitePage() const;
  std::string TreatmentsManualPage() const;
  std::string LinkPage(const std::string& x) const;
  std::string NewVersionPage() const;
  // A month outside 1..12 means the month of `today`.
  std::string SeasonPage(int month, DayNumber today) const;
  std::string GeneralResource(const std::string& file) const;
  std::string CountryResource(const std::string& file) const;
  std::string ImageResource(const std::string& file) const;
  std::string LogoResource(const std::string& file) const;
};

}  // namespace stallora
