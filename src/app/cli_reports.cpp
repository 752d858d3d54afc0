// The report commands: a horse's pages and the stable's reports as HTML files, and any of
// them printed to PDF.

#include <iostream>
#include <map>
#include <optional>

#include "app/cli_commands.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "nutrition/treatment_reports.h"
#include "stable/stable_reports.h"
#include "stable/workspace.h"


namespace stallora::cli {
namespace {

namespace fs = std::filesystem;

// A stable file S/<stable>/<stable>.eqs with the horses in the directories beside it.
bool LoadStable(Env& env, Session& s, const std::string& file) {
  const fs::path path = fs::absolute(fs::path(file));
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) {
    env.err << "Cannot open file " << file << "\n";
    return false;
  }
  const fs::path stableDir = path.parent_path();
  try {
    s.stable = std::make_unique<TStall>(s.app->Env());
    s.stable->Load(path);
    s.stable->stallNavn = TextFromPath(stableDir.filename());
    s.app->preferences.ActiveSaveDirectory = TextFromPath(stableDir.parent_path());
    for (const fs::directory_entry& entry : SortedEntries(stableDir)) {
      if (!entry.is_directory(ec)) continue;
      const fs::path horseFile = entry.path() / (entry.path().filename().string() + ".eqh");
      if (!fs::is_regular_file(horseFile, ec)) continue;
      THest* h = s.stable->NewHorseRecord();
      h->LoadfromFile(horseFile);
      h->Navn = TextFromPath(entry.path().filename());  // the directory names the horse, as in the scan
    }
  } catch (const ObjTextError& e) {
    env.err << Lines(e.what()) << "\n";
    return false;
  }
  return true;
}


struct Outputs {
  std::optional<std::string> file;  // -o
  std::optional<std::string> pdf;   // --pdf
  bool comments = false;            // --comments
};

// Parses "-o FILE", "--pdf FILE" and "--comments" after the two operands.
bool ParseOutputs(Env& env, const std::vector<std::string>& args, Outputs& out) {
  for (size_t i = 2; i < args.size(); ++i) {
    if (args[i] == "--comments") {
      out.comments = true;
    } else if ((args[i] == "-o" || args[i] == "--pdf") && i + 1 < args.size()) {
      (args[i] == "-o" ? out.file : out.pdf) = args[i + 1];
      ++i;
    } else {
      Usage(env.err, "report: unexpected " + args[i]);
      return false;
    }
  }
  return true;
}

// Writes the page to -o FILE or to its normal path, then the PDF when asked.
int Deliver(Env& env, const std::string& page, const fs::path& normalPath, const fs::path& baseDirectory,
            const Outputs& outputs) {
  const fs::path target = outputs.file ? fs::path(*outputs.file) : normalPath;
  std::string why;
  if (!WriteFileAtomically(target, page, &why)) return Fail(env, why);
  env.out << target.string() << "\n";
  if (outputs.pdf) {
    const auto print = QtPartHooks().printToPdf;
    if (!print) return Fail(env, "This build has no printing (built without Qt)");
    if (!print(page, baseDirectory, *outputs.pdf)) return Fail(env, "Cannot print to " + *outputs.pdf);
    env.out << *outputs.pdf << "\n";
  }
  return 0;
}

int HorseReport(Env& env, const std::string& kind, const std::string& file, const Outputs& outputs) {
  static const std::map<std::string, int> kKinds = {
      {"feedplan", kFeedPlanReport},       {"simple", kSimpleFeedPlanReport}, {"graphics", kGraphicsReport},
      {"requirements", kRequirementReport}, {"meals", kMealReport},           {"weight", kWeightReport},
      {"treatments", kTreatmentListReport}};
  auto it = kKinds.find(kind);
  if (it == kKinds.end()) return Usage(env.err, "unknown report kind " + kind);
  auto s = Open(env);
  if (!s || !LoadHorse(env, *s, file)) return 1;
  THest& h = *s->horse;

  std::unique_ptr<PictureWriter> pictures;
  if (it->second == kGraphicsReport && QtPartHooks().chartPictures) pictures = QtPartHooks().chartPictures();
  HorseReports reports(h, s->horseDirectory, pictures.get());
  std::string page;
  switch (it->second) {
    case kFeedPlanReport:
      page = reports.LagFoderplan(outputs.comments || s->app->preferences.NutrientErrorsInPrint);
      break;
    case kSimpleFeedPlanReport: page = reports.LagSimpelFoderplan(); break;
    case kGraphicsReport: page = reports.Grafikkside(); break;
    case kRequirementReport: page = reports.LagBehovside(); break;
    case kMealReport: page = reports.LagMaltidside(); break;
    case kWeightReport: page = reports.Vektside(); break;
    case kTreatmentListReport: page = ListReport(*h.TreatmentListe, &h); break;
  }
  std::string error;
  const fs::path normal = reports.Filnavn(it->second, &error);
  if (!error.empty() && !outputs.file) return Fail(env, error);
  const int status = Deliver(env, page, normal, s->horseDirectory, outputs);
  return status == 0 && s->ReportedErrors() ? 1 : status;
}

int StableReportCommand(Env& env, const std::string& kind, const std::string& file, const Outputs& outputs) {
  static const std::map<std::string, int> kKinds = {{"stable-overview", kHorseOverviewReport},
                                                    {"stable-requirement", kFeedRequirementReport},
                                                    {"stable-allocation", kRationAllocationReport},
                                                    {"stable-comparison", kRationComparisonReport},
                                                    {"stable-treatments", kStableTreatmentReport}};
  auto it = kKinds.find(kind);
  if (it == kKinds.end()) return Usage(env.err, "unknown stable report kind " + kind);
  auto s = Open(env);
  if (!s || !LoadStable(env, *s, file)) return 1;
  const std::string page = StableReport(*s->stable, it->second);
  // Saved as the stable window saves it: the report and a CR LF.
  const int status =
      Deliver(env, page + "\r\n", ReportFilePath(*s->stable, it->second), s->stable->StableDirectory(), outputs);
  return status == 0 && s->ReportedErrors() ? 1 : status;
}

}  // namespace

int CmdReport(Env& env, const std::vector<std::string>& args) {
  if (args.size() < 2) return Usage(env.err, "report needs KIND and a HORSE or STABLE file");
  Outputs outputs;
  if (!ParseOutputs(env, args, outputs)) return 2;
  if (args[0].rfind("stable-", 0) == 0) return StableReportCommand(env, args[0], args[1], outputs);
  return HorseReport(env, args[0], args[1], outputs);
}

}  // namespace stallora::cli
