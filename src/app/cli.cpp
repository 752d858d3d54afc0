#include "app/cli.h"

#include "app/cli_commands.h"
#include "app/cli_support.h"

#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <span>
#include <cstdlib>
#include <filesystem>

#include "config/country_settings.h"
#include "config/energy_protein.h"
#include "config/preferences.h"
#include "config/program_directory.h"
#include "core/version.h"
#include "feeds/feedlist.h"
#include "stable/workspace.h"
#include "core/cp1252.h"
#include "core/daynum.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/seams.h"
#include "core/textutil.h"

namespace stallora::cli {
namespace {

constexpr const char* kUsage =
    "Usage: stallora-cli [OPTIONS] COMMAND [ARGS]\n"
    "\n"
    "Options (before the command):\n"
    "  --program-dir DIR      program directory with the installed data (default: beside the executable;\n"
    "                         an installed program uses $XDG_DATA_HOME/stallora or ~/.local/share/stallora,\n"
    "                         made from the installed data on first use)\n"
    "  --save-dir DIR         workspace directory (default: the preferences' save directory, else DIR/Save)\n"
    "  --today YYYY-MM-DD     fix today's date for everything the command does\n"
    "  --date-format FMT      dd-mm-yyyy, dd.mm.yyyy, dd/mm/yyyy or yyyy-mm-dd (default dd-mm-yyyy)\n"
    "  --decimal SEP          decimal separator of displayed numbers, . or , (default ,)\n"
    "  --currency TEXT        currency symbol (default kr)\n"
    "  --energy SYSTEM:BASIS:UNIT:FACTOR:PROTEIN\n"
    "                         use exactly this energy/protein object, e.g. nrc2007:DE:MCal:1:CP\n"
    "  -h, --help             show this text\n"
    "  --version              show the program's version\n"
    "\n"
    "Commands:\n"
    "  check FILE             read a record file; print OK or the reader's error\n"
    "  check --syntax FILE    only the grammar check, for object text of any class\n"
    "  format FILE            read a record file and write it back to standard output as saving would\n"
    "  config                 print the country tables of the program directory and the active\n"
    "                         energy/protein object\n"
    "  import FILE            read a feed list text file; write the feed list as object text\n"
    "  convert FILE SYSTEM:BASIS:UNIT:FACTOR:PROTEIN\n"
    "                         a feed list converted to another energy and protein system, as\n"
    "                         object text (e.g. convert list.eqf nrc2007:DE:MCal:1:CP)\n"
    "  eval HORSE EXPR [--nutrient N]\n"
    "                         evaluate a requirement formula for a horse\n"
    "  requirements HORSE     the horse's requirement: index, name, unit, formula value, requirement\n"
    "  evaluate HORSE         requirement and ration evaluation, then the dry-matter verdicts\n"
    "  optimize HORSE [--objective cost|balance] [--all-feeds] [--feed-list FILE] [--lock FEED]\n"
    "                [--min FEED=KG] [--max FEED=KG]\n"
    "                         balance the ration: the cheapest (or, with balance, the closest to the\n"
    "                         requirement) amounts of the ration's feeds (with --all-feeds also those of\n"
    "                         the stable's feed list, with --feed-list those of FILE) within every limit\n"
    "                         of the evaluation; --lock keeps a feed's amount; prints\n"
    "                         Status, Message, Objective, one Feed line per feed (name, kg now, kg\n"
    "                         proposed, price, cost, bound), Cost (now, proposed), the Binding limits,\n"
    "                         the Unmet limits with the best reachable and an explanation, Accepted\n"
    "                         limits, and the evaluation's verdict; the horse file is not changed\n"
    "  scan                   the workspace tree of the save directory, then the start-up messages\n"
    "  horse FILE             a horse's derived values: ages, weights, pasture, training, treatments\n"
    "  formulas HORSE         every formula of the requirement list for the horse, or its error\n"
    "  set HORSE NAME=VALUE...  set properties of a horse file (values as the file writes them,\n"
    "                         e.g. EierNavn='Anna' TreningsMengde=0.5; - reads the lines from standard\n"
    "                         input) and save it; prints the file and its size:hash as read, then as\n"
    "                         saved; a file another program changed since it was read is not replaced\n"
    "                         (exit 1, the file named)\n"
    "  new-stable NAME        a new stable in the save directory\n"
    "  backup DIR             copy the save directory into DIR/save<date>\n"
    "  clean [--yes]          list (or, with --yes, remove) what the clean-up on close removes\n"
    "  demo                   build the demo stables into the save directory\n"
    "  report KIND HORSE [-o FILE] [--pdf FILE] [--comments]\n"
    "                         write a horse report: feedplan, simple, graphics, requirements, meals,\n"
    "                         weight or treatments; without -o to its file name in the horse's directory;\n"
    "                         --pdf also prints it to a PDF file, --comments adds the nutrient advice\n"
    "                         to the feed plan\n"
    "  report stable-KIND STABLEFILE [-o FILE] [--pdf FILE]\n"
    "                         write a stable report: stable-overview, stable-requirement,\n"
    "                         stable-allocation, stable-comparison or stable-treatments; without -o to\n"
    "                         its file name in the stable's directory\n"
    "  update --check|--fetch [--resource-url URL]\n"
    "                         ask the online service what it offers; --fetch also downloads a newer\n"
    "                         guarantee feed list and brings the workspace up to date\n";

int CmdConfig(Env& env, const std::vector<std::string>& args) {
  if (!args.empty()) return Usage(env.err, "config takes no arguments");
  auto config = LoadConfiguration(env);
  if (!config) return 1;
  const CountrySettings& s = config->settings;
  auto& o = env.out;
  auto u = [](const std::string& t) { return Cp1252ToUtf8(t); };
  o << "Settings file\t" << s.settingsFile.string() << "\n";
  o << "Country\t" << u(CountryName(s.countryNumber).empty() ? std::to_string(s.countryNumber)
                                                            : CountryName(s.countryNumber))
    << "\n";
  o << "Currency decimals\t" << s.currencyDecimals << "\n";
  o << "Guarantee feed list\t" << u(s.guaranteeFeedFile) << "\n";
  o << "Web site\t" << s.webBase << "\nResource server\t" << s.resourceBase << "\n";
  o << "\nNutrients (index, name, unit, decimals)\n";
  for (int i = 0; i < kNutrientCount; ++i)
    o << i << "\t" << u(s.NutrientName(i)) << "\t" << u(s.NutrientUnit(i)) << "\t"
      << s.nutrients[static_cast<size_t>(i)].precision << "\n";
  o << "\nFeed types\n";
  for (int i = 0; i < kFeedTypeCount; ++i) o << i << "\t" << u(s.feedTypeNames[static_cast<size_t>(i)]) << "\n";
  o << "\nBreeds (name, male weight, female weight, blood type, picture)\n";
  for (const Breed& b : s.breeds)
    o << u(b.name) << "\t" << u(b.maleWeight) << "\t" << u(b.femaleWeight) << "\t"
      << EnumValueNames(TBlodsType{})[static_cast<size_t>(b.bloodType)] << "\t" << u(b.image) << "\n";
  auto list = [&](const char* title, const std::vector<std::string>& names) {
    o << "\n" << title << "\n";
    for (size_t i = 0; i < names.size(); ++i) o << i << "\t" << u(names[i]) << "\n";
  };
  list("Categories", s.categoryNames);
  list("Work levels", s.workNames);
  list("Young-horse training", s.youngTrainingNames);
  list("Blood types", s.bloodTypeNames);
  list("Sexes", s.sexNames);
  list("Body conditions", s.conditionNames);
  list("Protein types", {s.proteinTypeNames.begin(), s.proteinTypeNames.end()});
  list("Contact types", s.contactTypeNames);
  list("Energy units", {s.energyUnitNames.begin(), s.energyUnitNames.end()});
  o << "\nFeed companies (name, logo, web, brands)\n";
  for (const FeedCompany& c : s.feedCompanies)
    o << u(c.name) << "\t" << u(c.logoFile) << "\t" << u(c.web) << "\t" << u(c.brands) << "\n";
  o << "\nEnergy/protein objects\n";
  for (int i = 0; i < config->energyList.Antall(); ++i)
    o << u(config->energyList.Element(i)->BeskrivelseKort(s)) << "\n";
  o << "\nActive energy/protein object\n" << Lines(config->active->Beskrivelse(s, env.options.regional.decimalSeparator))
    << "\n";
  if (!config->notice.empty()) o << u(config->notice) << "\n";
  return 0;
}

// The configuration when the program directory has one; record files can be read without.
std::unique_ptr<Configuration> LoadConfigurationQuietly(Env& env) {
  std::ostringstream ignored;
  // The configuration's environment keeps a reference to env's clock, so it is made with
  // env itself; only the messages go elsewhere.
  return LoadConfiguration(env, &ignored);
}

int CmdCheck(Env& env, const std::vector<std::string>& args) {
  if (args.size() == 2 && args[0] == "--syntax") {
    std::string readError;
    std::optional<std::string> text = ReadWholeFile(args[1], &readError);
    if (!text) return Fail(env, readError);
    try {
      CheckObjectTextSyntax(*text);
    } catch (const ObjTextError& e) {
      return Fail(env, e.what());
    }
    env.out << "OK\n";
    return 0;
  }
  if (args.size() != 1) return Usage(env.err, "check needs one FILE (or --syntax FILE)");
  std::string error;
  auto config = LoadConfigurationQuietly(env);
  if (!ReadRecordFile(env, args[0], error, config ? config->environment.get() : nullptr)) return Fail(env, error);
  env.out << "OK\n";
  return 0;
}

int CmdFormat(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(env.err, "format needs one FILE");
  std::string error;
  auto config = LoadConfigurationQuietly(env);
  std::unique_ptr<Record> record = ReadRecordFile(env, args[0], error, config ? config->environment.get() : nullptr);
  if (!record) return Fail(env, error);
  try {
    // Written out as it is made: a large list is not held twice in memory.
    WriteRecordText(*record, [&](std::string_view piece) {
      env.out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
  } catch (const ObjTextError& e) {
    return Fail(env, e.what());
  }
  return 0;
}

std::optional<DayNumber> ParseIsoDate(const std::string& s) { return ParseDate(s, "yyyy-mm-dd"); }

}  // namespace

bool NeedsQtParts(const std::vector<std::string>& args) {
  // The options as Run reads them: each but the three below takes a value.
  size_t i = 0;
  for (; i < args.size() && !args[i].empty() && args[i][0] == '-'; i += 2)
    if (args[i] == "-h" || args[i] == "--help" || args[i] == "--version") return false;
  if (i >= args.size()) return false;
  const std::string& command = args[i];
  if (command == "update") return true;
  if (command != "report") return false;
  if (i + 1 < args.size() && args[i + 1] == "graphics") return true;
  for (size_t k = i + 1; k < args.size(); ++k)
    if (args[k] == "--pdf") return true;
  return false;
}

bool HasQtParts() { return QtPartHooks().printToPdf != nullptr; }

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool processEnds) {
  Env env{Options{}, out, err, SystemClock{}, std::nullopt};
  env.processEnds = processEnds;
  RegisterAllRecordClasses();
  size_t i = 0;
  auto value = [&](const std::string& opt) -> std::optional<std::string> {
    if (i + 1 >= args.size()) return std::nullopt;
    (void)opt;
    return args[++i];
  };
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.empty() || a[0] != '-') break;
    if (a == "-h" || a == "--help") {
      out << kUsage;
      return 0;
    }
    if (a == "--version") {
      out << "stallora-cli " << kProgramVersionText << "\n";
      return 0;
    }
    std::optional<std::string> v = value(a);
    if (!v) return Usage(err, "option " + a + " needs a value");
    if (a == "--program-dir") {
      env.options.programDir = *v;
    } else if (a == "--save-dir") {
      env.options.saveDir = *v;
    } else if (a == "--today") {
      env.options.today = ParseIsoDate(*v);
      if (!env.options.today) return Usage(err, "--today needs a date as YYYY-MM-DD");
      env.fixedClock.emplace(*env.options.today);
    } else if (a == "--date-format") {
      if (*v != "dd-mm-yyyy" && *v != "dd.mm.yyyy" && *v != "dd/mm/yyyy" && *v != "yyyy-mm-dd")
        return Usage(err, "unknown date format " + *v);
      env.options.regional.shortDateFormat = *v;
    } else if (a == "--decimal") {
      if (*v != "." && *v != ",") return Usage(err, "--decimal is . or ,");
      env.options.regional.decimalSeparator = (*v)[0];
    } else if (a == "--currency") {
      env.options.regional.currencySymbol = Utf8ToCp1252(*v);
    } else if (a == "--energy") {
      TEnergyProteinObj probe;
      if (!ParseEnergyOption(*v, probe)) return Usage(err, "--energy needs SYSTEM:BASIS:UNIT:FACTOR:PROTEIN");
      env.options.energy = *v;
    } else {
      return Usage(err, "unknown option " + a);
    }
  }
  if (i >= args.size()) return Usage(err, "no command given");
  const std::string command = args[i];
  const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  static const std::map<std::string, int (*)(Env&, const std::vector<std::string>&)> kCommands = {
      {"check", &CmdCheck},
      {"format", &CmdFormat},
      {"config", &CmdConfig},
      // Commands of the library's modules (app/cli_commands.h):
      {"import", &CmdImport},
      {"convert", &CmdConvert},
      {"eval", &CmdEval},
      {"requirements", &CmdRequirements},
      {"evaluate", &CmdEvaluate},
      {"scan", &CmdScan},
      {"horse", &CmdHorse},
      {"set", &CmdSet},
      {"formulas", &CmdFormulas},
      {"new-stable", &CmdNewStable},
      {"backup", &CmdBackup},
      {"clean", &CmdClean},
      {"demo", &CmdDemo},
      {"report", &CmdReport},
      {"update", &CmdUpdate},
      {"optimize", &CmdOptimize},
  };
  auto it = kCommands.find(command);
  if (it == kCommands.end()) return Usage(err, "unknown command " + command);
  if (!env.options.programDir) {
    // As the program starts: an installed one works in the user's program directory.
    const ProgramPlace place = LocateProgramDirectory(ExecutableDirectory(), UserProgramDirectory());
    if (const auto failed = PrepareProgramDirectory(place)) return Fail(env, *failed);
    env.options.programDir = place.programDir.string();
  }
  return it->second(env, rest);
}

}  // namespace stallora::cli
