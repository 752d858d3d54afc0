#include "app/cli_support.h"

#include <cstdlib>
#include <iostream>
#include <span>

#include "config/preferences.h"
#include "config/program_directory.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora::cli {

const Clock& Env::GetClock() const {
  if (fixedClock) return *fixedClock;
  return systemClock;
}

std::filesystem::path Env::ProgramDir() const {
  if (options.programDir) return *options.programDir;
  return LocateProgramDirectory(ExecutableDirectory(), UserProgramDirectory()).programDir;
}

bool ParseEnergyOption(const std::string& text, TEnergyProteinObj& obj) {
  std::vector<std::string> parts;
  size_t pos = 0;
  for (;;) {
    const size_t colon = text.find(':', pos);
    parts.push_back(text.substr(pos, colon - pos));
    if (colon == std::string::npos) break;
    pos = colon + 1;
  }
  if (parts.size() != 5) return false;
  auto pick = [](const std::string& word, std::span<const std::string_view> names, auto& field) {
    for (size_t i = 0; i < names.size(); ++i)
      if (SameText(names[i], word)) {
        field = static_cast<std::remove_reference_t<decltype(field)>>(i);
        return true;
      }
    return false;
  };
  if (!pick(parts[0], EnumValueNames(TEnergiBeregning{}), obj.Energiberegning) ||
      !pick(parts[1], EnumValueNames(EnergiBasisType{}), obj.EnergiBasis) ||
      !pick(parts[2], EnumValueNames(EnergiEnhetstype{}), obj.EnergiEnhet) ||
      !pick(parts[4], EnumValueNames(TProteinBeregning{}), obj.ProteinBeregning))
    return false;
  char* end = nullptr;
  obj.EnergiFaktor = std::strtod(parts[3].c_str(), &end);
  if (parts[3].empty() || *end != 0 || !(obj.EnergiFaktor > 0)) return false;
  obj.Navn = Utf8ToCp1252(text);
  return true;
}

std::unique_ptr<Configuration> LoadConfiguration(Env& env, std::ostream* messages) {
  std::ostream& err = messages ? *messages : env.err;
  RegisterConfigClasses();
  const auto dir = env.ProgramDir();
  CountrySettingsResult r = LoadCountrySettings(dir, Tr(kSettingsFileName), env.options.regional.languageAbbreviation);
  if (!r.settings) {
    err << Lines(r.message) << "\n";
    return nullptr;
  }
  auto config = std::make_unique<Configuration>();
  config->settings = std::move(*r.settings);
  const auto listFile = dir / "Resources" / "EPListe.eqe";
  std::error_code ec;
  if (!std::filesystem::exists(listFile, ec)) {
    err << Cp1252ToUtf8("Fejl:: Finder ikke filen " + PathText(listFile)) << "\n";
    return nullptr;
  }
  try {
    config->energyList.LoadfromFile(listFile);
  } catch (const ObjTextError& e) {
    err << Lines(e.what()) << "\n";
    return nullptr;
  }
  if (env.options.energy) {
    config->active = std::make_unique<TEnergyProteinObj>();
    ParseEnergyOption(*env.options.energy, *config->active);
  } else {
    // The last active object's name is kept in the preferences file, when there is one.
    std::string lastName;
    TPreferences prefs;
    if (std::filesystem::exists(dir / "stallora.pref", ec)) {
      try {
        LoadRecordFromFile(prefs, dir / "stallora.pref");
        lastName = prefs.LastGlobalEPObjectName;
      } catch (const ObjTextError&) {
      }
    }
    config->active = ChooseActiveEnergyObject(config->energyList, lastName, config->settings.countryNumber,
                                              PathText(config->settings.settingsFile),
                                              env.options.regional.currencySymbol, &config->notice);
  }
  ApplyActiveEnergyObject(*config->active, config->settings, config->settings.countryNumber);
  config->environment = std::make_unique<RecordEnvironment>(env.GetClock(), env.options.regional,
                                                            config->settings.countryNumber, config->active.get(),
                                                            &config->settings);
  return config;
}

int Usage(std::ostream& err, const std::string& problem) {
  err << "stallora-cli: " << problem << "\n\nRun stallora-cli --help for the usage.\n";
  return 2;
}

