#pragma once
// The stable's five reports about its horses (overview, the stable's daily feed need, the
// rations split over the feeding times, the rations side by side, treatments due), their
// file names in the stable's directory and saving them.

#include <filesystem>
#include <string>

#include "core/texts.h"
#include "ration/horse_reports.h"
#include "stable/stall.h"

namespace stallora {

enum StableReportKind : int {
  kHorseOverviewReport = 0,
  kFeedRequirementReport = 1,
  kRationAllocationReport = 2,
  kRationComparisonReport = 3,
  kStableTreatmentReport = 4,
};

inline constexpr Text kSrInfo{"stablereport.word0", "Info"};
inline constexpr Text kSrFoderbehov{"stablereport.word1", "Foderbehov i stalden"};
inline constexpr Text kSrRationstildeling{"stablereport.word2", "Rationstildeling"};
inline constexpr Text kSrSammenstilning{"stablereport.word3", "Sammenstilning af rationer"};
inline constexpr Text kSrBehandlinger{"stablereport.word4", "Behandlinger"};
inline constexpr Text kSrUdarbejdet{"stablereport.made", "Udarbejdet"};
inline constexpr Text kSrOversigt{"stablereport.overview", "Oversigt over heste"};
inline constexpr Text kSrNavn{"stablereport.name", "Navn"};
inline constexpr Text kSrEjer{"stablereport.owner", "Ejeroplysninger"};
inline constexpr Text kSrFoedt{"stablereport.born", "Født"};
inline constexpr Text kSrVaegtdata{"stablereport.weight", "Vægtdata"};
inline constexpr Text kSrFoderplan{"stablereport.feedplan", "Foderplan"};
inline constexpr Text kSrFodernavn{"stablereport.feedname", "Fodernavn"};
inline constexpr Text kSrKgDag{"stablereport.kgday", "kg/dag"};
inline constexpr Text kSrKgUge{"stablereport.kgweek", "kg/uge"};
inline constexpr Text kSrKgMnd{"stablereport.kgmonth", "kg/mnd"};
inline constexpr Text kSrFodring{"stablereport.feeding", "fodring"};
inline constexpr Text kSrIkkeFordelt{"stablereport.undistributed", "Foder er ikke fordelt"};
inline constexpr Text kSrBehandlingsliste{"stablereport.treatmentlist", "Behandlingsliste"};
inline constexpr Text kSrPlanlagtFrem{"stablereport.plannedup", "Behandlinger planlagt frem til "};
inline constexpr Text kSrBeslagsmed{"stablereport.shoe", "Beslagsmed"};
inline constexpr Text kSrOrmekur{"stablereport.worm", "Ormekur"};
inline constexpr Text kSrVaccination{"stablereport.vacc", "Vaccination"};
inline constexpr Text kSrVeterinaer{"stablereport.vet", "Veterinær"};
inline constexpr Text kSrOevrige{"stablereport.own", "Øvrige behandlinger"};
inline constexpr Text kSrStartforbud{"stablereport.ban", "Startforbud"};

std::string HorseOverviewReport(const TStall& stable);
// Recomputes the stable's requirement first (the stable feed list's StallBehov and picks).
std::string FeedRequirementReport(TStall& stable);
// Appends to the stable feed list the ration feeds it lacks, and leaves every feed of it
// unpicked.
std::string RationAllocationReport(TStall& stable);
std::string RationComparisonReport(const TStall& stable);
std::string TreatmentListReport(const TStall& stable);

// The report of a kind 0..4; empty for any other kind.
std::string StableReport(TStall& stable, int kind);

// "31Foderbehov i stalden_Min stald1_08122026.htm" (number kind + 30, the title word or
// "Other", the stable's name, today's date without the characters a file name cannot hold).
std::string ReportFileName(const TStall& stable, int kind);
// The report's path in the stable's directory, which is created with all missing levels.
std::filesystem::path ReportFilePath(const TStall& stable, int kind);
// Writes the report of the kind and a CR LF to its file (an empty file for a kind outside
// 0..4). False with the reason in `error` when the file cannot be written.
bool SaveReport(TStall& stable, int kind, std::string* error = nullptr);

// The horse reports of a horse of the stable, writing into the horse's directory.
HorseReports HorseReportsOf(TStall& stable, THest& horse, PictureWriter* pictures = nullptr);

}  // namespace stallora
