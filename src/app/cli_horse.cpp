// Commands over horses and the workspace: formulas, requirements, evaluation, the scan.

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "app/cli_commands.h"
#include "core/cp1252.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "ration/evaluation.h"
#include "core/fileio.h"
#include "stable/demo.h"
#include "stable/workspace.h"

namespace stallora::cli {
namespace {

namespace fs = std::filesystem;

std::string Number(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

// A start-up message as one output line (the contract of `scan`).
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return Cp1252ToUtf8(text);
}

bool Compute(Env& env, THest& h) {
  std::string error;
  if (!h.BeregnBehov(&error)) {
    env.err << Lines(error) << "\n";
    return false;
  }
  return true;
}

}  // namespace

int CmdEval(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--nutrient"))
    return Usage(env.err, "eval needs HORSE EXPR [--nutrient N]");
  int nutrient = 0;
  if (args.size() == 4) {
    char* end = nullptr;
    nutrient = static_cast<int>(std::strtol(args[3].c_str(), &end, 10));
    if (*end || nutrient < 0 || nutrient >= kNutrientCount) return Usage(env.err, "--nutrient needs 0..23");
  }
  auto s = Open(env);
  if (!s || !LoadHorse(env, *s, args[0])) return 1;
  const UttrykkResultat r = TUttrykk(Utf8ToCp1252(args[1]), nutrient).Evaluer(*s->horse, true, nullptr);
  if (!r.ok) return Fail(env, r.message);
  env.out << (r.isTruthValue ? (r.value != 0 ? "true" : "false") : Number(r.value)) << "\n";
  return 0;
}

int CmdRequirements(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(env.err, "requirements needs HORSE");
  auto s = Open(env);
  if (!s || !LoadHorse(env, *s, args[0])) return 1;
  THest& h = *s->horse;
  std::string error;
  const bool clean = h.BeregnBehov(&error);
  // A formula's arithmetic fault leaves the other rows computed: they are printed, the
  // failed ones are not (their 0 is no requirement), and each fault goes to stderr.
  if (!clean && h.formulaFaults.empty()) return Fail(env, error);
  const CountrySettings& settings = s->app->settings;
  for (int i = 0; i < kNutrientCount; ++i) {
    const auto k = static_cast<size_t>(i);
    if (h.FormulaFailed(i)) continue;
    env.out << i << "\t" << Cp1252ToUtf8(settings.NutrientName(i)) << "\t" << Cp1252ToUtf8(settings.NutrientUnit(i))
            << "\t" << Number(h.BasisBehov[k]) << "\t" << Number(h.Behov[k]) << "\n";
  }
  for (const FormulaFault& f : h.formulaFaults) env.err << Lines(FormulaFaultText(f, settings)) << "\n";
  return clean ? 0 : 1;
}

int CmdEvaluate(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(env.err, "evaluate needs HORSE");
  auto s = Open(env);
  if (!s || !LoadHorse(env, *s, args[0])) return 1;
  THest& h = *s->horse;
  if (!Compute(env, h)) return 1;
  BeregnTilforsel(h);
  const CountrySettings& settings = s->app->settings;
  for (int i = 0; i < kNutrientCount; ++i) {
    const auto k = static_cast<size_t>(i);
    env.out << i << "\t" << Cp1252ToUtf8(settings.NutrientName(i)) << "\t" << Number(h.Behov[k]) << "\t"
            << Number(h.Tilforsel[k]) << "\t" << Number(h.Differanse[k]) << "\t" << Number(h.MinGrense[k]) << "\t"
            << Number(h.MaksGrense[k]) << "\t" << (h.UtenforOmrade[k] ? "*" : "") << "\n";
  }
  env.out << "MaksTorrstoff\t" << Number(MaksTorrstoff(h)) << "\n";
  env.out << "MinGrovfor\t" << Number(MinGrovfor(h)) << "\n";
  env.out << "Grovforvurdering\t" << Cp1252ToUtf8(Grovforvurdering(h)) << "\n";
  env.out << "ForLiteSalt\t" << (ForLiteSalt(h) ? "true" : "false") << "\n";
  return 0;
}

int CmdScan(Env& env, const std::vector<std::string>& args) {
  if (!args.empty()) return Usage(env.err, "scan takes no arguments");
  auto s = Open(env);
  if (!s) return 1;
  auto ws = std::make_unique<Workspace>(*s->app);
  ws->Scan();
  for (const std::string& line : ws->TreeLines()) env.out << Cp1252ToUtf8(line) << "\n";
  env.out << "--\n";
  for (const std::string& m : ws->Messages()) env.out << OneLine(m) << "\n";
  DoneWith(env, std::move(ws));
  return 0;
}

int CmdHorse(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(env.err, "horse needs FILE");
  auto s = Open(env);
  if (!s || !LoadHorse(env, *s, args[0])) return 1;
  THest& h = *s->horse;
  const RecordEnvironment& e = s->app->Env();
  const CountrySettings& settings = s->app->settings;
  const DayNumber today = e.Today();
  auto& o = env.out;
  auto u = [](const std::string& t) { return Cp1252ToUtf8(t); };
  o << "Name\t" << u(h.Navn) << "\n";
  o << "Category\t" << u(CountrySettings::NameAt(settings.categoryNames, Ord(h.Kategori))) << "\n";
  o << "Birth date\t" << u(e.regional.FormatShortDate(h.Fodselsdato)) << "\n";
  o << "Age in months\t" << h.AlderMnd() << "\n";
  o << "Month of pregnancy\t" << h.DrektighetsMnd() << "\n";
  o << "Month of lactation\t" << h.LaktasjonsMnd() << "\n";
  o << "Current weight\t" << Number(h.AktuellVekt()) << "\n";
  o << "Expected weight today\t" << Number(h.ForventetVekt(today)) << "\n";
  o << "Expected gain today\t" << Number(h.ForventetTilvekst(today)) << "\n";
  o << "Girth estimate\t" << (h.brystmal > 0 ? Number(h.VektFraBrystmal()) : std::string("-")) << "\n";
  o << "On pasture\t" << (h.PaBeite() ? "true" : "false") << "\n";
  o << "Extra activity\t" << (h.EkstraAktivitet() ? "true" : "false") << "\n";
  o << "Training\t" << u(h.TreningsTekst()) << "\n";
  o << "Feed cost\t" << u(h.Foderomkostninger()) << "\n";
  static const char* kStatus[] = {"done", "overdue", "due soon", "planned later"};
  for (int i = 0; i < h.TreatmentListe->Count(); ++i) {
    const TTreatmentObj* t = h.TreatmentListe->Items(i);
    o << "Treatment\t" << u(t->Caption()) << "\t" << u(TreatmentTypeName(Ord(t->TreatmentType))) << "\t"
      << kStatus[static_cast<int>(t->Status())] << "\n";
  }
  if (h.TreatmentListe->IsBanned())
    o << "Competition ban until\t" << u(e.regional.FormatShortDate(h.TreatmentListe->HorseOKToStartDate)) << "\n";
  else
    o << "Competition ban\tnone\n";
  return 0;
}

int CmdFormulas(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(env.err, "formulas needs HORSE");
  auto s = Open(env);
  if (!s || !LoadHorse(env, *s, args[0])) return 1;
  THest& h = *s->horse;
  const TBehovsListe& list = *s->app->requirements;
  int category = Ord(h.Kategori);
  if (h.Kategori == TDyreKategori::Trening && h.TreningsMengde == 0) category = Ord(TDyreKategori::Vedlikehold);
  int failures = 0;
  for (int i = 0; i < list.Antall(); ++i) {
    const TBehovsobj* o = list.Element(i);
    env.out << o->NutrientNo << "\t" << Cp1252ToUtf8(o->GlobalNutrientName) << "\t";
    if (category < 0 || static_cast<size_t>(category) >= o->Behovsstrenger.size()) {
      env.out << "(no formula)\n";
      continue;
    }
    const UttrykkResultat r =
        TUttrykk(o->Behovsstrenger[static_cast<size_t>(category)], o->NutrientNo).Evaluer(h, true, nullptr);
    if (r.ok) {
      env.out << (r.isTruthValue ? (r.value != 0 ? "true" : "false") : Number(r.value)) << "\n";
    } else {
      ++failures;
      std::string message = r.message;
      for (char& c : message)
        if (c == '\r') c = ' ';
      env.out << Cp1252ToUtf8(message) << "\n";
    }
  }
  return failures ? 1 : 0;
}

int CmdNewStable(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(env.err, "new-stable needs NAME");
  auto s = Open(env);
  if (!s) return 1;
  Workspace ws(*s->app);
  ws.Scan();
  const std::string name = Utf8ToCp1252(args[0]);
  if (auto problem = ValidateStableName(name)) return Fail(env, *problem);
  if (ws.StableNameTaken(name)) return Fail(env, name + ": " + Tr(kFindesAendre));
  std::string warning;
  TStall& stable = ws.NewStable(&warning);
  stable.stallNavn = name;
  stable.NameFeedList();
  std::string error;
  if (!stable.Save(&error)) return Fail(env, error);
  if (!warning.empty()) env.err << Lines(warning) << "\n";
  env.out << stable.StableFilePath().string() << "\n";
  return 0;
}

int CmdBackup(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(env.err, "backup needs DIR");
  auto s = Open(env);
  if (!s) return 1;
  auto ws = std::make_unique<Workspace>(*s->app);
  ws->Scan();
  const fs::path target = ws->BackupTarget(fs::path(args[0]));
  std::string error;
  if (!ws->Backup(target, &error)) return Fail(env, error);
  env.out << target.string() << "\n";
  DoneWith(env, std::move(ws));
  return s->ReportedErrors() ? 1 : 0;
}

int CmdClean(Env& env, const std::vector<std::string>& args) {
  const bool yes = args.size() == 1 && args[0] == "--yes";
  if (!args.empty() && !yes) return Usage(env.err, "clean takes only --yes");
  auto s = Open(env);
  if (!s) return 1;
  Workspace ws(*s->app);
  const std::vector<fs::path> doomed = ws.CleanUpCandidates();
  if (!yes) {
    for (const auto& p : doomed) env.out << "would remove\t" << p.string() << "\n";
    return 0;
  }
  const std::vector<fs::path> left = ws.CleanUp();
  for (const auto& p : doomed)
    if (std::find(left.begin(), left.end(), p) == left.end()) env.out << "removed\t" << p.string() << "\n";
  // What could not be removed (a read-only directory) is a failure, not a quiet success.
  for (const auto& p : left) env.err << "could not remove\t" << p.string() << "\n";
  return left.empty() ? 0 : 1;
}

int CmdDemo(Env& env, const std::vector<std::string>& args) {
  if (!args.empty()) return Usage(env.err, "demo takes no arguments");
  auto s = Open(env);
  if (!s) return 1;
  Workspace ws(*s->app);
  ws.Scan();
  const fs::path listFile = s->app->preferences.FeedDirectory() / "Standard foderliste.eqf";
  TForListe feeds(s->app->Env());
  try {
    feeds.LoadFromFile(listFile);
  } catch (const ObjTextError& e) {
    return Fail(env, e.what());
  }
  const auto missing = BuildDemoWorkspace(ws, feeds);
  for (const auto& m : missing) env.err << "missing feed: " << Cp1252ToUtf8(m) << "\n";
  const fs::path contacts = s->app->preferences.SaveDirectory() / std::string(kAdresseFilNavn);
  if (!s->app->contacts.writeToFile(contacts)) return Fail(env, "Cannot create file " + PathText(contacts));
  for (const std::string& line : ws.TreeLines()) env.out << Cp1252ToUtf8(line) << "\n";
  return missing.empty() ? 0 : 1;
}

}  // namespace stallora::cli