int Fail(Env& env, const std::string& cp1252Message) {
  env.err << Lines(cp1252Message) << "\n";
  return 1;
}

std::unique_ptr<Record> CreateRoot(std::string_view className, const LoadEnvironment* environment) {
  LoadContext ctx;
  ctx.environment = environment;
  // Every class the registry knows may head a file, the root-only ones (THest, TAnimal,
  // TPreferences) included.
  if (const RecordClass* cls = ClassRegistry::Global().GetRoot(className)) return cls->Create(ctx);
  return nullptr;
}

std::unique_ptr<Record> ReadRecordFile(Env& env, const std::string& file, std::string& error,
                                       const LoadEnvironment* environment) {
  (void)env;
  // A FIFO, a device or a directory is refused without waiting on it, and said so.
  std::optional<std::string> text = ReadWholeFile(file, &error);
  if (!text) return nullptr;
  try {
    return ReadRootRecordText(
        *text, [&](std::string_view className) { return CreateRoot(className, environment); },
        ClassRegistry::Global(), environment);
  } catch (const ObjTextError& e) {
    error = e.what();
    return nullptr;
  }
}

QtParts& QtPartHooks() {
  static QtParts hooks;
  return hooks;
}

std::string Lines(std::string text) {
  // CR LF and a lone CR alike become one LF: a raw CR would make a terminal overwrite the
  // line.
  return TerminalText(text);
}

std::unique_ptr<Session> Open(Env& env) {
  auto session = std::make_unique<Session>();
  StartResult r = StartProgram(env.ProgramDir(), env.GetClock(), env.options.regional, session->messages);
  if (!r.context) {
    env.err << Lines(r.fatalMessage) << "\n";
    return nullptr;
  }
  session->app = std::move(r.context);
  AppContext& app = *session->app;
  if (env.options.saveDir) app.preferences.ActiveSaveDirectory = Utf8ToCp1252(*env.options.saveDir);
  if (env.options.energy) {
    TEnergyProteinObj obj;
    ParseEnergyOption(*env.options.energy, obj);
    app.SetActiveEnergyObject(obj);
  }
  session->startErrors = session->messages.ErrorCount();
  return session;
}

bool LoadHorse(Env& env, Session& s, const std::string& file) {
  const std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(file));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    env.err << "Cannot open file " << file << "\n";
    return false;
  }
  const std::filesystem::path horseDir = path.parent_path();
  const std::filesystem::path stableDir = horseDir.parent_path();
  const std::filesystem::path stableFile = stableDir / (stableDir.filename().string() + ".eqs");
  const RecordEnvironment& recordEnv = s.app->Env();
  try {
    // The horse's files go into the directory its file lies in, whatever the file's Navn
    // says ("../../x" would lead out of the workspace); in a workspace the directory also
    // names the horse, as the scan names it.
    s.horseDirectory = horseDir;
    if (path.stem() == horseDir.filename() && std::filesystem::is_regular_file(stableFile, ec)) {
      s.stable = std::make_unique<TStall>(recordEnv);
      s.stable->Load(stableFile);
      s.stable->stallNavn = TextFromPath(stableDir.filename());
      s.app->preferences.ActiveSaveDirectory = TextFromPath(stableDir.parent_path());
      THest* h = s.stable->NewHorseRecord();
      h->LoadfromFile(path);
      h->Navn = TextFromPath(horseDir.filename());
      s.horse = h;
    } else {
      s.looseHorse = std::make_unique<THest>(recordEnv);
      s.looseHorse->LoadfromFile(path);
      // Report and picture names are made from the name: one that cannot be a file name
      // gives way to the file's own.
      if (ValidateFileName(s.looseHorse->Navn)) s.looseHorse->Navn = TextFromPath(path.stem());
      s.horse = s.looseHorse.get();
    }
  } catch (const ObjTextError& e) {
    env.err << Lines(e.what()) << "\n";
    return false;
  }
  return true;
}

namespace {
Workspace* leftToTheSystem = nullptr;
}  // namespace

void DoneWith(Env& env, std::unique_ptr<Workspace> ws) {
  if (env.processEnds) leftToTheSystem = ws.release();
}

}  // namespace stallora::cli
