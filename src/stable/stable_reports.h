#pragma once
// The stable's five reports about its horses (overview, the stable's daily feed need, the
// rations split over the feeding times, the rations side by side, treatments due), their
// file names in the stable's directory and saving them.

#include <filesystem>
#include <string>

#include "core/texts.h"
#include "core/common_texts.h"
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
inline constexpr const Text& kSrFoderbehov = common::kFoderbehovIStalden;
inline constexpr const Text& kSrRationstildeling = common::kRationstildeling;
inline constexpr const Text& kSrSammenstilning = common::kSammenstilningAfRationer;
inline constexpr const Text& kSrBehandlinger = common::kBehandlinger;
inline constexpr const Text& kSrUdarbejdet = common::kUdarbejdet;
inline constexpr const Text& kSrOversigt = common::kOversigtOverHeste;
inline constexpr const Text& kSrNavn = common::kNavn;
inline constexpr const Text& kSrEjer = common::kEjeroplysninger;
inline constexpr const Text& kSrFoedt = common::kFoedt;
inline constexpr const Text& kSrVaegtdata = common::kVaegtdata;
inline constexpr const Text& kSrFoderplan = common::kFoderplan;
inline constexpr const Text& kSrFodernavn = common::kFodernavn;
inline constexpr const Text& kSrKgDag = common::kKgDag;
inline constexpr Text kSrKgUge{"stablereport.kgweek", "kg/uge"};
inline constexpr Text kSrKgMnd{"stablereport.kgmonth", "kg/mnd"};
inline constexpr const Text& kSrFodring = common::kFodring;
inline constexpr Text kSrIkkeFordelt{"stablereport.undistributed", "Foder er ikke fordelt"};
inline constexpr const Text& kSrBehandlingsliste = common::kBehandlingsliste;
inline constexpr Text kSrPlanlagtFrem{"stablereport.plannedup", "Behandlinger planlagt frem til "};
inline constexpr Text kSrBeslagsmed{"stablereport.shoe", "Beslagsmed"};
inline constexpr Text kSrOrmekur{"stablereport.worm", "Ormekur"};
inline constexpr Text kSrVaccination{"stablereport.vacc", "Vaccination"};
inline constexpr Text kSrVeterinaer{"stablereport.vet", "Veterinær"};
inline constexpr Text kSrOevrige{"stablereport.own", "Øvrige behandlinger"};
inline constexpr const Text& kSrStartforbud = common::kStartforbud;

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
