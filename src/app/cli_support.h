#pragma once
// What the command-line tool's commands share: the options, the output streams, the start-up
// pieces a command needs (country settings, energy/protein list, the active object, the
// environment records are made with), and the reading of record files.

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/country_settings.h"
#include "config/energy_protein.h"
#include "config/environment.h"
#include "core/daynum.h"
#include "core/record.h"
#include "core/seams.h"
#include "ration/horse_reports.h"
#include "stable/workspace.h"

namespace stallora::cli {

struct Options {
  std::optional<std::string> programDir;
  std::optional<std::string> saveDir;
  std::optional<DayNumber> today;
  std::optional<std::string> energy;
  Regional regional;
};

struct Env {
  Options options;
  std::ostream& out;
  std::ostream& err;
  SystemClock systemClock;
  std::optional<FixedClock> fixedClock;
  bool processEnds = false;  // the process ends after the command

  const Clock& GetClock() const;
  std::filesystem::path ProgramDir() const;
};

// The parts of the start sequence a command needs.
struct Configuration {
  CountrySettings settings;
  TEnProList energyList;
  std::unique_ptr<TEnergyProteinObj> active;
  std::string notice;
  std::unique_ptr<RecordEnvironment> environment;
};

// Parses SYSTEM:BASIS:UNIT:FACTOR:PROTEIN into obj (named after the text); false when malformed.
bool ParseEnergyOption(const std::string& text, TEnergyProteinObj& obj);

// Country settings, energy/protein list and the active object as the program starts them.
// Prints the reason and returns nothing when they cannot be had.
// Messages go to `messages` when given, else to env.err.
std::unique_ptr<Configuration> LoadConfiguration(Env& env, std::ostream* messages = nullptr);

// Wrong usage: prints the problem and the usage text, returns 2.
int Usage(std::ostream& err, const std::string& problem);
// A failure: prints the (Windows-1252) message as UTF-8, returns 1.
int Fail(Env& env, const std::string& cp1252Message);

// A record of the class the root header names (registered classes and the root-only ones).
std::unique_ptr<Record> CreateRoot(std::string_view className, const LoadEnvironment* environment);
// Reads a record file the way the program does; the record, or nothing with `error` set.
std::unique_ptr<Record> ReadRecordFile(Env& env, const std::string& file, std::string& error,
                                       const LoadEnvironment* environment = nullptr);

// The program started as the GUI starts it, with the command line's options.
struct Session {
  StderrMessages messages;
  std::unique_ptr<AppContext> app;
  std::unique_ptr<Workspace> workspace;
  std::unique_ptr<TStall> stable;  // the stable of a horse read from a workspace
  THest* horse = nullptr;
  std::unique_ptr<THest> looseHorse;
  std::filesystem::path horseDirectory;  // where the horse's own files go
  int startErrors = 0;                    // errors the start itself reported

  // Whether the command reported an error after the start (it then ends with status 1).
  bool ReportedErrors() const { return messages.ErrorCount() > startErrors; }
};

std::unique_ptr<Session> Open(Env& env);

// The end of a command that read the workspace. When the process ends after the command,
// the workspace is left to the system, as the process's end frees it at once: freeing
// 20,000 horses block by block would take a tenth of the whole run. (It stays reachable, so
// a leak checker does not count it.) Otherwise it is freed here.
void DoneWith(Env& env, std::unique_ptr<Workspace> ws);
// A horse file; in a workspace (S/<stable>/<horse>/<horse>.eqh) its stable is read too and
// owns the horse, and the horse's files go into its directory there, else beside the file.
bool LoadHorse(Env& env, Session& s, const std::string& file);

// Windows-1252 text with CR line breaks, as UTF-8 with LF.
std::string Lines(std::string text);

// What needs Qt (printing a report to PDF, the chart pictures of the graphics report, the
// online service) is a part of its own (cli_qt*.cpp). stallora-cli is linked without it, so
// that every other command starts without loading Qt, and hands the commands that need it
// to stallora-cli-qt, which is linked with it (as are the tests). The part fills these
// hooks when it is linked in; a hook left empty means this program has no such part.
struct QtParts {
  bool (*printToPdf)(const std::string& page, const std::filesystem::path& baseDirectory,
                     const std::filesystem::path& pdf) = nullptr;
  std::unique_ptr<PictureWriter> (*chartPictures)() = nullptr;
  int (*update)(Env& env, const std::vector<std::string>& args) = nullptr;
};
QtParts& QtPartHooks();

}  // namespace stallora::cli
