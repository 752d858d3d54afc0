#include "forms/mail_form.h"

#include "config/preferences.h"
#include "core/fileio.h"
#include "nutrition/report_common.h"
#include "nutrition/treatment_reports.h"
#include "ration/horse_reports.h"
#include "stable/stable_reports.h"
#include "stable/stall.h"

namespace stallora {

namespace fs = std::filesystem;

std::vector<std::string> StableReportItems() {
  return {Tr(kMwOversigt), Tr(kMwFoderbehov), Tr(kMwRationstildeling), Tr(kMwSammenstilning), Tr(kMwBehandlinger)};
}

std::vector<std::string> HorseReportItems() {
  return {Tr(kMwDagbog),  Tr(kMwSimpelFoderplan),    Tr(kMwFoderplan), Tr(kMwFoderplanGrafik),
          Tr(kMwBehov),   Tr(kMwHrRationstildeling), Tr(kMwVaegtdata), Tr(kMwBehandlingsliste)};
}

std::string HorseMailCaption(std::string_view horse, std::string_view stable) {
  return "Mail: " + std::string(horse) + " - " + std::string(stable);
}

fs::path SkrivDagbok(THest& horse, const fs::path& horseDirectory, std::string* error) {
  std::string problem;
  const fs::path path = HorseReportPath(horseDirectory, horse, kDiaryReport, &problem);
  if (!problem.empty() || !WriteReportFile(path, horse.DiaryMemo)) {
    if (error) *error = problem.empty() ? Tr(kKunneIkkeDannes) + " " + PathText(path) : problem;
    return {};
  }
  return path;
}

fs::path WorkspaceMailReports::StableReportPath(TStall& stable, int kind) { return ReportFilePath(stable, kind); }

void WorkspaceMailReports::SaveStableReport(TStall& stable, int kind) { SaveReport(stable, kind); }

fs::path WorkspaceMailReports::WriteHorseReport(THest& horse, int item, fs::path* chartPicture) {
  if (!horse.stable) return {};
  TStall& stable = *horse.stable;
  HorseReports reports = HorseReportsOf(stable, horse, pictures_);
  const fs::path dir = stable.HorseDirectory(horse);
  const bool nutrientErrors = horse.env && horse.env->preferences && horse.env->preferences->NutrientErrorsInPrint;
  // A page that cannot be written leaves no file and is simply not attached.
  switch (item) {
    case 0: return SkrivDagbok(horse, dir);
    case 1: return reports.SkrivSimpelFoderplan();
    case 2: return reports.SkrivFoderplan(nutrientErrors);
    case 3: return reports.LagGrafikkside();
    case 4: return reports.Skriv(kRequirementReport, reports.LagBehovside());
    case 5: return reports.Skriv(kMealReport, reports.LagMaltidside());
    case 6: {
      const fs::path chart = reports.LagVektside();
      if (chartPicture) *chartPicture = chart;
      return reports.Filnavn(kWeightReport);
    }
    case 7:
      if (!horse.TreatmentListe) return {};
      return WriteListReport(*horse.TreatmentListe, horse, dir);
    default: return {};
  }
}

}  // namespace stallora
