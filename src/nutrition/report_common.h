#pragma once
// What the horse, treatment and stable reports share: dates as reports and file names
// write them, the footer's values from the preferences, and the names of a horse's report
// files.

#include <filesystem>
#include <string>

#include "config/environment.h"
#include "config/preferences.h"
#include "core/html_report.h"
#include "core/seams.h"
#include "core/texts.h"
#include "core/common_texts.h"

namespace stallora {

class THest;

// The horse's report kinds; the number is also the first two digits of the file name.
enum HorseReportKind : int {
  kDiaryReport = 0,
  kFeedPlanReport = 1,
  kGraphicsReport = 2,
  kRequirementReport = 3,
  kMealReport = 4,
  kWeightReport = 5,
  kTreatmentListReport = 6,
  kTreatmentReport = 7,
  kSimpleFeedPlanReport = 8,
};

inline constexpr const Text& kWordDagbog = common::kDagbog;
inline constexpr const Text& kWordFoderplan = common::kFoderplan;
inline constexpr const Text& kWordFoderplanGrafik = common::kFoderplanGrafik;
inline constexpr const Text& kWordBehov = common::kBehov;
inline constexpr const Text& kWordRationstildeling = common::kRationstildeling;
inline constexpr const Text& kWordVaegtdata = common::kVaegtdata;
inline constexpr const Text& kWordBehandlinger = common::kBehandlinger;
inline constexpr const Text& kWordBehandling = common::kBehandling;
inline constexpr const Text& kWordSimpelFoderplan = common::kSimpelFoderplan;
inline constexpr const Text& kKunneIkkeDannes = common::kKunneIkkeDannes;

// The short date with every character that cannot stand in a file name on some system
// ("." "/" "\" ":" "*" "?" the double quote "<" ">" "|" and control characters) removed.
// Every date that enters a file name goes through here: a short date format such as
// dd/mm/yyyy would otherwise put the file into directories that do not exist.
std::string FileNameDate(const Regional& regional, DayNumber day);

// Date and time as the reports show them: the short date, and " hh:nn:ss" when the time
// of day is not midnight.
std::string DateTimeText(const Regional& regional, DayNumber value);

// The long date: "8. december 2026" (month names from the string table).
std::string LongDateText(DayNumber value);

inline constexpr std::string_view kMakerLogoFile = "stallora_logo.gif";
// The maker's logo for the reports: a file address of the program's own copy
// (P/Images/stallora_logo.gif), or empty when there is none.
std::string MakerLogoAddress(const TPreferences& preferences);

// The footer's values: the maker's logo and web address, the consultant's logo, name and
// contact data from the preferences (empty without preferences). Typed values are escaped.
ReportFooterData FooterDataOf(const RecordEnvironment& env);

// The word of a report kind in file names ("Other" for a kind outside the table).
std::string HorseReportWord(int kind);

// The file name of report `kind` of the horse as of today:
// "01Foderplan_Blakken_08122026_00.htm"; kind 0 is "00Dagbog_Blakken.rtf".
std::string HorseReportFileName(const THest& h, int kind);

// The full path of report `kind` in the horse's directory, which is created with all
// missing levels. When it cannot be created, `error` receives the storage-directory
// message (the path is still returned; writing to it will fail).
std::filesystem::path HorseReportPath(const std::filesystem::path& horseDirectory, const THest& h, int kind,
                                      std::string* error = nullptr);

// Writes a report through a temporary file; false when it cannot be written.
bool WriteReportFile(const std::filesystem::path& path, const std::string& report);

}  // namespace stallora
